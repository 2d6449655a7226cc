// The board as an IAccessible of the main window's client area: a table
// whose 150 cells are simple children, read through the board by child
// id. One object for the program's lifetime; it answers while a window
// shows the board, the new one after a language switch, and fails every
// call once the game has closed its window.
//
// glomb.exe imports none of the OLE libraries: they are loaded at the
// first request from a screen reader, so that a player without one
// starts the game exactly as fast as before.
#include "accessible.h"

#include "boardobject.h"

#include "engine/board.h"
#include "engine/game.h"
#include "mainwnd.h"
#include "readout.h"

static int BoardShown; // 1 from the first request until the window closes for good

// The board itself, or the cell a child id names, or NO_CHILD.
static const int BOARD = -1;
static const int NO_CHILD = -2;

static int CellOfChild(VARIANT child)
{
    int id = ChildOf(child, BOARD_CELLS);
    return id < 0 ? NO_CHILD : id == CHILDID_SELF ? BOARD : ChildCell(id);
}

// Each method is named after its slot in the vtable at the end.

// The window around the client area, with its caption and menu.
static HRESULT STDMETHODCALLTYPE Board_get_accParent(IAccessible *, IDispatch **parent)
{
    return BoardShown ? ReturnWindowObject(MainWindow, parent) : GONE;
}

static HRESULT STDMETHODCALLTYPE Board_get_accChildCount(IAccessible *, LONG *count)
{
    if (!count)
        return E_POINTER;
    *count = BoardShown ? BOARD_CELLS : 0;
    return BoardShown ? S_OK : GONE;
}

// A cell has no object of its own: it is read through the board.
static HRESULT STDMETHODCALLTYPE Board_get_accChild(IAccessible *, VARIANT child,
                                                    IDispatch **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!BoardShown)
        return GONE;
    return CellOfChild(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

// The name, value and description of the board or of a cell.
static HRESULT ReturnBoardText(VARIANT child, BSTR *out, int what)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    char text[BOARD_VALUE_SIZE];
    int cell = CellOfChild(child);
    if (!BoardShown)
        return GONE;
    if (cell == NO_CHILD)
        return E_INVALIDARG;
    if (cell == BOARD)
        (what == 0 ? FormatBoardName : what == 1 ? FormatBoardValue : FormatBoardDescription)(text);
    else if (what == 0)
        FormatCellName(cell, text);
    else if (what == 2 || !FormatCellValue(cell, text))
        return DISP_E_MEMBERNOTFOUND;
    return ReturnText(text, out);
}

static HRESULT STDMETHODCALLTYPE Board_get_accName(IAccessible *, VARIANT child, BSTR *name)
{
    return ReturnBoardText(child, name, 0);
}

static HRESULT STDMETHODCALLTYPE Board_get_accValue(IAccessible *, VARIANT child, BSTR *value)
{
    return ReturnBoardText(child, value, 1);
}

static HRESULT STDMETHODCALLTYPE Board_get_accDescription(IAccessible *, VARIANT child,
                                                          BSTR *description)
{
    return ReturnBoardText(child, description, 2);
}

static HRESULT STDMETHODCALLTYPE Board_get_accRole(IAccessible *, VARIANT child, VARIANT *role)
{
    int cell = CellOfChild(child);
    if (!BoardShown || cell == NO_CHILD)
        return ReturnNothing(BoardShown ? E_INVALIDARG : GONE, role);
    return ReturnNumber(cell == BOARD ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL, role);
}

// The highlighted group is the selection: what the frame or the pointer
// would remove.
static HRESULT STDMETHODCALLTYPE Board_get_accState(IAccessible *, VARIANT child, VARIANT *state)
{
    int cell = CellOfChild(child);
    if (!BoardShown || cell == NO_CHILD)
        return ReturnNothing(BoardShown ? E_INVALIDARG : GONE, state);
    LONG flags = STATE_SYSTEM_FOCUSABLE;
    if (FocusedChild() == V_I4(&child))
        flags |= STATE_SYSTEM_FOCUSED;
    if (cell != BOARD && HighlightMap[cell])
        flags |= STATE_SYSTEM_SELECTED;
    return ReturnNumber(flags, state);
}

static HRESULT STDMETHODCALLTYPE Board_get_accFocus(IAccessible *, VARIANT *focus)
{
    int child = BoardShown ? FocusedChild() : -1;
    return child < 0 ? ReturnNothing(BoardShown ? S_FALSE : GONE, focus)
                     : ReturnNumber(child, focus);
}

