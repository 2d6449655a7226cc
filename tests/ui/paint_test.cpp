#include "window_fixture.h"

#include "engine/game.h"
#include "engine/move.h"
#include "engine/random.h"
#include "ui/keycursor.h"
#include "ui/mainwnd.h"
#include "ui/paint.h"
#include "ui/repaint.h"
#include "ui/surfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{

// A 32-bit top-down picture whose pixels the test can read directly.
struct Canvas {
    Canvas(int width, int height) : width(width), height(height)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        void *p;
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<const DWORD *>(p);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // As a COLORREF, 0x00BBGGRR.
    COLORREF At(int x, int y) const
    {
        DWORD p = bits[y * width + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    const DWORD *bits;
};

void Paint(Canvas &shot)
{
    PaintBoard(shot.dc);
    GdiFlush();
}

class PaintTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureMainWindow();
        RECT c;
        GetClientRect(MainWindow, &c);
        width = c.right;
        height = c.bottom;
        ClearHighlight();
        PreviewCount = PreviewScore = Score = 0;
    }
    int width = 0, height = 0;
};

COLORREF Face()
{
    return GetSysColor(COLOR_BTNFACE);
}

// The sheet as the window shows it, for pixel-exact comparison.
const Canvas &Sheet()
{
    static Canvas *sheet = nullptr;
    if (!sheet) {
        sheet = new Canvas(4 * CellSize, 2 * CellSize);
        BitBlt(sheet->dc, 0, 0, 4 * CellSize, 2 * CellSize, SpriteSheet, 0, 0, SRCCOPY);
        GdiFlush();
    }
    return *sheet;
}

// How many pixels of cell (col, row) differ from picture (v, h) of the sheet.
int CellMismatch(const Canvas &shot, int col, int row, int v, int h)
{
    int wrong = 0;
    for (int y = 0; y < CellSize; ++y)
        for (int x = 0; x < CellSize; ++x)
            wrong += shot.At(BoardLeft + col * CellSize + x, BoardTop + row * CellSize + y) !=
                     Sheet().At(v * CellSize + x, h * CellSize + y);
    return wrong;
}

TEST_F(PaintTest, EveryCellShowsThePictureOfItsBall)
{
    SeedRandom(7);
    DealBoard();
    Board[CellIndex(14, 9)] = 0;
    Canvas shot(width, height);
    Paint(shot);
    for (int col = 0; col < BOARD_COLS; ++col)
        for (int row = 0; row < BOARD_ROWS; ++row)
            ASSERT_EQ(CellMismatch(shot, col, row, Board[CellIndex(col, row)], 0), 0)
                << "cell " << col << "," << row << " is not its ball's picture";
}

TEST_F(PaintTest, HighlightedCellsShowThePaleRowOfTheSheet)
{
    SeedRandom(7);
    DealBoard();
    HighlightMap[CellIndex(3, 4)] = 1;
    HighlightMap[CellIndex(3, 5)] = 2; // only exactly 1 highlights
    Canvas shot(width, height);
    Paint(shot);
    EXPECT_EQ(CellMismatch(shot, 3, 4, Board[CellIndex(3, 4)], 1), 0);
    EXPECT_EQ(CellMismatch(shot, 3, 5, Board[CellIndex(3, 5)], 0), 0);
    EXPECT_NE(CellMismatch(shot, 3, 4, Board[CellIndex(3, 4)], 0), 0)
        << "the highlighted picture looks like the normal one";
}

bool IsFaceAnywhere(const Canvas &shot, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (shot.At(x, y) == Face())
                return true;
    return false;
}

TEST_F(PaintTest, EmptyBoardIsDrawnCompletelyWithEmptyCells)
{
    for (std::int32_t &v : Board)
        v = 0;
    Canvas shot(width, height);
    Paint(shot);
    EXPECT_FALSE(IsFaceAnywhere(shot, BoardLeft, BoardTop, BoardLeft + 15 * CellSize,
                                BoardTop + 10 * CellSize));
    EXPECT_EQ(CellMismatch(shot, 0, 0, 0, 0), 0);
    EXPECT_EQ(CellMismatch(shot, 14, 9, 0, 0), 0);
}

