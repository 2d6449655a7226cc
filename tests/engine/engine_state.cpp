#include "engine_state.h"

#include "doubles.h"
#include "engine/game.h"
#include "engine/move.h"
#include "engine/random.h"

#include <cstdlib>
#include <cstring>

void ResetEngine()
{
    std::memset(Board, 0, sizeof Board);
    std::memset(UndoBoard, 0, sizeof UndoBoard);
    std::memset(HighlightMap, 0, sizeof HighlightMap);
    Score = UndoScore = PreviewCount = PreviewScore = 0;
    UndoAvailable = 0;
    ColourCount = 3;
    SeedRandom(1);
    OutwardCalls.clear();
    ScoreAtRecord = 0;
    ShownAtRepaint.clear();
}

std::string Text(Drawing rows)
{
    std::string text;
    for (std::size_t row = rows.size(); row < BOARD_ROWS; ++row)
        text += std::string(BOARD_COLS, '.') + '\n';
    for (const char *line : rows)
        text += line + std::string(BOARD_COLS - std::strlen(line), '.') + '\n';
    return text;
}

void SetBoard(Drawing rows)
{
    std::string text = Text(rows);
    for (int col = 0; col < BOARD_COLS; ++col)
        for (int row = 0; row < BOARD_ROWS; ++row)
            Board[CellIndex(col, row)] = int(std::strchr(".BGR", text[row * 16 + col]) - ".BGR");
}

static std::string Draw(bool highlight)
{
    std::string text;
    for (int row = 0; row < BOARD_ROWS; ++row) {
        for (int col = 0; col < BOARD_COLS; ++col) {
            int i = CellIndex(col, row);
            bool lower = highlight ? HighlightMap[i] != 0 : Board[i] < 0;
            text += (lower ? ".bgr" : ".BGR")[std::abs(Board[i])];
        }
        text += '\n';
    }
    return text;
}

std::string BoardText()
{
    return Draw(false);
}
std::string HighlightText()
{
    return Draw(true);
}

bool NoHighlight()
{
    for (std::uint8_t h : HighlightMap)
        if (h != 0)
            return false;
    return true;
}
