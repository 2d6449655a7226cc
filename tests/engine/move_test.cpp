#include "engine_state.h"

#include "doubles.h"
#include "engine/board.h"
#include "engine/game.h"
#include "engine/move.h"

using Moves = EngineTest;

TEST_F(Moves, BallsAboveTheGroupFallByWhatTheirOwnColumnLost)
{
    SetBoard({"G..", "RG.", "BBR", "BGG", "RRB"});
    PlayMove(PackCell(0, 8));
    EXPECT_EQ(Text({"GGR", "RGG", "RRB"}), BoardText());
}

TEST_F(Moves, EmptiedColumnsCloseUpToTheLeftInTheirOrder)
{
    SetBoard({"G.R....G..R.G..", "RGG.R.GRR.GRR.G", "RRGBBBRGGRRGRGR"});
    PlayMove(PackCell(4, 9));
    EXPECT_EQ(Text({"G.R..G..R.G....", "RGG.GRR.GRR.G..", "RRGRRGGRRGRGR.."}), BoardText());
}

TEST_F(Moves, GroupOfNScoresNMinusTwoSquared)
{
    const char *rows[] = {"BBGG", "BBBGG", "BBBBGG", "BBBBBGG", "BBBBBBBGG"};
    const int scores[] = {0, 1, 4, 9, 25};
    for (int k = 0; k < 5; ++k) {
        SetBoard({rows[k]});
        Score = 100;
        PlayMove(PackCell(0, 9));
        EXPECT_EQ(100 + scores[k], Score) << rows[k];
    }
}

TEST_F(Moves, PairIsALegalMoveThatScoresNothing)
{
    SetBoard({"BBR", "RGG"});
    PlayMove(PackCell(1, 8));
    EXPECT_EQ(Text({"..R", "RGG"}), BoardText());
    EXPECT_EQ(0, Score);
    EXPECT_EQ(1, UndoAvailable);
}

TEST_F(Moves, LoneBallEmptyCellOrOffTheBoardChangesNothing)
{
    SetBoard({".R.", "BGB", "BRR"});
    Score = 7;
    UndoAvailable = 1;
    UndoBoard[5] = 2;
    for (PackedCell cell : {PackCell(1, 8), PackCell(0, 7), NO_CELL, PackCell(15, 9)}) {
        PlayMove(cell);
        EXPECT_EQ(Text({".R.", "BGB", "BRR"}), BoardText()) << std::hex << cell;
        EXPECT_EQ(7, Score);
        EXPECT_EQ(1, UndoAvailable);
        EXPECT_EQ(2, UndoBoard[5]);
        EXPECT_EQ("", OutwardCalls);
    }
}

TEST_F(Moves, UndoTogglesBetweenThePositionsBeforeAndAfterTheMove)
{
    SetBoard({"RB.", "BBG", "GRR"});
    Score = 5;
    std::string before = BoardText(), after = Text({"R.G", "GRR"});
    PlayMove(PackCell(0, 8));
    ASSERT_EQ(after, BoardText());
    ASSERT_EQ(6, Score);
    for (int undo = 1; undo <= 3; ++undo) {
        SwapUndo();
        EXPECT_EQ(undo % 2 ? before : after, BoardText()) << "after undo " << undo;
        EXPECT_EQ(undo % 2 ? 5 : 6, Score) << "after undo " << undo;
    }
    EXPECT_EQ(1, UndoAvailable);
}

TEST_F(Moves, GameEndingWithBallsLeftGetsNoBonusAndLeavesTheBoardAlone)
{
    SetBoard({"RBR", "BBG"});
    Score = 10;
    UpdatePreview(PackCell(0, 9)); // the pointer rests on the group it clicks
    PlayMove(PackCell(0, 9));
    EXPECT_EQ("RH", OutwardCalls) << "the final position is shown before the score is recorded";
    EXPECT_EQ("score 11, preview 3/1, undo 0, no highlight, no marks", ShownAtRepaint)
        << "the last preview's numbers stay beside the final score until the next preview";
    EXPECT_EQ(11, ScoreAtRecord);
    EXPECT_EQ(0, UndoAvailable);
    for (int i = 0; i < BOARD_CELLS; ++i)
        PlayMove(PackCell(i / BOARD_ROWS, i % BOARD_ROWS));
    EXPECT_EQ(Text({".R", "RG"}), BoardText());
    EXPECT_EQ(11, Score);
    EXPECT_EQ("RH", OutwardCalls);
}

TEST_F(Moves, GameEndingWithAnEmptyBoardGetsExactly1000)
{
    SetBoard({"GG"});
    UpdatePreview(PackCell(1, 9));
    PlayMove(PackCell(1, 9));
    EXPECT_EQ(Text({}), BoardText());
    EXPECT_EQ("RH", OutwardCalls);
    EXPECT_EQ("score 1000, preview 2/0, undo 0, no highlight, no marks", ShownAtRepaint)
        << "the final paint shows the bonus";
    EXPECT_EQ(1000, ScoreAtRecord);
    EXPECT_EQ(0, UndoAvailable);
}

TEST_F(Moves, OneColourBoardIsClearedByOneClickFor148SquaredPlusBonus)
{
    ColourCount = 1;
    DealBoard();
    PlayMove(PackCell(6, 3));
    EXPECT_EQ(Text({}), BoardText());
    EXPECT_EQ(148 * 148 + 1000, Score);
    EXPECT_EQ(148 * 148 + 1000, ScoreAtRecord);
}
