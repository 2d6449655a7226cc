// The five best final scores with their players' names.
#pragma once

#include <cstdint>

constexpr int HIGH_SCORE_COUNT = 5;
constexpr int NAME_SIZE = 16; // at most 15 characters and the terminator

struct HighScoreEntry {
    char name[NAME_SIZE];
    std::int32_t score;
};

extern HighScoreEntry HighScoreTable[HIGH_SCORE_COUNT]; // index 0 is the best
extern char PlayerName[NAME_SIZE]; // the last name typed, offered next time

void RecordFinalScore();
void ResetHighScores();