// Playing stays with the keys, which the frame follows.
static HRESULT STDMETHODCALLTYPE Board_accDoDefaultAction(IAccessible *, VARIANT)
{
    return BoardShown ? DISP_E_MEMBERNOTFOUND : GONE;
}

// In screen coordinates: the client area, or a cell of the board.
static HRESULT STDMETHODCALLTYPE Board_accLocation(IAccessible *, LONG *left, LONG *top,
                                                   LONG *width, LONG *height, VARIANT child)
{
    int cell = CellOfChild(child);
    RECT place;
    if (!BoardShown || !GetClientRect(MainWindow, &place))
        return GONE;
    if (cell == NO_CHILD)
        return E_INVALIDARG;
    if (cell != BOARD)
        place = CellRect(CellOfIndex(cell));
    return ReturnScreenRect(MainWindow, place, left, top, width, height);
}

// The arrows as on the board, the children in id order, and from the
// board its first and last cell; 0 where the way leads off the board.
static LONG NeighbourChild(int cell, LONG direction)
{
    if (cell == BOARD)
        return direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? BOARD_CELLS : 0;
    int col = IndexCol(cell), row = IndexRow(cell);
    switch (direction) {
    case NAVDIR_UP:
        return row > 0 ? CellChild(cell - 1) : 0;
    case NAVDIR_DOWN:
        return row < BOARD_ROWS - 1 ? CellChild(cell + 1) : 0;
    case NAVDIR_LEFT:
        return col > 0 ? CellChild(cell - BOARD_ROWS) : 0;
    case NAVDIR_RIGHT:
        return col < BOARD_COLS - 1 ? CellChild(cell + BOARD_ROWS) : 0;
    case NAVDIR_NEXT:
        return cell < BOARD_CELLS - 1 ? CellChild(cell + 1) : 0;
    case NAVDIR_PREVIOUS:
        return cell > 0 ? CellChild(cell - 1) : 0;
    }
    return 0;
}

static HRESULT STDMETHODCALLTYPE Board_accNavigate(IAccessible *, LONG direction, VARIANT start,
                                                   VARIANT *end)
{
    int cell = CellOfChild(start);
    if (!BoardShown || cell == NO_CHILD)
        return ReturnNothing(BoardShown ? E_INVALIDARG : GONE, end);
    LONG child = NeighbourChild(cell, direction);
    return child ? ReturnNumber(child, end) : ReturnNothing(S_FALSE, end);
}

static HRESULT STDMETHODCALLTYPE Board_accHitTest(IAccessible *, LONG x, LONG y, VARIANT *child)
{
    POINT at = {x, y};
    RECT client;
    if (!BoardShown || !ScreenToClient(MainWindow, &at) || !GetClientRect(MainWindow, &client))
        return ReturnNothing(GONE, child);
    if (!PtInRect(&client, at))
        return ReturnNothing(S_FALSE, child);
    PackedCell cell = CellAtPoint(at.x, at.y);
    return ReturnNumber(cell == NO_CELL ? CHILDID_SELF : CellChild(IndexOfCell(cell)), child);
}

static const IAccessibleVtbl BoardVtbl = {
    SHARED_OBJECT_SLOTS,
    .get_accParent = Board_get_accParent,
    .get_accChildCount = Board_get_accChildCount,
    .get_accChild = Board_get_accChild,
    .get_accName = Board_get_accName,
    .get_accValue = Board_get_accValue,
    .get_accDescription = Board_get_accDescription,
    .get_accRole = Board_get_accRole,
    .get_accState = Board_get_accState,
    .get_accHelp = Object_NoText,
    .get_accHelpTopic = Object_get_accHelpTopic,
    .get_accKeyboardShortcut = Object_NoText,
    .get_accFocus = Board_get_accFocus,
    .get_accSelection = Object_get_accSelection,
    .get_accDefaultAction = Object_NoText,
    .accSelect = Object_accSelect,
    .accLocation = Board_accLocation,
    .accNavigate = Board_accNavigate,
    .accHitTest = Board_accHitTest,
    .accDoDefaultAction = Board_accDoDefaultAction,
    .put_accName = Object_put_text,
    .put_accValue = Object_put_text,
};

static IAccessible BoardObject = {&BoardVtbl};

LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (!IsClientRequest(lParam) || !LoadOle())
        return DefWindowProcA(hwnd, WM_GETOBJECT, wParam, lParam);
    BoardShown = 1;
    return HandOver(&BoardObject, wParam);
}

void DisconnectBoardObject()
{
    BoardShown = 0;
    Disconnect(&BoardObject);
}
