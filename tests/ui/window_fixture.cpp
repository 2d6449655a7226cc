#include "window_fixture.h"

#include "engine/game.h"
#include "engine/move.h"
#include "store/settings.h"
#include "ui/mainwnd.h"
#include "ui/wintools.h"

#include <gtest/gtest.h>

void EnsureMainWindow()
{
    if (MainWindow && IsWindow(MainWindow))
        return;
    Instance = GetModuleHandleA(nullptr);
    Language = 1;
    ASSERT_EQ(CreateMainWindow(), 1) << "the main window was not created";
}

static int CellValue(char c)
{
    switch (c) {
    case 'B':
        return 1;
    case 'G':
        return 2;
    case 'R':
        return 3;
    }
    return 0;
}

void LoadBoard(const char *const rows[10])
{
    for (int row = 0; row < BOARD_ROWS; ++row)
        for (int col = 0; col < BOARD_COLS; ++col)
            Board[CellIndex(col, row)] = CellValue(rows[row][col]);
    ClearHighlight();
    PreviewCount = 0;
    PreviewScore = 0;
    Score = 0;
    UndoAvailable = 0;
}

LPARAM CellCentre(int col, int row)
{
    return MAKELPARAM(BoardLeft + col * CellSize + CellSize / 2,
                      BoardTop + row * CellSize + CellSize / 2);
}

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(MainWindow, message, wParam, lParam);
}

static MessageBoxCatcher *Catcher;
static HHOOK Hook;

// The message is the box's static text with something in it; its
// control id differs between Windows and Wine.
static BOOL CALLBACK KeepStaticText(HWND child, LPARAM)
{
    char className[32] = "", buffer[1000] = "";
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, buffer, sizeof buffer);
    if (lstrcmpiA(className, "Static") == 0 && buffer[0])
        Catcher->text = buffer;
    return TRUE;
}

static HWND OpenBox;

// Runs from the box's own message loop, once the box has its texts.
static void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    char buffer[1000] = "";
    GetWindowTextA(OpenBox, buffer, sizeof buffer);
    Catcher->caption = buffer;
    Catcher->text = "";
    EnumChildWindows(OpenBox, KeepStaticText, 0);
    Catcher->owner = GetWindow(OpenBox, GW_OWNER);
    Catcher->count++;
    PostMessageA(OpenBox, WM_COMMAND, IDOK, 0);
    // The About box takes no command; a click away from its link ends it.
    PostMessageA(OpenBox, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
}

// A box is activated before it has been filled in, so it is read a
// moment later; posting, never sending, from the hook.
static LRESULT CALLBACK CatchBox(int code, WPARAM wParam, LPARAM lParam)
{
    HWND box = reinterpret_cast<HWND>(wParam);
    char className[32] = "";
    if (code == HCBT_ACTIVATE && GetClassNameA(box, className, sizeof className) &&
        std::string(className) == "#32770") {
        OpenBox = box;
        SetTimer(nullptr, 0, 0, ReadAndCloseBox);
    }
    return CallNextHookEx(Hook, code, wParam, lParam);
}

MessageBoxCatcher::MessageBoxCatcher()
{
    Catcher = this;
    Hook = SetWindowsHookExA(WH_CBT, CatchBox, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    UnhookWindowsHookEx(Hook);
    Catcher = nullptr;
}
