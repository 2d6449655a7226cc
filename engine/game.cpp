#include "game.h"

#include "move.h"
#include "random.h"
#include "store/highscores.h"
#include "ui/repaint.h"

#include <ctime>

std::int32_t ColourCount = 3;
std::uint8_t HighlightMap[BOARD_CELLS];
std::int32_t PreviewCount;
std::int32_t PreviewScore;

void ClearHighlight()
{
    for (std::uint8_t &h : HighlightMap)
        h = 0;
}

void UpdatePreview(PackedCell cell)
{
    int n = FindGroup(cell);
    if (n == 0) {
        PreviewCount = 0;
        PreviewScore = 0;
        return;
    }
    for (int i = 0; i < BOARD_CELLS; ++i)
        HighlightMap[i] = Board[i] < 0;
    ClearMarks();
    PreviewCount = n;
    PreviewScore = (n - 2) * (n - 2);
}

// Fills every cell in CellIndex order from the generator as it stands.
void DealBoard()
{
    for (std::int32_t &v : Board)
        v = NextRandom() * ColourCount / 32768 + 1;
}

// Seeded from the calendar clock in whole seconds, so two games started
// within the same second are dealt alike.
void NewGame()
{
    UndoAvailable = 0;
    SeedRandom(unsigned(std::time(nullptr)));
    DealBoard();
    Score = 0;
    ClearHighlight();
    PreviewScore = 0;
    PreviewCount = 0;
}

// After gravity and closing, the bottom-left cell is empty exactly when
// the whole board is.
void EndGame()
{
    UndoAvailable = 0;
    if (Board[CellIndex(0, BOARD_ROWS - 1)] == 0)
        Score += 1000;
    RepaintNow();
    RecordFinalScore();
}