// Columns and rows in which something other than button face was drawn.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Ink InkBelowTheBoard(const Canvas &shot)
{
    Ink ink;
    for (int y = BoardTop + 10 * CellSize; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (shot.At(x, y) != Face()) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x + 1);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

TEST_F(PaintTest, StatusLineSpansTheBoardWidthJustAboveTheBottom)
{
    PreviewCount = 88;
    PreviewScore = 7396;
    Score = 123456;
    Canvas shot(width, height);
    Paint(shot);
    Ink ink = InkBelowTheBoard(shot);
    EXPECT_GE(ink.top, height - 18);
    EXPECT_LE(ink.bottom, height - 2);
    EXPECT_GE(ink.left, BoardLeft);
    EXPECT_LE(ink.left, BoardLeft + 3) << "the count does not start at the board's left edge";
    EXPECT_LE(ink.right, BoardLeft + 15 * CellSize);
    EXPECT_GE(ink.right, BoardLeft + 15 * CellSize - 3)
        << "the score does not end at the board's right edge";
    int middle = BoardLeft + 15 * CellSize / 2, inked = 0;
    for (int x = middle - 20; x < middle + 20; ++x)
        inked += shot.At(x, height - 10) != Face();
    EXPECT_GT(inked, 0) << "nothing in the middle of the status line";
}

TEST_F(PaintTest, MarginsAroundTheBoardAreButtonFace)
{
    SeedRandom(7);
    DealBoard();
    Canvas shot(width, height);
    Paint(shot);
    int boardRight = BoardLeft + 15 * CellSize, boardBottom = BoardTop + 10 * CellSize;
    for (int y = 0; y < height - 18; ++y)
        for (int x = 0; x < width; ++x) {
            bool onBoard = x >= BoardLeft && x < boardRight && y >= BoardTop && y < boardBottom;
            if (!onBoard) {
                ASSERT_EQ(shot.At(x, y), Face()) << "stray paint at " << x << "," << y;
            }
        }
}

TEST_F(PaintTest, RepaintShowsThePictureInTheWindowAtOnce)
{
    for (std::int32_t &v : Board)
        v = 3;
    RepaintNow();
    HDC dc = GetDC(MainWindow);
    int x = BoardLeft + 7 * CellSize + CellSize / 2, y = BoardTop + 4 * CellSize + CellSize / 4;
    EXPECT_EQ(GetPixel(dc, x, y), Sheet().At(3 * CellSize + CellSize / 2, CellSize / 4));
    ReleaseDC(MainWindow, dc);
}

// The surfaces of another cell size, as a narrower screen would give them.
void UseCellSize(int size, int width, int height)
{
    CellSize = size;
    HDC screen = GetDC(nullptr);
    ReleaseSurfaces();
    CreateSurfaces(screen, width, height);
    ReleaseDC(nullptr, screen);
}

int Lightness(COLORREF c)
{
    return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
}

// The frame changes nothing outside its cell and stands out both from the
// black around a ball (at the cell's corner) and from the ball itself (at
// the middle of each side, where it meets the edge), on the empty cell,
// each ball and each highlighted ball, at both cell sizes.
TEST_F(PaintTest, KeyboardFrameStandsOutOnEveryPictureInsideItsCell)
{
    int original = CellSize;
    Canvas plain(width, height), framed(width, height);
    KeyCursorCell = PackCell(7, 5);
    for (int size : {40, 32}) {
        UseCellSize(size, width, height);
        int left = BoardLeft + 7 * CellSize, top = BoardTop + 5 * CellSize, mid = CellSize / 2;
        // Three pixels inwards from the middle of each side, just inside
        // the black edge where a ball begins, and from the corner.
        struct Probe {
            int x, y, dx, dy;
        } probes[] = {{1, mid, 1, 0},
                      {CellSize - 2, mid, -1, 0},
                      {mid, 1, 0, 1},
                      {mid, CellSize - 2, 0, -1},
                      {0, 0, 1, 1}};
        for (int picture = 0; picture < 7; ++picture) {
            for (std::int32_t &v : Board)
                v = picture < 4 ? picture : picture - 3;
            std::memset(HighlightMap, picture >= 4, sizeof HighlightMap);
            KeyCursorShown = 0;
            Paint(plain);
            KeyCursorShown = 1;
            Paint(framed);
            int outside = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    outside += plain.At(x, y) != framed.At(x, y) &&
                               (x < left || x >= left + CellSize || y < top || y >= top + CellSize);
            EXPECT_EQ(outside, 0) << "size " << size << ", picture " << picture;
            for (const Probe &p : probes) {
                int contrast = 0;
                for (int d = 0; d < 3; ++d) {
                    int x = left + p.x + d * p.dx, y = top + p.y + d * p.dy;
                    contrast = std::max(
                        contrast, std::abs(Lightness(framed.At(x, y)) - Lightness(plain.At(x, y))));
                }
                EXPECT_GE(contrast, 100) << "the frame hardly shows at " << p.x << "," << p.y
                                         << " of picture " << picture << " at size " << size;
            }
        }
    }
    KeyCursorShown = 0;
    UseCellSize(original, width, height);
}

} // namespace
