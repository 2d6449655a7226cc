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

// The one walk every search takes: marks the group at cell and returns
// its size, 0 with nothing marked for an empty cell or any cell off the
// board, not only the NO_CELL marker.
static int MarkGroup(PackedCell cell)
{
    ClearMarks();
    int col = CellCol(cell), row = CellRow(cell);
    if (col >= BOARD_COLS || row >= BOARD_ROWS || Board[CellIndex(col, row)] == 0)
        return 0;
    int start = CellIndex(col, row);
    Board[start] = -Board[start];
    return SweepGroup(col);
}

// Marks the group at cell and returns its size, or returns 0 with nothing
// marked and the highlight cleared: off the board, empty, or a lone ball.
int FindGroup(PackedCell cell)
{
    int count = MarkGroup(cell);
    if (count < 2) {
        ClearMarks();
        ClearHighlight();
        return 0;
    }
    return count;
}

// A screen reader asks about any cell at any time, while the highlight
// shows the group under the pointer or the frame: it must stay.
int CountGroup(PackedCell cell)
{
    int count = MarkGroup(cell);
    ClearMarks();
    return count;
}

// Reading order: position p is column p / BOARD_ROWS, counted from the
// bottom row.
static PackedCell ScanCell(int p)
{
    return PackCell(p / BOARD_ROWS, BOARD_ROWS - 1 - p % BOARD_ROWS);
}

static int ScanPosition(int index)
{
    return IndexCol(index) * BOARD_ROWS + BOARD_ROWS - 1 - IndexRow(index);
}

// Gives each cell the reading position of its group's first cell, or -1
// when empty, and each such first position its group's size.
static void LabelGroups(int group[BOARD_CELLS], int size[BOARD_CELLS])
{
    for (int i = 0; i < BOARD_CELLS; ++i)
        group[i] = -1;
    for (int p = 0; p < BOARD_CELLS; ++p) {
        if (group[IndexOfCell(ScanCell(p))] >= 0 || (size[p] = MarkGroup(ScanCell(p))) == 0)
            continue;
        for (int i = 0; i < BOARD_CELLS; ++i) {
            if (Board[i] < 0)
                group[i] = p;
        }
    }
    ClearMarks();
}

static bool StartsGroup(const int group[], const int size[], int p)
{
    return group[IndexOfCell(ScanCell(p))] == p && size[p] >= 2;
}

int CountGroups()
{
    int group[BOARD_CELLS], size[BOARD_CELLS] = {}, count = 0;
    LabelGroups(group, size);
    for (int p = 0; p < BOARD_CELLS; ++p)
        count += StartsGroup(group, size, p);
    return count;
}

PackedCell NextGroupStart(PackedCell cell, int step)
{
    int group[BOARD_CELLS], size[BOARD_CELLS] = {};
    LabelGroups(group, size);
    int from = step > 0 ? -1 : BOARD_CELLS;
    if (CellCol(cell) < BOARD_COLS && CellRow(cell) < BOARD_ROWS) {
        int i = IndexOfCell(cell);
        from = group[i] >= 0 ? group[i] : ScanPosition(i);
    }
    for (int k = 1; k <= BOARD_CELLS; ++k) {
        int p = from + step * k; // within one length of the board either way
        p += p < 0 ? BOARD_CELLS : p >= BOARD_CELLS ? -BOARD_CELLS : 0;
        if (StartsGroup(group, size, p))
            return ScanCell(p);
    }
    return NO_CELL;
}
