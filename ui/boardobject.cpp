// The board as an IAccessible of the main window's client area: a table
// whose 150 cells are simple children, read through the board by child
// id. The interface is a C vtable of free functions over one object that
// lives as long as the program, so there is nothing to count or free.
//
// glomb.exe imports none of the OLE libraries: they are loaded at the
// first request from a screen reader, so that a player without one
// starts the game exactly as fast as before.
#define CINTERFACE

#include "boardobject.h"

#include "engine/board.h"
#include "engine/game.h"
#include "mainwnd.h"
#include "readout.h"

#include <ole2.h>
#include <oleacc.h>

// mingw's IID_IAccessible from liboleacc is an import thunk, not the
// GUID; and the program links no OLE library to take the others from.
static const GUID AccessibleIid = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
static const GUID DispatchIid = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID UnknownIid = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

static decltype(&SysAllocString) SysAllocStringCall;
static decltype(&LresultFromObject) LresultFromObjectCall;
static decltype(&AccessibleObjectFromWindow) AccessibleObjectFromWindowCall;

static int SameIid(REFIID a, const GUID &b)
{
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i])
            return 0;
    }
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3;
}

// The board itself, or the cell a child id names, or NO_CHILD.
static const int BOARD = -1;
static const int NO_CHILD = -2;

static int CellOfChild(VARIANT child)
{
    if (V_VT(&child) != VT_I4)
        return NO_CHILD;
    LONG id = V_I4(&child);
    if (id == CHILDID_SELF)
        return BOARD;
    return id >= 1 && id <= BOARD_CELLS ? int(id) - 1 : NO_CHILD;
}

// Texts come in the program's code page, which LoadStringA converted
// them to; BSTRs are UTF-16.
static HRESULT ReturnText(const char *text, BSTR *out)
{
    WCHAR wide[BOARD_VALUE_SIZE];
    if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, BOARD_VALUE_SIZE))
        wide[0] = 0;
    *out = SysAllocStringCall(wide);
    return *out ? S_OK : E_OUTOFMEMORY;
}

static HRESULT ReturnNumber(LONG number, VARIANT *out)
{
    V_VT(out) = VT_I4;
    V_I4(out) = number;
    return S_OK;
}

static HRESULT ReturnNothing(HRESULT result, VARIANT *out)
{
    V_VT(out) = VT_EMPTY;
    return result;
}

