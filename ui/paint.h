// Drawing the board and the status line through the back buffer.
#pragma once

#include <windows.h>

// Draws the whole picture into the back buffer, then copies the client
// area to target in one transfer, so the window never shows half a paint.
void PaintBoard(HDC target);

// The status line is three texts, each formatted into 80 bytes, left to
// right: the balls selected (0), what they would score (1), the score (2).
constexpr int STATUS_PARTS = 3;
int FormatStatusText(int part, char *text); // the text's length
