#include "mainwnd.h"

#include "boardobject.h"
#include "commands.h"
#include "engine/game.h"
#include "engine/move.h"
#include "keycursor.h"
#include "paint.h"
#include "readout.h"
#include "repaint.h"
#include "res/resource.h"
#include "store/settings.h"
#include "surfaces.h"
#include "wintools.h"

HWND MainWindow;
std::int32_t CellSize;
std::int32_t BoardLeft;
std::int32_t BoardTop;
std::int32_t Recreating;

// The margin around the board that sizes the window; afterwards the
// margins are recomputed from the client area that really resulted.
static const int MARGIN = 15;

int ChooseCellSize(int numColors, int horzRes)
{
    if (numColors != -1) // a palette display
        return 32;
    return horzRes >= 800 ? 40 : 32;
}

// The class carries the menu of the current language, so a language
// switch registers it afresh.
static void RegisterMainClass()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = Instance;
    wc.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(IDI_GLOMB));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MENU_ITALIAN + Language);
    wc.lpszClassName = APP_NAME;
    RegisterClassExA(&wc);
}

// Sized for the board and margins, centred on the screen.
static HWND CreateCentredWindow(HDC screen)
{
    int width = 15 * CellSize + 2 * BoardLeft;
    int height = 3 * BoardTop + 2 * (5 * CellSize + 20);
    int x = (GetDeviceCaps(screen, HORZRES) - width) / 2;
    int y = (GetDeviceCaps(screen, VERTRES) - height) / 2;
    return CreateWindowExA(0, APP_NAME, APP_NAME, WS_SYSMENU, x, y, width, height, nullptr, nullptr,
                           Instance, nullptr);
}

// Centres the board in the client area less the status strip below it.
static void PlaceBoard(const RECT &client)
{
    BoardLeft = (client.right - 15 * CellSize) / 2;
    BoardTop = (client.bottom - 10 * CellSize - 16) / 2;
}

int CreateMainWindow()
{
    BoardTop = MARGIN;
    BoardLeft = MARGIN;
    RegisterMainClass();
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    CellSize = ChooseCellSize(GetDeviceCaps(screen, NUMCOLORS), GetDeviceCaps(screen, HORZRES));
    HWND hwnd = CreateCentredWindow(screen);
    if (!hwnd) {
        DeleteDC(screen);
        return 0;
    }
    MainWindow = hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    PlaceBoard(client);
    ReleaseSurfaces(); // those of the window this one replaces
    CreateSurfaces(screen, client.right, client.bottom);
    DeleteDC(screen);
    ShowWindow(MainWindow, SW_RESTORE);
    UpdateWindow(MainWindow);
    return 1;
}

RECT CellRect(PackedCell cell)
{
    int left = BoardLeft + CellCol(cell) * CellSize, top = BoardTop + CellRow(cell) * CellSize;
    return {left, top, left + CellSize, top + CellSize};
}

PackedCell CellAtPoint(int x, int y)
{
    if (x >= BoardLeft && y >= BoardTop) {
        int col = (x - BoardLeft) / CellSize;
        int row = (y - BoardTop) / CellSize;
        if (col < BOARD_COLS && row < BOARD_ROWS)
            return PackCell(col, row);
    }
    return NO_CELL;
}

PackedCell PointToCell(LPARAM point)
{
    PackedCell cell =
        CellAtPoint(static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point)));
    if (cell == NO_CELL)
        ClearHighlight();
    return cell;
}

static void OnMouseMove(HWND hwnd, LPARAM point)
{
    if (!PointerHasBoard(hwnd, point))
        return;
    UpdatePreview(PointToCell(point));
    RepaintNow();
}

// The preview runs again at the click, so whatever group now lies under
// the pointer shows at once.
static void OnLeftButtonDown(LPARAM point)
{
    HideKeyCursor();
    PlayMove(PointToCell(point));
    UpdatePreview(PointToCell(point));
    RepaintNow();
    AnnounceBoardChange();
}

// Space and Enter play on their release, the way a push button acts, and
// only when their press came to this window with the frame shown: a held
// key then never reaches the window that the move opens, its repeats
// play nothing, and the release of a key that closed a dialog is not a
// move. 0 while no such press is waiting for its release.
static WPARAM PressedPlayKey;

static bool IsPlayKey(WPARAM key)
{
    return key == VK_SPACE || key == VK_RETURN;
}

