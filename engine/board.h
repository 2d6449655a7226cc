// The board and the search for a group of touching balls of one colour.
#pragma once

#include <cstdint>

constexpr int BOARD_COLS = 15;
constexpr int BOARD_ROWS = 10;
constexpr int BOARD_CELLS = BOARD_COLS * BOARD_ROWS;

// A cell as (row << 16) | col. A column half of 0xFFFF means "not on the
// board", which is what the pointer mapping hands over off the board.
typedef std::uint32_t PackedCell;
constexpr PackedCell NO_CELL = 0xFFFF;

constexpr int CellIndex(int col, int row) { return col * BOARD_ROWS + row; }
constexpr PackedCell PackCell(int col, int row) { return PackedCell(row) << 16 | PackedCell(col); }
constexpr int CellCol(PackedCell cell) { return int(cell & 0xFFFF); }
constexpr int CellRow(PackedCell cell) { return int(cell >> 16); }
constexpr int IndexOfCell(PackedCell cell) { return CellIndex(CellCol(cell), CellRow(cell)); }
constexpr int IndexCol(int index) { return index / BOARD_ROWS; }
constexpr int IndexRow(int index) { return index % BOARD_ROWS; }
constexpr PackedCell CellOfIndex(int index) { return PackCell(IndexCol(index), IndexRow(index)); }

// Column by column, CellIndex order. 0 is empty, 1..3 a ball of that
// colour (blue, green, red), -k a ball of colour k marked by the group
// search that ran last. Marks never outlive the operation that made them.
extern std::int32_t Board[BOARD_CELLS];

void ClearMarks();
int FindGroup(PackedCell cell);

// The size of the group at a cell, 1 for a lone ball and 0 for an empty
// cell or one off the board, leaving no mark and the highlight as it is.
int CountGroup(PackedCell cell);

// The groups of two or more in the order a player reads the board: each
// known by its first cell in a scan of the columns from the left, each
// column from the bottom up. Returns the first cell of the group after
// (step 1) or before (step -1) the group at cell, wrapping at the ends;
// from NO_CELL the first or the last group. NO_CELL when there is none.
PackedCell NextGroupStart(PackedCell cell, int step);
int CountGroups(); // how many groups of two or more the board holds
