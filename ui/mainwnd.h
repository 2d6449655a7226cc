// The main window: its class, its drawing surfaces, the mapping of
// pointer positions to cells, and the dispatch of messages and commands.
#pragma once

#include "engine/board.h"

#include <windows.h>

#include <cstdint>

extern HWND MainWindow;         // set on entry to every message of the window
extern std::int32_t CellSize;   // side of a cell in pixels, 40 or 32
extern std::int32_t BoardLeft;  // client coordinates of the board's
extern std::int32_t BoardTop;   // top-left corner
extern HDC BackBuffer;          // everything is drawn here first
extern HDC SpriteSheet;         // the cell pictures for CellSize
extern std::int32_t Recreating; // 1 while a language switch destroys the window

// Registers the class, sizes and centres the window on the screen and
// builds the drawing surfaces. Runs again after a language switch.
int CreateMainWindow(); // 1 on success, 0 when the window was not made
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The cell under a packed client point, or NO_CELL (and no highlight).
PackedCell PointToCell(LPARAM point);

// Where a cell of the board lies, in client coordinates.
RECT CellRect(PackedCell cell);

// The cell under client point x, y, or NO_CELL; the highlight stays.
PackedCell CellAtPoint(int x, int y);

// 40-pixel cells need a true-colour screen at least 800 pixels wide.
int ChooseCellSize(int numColors, int horzRes);
