// Drawing the board and the status line through the back buffer.
#pragma once

#include <windows.h>

// Draws the whole picture into the back buffer, then copies the client
// area to target in one transfer, so the window never shows half a paint.
void PaintBoard(HDC target);
