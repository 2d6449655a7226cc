// Dealing a new game, previewing the group under the pointer, and the
// end of a game.
#pragma once

#include "board.h"

#include <cstdint>

extern std::int32_t ColourCount;                 // colours dealt, 1..3
extern std::uint8_t HighlightMap[BOARD_CELLS];   // 1: draw the cell highlighted
extern std::int32_t PreviewCount;                // size of the group under the pointer
extern std::int32_t PreviewScore;                // what removing it would score

void ClearHighlight();
void UpdatePreview(PackedCell cell);
void DealBoard();
void NewGame();
void EndGame();
