// The boards the benchmark plays on.
#pragma once

#include "engine/board.h"

#include <cstdint>

// One blue path snaking up and down every column, joined alternately at
// the bottom and the top, with green walls between the lanes. Seen from
// the far end of the path the search must step left at every join and
// up along every other lane, one sweep per step: about fifty sweeps.
void DrawSerpentine(std::int32_t *board);
constexpr PackedCell SERPENTINE_FAR_END = PackCell(14, 0);

// A red pair on top of a tangle of blue and green paths. Clicking the pair
// leaves the tangle, where the end probe finds a long winding group from
// almost every cell. The tangle came from a random search, starting from
// the serpentine, for the board whose probe needs the most sweeps in all:
// about a tenth more than the serpentine's.
void DrawWorstMove(std::int32_t *board);
constexpr PackedCell WORST_MOVE_CELL = PackCell(0, 0);

// A board dealt by the game with three colours; cell is the first cell in
// CellIndex order that starts a group.
void DealFullBoard(unsigned seed, std::int32_t *board, PackedCell &cell);

// Two colours alternating like a chessboard: not a single group.
void DrawCheckerboard(std::int32_t *board);
