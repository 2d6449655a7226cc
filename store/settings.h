// The registry key that outlives a run: the high scores and the language.
#pragma once

#include <cstdint>

// Created by the installation, only ever opened by the program.
#define SETTINGS_KEY "Software\\Kesti Glomb"

extern std::int32_t Language; // 0 Italian, 1 English

int LoadSettings();  // 1 when the key could be opened, 0 otherwise
void SaveSettings(); // the whole table in memory and Language

// Every player of the machine shares the key, and several games may be
// open at once: a game takes the others' records from the key before it
// changes anything, and writes back only its own player's change.
int ReloadHighScores(); // the table as stored now; 0 (memory kept) without the key
void SaveHighScores();  // the table in memory, keeping the stored language
void ShowInstallationMessage();

// The language a user of this LANGID gets when none is stored: Italian
// for Italian users, English for everybody else.
std::int32_t LanguageOfUser(std::uint16_t userLangId);