// The keyboard's counterpart of a pointer move, and the press half of a
// click, at the cursor's cell.
static LRESULT OnKeyDown(HWND hwnd, WPARAM key, LPARAM flags)
{
    if (MoveKeyCursor(key)) {
        UpdatePreview(KeyCursorCell);
        RepaintNow();
        AnnounceFrame();
        return 0;
    }
    if (IsPlayKey(key) && KeyCursorShown) {
        int repeated = (flags & 0x40000000) != 0;
        if (!repeated)
            PressedPlayKey = key;
        return 0;
    }
    return DefWindowProcA(hwnd, WM_KEYDOWN, key, flags);
}

static LRESULT OnKeyUp(HWND hwnd, WPARAM key, LPARAM flags)
{
    if (!IsPlayKey(key) || key != PressedPlayKey)
        return DefWindowProcA(hwnd, WM_KEYUP, key, flags);
    PressedPlayKey = 0;
    if (KeyCursorShown) {
        PlayMove(KeyCursorCell);
        UpdatePreview(KeyCursorCell);
        RepaintNow();
        AnnounceBoardChange();
    }
    return 0;
}

// While the keyboard has the board, the preview that follows a command
// describes the group under the frame, exactly as after an arrow key;
// otherwise it runs where the pointer is.
static PackedCell PreviewCell(LPARAM point)
{
    return KeyCursorShown ? KeyCursorCell : PointToCell(point);
}

// A dialog or message box has closed: its opening cleared the highlight,
// and a pointer that rests where it was brings nothing back. The focus
// is back on the frame's cell, which a screen reader speaks again.
static void PreviewUnderFrame()
{
    if (!KeyCursorShown)
        return;
    UpdatePreview(KeyCursorCell);
    RepaintNow();
    AnnounceFrame();
}

static void OnPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintBoard(dc);
    EndPaint(hwnd, &ps);
}

static void OnNew()
{
    NewGame();
    if (KeyCursorShown)
        UpdatePreview(KeyCursorCell);
    RepaintNow();
    AnnounceBoardChange();
}

// A command carries the point (0, 0), which lies in the margin: the
// preview is emptied.
static void OnUndo(LPARAM point)
{
    if (UndoAvailable == 1) {
        SwapUndo();
        UpdatePreview(PreviewCell(point));
        RepaintNow();
        AnnounceBoardChange();
        return;
    }
    char text[80];
    LoadText(3, text, sizeof text);
    MessageBoxA(nullptr, text, APP_NAME, MB_TASKMODAL | MB_ICONINFORMATION);
    // Owned by no window, the box leaves no window active when it closes:
    // the keys would go nowhere until the player clicked the game.
    SetForegroundWindow(MainWindow);
    PreviewUnderFrame();
}

static LRESULT OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    PressedPlayKey = 0; // a release after a command is not a move
    switch (LOWORD(wParam)) {
    case IDM_NEW:
        OnNew();
        return 0;
    case IDM_EXIT:
        DestroyWindow(hwnd);
        return 0;
    case IDM_UNDO:
        OnUndo(lParam);
        return 0;
    case IDM_HELP:
        ShowHelp();
        PreviewUnderFrame();
        return 0;
    case IDM_ABOUT:
        ShowAbout();
        PreviewUnderFrame();
        return 0;
    case IDM_HIGHSCORES:
        ShowHighScores();
        PreviewUnderFrame();
        return 0;
    case IDM_LANGUAGE:
        ChooseLanguage();
        PreviewUnderFrame();
        return 0;
    }
    return DefWindowProcA(hwnd, WM_COMMAND, wParam, lParam);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MainWindow = hwnd;
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(lParam);
        return 0;
    case WM_KEYDOWN:
        return OnKeyDown(hwnd, wParam, lParam);
    case WM_KEYUP:
        return OnKeyUp(hwnd, wParam, lParam);
    case WM_KILLFOCUS:
        PressedPlayKey = 0; // the release will come to another window
        break;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_DESTROY:
        // A language switch destroys the window without ending the game.
        if (Recreating == 0) {
            DisconnectBoardObject();
            PostQuitMessage(0);
        }
        return 0;
    case WM_COMMAND:
        return OnCommand(hwnd, wParam, lParam);
    case WM_GETOBJECT:
        return AnswerGetObject(hwnd, wParam, lParam);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
