#include "window_fixture.h"

#include "engine/game.h"
#include "ui/mainwnd.h"

#include <gtest/gtest.h>

namespace
{

PackedCell CellAt(int x, int y)
{
    return PointToCell(MAKELPARAM(x, y));
}

class PointToCellTest : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureMainWindow(); }
};

TEST_F(PointToCellTest, BoardEdgesBelongToTheOuterCells)
{
    int right = BoardLeft + 15 * CellSize, bottom = BoardTop + 10 * CellSize;
    EXPECT_EQ(CellAt(BoardLeft, BoardTop), PackCell(0, 0));
    EXPECT_EQ(CellAt(right - 1, bottom - 1), PackCell(14, 9));
    EXPECT_EQ(CellAt(BoardLeft + 3 * CellSize, BoardTop + 7 * CellSize - 1), PackCell(3, 6));
}

TEST_F(PointToCellTest, JustOutsideEachEdgeIsNoCell)
{
    EXPECT_EQ(CellAt(BoardLeft + 15 * CellSize, BoardTop), NO_CELL);
    EXPECT_EQ(CellAt(BoardLeft, BoardTop + 10 * CellSize), NO_CELL);
    EXPECT_EQ(CellAt(BoardLeft - 1, BoardTop), NO_CELL);
    EXPECT_EQ(CellAt(BoardLeft, BoardTop - 1), NO_CELL);
}

// Dragging out over the window's left or top edge gives negative halves.
TEST_F(PointToCellTest, NegativeCoordinatesAreNoCell)
{
    EXPECT_EQ(CellAt(-1, BoardTop + 5), NO_CELL);
    EXPECT_EQ(CellAt(BoardLeft + 5, -1), NO_CELL);
    EXPECT_EQ(CellAt(-32768, -32768), NO_CELL);
}

TEST_F(PointToCellTest, OnlyNoCellTakesTheHighlightOff)
{
    HighlightMap[CellIndex(4, 4)] = 1;
    PointToCell(CellCentre(4, 4));
    EXPECT_EQ(HighlightMap[CellIndex(4, 4)], 1);
    CellAt(0, 0);
    EXPECT_EQ(HighlightMap[CellIndex(4, 4)], 0);
}

TEST(CellSizeChoice, LargeCellsNeedTrueColourAndAtLeast800Pixels)
{
    EXPECT_EQ(ChooseCellSize(-1, 1024), 40);
    EXPECT_EQ(ChooseCellSize(-1, 800), 40);
    EXPECT_EQ(ChooseCellSize(-1, 799), 32);
    EXPECT_EQ(ChooseCellSize(-1, 720), 32);
    EXPECT_EQ(ChooseCellSize(-1, 640), 32);
    EXPECT_EQ(ChooseCellSize(256, 1024), 32) << "a palette screen";
    EXPECT_EQ(ChooseCellSize(16, 1280), 32) << "a palette screen";
}

} // namespace