// Each method is named after its slot in the vtable at the end.
static HRESULT STDMETHODCALLTYPE Board_QueryInterface(IAccessible *self, REFIID iid, void **object)
{
    if (SameIid(iid, UnknownIid) || SameIid(iid, DispatchIid) || SameIid(iid, AccessibleIid)) {
        *object = self;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

static ULONG STDMETHODCALLTYPE Board_AddRef(IAccessible *)
{
    return 2;
}

static ULONG STDMETHODCALLTYPE Board_Release(IAccessible *)
{
    return 1;
}

// Readers call the interface directly, never through IDispatch.
static HRESULT STDMETHODCALLTYPE Board_GetTypeInfoCount(IAccessible *, UINT *count)
{
    *count = 0;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE Board_GetTypeInfo(IAccessible *, UINT, LCID, ITypeInfo **info)
{
    *info = nullptr;
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE Board_GetIDsOfNames(IAccessible *, REFIID, LPOLESTR *, UINT, LCID,
                                                     DISPID *)
{
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE Board_Invoke(IAccessible *, DISPID, REFIID, LCID, WORD,
                                              DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *)
{
    return E_NOTIMPL;
}

// The window around the client area, with its caption and menu.
static HRESULT STDMETHODCALLTYPE Board_get_accParent(IAccessible *, IDispatch **parent)
{
    return AccessibleObjectFromWindowCall(MainWindow, OBJID_WINDOW, AccessibleIid,
                                          reinterpret_cast<void **>(parent));
}

static HRESULT STDMETHODCALLTYPE Board_get_accChildCount(IAccessible *, LONG *count)
{
    *count = BOARD_CELLS;
    return S_OK;
}

// A cell has no object of its own: it is read through the board.
static HRESULT STDMETHODCALLTYPE Board_get_accChild(IAccessible *, VARIANT child,
                                                    IDispatch **object)
{
    *object = nullptr;
    return CellOfChild(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

static HRESULT STDMETHODCALLTYPE Board_get_accName(IAccessible *, VARIANT child, BSTR *name)
{
    *name = nullptr;
    char text[80];
    int cell = CellOfChild(child);
    if (cell == NO_CHILD)
        return E_INVALIDARG;
    if (cell == BOARD)
        FormatBoardName(text);
    else
        FormatCellName(cell, text);
    return ReturnText(text, name);
}

static HRESULT STDMETHODCALLTYPE Board_get_accValue(IAccessible *, VARIANT child, BSTR *value)
{
    *value = nullptr;
    char text[BOARD_VALUE_SIZE];
    int cell = CellOfChild(child);
    if (cell == NO_CHILD)
        return E_INVALIDARG;
    if (cell == BOARD)
        FormatBoardValue(text);
    else if (!FormatCellValue(cell, text))
        return DISP_E_MEMBERNOTFOUND;
    return ReturnText(text, value);
}

static HRESULT STDMETHODCALLTYPE Board_get_accRole(IAccessible *, VARIANT child, VARIANT *role)
{
    int cell = CellOfChild(child);
    if (cell == NO_CHILD)
        return ReturnNothing(E_INVALIDARG, role);
    return ReturnNumber(cell == BOARD ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL, role);
}

// The highlighted group is the selection: what the frame or the pointer
// would remove.
static HRESULT STDMETHODCALLTYPE Board_get_accState(IAccessible *, VARIANT child, VARIANT *state)
{
    int cell = CellOfChild(child);
    if (cell == NO_CHILD)
        return ReturnNothing(E_INVALIDARG, state);
    LONG flags = STATE_SYSTEM_FOCUSABLE;
    if (FocusedChild() == V_I4(&child))
        flags |= STATE_SYSTEM_FOCUSED;
    if (cell != BOARD && HighlightMap[cell])
        flags |= STATE_SYSTEM_SELECTED;
    return ReturnNumber(flags, state);
}

// Nothing to say beyond the name and the value.
static HRESULT STDMETHODCALLTYPE Board_get_noText(IAccessible *, VARIANT, BSTR *text)
{
    *text = nullptr;
    return DISP_E_MEMBERNOTFOUND;
}

static HRESULT STDMETHODCALLTYPE Board_get_accHelpTopic(IAccessible *, BSTR *file, VARIANT,
                                                        LONG *topic)
{
    *file = nullptr;
    *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
}

static HRESULT STDMETHODCALLTYPE Board_get_accFocus(IAccessible *, VARIANT *focus)
{
    int child = FocusedChild();
    return child < 0 ? ReturnNothing(S_FALSE, focus) : ReturnNumber(child, focus);
}

static HRESULT STDMETHODCALLTYPE Board_get_accSelection(IAccessible *, VARIANT *selection)
{
    return ReturnNothing(DISP_E_MEMBERNOTFOUND, selection);
}

// Playing stays with the keys, which the frame follows.
static HRESULT STDMETHODCALLTYPE Board_accSelect(IAccessible *, LONG, VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

static HRESULT STDMETHODCALLTYPE Board_accDoDefaultAction(IAccessible *, VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

static HRESULT STDMETHODCALLTYPE Board_put_text(IAccessible *, VARIANT, BSTR)
{
    return E_NOTIMPL;
}

// In screen coordinates: the client area, or a cell of the board.
static HRESULT STDMETHODCALLTYPE Board_accLocation(IAccessible *, LONG *left, LONG *top,
                                                   LONG *width, LONG *height, VARIANT child)
{
    int cell = CellOfChild(child);
    if (cell == NO_CHILD)
        return E_INVALIDARG;
    POINT corner = {0, 0};
    RECT client;
    GetClientRect(MainWindow, &client);
    *width = client.right;
    *height = client.bottom;
    if (cell != BOARD) {
        corner = {BoardLeft + cell / BOARD_ROWS * CellSize,
                  BoardTop + cell % BOARD_ROWS * CellSize};
        *width = *height = CellSize;
    }
    ClientToScreen(MainWindow, &corner);
    *left = corner.x;
    *top = corner.y;
    return S_OK;
}

// The arrows as on the board, the children in id order, and from the
// board its first and last cell; 0 where the way leads off the board.
static LONG NeighbourChild(int cell, LONG direction)
{
    int col = cell / BOARD_ROWS, row = cell % BOARD_ROWS;
    if (cell == BOARD)
        return direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? BOARD_CELLS : 0;
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
    if (cell == NO_CHILD)
        return ReturnNothing(E_INVALIDARG, end);
    LONG child = NeighbourChild(cell, direction);
    return child ? ReturnNumber(child, end) : ReturnNothing(S_FALSE, end);
}

static HRESULT STDMETHODCALLTYPE Board_accHitTest(IAccessible *, LONG x, LONG y, VARIANT *child)
{
    POINT origin = {0, 0};
    RECT client;
    ClientToScreen(MainWindow, &origin);
    GetClientRect(MainWindow, &client);
    x -= origin.x;
    y -= origin.y;
    if (x < 0 || y < 0 || x >= client.right || y >= client.bottom)
        return ReturnNothing(S_FALSE, child);
    PackedCell cell = CellAtPoint(x, y);
    if (cell == NO_CELL)
        return ReturnNumber(CHILDID_SELF, child);
    return ReturnNumber(CellChild(CellIndex(CellCol(cell), CellRow(cell))), child);
}

static IAccessibleVtbl BoardVtbl = {
    .QueryInterface = Board_QueryInterface,
    .AddRef = Board_AddRef,
    .Release = Board_Release,
    .GetTypeInfoCount = Board_GetTypeInfoCount,
    .GetTypeInfo = Board_GetTypeInfo,
    .GetIDsOfNames = Board_GetIDsOfNames,
    .Invoke = Board_Invoke,
    .get_accParent = Board_get_accParent,
    .get_accChildCount = Board_get_accChildCount,
    .get_accChild = Board_get_accChild,
    .get_accName = Board_get_accName,
    .get_accValue = Board_get_accValue,
    .get_accDescription = Board_get_noText,
    .get_accRole = Board_get_accRole,
    .get_accState = Board_get_accState,
    .get_accHelp = Board_get_noText,
    .get_accHelpTopic = Board_get_accHelpTopic,
    .get_accKeyboardShortcut = Board_get_noText,
    .get_accFocus = Board_get_accFocus,
    .get_accSelection = Board_get_accSelection,
    .get_accDefaultAction = Board_get_noText,
    .accSelect = Board_accSelect,
    .accLocation = Board_accLocation,
    .accNavigate = Board_accNavigate,
    .accHitTest = Board_accHitTest,
    .accDoDefaultAction = Board_accDoDefaultAction,
    .put_accName = Board_put_text,
    .put_accValue = Board_put_text,
};

static IAccessible BoardObject = {&BoardVtbl};

static void *FindFunction(const char *library, const char *name)
{
    HMODULE module = LoadLibraryA(library);
    return module ? reinterpret_cast<void *>(GetProcAddress(module, name)) : nullptr;
}

// Once, at the first request: 1 when everything was found and this
// thread joined an apartment, which carries a reader's calls in from
// its own process.
static int LoadOle()
{
    static int state; // 0 before the first request, then 1 or -1
    if (state != 0)
        return state == 1;
    auto coInitialize =
        reinterpret_cast<decltype(&CoInitialize)>(FindFunction("ole32.dll", "CoInitialize"));
    SysAllocStringCall = reinterpret_cast<decltype(SysAllocStringCall)>(
        FindFunction("oleaut32.dll", "SysAllocString"));
    LresultFromObjectCall = reinterpret_cast<decltype(LresultFromObjectCall)>(
        FindFunction("oleacc.dll", "LresultFromObject"));
    AccessibleObjectFromWindowCall = reinterpret_cast<decltype(AccessibleObjectFromWindowCall)>(
        FindFunction("oleacc.dll", "AccessibleObjectFromWindow"));
    bool found = coInitialize && SysAllocStringCall && LresultFromObjectCall &&
                 AccessibleObjectFromWindowCall;
    state = found && SUCCEEDED(coInitialize(nullptr)) ? 1 : -1;
    return state == 1;
}

LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    // The object id is 32 bits; 64-bit Windows may widen it either way.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || !LoadOle())
        return DefWindowProcA(hwnd, WM_GETOBJECT, wParam, lParam);
    return LresultFromObjectCall(AccessibleIid, wParam, reinterpret_cast<IUnknown *>(&BoardObject));
}
