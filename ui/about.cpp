#include "about.h"

#include "engine/game.h"
#include "mainwnd.h"
#include "repaint.h"
#include "res/resource.h"
#include "commands.h"
#include "wintools.h"

#include <shellapi.h>

RECT LinkRect;

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

// The three lines of text, and the link's rectangle from the address's
// measured extent.
static void PaintCredits(HDC dc, int width, int height)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    HFONT nameFont = CreateAboutFont(30, FW_BOLD, FALSE, FALSE, "Times New Roman");
    HGDIOBJ initialFont = SelectObject(dc, nameFont);
    SIZE nameSize;
    GetTextExtentPoint32A(dc, AUTHOR_NAME, lstrlenA(AUTHOR_NAME), &nameSize);
    AboutLayout layout = LayOutAbout(width, height, CellSize, nameSize.cx);
    DrawAt(dc, AUTHOR_NAME, layout.name, width, height);

    char credit[80];
    LoadText(8, credit, sizeof credit);
    HFONT creditFont = CreateAboutFont(20, FW_NORMAL, TRUE, FALSE, "Times New Roman");
    SelectObject(dc, creditFont);
    DrawAt(dc, credit, layout.credit, width, height);

    HFONT linkFont = CreateAboutFont(16, FW_NORMAL, FALSE, TRUE, "MS Sans Serif");
    SelectObject(dc, linkFont);
    SetTextColor(dc, RGB(0, 0, 255));
    DrawAt(dc, CONTACT_ADDRESS, layout.address, width, height);
    SIZE link;
    GetTextExtentPoint32A(dc, CONTACT_ADDRESS, lstrlenA(CONTACT_ADDRESS), &link);
    SetRect(&LinkRect, layout.address.x, layout.address.y, layout.address.x + link.cx,
            layout.address.y + link.cy);

    SelectObject(dc, initialFont);
    DeleteObject(nameFont);
    DeleteObject(creditFont);
    DeleteObject(linkFont);
}

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
INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
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
            ShellExecuteA(NULL, NULL, CONTACT_LINK, NULL, NULL, SW_SHOWNORMAL);
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
