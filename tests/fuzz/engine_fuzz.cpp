// Plays arbitrary clicks on arbitrary boards and checks what must hold
// after every step, against a plain flood fill:
//   - a preview leaves no marks and highlights exactly the group;
//   - a move removes exactly the group, scores (n - 2)^2, leaves every
//     column settled and the empty columns at the right;
//   - the end of game runs exactly when no group is left, adding 1000
//     only for an empty board;
//   - undo restores the position before the move exactly, and toggles.
//
// Input: byte 0 picks the colour count, the next 150 bytes the cells,
// then pairs of bytes are actions (a cell to click or preview, or undo).
#include "engine/game.h"
#include "engine/move.h"
#include "store/highscores.h"
#include "ui/repaint.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

static int EndGames;
void RepaintNow() {}
void RecordFinalScore()
{
    ++EndGames;
}

static void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The size of the group at (col, row) by a plain recursive flood fill.
static int Fill(const std::int32_t *board, bool *seen, int col, int row, int colour)
{
    if (col < 0 || col >= BOARD_COLS || row < 0 || row >= BOARD_ROWS)
        return 0;
    int i = CellIndex(col, row);
    if (seen[i] || board[i] != colour)
        return 0;
    seen[i] = true;
    return 1 + Fill(board, seen, col + 1, row, colour) + Fill(board, seen, col - 1, row, colour) +
           Fill(board, seen, col, row + 1, colour) + Fill(board, seen, col, row - 1, colour);
}

static int ModelGroup(const std::int32_t *board, int col, int row, bool *seen)
{
    std::memset(seen, 0, BOARD_CELLS);
    if (col >= BOARD_COLS || row >= BOARD_ROWS || board[CellIndex(col, row)] == 0)
        return 0;
    int n = Fill(board, seen, col, row, board[CellIndex(col, row)]);
    return n >= 2 ? n : 0;
}

static bool ModelHasGroup(const std::int32_t *board)
{
    bool seen[BOARD_CELLS];
    for (int col = 0; col < BOARD_COLS; ++col)
        for (int row = 0; row < BOARD_ROWS; ++row)
            if (ModelGroup(board, col, row, seen))
                return true;
    return false;
}

static void CheckNoMarks()
{
    for (std::int32_t v : Board)
        Require(v >= 0);
}

static void CheckSettledAndClosed()
{
    bool emptySeen = false;
    for (int col = 0; col < BOARD_COLS; ++col) {
        bool ball = false;
        for (int row = 0; row < BOARD_ROWS; ++row) {
            bool empty = Board[CellIndex(col, row)] == 0;
            Require(!(ball && empty)); // no hole under a ball
            ball = ball || !empty;
        }
        if (!ball)
            emptySeen = true;
        else
            Require(!emptySeen); // no full column right of an empty one
    }
}

static void CheckPreview(int col, int row)
{
    std::int32_t before[BOARD_CELLS];
    std::memcpy(before, Board, sizeof before);
    bool group[BOARD_CELLS];
    int n = ModelGroup(before, col, row, group);
    UpdatePreview(PackCell(col, row));
    CheckNoMarks();
    Require(std::memcmp(before, Board, sizeof before) == 0);
    Require(PreviewCount == n);
    Require(PreviewScore == (n ? (n - 2) * (n - 2) : 0));
    for (int i = 0; i < BOARD_CELLS; ++i)
        Require(HighlightMap[i] == (n && group[i]));
}

static void CheckMove(int col, int row)
{
    std::int32_t before[BOARD_CELLS];
    std::memcpy(before, Board, sizeof before);
    bool group[BOARD_CELLS];
    int n = ModelGroup(before, col, row, group);
    std::int32_t score = Score;
    std::uint8_t undo = UndoAvailable;
    int ends = EndGames;
    int ballsBefore = 0, ballsAfter = 0;

    PlayMove(PackCell(col, row));
    UpdatePreview(NO_CELL); // as every click is followed by a preview
    CheckNoMarks();
    for (int i = 0; i < BOARD_CELLS; ++i) {
        ballsBefore += before[i] != 0;
        ballsAfter += Board[i] != 0;
    }
    if (n == 0) {
        Require(std::memcmp(before, Board, sizeof before) == 0);
        Require(Score == score && UndoAvailable == undo && EndGames == ends);
        return;
    }
    CheckSettledAndClosed();
    Require(ballsAfter == ballsBefore - n);
    bool over = !ModelHasGroup(Board);
    Require(EndGames == ends + over);
    Require(UndoAvailable == !over);
    int bonus = over && ballsAfter == 0 ? 1000 : 0;
    Require(Score == score + (n - 2) * (n - 2) + bonus);
    Require(std::memcmp(UndoBoard, before, sizeof before) == 0);
    Require(UndoScore == score);
}

static void CheckUndo()
{
    if (!UndoAvailable)
        return;
    std::int32_t board[BOARD_CELLS], undo[BOARD_CELLS];
    std::memcpy(board, Board, sizeof board);
    std::memcpy(undo, UndoBoard, sizeof undo);
    std::int32_t score = Score, undoScore = UndoScore;
    SwapUndo();
    Require(std::memcmp(Board, undo, sizeof undo) == 0 && Score == undoScore);
    Require(std::memcmp(UndoBoard, board, sizeof board) == 0 && UndoScore == score);
    Require(UndoAvailable == 1);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1 + BOARD_CELLS)
        return 0;
    int colours = data[0] % 3 + 1;
    for (int i = 0; i < BOARD_CELLS; ++i)
        Board[i] = data[1 + i] % (colours + 1);
    SettleColumns();
    CloseGaps();
    Score = 0;
    UndoAvailable = 0;
    ClearHighlight();
    for (std::size_t k = 1 + BOARD_CELLS; k + 1 < size; k += 2) {
        int col = data[k] % 17, row = data[k + 1] % 12; // a little off the board too
        switch (data[k + 1] / 64) {
        case 0:
            CheckPreview(col, row);
            break;
        case 1:
            CheckUndo();
            break;
        default:
            CheckMove(col, row);
            break;
        }
    }
    return 0;
}
