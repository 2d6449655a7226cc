// The board as screen readers see it, handed to them at WM_GETOBJECT.
#pragma once

#include <windows.h>

// The board's accessible object for a request for the client area;
// anything else, or a system without the accessibility libraries, gets
// the window's default answer.
LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam);

// The game has closed its window for good: readers that still hold the
// board get failures from now on.
void DisconnectBoardObject();
