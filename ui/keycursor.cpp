#include "keycursor.h"

#include "mainwnd.h"

PackedCell KeyCursorCell = PackCell(0, BOARD_ROWS - 1); // where balls stay longest
std::int32_t KeyCursorShown;

// Where the pointer rested, in screen coordinates, at the last arrow key;
// screen, not client, coordinates since a language switch may move the
// window under it.
static POINT RestingPointer;

static int Clamp(int value, int last)
{
    return value < 0 ? 0 : value > last ? last : value;
}

int MoveKeyCursor(WPARAM key)
{
    int col = CellCol(KeyCursorCell), row = CellRow(KeyCursorCell);
    switch (key) {
    case VK_LEFT:
        --col;
        break;
    case VK_RIGHT:
        ++col;
        break;
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    default:
        return 0;
    }
    // The first arrow only brings the cursor out where it was left.
    if (KeyCursorShown)
        KeyCursorCell = PackCell(Clamp(col, BOARD_COLS - 1), Clamp(row, BOARD_ROWS - 1));
    KeyCursorShown = 1;
    // The position that came with the key: asking for the pointer anew
    // costs a round trip to the X server under Wine, as long as a repaint.
    DWORD at = GetMessagePos();
    RestingPointer = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    return 1;
}

int PointerHasBoard(HWND window, LPARAM point)
{
    if (!KeyCursorShown)
        return 1;
    POINT p = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    ClientToScreen(window, &p);
    if (p.x == RestingPointer.x && p.y == RestingPointer.y)
        return 0;
    HideKeyCursor();
    return 1;
}

void HideKeyCursor()
{
    KeyCursorShown = 0;
}

// Two white rings and a black one inside them, all within the cell: the
// white stands out on the empty black cell and on the dark edges of the
// balls, the black on the bright discs and the pale highlighted balls.
// Stock brushes, so a paint creates nothing.
void DrawKeyCursor()
{
    if (!KeyCursorShown)
        return;
    int left = BoardLeft + CellCol(KeyCursorCell) * CellSize;
    int top = BoardTop + CellRow(KeyCursorCell) * CellSize;
    RECT ring = {left, top, left + CellSize, top + CellSize};
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FrameRect(BackBuffer, &ring, white);
    InflateRect(&ring, -1, -1);
    FrameRect(BackBuffer, &ring, white);
    InflateRect(&ring, -1, -1);
    FrameRect(BackBuffer, &ring, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
