#include "window_fixture.h"

#include "res/resource.h"
#include "store/settings.h"
#include "ui/mainwnd.h"
#include "ui/surfaces.h"
#include "ui/wintools.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class MainWindowTest : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureMainWindow(); }
};

// The test screen is 1024 x 768 in true colour: 40-pixel cells.
TEST_F(MainWindowTest, WindowFitsLargeCellsAndIsCentredOnTheScreen)
{
    ASSERT_EQ(CellSize, 40);
    RECT w;
    GetWindowRect(MainWindow, &w);
    EXPECT_EQ(w.right - w.left, 630);
    EXPECT_EQ(w.bottom - w.top, 485);
    EXPECT_EQ(w.left, (1024 - 630) / 2);
    EXPECT_EQ(w.top, (768 - 485) / 2);
    LONG style = GetWindowLongA(MainWindow, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "not fixed-size";
}

TEST_F(MainWindowTest, BoardIsCentredAboveTheStatusStrip)
{
    RECT c;
    GetClientRect(MainWindow, &c);
    int right = c.right - (BoardLeft + 15 * CellSize);
    int below = c.bottom - 16 - (BoardTop + 10 * CellSize);
    EXPECT_TRUE(right - BoardLeft == 0 || right - BoardLeft == 1) << BoardLeft << " " << right;
    EXPECT_TRUE(below - BoardTop == 0 || below - BoardTop == 1) << BoardTop << " " << below;
}

TEST_F(MainWindowTest, ClassHasTheIconTheMenuColourAndTheLanguagesMenu)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(Instance, APP_NAME, &wc));
    EXPECT_EQ(wc.style, UINT(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_MENU + 1));
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_EQ(wc.lpszMenuName, MAKEINTRESOURCEA(IDM_MENU_ENGLISH));
}

// A bitmap compatible with the memory DC itself would be monochrome.
TEST_F(MainWindowTest, SurfacesMatchTheClientAreaAndTheCellSize)
{
    RECT c;
    GetClientRect(MainWindow, &c);
    BITMAP back, sheet;
    GetObjectA(GetCurrentObject(BackBuffer, OBJ_BITMAP), sizeof back, &back);
    GetObjectA(GetCurrentObject(SpriteSheet, OBJ_BITMAP), sizeof sheet, &sheet);
    EXPECT_EQ(back.bmWidth, c.right);
    EXPECT_EQ(back.bmHeight, c.bottom);
    EXPECT_GE(back.bmBitsPixel, 24);
    EXPECT_EQ(sheet.bmWidth, 4 * CellSize);
    EXPECT_EQ(sheet.bmHeight, 2 * CellSize);
}

TEST_F(MainWindowTest, BackBufferPaintsInButtonFaceWithTheStatusFont)
{
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    LOGBRUSH brush;
    LOGPEN pen;
    LOGFONTA font;
    GetObjectA(GetCurrentObject(BackBuffer, OBJ_BRUSH), sizeof brush, &brush);
    GetObjectA(GetCurrentObject(BackBuffer, OBJ_PEN), sizeof pen, &pen);
    GetObjectA(GetCurrentObject(BackBuffer, OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(brush.lbColor, face);
    EXPECT_EQ(pen.lopnColor, face);
    EXPECT_EQ(GetBkColor(BackBuffer), face);
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_EQ(font.lfWeight, 600);
    EXPECT_STREQ(font.lfFaceName, "Arial");
}

// Everything made for the surfaces: two DCs and the five objects in them.
std::vector<HGDIOBJ> SurfaceObjects()
{
    return {BackBuffer,
            SpriteSheet,
            GetCurrentObject(BackBuffer, OBJ_BITMAP),
            GetCurrentObject(BackBuffer, OBJ_BRUSH),
            GetCurrentObject(BackBuffer, OBJ_PEN),
            GetCurrentObject(BackBuffer, OBJ_FONT),
            GetCurrentObject(SpriteSheet, OBJ_BITMAP)};
}

// What the language switch does to the window.
void RecreateMainWindow()
{
    Recreating = 1;
    DestroyWindow(MainWindow);
    UnregisterClassA(APP_NAME, Instance);
    Recreating = 0;
    ASSERT_EQ(CreateMainWindow(), 1);
}

TEST_F(MainWindowTest, RecreatingReleasesEveryObjectOfTheOldSurfaces)
{
    std::vector<HGDIOBJ> old = SurfaceObjects();
    for (HGDIOBJ h : old)
        ASSERT_NE(GetObjectType(h), 0u) << "surface object missing before the switch";
    RecreateMainWindow();
    for (std::size_t i = 0; i < old.size(); ++i)
        EXPECT_EQ(GetObjectType(old[i]), 0u) << "object " << i << " of the old surfaces survived";
    for (HGDIOBJ h : SurfaceObjects())
        EXPECT_NE(GetObjectType(h), 0u) << "the new surfaces are incomplete";
}

TEST_F(MainWindowTest, RecreatingKeepsTheProgramRunningWithTheOtherMenu)
{
    Language = 0;
    RecreateMainWindow();
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the switch would end the program";
    char title[32] = "";
    GetMenuStringA(GetMenu(MainWindow), 0, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(title, "  &Partita  ");
    Language = 1;
    RecreateMainWindow();
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxBothEndTheProgram)
{
    for (UINT how : {UINT(WM_COMMAND), UINT(WM_CLOSE)}) {
        Send(how, how == WM_COMMAND ? IDM_EXIT : 0);
        EXPECT_FALSE(IsWindow(MainWindow));
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(msg.wParam, 0u) << "exit code";
        EnsureMainWindow();
    }
}

} // namespace
