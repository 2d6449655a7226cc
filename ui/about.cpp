#include "dialogobject.h"

#include "about.h"

#include "engine/game.h"
#include "mainwnd.h"
#include "repaint.h"
#include "res/resource.h"
#include "commands.h"
#include "wintools.h"

#include <shellapi.h>

RECT LinkRect;

static const int ABOUT_CAPTION = 25; // not shown, but the name a reader hears
static const int OPEN_ACTION = 26;
static const UINT WM_OPEN_LINK = WM_APP;

AboutLayout LayOutAbout(int width, int height, int cellSize, int nameWidth)
{
    AboutLayout layout;
    int y = (height - 2 * cellSize) / 2;
    layout.ball[0] = {10, y};
    layout.ball[1] = {cellSize + 10, y};
    layout.ball[2] = {cellSize / 2 + 10, y + cellSize};
    // The name is centred between the balls and the right edge; the three
    // lines form a block centred vertically.
    int left = (width - 2 * cellSize - 30 - nameWidth) / 2 + 2 * cellSize + 20;
    int nameTop = (height - 76) / 2 + 25;
    layout.name = {left, nameTop};
    layout.credit = {left, nameTop - 25};
    layout.address = {left, nameTop - 25 + 61};
    return layout;
}

static HFONT CreateAboutFont(int height, int weight, BOOL italic, BOOL underline, const char *face)
{
    return CreateFontA(height, 0, 0, 0, weight, italic, underline, FALSE, 0, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, face);
}

static void PaintBlack(HDC dc, int width, int height)
{
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, 0, 0, width, height);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

static void PaintBalls(HDC dc, const AboutLayout &layout)
{
    for (int colour = 1; colour <= 3; ++colour) {
        POINT at = layout.ball[colour - 1];
        BitBlt(dc, at.x, at.y, CellSize, CellSize, SpriteSheet, colour * CellSize, 0, SRCCOPY);
    }
}

static void DrawAt(HDC dc, const char *text, POINT at, int width, int height)
{
    RECT r = {at.x, at.y, width, height};
    DrawTextA(dc, text, -1, &r, 0);
}

// The three lines of text, each in its own font.
enum { CREDIT, AUTHOR, ADDRESS, ABOUT_TEXTS };

static HFONT CreateTextFont(int k)
{
    if (k == AUTHOR)
        return CreateAboutFont(30, FW_BOLD, FALSE, FALSE, "Times New Roman");
    if (k == CREDIT)
        return CreateAboutFont(20, FW_NORMAL, TRUE, FALSE, "Times New Roman");
    return CreateAboutFont(16, FW_NORMAL, FALSE, TRUE, "MS Sans Serif");
}

static void LoadAboutText(int k, char text[80])
{
    if (k == CREDIT)
        LoadText(8, text, 80);
    else
        lstrcpynA(text, k == AUTHOR ? AUTHOR_NAME : CONTACT_ADDRESS, 80);
}

// Where each text lies, measured in its font: the block centres on the
// author's name, and the link is exactly the address's extent.
static void PlaceAboutTexts(HDC dc, int width, int height, RECT places[ABOUT_TEXTS])
{
    SIZE size[ABOUT_TEXTS];
    for (int k = 0; k < ABOUT_TEXTS; ++k) {
        char text[80];
        LoadAboutText(k, text);
        HFONT font = CreateTextFont(k);
        HGDIOBJ initialFont = SelectObject(dc, font);
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size[k]);
        SelectObject(dc, initialFont);
        DeleteObject(font);
    }
    AboutLayout layout = LayOutAbout(width, height, CellSize, size[AUTHOR].cx);
    const POINT at[ABOUT_TEXTS] = {layout.credit, layout.name, layout.address};
    for (int k = 0; k < ABOUT_TEXTS; ++k)
        places[k] = {at[k].x, at[k].y, at[k].x + size[k].cx, at[k].y + size[k].cy};
}

