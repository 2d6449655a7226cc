#include "engine_state.h"

#include "engine/board.h"
#include "engine/game.h"

#include <algorithm>
#include <cstring>

using GroupSearch = EngineTest;

TEST_F(GroupSearch, CountsTheGroupAndMarksOnlyItsMembers)
{
    SetBoard({"GB.", "BBG", "RBB"});
    EXPECT_EQ(5, FindGroup(PackCell(1, 8)));
    EXPECT_EQ(Text({"Gb.", "bbG", "Rbb"}), BoardText());
}

TEST_F(GroupSearch, BoardOfOneColourIsOneGroupOf150FromAnyCell)
{
    for (PackedCell cell : {PackCell(0, 0), PackCell(7, 4), PackCell(14, 9)}) {
        std::fill(std::begin(Board), std::end(Board), 2);
        EXPECT_EQ(150, FindGroup(cell));
        EXPECT_EQ(150, std::count(std::begin(Board), std::end(Board), -2));
    }
}

// Balls of one colour that touch only at a corner are lone balls too.
TEST_F(GroupSearch, LoneBallIsNoGroupAndLeavesTheBoardAsItWas)
{
    SetBoard({".G", "RBR", "BRB"});
    for (PackedCell cell : {PackCell(1, 8), PackCell(0, 9), PackCell(1, 9)}) {
        std::memset(HighlightMap, 1, sizeof HighlightMap);
        EXPECT_EQ(0, FindGroup(cell)) << std::hex << cell;
        EXPECT_EQ(Text({".G", "RBR", "BRB"}), BoardText());
        EXPECT_TRUE(NoHighlight());
    }
}

// The path runs to the right and the left edge in turn, so that the search
// must step left and upwards many times.
TEST_F(GroupSearch, WindingGroupAcrossTheBoardIsFoundWholeFromAnyOfItsCells)
{
    Drawing path = {"RRRRRRRRRRRRRRB", "BBBBBBBBBBBBBBB", "BRRRRRRRRRRRRRR", "BBBBBBBBBBBBBBB",
                    "RRRRRRRRRRRRRRB", "BBBBBBBBBBBBBBB", "BRRRRRRRRRRRRRR", "BBBBBBBBBBBBBBB",
                    "RRRRRRRRRRRRRRB", "BBBBBBBBBBBBBBB"};
    std::string whole = Text(path);
    std::replace(whole.begin(), whole.end(), 'B', 'b');
    SetBoard(path);
    for (int i = 0; i < BOARD_CELLS; ++i) {
        ClearMarks();
        if (Board[i] == 1) {
            EXPECT_EQ(80, FindGroup(PackCell(i / BOARD_ROWS, i % BOARD_ROWS))) << "from cell " << i;
            EXPECT_EQ(whole, BoardText()) << "from cell " << i;
        }
    }
}

TEST_F(GroupSearch, NoCellAndEmptyCellAreNoGroupAndClearTheHighlight)
{
    SetBoard({".B", "BB"});
    for (PackedCell cell :
         {NO_CELL, PackedCell(0x0003FFFF), PackCell(0, 8), PackCell(15, 9), PackCell(0, 10)}) {
        std::memset(HighlightMap, 1, sizeof HighlightMap);
        EXPECT_EQ(0, FindGroup(cell)) << std::hex << "cell 0x" << cell;
        EXPECT_TRUE(NoHighlight()) << std::hex << "cell 0x" << cell;
        EXPECT_EQ(Text({".B", "BB"}), BoardText());
    }
}

TEST_F(GroupSearch, NextSearchFirstClearsTheMarksOfTheLast)
{
    SetBoard({"BBRG", "GGRB"});
    EXPECT_EQ(2, FindGroup(PackCell(0, 8)));
    EXPECT_EQ(2, FindGroup(PackCell(2, 9)));
    EXPECT_EQ(Text({"BBrG", "GGrB"}), BoardText());
    EXPECT_EQ(0, FindGroup(PackCell(3, 9)));
    EXPECT_EQ(Text({"BBRG", "GGRB"}), BoardText());
}

TEST_F(GroupSearch, CountOffTheBoardIsZeroAndLeavesBoardAndHighlight)
{
    SetBoard({"BB"});
    std::memset(HighlightMap, 1, sizeof HighlightMap);
    for (PackedCell cell : {NO_CELL, PackedCell(0xFFFFFFFF), PackCell(15, 9), PackCell(0, 10)})
        EXPECT_EQ(0, CountGroup(cell)) << std::hex << "cell 0x" << cell;
    EXPECT_EQ(2, CountGroup(PackCell(1, 9)));
    EXPECT_EQ(Text({"BB"}), BoardText());
    EXPECT_EQ(BOARD_CELLS, std::count(std::begin(HighlightMap), std::end(HighlightMap), 1));
}

// Columns from the left, each from the bottom up; lone balls are skipped.
TEST_F(GroupSearch, GroupJumpsFollowReadingOrderAndWrap)
{
    SetBoard({"G..R", "GBRR", "BBGB"});
    EXPECT_EQ(3, CountGroups());
    const PackedCell blue = PackCell(0, 9), green = PackCell(0, 8), red = PackCell(2, 8);
    EXPECT_EQ(blue, NextGroupStart(NO_CELL, 1));
    EXPECT_EQ(red, NextGroupStart(NO_CELL, -1));
    EXPECT_EQ(green, NextGroupStart(PackCell(1, 9), 1)); // from any cell of the blue group
    EXPECT_EQ(red, NextGroupStart(green, 1));
    EXPECT_EQ(blue, NextGroupStart(red, 1));
    EXPECT_EQ(green, NextGroupStart(PackCell(3, 7), -1)); // a group counts from its first cell
    EXPECT_EQ(red, NextGroupStart(PackCell(3, 9), -1));   // a lone ball where it lies
    EXPECT_EQ(red, NextGroupStart(PackCell(1, 7), 1));    // and so does an empty cell
    EXPECT_EQ(Text({"G..R", "GBRR", "BBGB"}), BoardText());
}

TEST_F(GroupSearch, NoGroupsLeftMeansNoJump)
{
    SetBoard({"BGB"});
    EXPECT_EQ(0, CountGroups());
    EXPECT_EQ(NO_CELL, NextGroupStart(NO_CELL, 1));
    EXPECT_EQ(NO_CELL, NextGroupStart(PackCell(1, 9), -1));
    SetBoard({"BB"});
    EXPECT_EQ(PackCell(0, 9), NextGroupStart(PackCell(1, 9), 1)); // the only group comes back
}
