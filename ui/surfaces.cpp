#include "surfaces.h"

#include "mainwnd.h"
#include "res/resource.h"
#include "wintools.h"

HDC BackBuffer;
HDC SpriteSheet;

// What was made for the surfaces, and what the fresh device contexts held
// before, so that the originals can go back in and ours can be deleted: a
// device context deletes none of the objects selected into it.
static HBITMAP BackBitmap, SpriteBitmap;
static HBRUSH FaceBrush;
static HPEN FacePen;
static HFONT StatusFont;
static HGDIOBJ OriginalBitmap, OriginalBrush, OriginalPen, OriginalFont, OriginalSprite;

static void CreateBackBuffer(HDC screen, int width, int height)
{
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    BackBuffer = CreateCompatibleDC(screen);
    // Compatible with the screen, not with the new memory DC, which
    // would give a one-bit bitmap.
    BackBitmap = CreateCompatibleBitmap(screen, width, height);
    FaceBrush = CreateSolidBrush(face);
    FacePen = CreatePen(PS_SOLID, 1, face);
    StatusFont = CreateFontA(16, 0, 0, 0, 600, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, "Arial");
    OriginalBitmap = SelectObject(BackBuffer, BackBitmap);
    OriginalBrush = SelectObject(BackBuffer, FaceBrush);
    OriginalPen = SelectObject(BackBuffer, FacePen);
    OriginalFont = SelectObject(BackBuffer, StatusFont);
    SetBkColor(BackBuffer, face);
}

static void CreateSpriteSheet(HDC screen)
{
    int id = CellSize == 40 ? IDB_BALLS40 : IDB_BALLS32;
    SpriteSheet = CreateCompatibleDC(screen);
    SpriteBitmap = LoadBitmapA(Instance, MAKEINTRESOURCEA(id));
    OriginalSprite = SelectObject(SpriteSheet, SpriteBitmap);
}

void CreateSurfaces(HDC screen, int clientWidth, int clientHeight)
{
    CreateBackBuffer(screen, clientWidth, clientHeight);
    CreateSpriteSheet(screen);
}

void ReleaseSurfaces()
{
    if (BackBuffer) {
        SelectObject(BackBuffer, OriginalBitmap);
        SelectObject(BackBuffer, OriginalBrush);
        SelectObject(BackBuffer, OriginalPen);
        SelectObject(BackBuffer, OriginalFont);
        DeleteDC(BackBuffer);
        DeleteObject(BackBitmap);
        DeleteObject(FaceBrush);
        DeleteObject(FacePen);
        DeleteObject(StatusFont);
        BackBuffer = nullptr;
    }
    if (SpriteSheet) {
        SelectObject(SpriteSheet, OriginalSprite);
        DeleteDC(SpriteSheet);
        DeleteObject(SpriteBitmap);
        SpriteSheet = nullptr;
    }
}
