// The high-score dialog: the table painted row by row, and the reset
// button that the command line can ask for.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ScoresDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Top of row k (0..4) in a client area of the given height: the rows
// spread out as the dialog grows, 18 pixels high each.
int ScoreRowTop(int k, int clientHeight);

// The texts of row k: rank and name at the left, the score at the right.
void FormatScoreRow(int k, char left[20], char right[20]);
