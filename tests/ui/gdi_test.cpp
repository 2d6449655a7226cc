#include "gdi_tracker.h"
#include "window_fixture.h"

#include "engine/game.h"
#include "engine/move.h"
#include "engine/random.h"
#include "res/resource.h"
#include "ui/mainwnd.h"

#include <gtest/gtest.h>

namespace
{

class GdiObjectsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureMainWindow();
        ColourCount = 3;
        SeedRandom(11);
        DealBoard();
        StartTrackingGdi();
    }
    void TearDown() override { StopTrackingGdi(); }
};

// A walk over the whole client area and a little beyond it.
LPARAM PointerAt(int i)
{
    int x = (i * 37) % 700 - 30;
    int y = (i * 53) % 500 - 30;
    return MAKELPARAM(x, y);
}

TEST_F(GdiObjectsTest, PointerMovesLeaveNoObjectBehind)
{
    for (int i = 0; i < 10000; ++i) {
        Send(WM_MOUSEMOVE, 0, PointerAt(i));
        ASSERT_EQ(LiveGdiObjects(), 0u) << "after pointer move " << i;
    }
}

TEST_F(GdiObjectsTest, MovesAndUndoLeaveNoObjectBehind)
{
    int played = 0;
    for (int i = 0; i < 1000; ++i) {
        Send(WM_LBUTTONDOWN, 0, CellCentre(i % BOARD_COLS, (i / BOARD_COLS) % BOARD_ROWS));
        if (UndoAvailable) {
            ++played;
            Send(WM_COMMAND, IDM_UNDO);
            Send(WM_COMMAND, IDM_UNDO);
            Send(WM_COMMAND, IDM_UNDO);
        }
        ASSERT_EQ(LiveGdiObjects(), 0u) << "after move " << i;
    }
    EXPECT_GT(played, 100) << "too few clicks hit a group to prove anything";
}

// The tracker sees the program's own objects: a new window's surfaces
// are still alive after its creation, and are freed by the next one.
TEST_F(GdiObjectsTest, TrackerSeesTheSurfacesOfANewWindow)
{
    Recreating = 1;
    DestroyWindow(MainWindow);
    Recreating = 0;
    ASSERT_EQ(CreateMainWindow(), 1);
    EXPECT_EQ(LiveGdiObjects(), 7u) << "two DCs, two bitmaps, a brush, a pen and a font";
    Recreating = 1;
    DestroyWindow(MainWindow);
    Recreating = 0;
    ASSERT_EQ(CreateMainWindow(), 1);
    EXPECT_EQ(LiveGdiObjects(), 7u) << "the first window's surfaces were not all freed";
}

} // namespace
