#include "board.h"

#include "game.h"

std::int32_t Board[BOARD_CELLS];

void ClearMarks()
{
    for (std::int32_t &v : Board)
        if (v < 0)
            v = -v;
}

// A neighbour holding an unmarked ball of the marked colour v joins.
static void Join(int neighbour, std::int32_t v, int &count, bool &changed)
{
    if (Board[neighbour] == -v) {
        Board[neighbour] = v;
        ++count;
        changed = true;
    }
}

// Repeated sweeps over the whole board rather than a queue or recursion:
// no memory beyond the board itself, and the board is small. A sweep
// reaches cells joined to the right or below at once; steps to the left
// or upwards wait for the next sweep. The last sweep marks nothing.
static int SweepGroup()
{
    int count = 1;
    bool changed;
    do {
        changed = false;
        for (int col = 0; col < BOARD_COLS; ++col) {
            for (int row = 0; row < BOARD_ROWS; ++row) {
                int i = CellIndex(col, row);
                std::int32_t v = Board[i];
                if (v >= 0)
                    continue;
                if (col < BOARD_COLS - 1)
                    Join(i + BOARD_ROWS, v, count, changed);
                if (col > 0)
                    Join(i - BOARD_ROWS, v, count, changed);
                if (row < BOARD_ROWS - 1)
                    Join(i + 1, v, count, changed);
                if (row > 0)
                    Join(i - 1, v, count, changed);
            }
        }
    } while (changed);
    return count;
}

// Marks the group at cell and returns its size, or returns 0 with nothing
// marked and the highlight cleared: off the board, empty, or a lone ball.
int FindGroup(PackedCell cell)
{
    ClearMarks();
    int col = CellCol(cell), row = CellRow(cell);
    // Any cell outside the board counts as none, not only the 0xFFFF marker.
    if (col >= BOARD_COLS || row >= BOARD_ROWS || Board[CellIndex(col, row)] == 0) {
        ClearHighlight();
        return 0;
    }
    int start = CellIndex(col, row);
    Board[start] = -Board[start];
    int count = SweepGroup();
    if (count == 1) {
        Board[start] = -Board[start];
        ClearHighlight();
        return 0;
    }
    return count;
}
