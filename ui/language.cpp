#include "language.h"

#include "engine/game.h"
#include "mainwnd.h"
#include "repaint.h"
#include "res/resource.h"
#include "store/settings.h"
#include "commands.h"
#include "wintools.h"

// The menu belongs to the window class, so a new language needs a new
// class and a new window. Recreating keeps the old window's destruction
// from ending the program.
void SwitchLanguage(int chosen)
{
    if (chosen == Language)
        return;
    Language = chosen;
    ReloadHighScores(); // written back as stored: only the language changes
    SaveSettings();
    Recreating = 1;
    DestroyWindow(MainWindow);
    UnregisterClassA(APP_NAME, Instance);
    Recreating = 0;
    // Without a window nothing could ever end the program.
    if (!CreateMainWindow())
        PostQuitMessage(0);
}

// The dialog is told to end first: it dies with its owner, the old main
// window, before the new one appears.
static void ApplyChoice(HWND hwnd)
{
    EndDialog(hwnd, 0);
    SwitchLanguage(IsDlgButtonChecked(hwnd, IDC_ITALIAN) == BST_CHECKED ? 0 : 1);
}

INT_PTR CALLBACK LanguageDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        CheckDlgButton(hwnd, IDC_ITALIAN + Language, BST_CHECKED);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            ApplyChoice(hwnd);
            return 0;
        case IDCANCEL:
            EndDialog(hwnd, 0);
            return 0;
        }
        return DefWindowProcA(hwnd, WM_COMMAND, wParam, lParam);
    }
    return 0;
}

void ChooseLanguage()
{
    ClearHighlight();
    RepaintNow();
    DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_LANGUAGE), MainWindow, LanguageDlgProc, 0);
}
