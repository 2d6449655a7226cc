#include "dialogobject.h"

#include "scoresdlg.h"

#include "engine/game.h"
#include "cmdline.h"
#include "mainwnd.h"
#include "repaint.h"
#include "res/resource.h"
#include "store/highscores.h"
#include "store/settings.h"
#include "commands.h"
#include "wintools.h"

static const int EMPTY_ROW = 24; // what a reader hears of a row without a name

int ScoreRowTop(int k, int clientHeight)
{
    int step = (clientHeight - 145) / 4 + 18;
    return 5 + k * step;
}

// The platform's default proportional font with serifs: no face name,
// only the roman family.
static HFONT CreateTableFont()
{
    return CreateFontA(18, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, FF_ROMAN, NULL);
}

void FormatScoreRow(int k, char left[20], char right[20])
{
    const HighScoreEntry &entry = HighScoreTable[k];
    char name[NAME_SIZE];
    lstrcpynA(name, entry.name, NAME_SIZE); // the row buffer fits 15 characters, no more
    wsprintfA(left, "%i - %s", k + 1, name);
    wsprintfA(right, "%i", entry.score);
}

static RECT ScoreRowRect(int k, int width, int height)
{
    int top = ScoreRowTop(k, height);
    return {10, top, width - 10, top + 18};
}

static void PaintScoreRow(HDC dc, int k, int width, int height)
{
    char left[20], right[20];
    FormatScoreRow(k, left, right);
    RECT row = ScoreRowRect(k, width, height);
    DrawTextA(dc, left, -1, &row, DT_NOPREFIX); // a name shows as typed, "&" and all
    DrawTextA(dc, right, -1, &row, DT_RIGHT);
}

static void PaintScores(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    HFONT font = CreateTableFont();
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    for (int k = 0; k < HIGH_SCORE_COUNT; ++k)
        PaintScoreRow(dc, k, client.right, client.bottom);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    EndPaint(dialog, &ps);
}

// A row as a reader speaks it: "1 - Alice, 421", the name as typed.
static void DescribeScoreRow(HWND dialog, int k, DialogText *text)
{
    char left[20], right[20];
    FormatScoreRow(k, left, right);
    if (HighScoreTable[k].name[0] == '\0') {
        char format[80];
        LoadText(EMPTY_ROW, format, sizeof format);
        wsprintfA(text->name, format, k + 1);
    } else {
        wsprintfA(text->name, "%s, %s", left, right);
    }
    text->role = ROLE_SYSTEM_STATICTEXT;
    RECT client = {};
    GetClientRect(dialog, &client);
    text->place = ScoreRowRect(k, client.right, client.bottom);
    text->action = 0;
}

static DialogObject ScoresObject = {
    {&DialogObjectVtbl}, nullptr, HIGH_SCORE_COUNT, DescribeScoreRow, nullptr};

static void InitScores(HWND dialog)
{
    char caption[80];
    LoadText(5, caption, sizeof caption);
    SetWindowTextA(dialog, caption);
    if (ResetEnabled == 1)
        ShowWindow(GetDlgItem(dialog, IDCANCEL), SW_SHOWNORMAL);
}

// The reset button shares its id with the cancel request that Escape and
// the close box produce. Only a real click on the visible button may
// empty the table; every other cancel request just closes the dialog.
static bool IsResetClick(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    HWND reset = GetDlgItem(dialog, IDCANCEL);
    return HIWORD(wParam) == BN_CLICKED && (HWND)lParam == reset && IsWindowVisible(reset) &&
           GetKeyState(VK_ESCAPE) >= 0;
}

static void ResetAndRedraw(HWND dialog)
{
    ResetHighScores();
    InvalidateRect(dialog, NULL, TRUE);
    SendMessageA(dialog, WM_PAINT, 0, 0); // the emptied table shows before we return
    AnnounceDialogTexts(&ScoresObject, dialog);
}

static INT_PTR OnScoresCommand(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        EndDialog(dialog, 0);
        return 0;
    case IDCANCEL:
        if (IsResetClick(dialog, wParam, lParam))
            ResetAndRedraw(dialog);
        else
            EndDialog(dialog, 0);
        return 0;
    }
    return DefWindowProcA(dialog, WM_COMMAND, wParam, lParam);
}

INT_PTR CALLBACK ScoresDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitScores(dialog);
        return 0;
    case WM_COMMAND:
        return OnScoresCommand(dialog, wParam, lParam);
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return 1;
    case WM_PAINT:
        PaintScores(dialog);
        return 0;
    case WM_GETOBJECT:
        return AnswerDialogGetObject(&ScoresObject, dialog, wParam, lParam);
    case WM_DESTROY:
        CloseDialogObject(&ScoresObject);
        return 0;
    }
    return 0;
}

void ShowHighScores()
{
    ClearHighlight();
    RepaintNow();
    ReloadHighScores(); // what the other players recorded meanwhile
    DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_SCORES), MainWindow, ScoresDlgProc, 0);
}
