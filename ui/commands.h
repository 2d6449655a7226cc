// The commands of the main window that open a window of their own. Each
// removes the highlight from the board before its window opens.
#pragma once

void ShowHelp();       // the rules, in a message box
void ShowAbout();      // the About box
void ShowHighScores(); // the high-score dialog
void ChooseLanguage(); // the language dialog, which may rebuild the window
