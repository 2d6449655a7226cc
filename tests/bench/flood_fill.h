// The engine's work done the common way, to compare speeds against: a
// queue flood fill with a visited array, columns compacted by a write
// index. Works on a board passed in and never touches the engine's.
#pragma once

#include "engine/board.h"

#include <cstdint>

// Size of the group at cell i, 0 for an empty cell or a lone ball;
// member[] tells which cells belong to it.
int FloodGroup(const std::int32_t *board, int i, bool *member);
bool FloodHasAnyGroup(const std::int32_t *board);
// Removes the group at cell i, lets the balls fall and closes empty
// columns, adds to score and keeps the position before in undo. Returns
// false when the move ends the game.
bool FloodMove(std::int32_t *board, std::int32_t *undo, int &score, int i);
