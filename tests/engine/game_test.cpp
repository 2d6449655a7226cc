#include "engine_state.h"

#include "engine/game.h"
#include "engine/move.h"
#include "engine/random.h"

#include <cstring>
#include <ctime>
#include <vector>

using Dealing = EngineTest;

TEST_F(Dealing, SeedOneDealsBlueGreenBlueRedDownTheFirstColumn)
{
    SeedRandom(1);
    DealBoard(); // from 41, 18467, 6334, 26500
    EXPECT_EQ((std::vector<int>{1, 2, 1, 3}), std::vector<int>(Board, Board + 4));
}

// Cell 0 gets the first number, cell 149 the 150th, each scaled to a colour.
TEST_F(Dealing, CellsTakeTheNumbersInCellIndexOrderScaledToTheColours)
{
    int numbers[BOARD_CELLS];
    SeedRandom(20240607);
    for (int &r : numbers)
        r = NextRandom();
    for (ColourCount = 1; ColourCount <= 3; ++ColourCount) {
        SeedRandom(20240607);
        DealBoard();
        for (int i = 0; i < BOARD_CELLS; ++i)
            ASSERT_EQ(numbers[i] * ColourCount / 32768 + 1, Board[i]) << "cell " << i;
    }
}

TEST_F(Dealing, NewGameStartsWithoutScoreUndoOrPreview)
{
    Score = 500;
    UndoAvailable = 1;
    PreviewCount = 6;
    PreviewScore = 16;
    std::memset(HighlightMap, 1, sizeof HighlightMap);
    NewGame();
    EXPECT_EQ(0, Score);
    EXPECT_EQ(0, UndoAvailable);
    EXPECT_EQ(0, PreviewCount);
    EXPECT_EQ(0, PreviewScore);
    EXPECT_TRUE(NoHighlight());
}

// So two games started within the same second are dealt alike.
TEST_F(Dealing, NewGameSeedsFromTheClockInWholeSeconds)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::time_t now = std::time(nullptr);
        NewGame();
        std::string dealt = BoardText();
        if (std::time(nullptr) != now)
            continue; // the second ticked over: try again
        SeedRandom(unsigned(now));
        DealBoard();
        EXPECT_EQ(BoardText(), dealt);
        return;
    }
    FAIL() << "the clock ticked during every attempt";
}

using Preview = EngineTest;

TEST_F(Preview, HighlightFollowsTheGroupUnderThePointer)
{
    SetBoard({"RBB", "RRRG", "GGBR"});
    UpdatePreview(PackCell(2, 7));
    EXPECT_EQ(2, PreviewCount);
    EXPECT_EQ(0, PreviewScore);
    EXPECT_EQ(Text({"Rbb", "RRRG", "GGBR"}), HighlightText());

    UpdatePreview(PackCell(0, 8));
    EXPECT_EQ(4, PreviewCount);
    EXPECT_EQ(4, PreviewScore);
    EXPECT_EQ(Text({"rBB", "rrrG", "GGBR"}), HighlightText());
    EXPECT_EQ(Text({"RBB", "RRRG", "GGBR"}), BoardText()) << "no marks are left behind";
}

TEST_F(Preview, LoneBallEmptyCellOrOffTheBoardShowsNothing)
{
    SetBoard({"RB.", "RGB"});
    for (PackedCell cell : {PackCell(1, 8), PackCell(2, 8), PackCell(9, 2), NO_CELL}) {
        UpdatePreview(PackCell(0, 9));
        ASSERT_EQ(2, PreviewCount);
        UpdatePreview(cell);
        EXPECT_EQ(0, PreviewCount) << std::hex << cell;
        EXPECT_EQ(0, PreviewScore) << std::hex << cell;
        EXPECT_TRUE(NoHighlight()) << std::hex << cell;
        EXPECT_EQ(Text({"RB.", "RGB"}), BoardText());
    }
}
