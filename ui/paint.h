// Drawing the board and the status line through the back buffer.
#pragma once

#include <windows.h>

// Draws the whole picture into the back buffer, then copies the client
// area to target in one transfer, so the window never shows half a paint.
void PaintBoard(HDC target);

// The status line is three texts, each formatted into 80 bytes: part 0
// the balls selected, 1 what they would score, 2 the score.
constexpr int STATUS_PARTS = 3;
int FormatStatusText(int part, char *text); // the text's length
