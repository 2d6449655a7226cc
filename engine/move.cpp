#include "move.h"

#include "game.h"

std::int32_t Score;
std::int32_t UndoBoard[BOARD_CELLS];
std::int32_t UndoScore;
std::uint8_t UndoAvailable;

static bool IsEmpty(int col, int row) { return Board[CellIndex(col, row)] == 0; }

static int CountEmpty(int col)
{
    int z = 0;
    for (int row = 0; row < BOARD_ROWS; ++row)
        z += IsEmpty(col, row);
    return z;
}

// One pass moves every ball with a hole below it down by one cell.
static void FallOnce(int col)
{
    for (int row = BOARD_ROWS - 1; row >= 1; --row) {
        if (IsEmpty(col, row)) {
            Board[CellIndex(col, row)] = Board[CellIndex(col, row - 1)];
            Board[CellIndex(col, row - 1)] = 0;
        }
    }
}

// The column is settled when its z holes are all at the top.
static bool HoleOnlyAtTop(int col, int z)
{
    for (int row = 0; row < z; ++row)
        if (!IsEmpty(col, row))
            return false;
    return true;
}

void SettleColumns()
{
    for (int col = 0; col < BOARD_COLS; ++col) {
        int z = CountEmpty(col);
        if (z == 0)
            continue;
        do
            FallOnce(col);
        while (!HoleOnlyAtTop(col, z));
    }
}

static bool ColumnEmpty(int col) { return IsEmpty(col, BOARD_ROWS - 1); }

static void ShiftLeftOnce()
{
    for (int col = 1; col < BOARD_COLS; ++col) {
        if (ColumnEmpty(col - 1)) {
            for (int row = 0; row < BOARD_ROWS; ++row) {
                Board[CellIndex(col - 1, row)] = Board[CellIndex(col, row)];
                Board[CellIndex(col, row)] = 0;
            }
        }
    }
}

static bool EmptyOnlyAtRight(int e)
{
    for (int col = BOARD_COLS - e; col < BOARD_COLS; ++col)
        if (!ColumnEmpty(col))
            return false;
    return true;
}

// After gravity a column is empty exactly when its bottom cell is.
void CloseGaps()
{
    int e = 0;
    for (int col = 0; col < BOARD_COLS; ++col)
        e += ColumnEmpty(col);
    if (e == 0)
        return;
    do
        ShiftLeftOnce();
    while (!EmptyOnlyAtRight(e));
}

static void SaveUndo()
{
    UndoScore = Score;
    UndoAvailable = 1;
    for (int i = 0; i < BOARD_CELLS; ++i)
        UndoBoard[i] = Board[i] < 0 ? -Board[i] : Board[i];
}

static void RemoveMarked()
{
    for (std::int32_t &v : Board)
        if (v < 0)
            v = 0;
}

void PlayMove(PackedCell cell)
{
    int n = FindGroup(cell);
    if (n == 0)
        return;
    SaveUndo();
    RemoveMarked();
    SettleColumns();
    CloseGaps();
    Score += (n - 2) * (n - 2);
    if (!HasAnyGroup())
        EndGame();
}

// Probes every cell, even after a group has turned up; each probe clears
// the marks of the one before, and a failing probe clears the highlight.
bool HasAnyGroup()
{
    int sum = 0;
    for (int col = 0; col < BOARD_COLS; ++col)
        for (int row = 0; row < BOARD_ROWS; ++row)
            sum += FindGroup(PackCell(col, row));
    return sum != 0;
}

// UndoAvailable stays set, so a second Undo brings the move back.
void SwapUndo()
{
    for (int i = 0; i < BOARD_CELLS; ++i) {
        std::int32_t t = Board[i];
        Board[i] = UndoBoard[i];
        UndoBoard[i] = t;
    }
    std::int32_t t = Score;
    Score = UndoScore;
    UndoScore = t;
}
