#include "paint.h"

#include "engine/game.h"
#include "engine/move.h"
#include "keycursor.h"
#include "mainwnd.h"
#include "repaint.h"
#include "wintools.h"

// Every cell is an opaque square from the sheet: column by value, the
// lower row when highlighted.
static void DrawCells()
{
    for (int i = 0; i < BOARD_CELLS; ++i) {
        RECT cell = CellRect(CellOfIndex(i));
        int sourceY = HighlightMap[i] == 1 ? CellSize : 0;
        BitBlt(BackBuffer, cell.left, cell.top, CellSize, CellSize, SpriteSheet,
               Board[i] * CellSize, sourceY, SRCCOPY);
    }
}

// Left to right: the balls selected, what they would score, the score.
static const struct {
    int text;
    const std::int32_t *value;
    UINT flags;
} StatusParts[STATUS_PARTS] = {
    {1, &PreviewCount, 0}, {4, &PreviewScore, DT_CENTER}, {2, &Score, DT_RIGHT}};

// Texts are loaded at every paint, so a language switch shows at once.
int FormatStatusText(int part, char *text)
{
    char format[80];
    LoadText(StatusParts[part].text, format, sizeof format);
    return wsprintfA(text, format, *StatusParts[part].value);
}

// Each text paints its own background, so where they meet the later one
// wins: the score, drawn last, always stays whole.
static void DrawStatusLine(int clientHeight)
{
    RECT status = {BoardLeft, clientHeight - 18, BoardLeft + 15 * CellSize, clientHeight - 2};
    for (int part = 0; part < STATUS_PARTS; ++part) {
        char text[80];
        int length = FormatStatusText(part, text);
        DrawTextA(BackBuffer, text, length, &status, StatusParts[part].flags);
    }
}

void PaintBoard(HDC target)
{
    RECT client;
    GetClientRect(MainWindow, &client);
    Rectangle(BackBuffer, 0, 0, client.right, client.bottom);
    DrawCells();
    DrawKeyCursor();
    DrawStatusLine(client.bottom);
    BitBlt(target, 0, 0, client.right, client.bottom, BackBuffer, 0, 0, SRCCOPY);
}

void RepaintNow()
{
    HDC dc = GetDC(MainWindow);
    PaintBoard(dc);
    ReleaseDC(MainWindow, dc);
}
