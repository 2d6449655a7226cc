#include "board.h"

#include "game.h"

std::int32_t Board[BOARD_CELLS];

// Without a branch: the end probe clears the board 150 times after every
// move, and a store to every cell costs less than mispredicting the marks.
void ClearMarks()
{
    for (std::int32_t &v : Board)
        v = v < 0 ? -v : v;
}

// A neighbour holding an unmarked ball of the marked colour v joins.
static bool Join(int neighbour, std::int32_t v, int &count)
{
    if (Board[neighbour] != -v)
        return false;
    Board[neighbour] = v;
    ++count;
    return true;
}

// Repeated sweeps over the board rather than a queue or recursion: no
// memory beyond the board itself, and the board is small. A sweep reaches
// cells joined to the right or below at once; steps to the left or
// upwards wait for the next sweep. The last sweep marks nothing. Only the
// columns from the leftmost to the rightmost mark are swept: no other
// column holds a mark, so the rest of a full sweep would do nothing.
static int SweepGroup(int startCol)
{
    int count = 1, first = startCol, last = startCol;
    bool changed;
    do {
        changed = false;
        for (int col = first; col <= last; ++col) {
            for (int row = 0; row < BOARD_ROWS; ++row) {
                int i = CellIndex(col, row);
                std::int32_t v = Board[i];
                if (v >= 0)
                    continue;
                if (col < BOARD_COLS - 1 && Join(i + BOARD_ROWS, v, count)) {
                    changed = true;
                    if (col + 1 > last)
                        last = col + 1;
                }
                if (col > 0 && Join(i - BOARD_ROWS, v, count)) {
                    changed = true;
                    if (col - 1 < first)
                        first = col - 1;
                }
                if (row < BOARD_ROWS - 1 && Join(i + 1, v, count))
                    changed = true;
                if (row > 0 && Join(i - 1, v, count))
                    changed = true;
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
    int count = SweepGroup(col);
    if (count == 1) {
        Board[start] = -Board[start];
        ClearHighlight();
        return 0;
    }
    return count;
}

// A screen reader asks about any cell at any time, while the highlight
// shows the group under the pointer or the frame: it must stay.
int CountGroup(PackedCell cell)
{
    ClearMarks();
    int start = CellIndex(CellCol(cell), CellRow(cell));
    if (Board[start] == 0)
        return 0;
    Board[start] = -Board[start];
    int count = SweepGroup(CellCol(cell));
    ClearMarks();
    return count;
}