static void PaintCredits(HDC dc, int width, int height)
{
    RECT places[ABOUT_TEXTS];
    PlaceAboutTexts(dc, width, height, places);
    SetBkMode(dc, TRANSPARENT);
    for (int k = 0; k < ABOUT_TEXTS; ++k) {
        char text[80];
        LoadAboutText(k, text);
        HFONT font = CreateTextFont(k);
        HGDIOBJ initialFont = SelectObject(dc, font);
        SetTextColor(dc, k == ADDRESS ? RGB(0, 0, 255) : RGB(255, 255, 255));
        DrawAt(dc, text, {places[k].left, places[k].top}, width, height);
        SelectObject(dc, initialFont);
        DeleteObject(font);
    }
    LinkRect = places[ADDRESS];
}

// For a reader the box reads as its three lines, the address a link
// whose default action is the click's; placed as the paint places them,
// painted or not.
static void DescribeAboutText(HWND box, int k, DialogText *text)
{
    LoadAboutText(k, text->name);
    text->role = k == ADDRESS ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    text->action = k == ADDRESS ? OPEN_ACTION : 0;
    RECT client = {}, places[ABOUT_TEXTS];
    GetClientRect(box, &client);
    HDC dc = GetDC(box);
    PlaceAboutTexts(dc, client.right, client.bottom, places);
    ReleaseDC(box, dc);
    text->place = places[k];
}

// A reader's call only posts the click's work, so that nothing runs
// inside it that could call back into the reader.
static void OpenLinkLater(HWND box, int)
{
    PostMessageA(box, WM_OPEN_LINK, 0, 0);
}

static DialogObject AboutObject = {
    {&DialogObjectVtbl}, nullptr, ABOUT_TEXTS, DescribeAboutText, OpenLinkLater};

// Drawn off-screen and copied in one block, so the box never flickers.
void PaintAbout(HWND hwnd)
{
    RECT client;
    GetClientRect(hwnd, &client);
    int width = client.right, height = client.bottom;
    PAINTSTRUCT ps;
    HDC target = BeginPaint(hwnd, &ps);
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);

    PaintBlack(dc, width, height);
    PaintBalls(dc, LayOutAbout(width, height, CellSize, 0));
    PaintCredits(dc, width, height);
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);

    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    DeleteObject(bitmap);
    EndPaint(hwnd, &ps);
}

static POINT PointFromLParam(LPARAM lParam)
{
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    return pt;
}

// No key closes the box and no command is handled: a click outside the
// link is the only way out.
static void OpenLink()
{
    ShellExecuteA(NULL, NULL, CONTACT_LINK, NULL, NULL, SW_SHOWNORMAL);
}

INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        char caption[80];
        LoadText(ABOUT_CAPTION, caption, sizeof caption);
        SetWindowTextA(hwnd, caption);
        return 1;
    }
    case WM_GETOBJECT:
        return AnswerDialogGetObject(&AboutObject, hwnd, wParam, lParam);
    case WM_DESTROY:
        CloseDialogObject(&AboutObject);
        return 1;
    case WM_OPEN_LINK:
        OpenLink();
        return 1;
    case WM_PAINT:
        PaintAbout(hwnd);
        return 1;
    case WM_MOUSEMOVE:
        if (PtInRect(&LinkRect, PointFromLParam(lParam)))
            SetCursor(LoadCursorA(Instance, MAKEINTRESOURCEA(IDC_LINK_HAND)));
        return 1;
    case WM_LBUTTONDOWN:
        if (PtInRect(&LinkRect, PointFromLParam(lParam)))
            OpenLink();
        else
            EndDialog(hwnd, 0);
        return 1;
    }
    return 0;
}

void ShowAbout()
{
    ClearHighlight();
    RepaintNow();
    DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_ABOUT), MainWindow, AboutDlgProc, 0);
}

// The texts are loaded first; the highlight vanishes before the message
// opens, while the status line keeps the last preview's numbers.
void ShowHelp()
{
    char body[1000], caption[80];
    LoadText(9, body, sizeof body);
    LoadText(10, caption, sizeof caption);
    ClearHighlight();
    RepaintNow();
    MessageBoxA(MainWindow, body, caption, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}
