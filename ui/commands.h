// The commands of the main window that open a window of their own. Each
// removes the highlight from the board before its window opens.
#pragma once

void ShowHelp();
void ShowAbout();
void ShowHighScores();
void ChooseLanguage();
