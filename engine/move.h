// A move: removing a group, letting the balls fall, closing empty
// columns, scoring, and the one-step undo that toggles.
#pragma once

#include "board.h"

#include <cstdint>

extern std::int32_t Score;
extern std::int32_t UndoBoard[BOARD_CELLS]; // the board before the last move
extern std::int32_t UndoScore;
extern std::uint8_t UndoAvailable; // 1 while Undo may swap the two positions

void PlayMove(PackedCell cell);
void SettleColumns();
void CloseGaps();
bool HasAnyGroup();
void SwapUndo();
