// The real main window for the tests of this folder, and small helpers
// that set up a position and watch what the window does.
#pragma once

#include <windows.h>

#include <string>

// Creates the main window once for the whole run (English texts).
void EnsureMainWindow();

// Puts a position on the board: ten rows of fifteen characters, top row
// first; '.' is empty, 'B', 'G' and 'R' are blue, green and red balls.
// Clears the highlight, the preview, the score and the undo.
void LoadBoard(const char *const rows[10]);

// The client point at the middle of a cell, packed as mouse messages
// carry it.
LPARAM CellCentre(int col, int row);

// Sends a message to the main window, as the system would deliver it.
LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Closes every message box or dialog that opens on this thread while it
// lives, remembering what the last one said.
struct MessageBoxCatcher {
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    int count = 0;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
};
