#include "namedlg.h"

#include "res/resource.h"
#include "store/highscores.h"
#include "wintools.h"

static void InitNameDialog(HWND dialog)
{
    char prompt[80];
    LoadText(7, prompt, sizeof prompt);
    SetDlgItemTextA(dialog, IDC_NAME_PROMPT, prompt);
    // Like typing, this sends EN_UPDATE: a name left from an earlier
    // entry enables OK at once.
    SetDlgItemTextA(dialog, IDC_NAME_EDIT, PlayerName);
    MessageBeep(MB_ICONEXCLAMATION);
    // The focus goes to the field, its whole text selected, the way the
    // dialog manager itself moves it: a new player's typing replaces the
    // previous name and Enter alone keeps it. Left to the platform, the
    // focus would land on OK, first in the tab order and already enabled
    // by a name from an earlier entry, and the typing would go nowhere.
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_NAME_EDIT), TRUE);
}

// PlayerName follows the field as it changes; OK is usable only while the
// field holds something.
static void FollowNameField(HWND dialog, HWND field)
{
    int copied = GetWindowTextA(field, PlayerName, NAME_SIZE);
    EnableWindow(GetDlgItem(dialog, IDOK), copied > 0);
}

static void AcceptName(HWND dialog)
{
    GetWindowTextA(GetDlgItem(dialog, IDC_NAME_EDIT), PlayerName, NAME_SIZE);
    EndDialog(dialog, 0);
}

// Every other command, Escape's IDCANCEL among them, is ignored: the
// dialog can only be left with a name.
INT_PTR CALLBACK NameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitNameDialog(dialog);
        return 0; // the focus is set already
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            AcceptName(dialog);
            return 1;
        }
        if (HIWORD(wParam) == EN_UPDATE) {
            FollowNameField(dialog, (HWND)lParam);
            return 1;
        }
        return 0;
    }
    return 0;
}
