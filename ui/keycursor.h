// The keyboard cursor: a cell of the board that the arrow keys move and
// Space or Enter plays, drawn as a frame while the keyboard has the board.
// The pointer takes the board back by moving.
#pragma once

#include "engine/board.h"

#include <windows.h>

#include <cstdint>

extern PackedCell KeyCursorCell;    // the bottom-left cell until an arrow key moves it
extern std::int32_t KeyCursorShown; // 1 while the keyboard has the board

// For an arrow key: shows the cursor where it is, or when it already
// shows, moves it one cell, stopping at the board's edges. Tab, and Tab
// with Shift, move it to the next or previous group's first cell, or
// from hiding to the first or the last group. 0 for any other key, and
// for Tab on a board without a group.
int MoveKeyCursor(WPARAM key);

// Whether a pointer message at client point belongs to the pointer: only
// a real movement takes the board from the keyboard, hiding the cursor.
// The moves that the system makes up for a resting pointer (a window
// closing or appearing under it) leave the cursor alone.
int PointerHasBoard(HWND window, LPARAM point);

// A click always belongs to the pointer.
void HideKeyCursor();

// Puts the frame over the cursor's cell in the back buffer.
void DrawKeyCursor();
