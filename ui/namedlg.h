// The dialog that asks a player who entered the high-score table for a name.
#pragma once

#include <windows.h>

// Template IDD_NAME. Ends only through OK, with 1 to 15 characters in
// PlayerName.
INT_PTR CALLBACK NameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
