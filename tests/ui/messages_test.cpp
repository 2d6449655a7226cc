#include "window_fixture.h"

#include "engine/game.h"
#include "engine/move.h"
#include "res/resource.h"
#include "store/highscores.h"
#include "ui/mainwnd.h"

#include <gtest/gtest.h>

namespace
{

// A red trio in the top-left corner and a blue pair under it; every
// other ball is alone.
const char *const Position[10] = {
    "RRR............", //
    "BBG............", //
    "GRB............", //
    "BGR............", //
    "GBG............", //
    "BGB............", //
    "GBG............", //
    "BGB............", //
    "GBG............", //
    "BGB............", //
};

class MessageTableTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureMainWindow();
        LoadBoard(Position);
    }
};

int HighlightedCount()
{
    int n = 0;
    for (std::uint8_t h : HighlightMap)
        n += h == 1;
    return n;
}

TEST_F(MessageTableTest, PointerOverAGroupHighlightsItAndShowsItsValue)
{
    Send(WM_MOUSEMOVE, 0, CellCentre(1, 0));
    EXPECT_EQ(PreviewCount, 3);
    EXPECT_EQ(PreviewScore, 1);
    EXPECT_EQ(HighlightedCount(), 3);
    EXPECT_EQ(HighlightMap[CellIndex(2, 0)], 1);
}

TEST_F(MessageTableTest, PointerOverALoneBallOrOffTheBoardShowsNothing)
{
    Send(WM_MOUSEMOVE, 0, CellCentre(1, 0));
    Send(WM_MOUSEMOVE, 0, CellCentre(2, 1));
    EXPECT_EQ(PreviewCount, 0);
    EXPECT_EQ(HighlightedCount(), 0);
    Send(WM_MOUSEMOVE, 0, CellCentre(0, 1));
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(BoardLeft - 1, BoardTop));
    EXPECT_EQ(PreviewCount, 0);
    EXPECT_EQ(PreviewScore, 0);
    EXPECT_EQ(HighlightedCount(), 0);
}

TEST_F(MessageTableTest, ClickRemovesTheGroupAndScoresIt)
{
    Send(WM_LBUTTONDOWN, 0, CellCentre(0, 0));
    EXPECT_EQ(Board[CellIndex(0, 0)], 0);
    EXPECT_EQ(Board[CellIndex(2, 0)], 0);
    EXPECT_EQ(Board[CellIndex(0, 1)], 1) << "the balls below stay where they are";
    EXPECT_EQ(Score, 1);
    EXPECT_EQ(PreviewCount, 0) << "nothing lies under the pointer now";
    Send(WM_LBUTTONDOWN, 0, CellCentre(0, 0));
    Send(WM_LBUTTONDOWN, 0, CellCentre(2, 1));
    EXPECT_EQ(Score, 1) << "an empty cell or a lone ball is no move";
    EXPECT_EQ(Board[CellIndex(2, 1)], 2);
}

TEST_F(MessageTableTest, ClickPreviewsTheGroupThatFallsUnderThePointer)
{
    const char *const fall[10] = {
        "...............", "...............", "...............", "...............",
        "...............", "...............", "G..............", "B..............",
        "B..............", "GG.............",
    };
    LoadBoard(fall);
    Send(WM_LBUTTONDOWN, 0, CellCentre(0, 8));
    // The green ball fell onto the green pair: a group of three under the pointer.
    EXPECT_EQ(Board[CellIndex(0, 8)], 2);
    EXPECT_EQ(PreviewCount, 3);
    EXPECT_EQ(HighlightedCount(), 3);
}

TEST_F(MessageTableTest, UndoBringsTheMoveBackAndEmptiesThePreview)
{
    Send(WM_LBUTTONDOWN, 0, CellCentre(0, 0));
    Send(WM_MOUSEMOVE, 0, CellCentre(0, 9));
    Send(WM_COMMAND, IDM_UNDO);
    EXPECT_EQ(Board[CellIndex(0, 0)], 3);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(PreviewCount, 0);
    EXPECT_EQ(HighlightedCount(), 0);
    Send(WM_COMMAND, IDM_UNDO);
    EXPECT_EQ(Board[CellIndex(0, 0)], 0) << "a second undo redoes the move";
    EXPECT_EQ(Score, 1);
}

TEST_F(MessageTableTest, UndoWithNothingToUndoSaysSoWithoutAnOwner)
{
    MessageBoxCatcher box;
    Send(WM_COMMAND, IDM_UNDO);
    EXPECT_EQ(box.count, 1);
    EXPECT_EQ(box.text, "Cannot undo.");
    EXPECT_EQ(box.caption, "Glomb");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(Board[CellIndex(0, 0)], 3);
}

TEST_F(MessageTableTest, NewDealsAFullBoardAndStartsFromNothing)
{
    Send(WM_LBUTTONDOWN, 0, CellCentre(0, 0));
    Send(WM_MOUSEMOVE, 0, CellCentre(0, 9));
    Send(WM_COMMAND, IDM_NEW);
    for (std::int32_t v : Board)
        ASSERT_TRUE(v >= 1 && v <= ColourCount);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(UndoAvailable, 0);
    EXPECT_EQ(PreviewCount, 0);
    EXPECT_EQ(HighlightedCount(), 0);
}

TEST_F(MessageTableTest, CommandsThatOpenAWindowTakeOnlyTheHighlightAway)
{
    for (WPARAM id : {IDM_HELP, IDM_ABOUT, IDM_HIGHSCORES, IDM_LANGUAGE}) {
        Send(WM_MOUSEMOVE, 0, CellCentre(1, 0));
        MessageBoxCatcher box; // whatever window the command opens
        EXPECT_EQ(Send(WM_COMMAND, id), 0);
        EXPECT_EQ(HighlightedCount(), 0) << "command " << id;
        EXPECT_EQ(PreviewCount, 3) << "command " << id;
        EXPECT_EQ(PreviewScore, 1) << "command " << id;
    }
}

// A one-colour board is cleared by one click: the game ends inside it.
TEST_F(MessageTableTest, ClickThatEmptiesTheBoardEndsTheGameWithTheBonus)
{
    for (std::int32_t &v : Board)
        v = 1;
    for (HighScoreEntry &e : HighScoreTable)
        e.score = 1000000; // the final score then only shows in a message
    MessageBoxCatcher box;
    Send(WM_MOUSEMOVE, 0, CellCentre(7, 5));
    Send(WM_LBUTTONDOWN, 0, CellCentre(7, 5));
    EXPECT_EQ(Score, 148 * 148 + 1000);
    EXPECT_EQ(box.count, 1) << "the final score was not shown";
    EXPECT_NE(box.text.find("22904"), std::string::npos) << box.text;
    EXPECT_EQ(PreviewCount, 0) << "the click's own preview runs after the end";
    EXPECT_EQ(UndoAvailable, 0);
    for (HighScoreEntry &e : HighScoreTable)
        e.score = 0;
}

} // namespace
