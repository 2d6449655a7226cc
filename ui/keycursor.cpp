#include "keycursor.h"

#include "mainwnd.h"
#include "readout.h"

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

// The arrows step from the cell; the first only brings the cursor out
// where it was left.
static PackedCell StepFrom(PackedCell cell, WPARAM key)
{
    int col = CellCol(cell), row = CellRow(cell);
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
        return NO_CELL;
    }
    return KeyCursorShown ? PackCell(Clamp(col, BOARD_COLS - 1), Clamp(row, BOARD_ROWS - 1)) : cell;
}

int MoveKeyCursor(WPARAM key)
{
    PackedCell to = key == VK_TAB ? NextGroupStart(KeyCursorShown ? KeyCursorCell : NO_CELL,
                                                   GetKeyState(VK_SHIFT) < 0 ? -1 : 1)
                                  : StepFrom(KeyCursorCell, key);
    if (to == NO_CELL)
        return 0;
    KeyCursorCell = to;
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

// A reader that followed the frame hears that the board took the focus
// back from its cell.
void HideKeyCursor()
{
    if (KeyCursorShown)
        AnnounceBoardFocus();
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
    RECT ring = CellRect(KeyCursorCell);
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FrameRect(BackBuffer, &ring, white);
    InflateRect(&ring, -1, -1);
    FrameRect(BackBuffer, &ring, white);
    InflateRect(&ring, -1, -1);
    FrameRect(BackBuffer, &ring, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
