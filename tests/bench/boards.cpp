#include "boards.h"

#include "engine/game.h"
#include "engine/random.h"
#include "flood_fill.h"

#include <cstring>

void DrawSerpentine(std::int32_t *board)
{
    for (int col = 0; col < BOARD_COLS; ++col) {
        int join = (col / 2) % 2 == 0 ? BOARD_ROWS - 1 : 0;
        for (int row = 0; row < BOARD_ROWS; ++row)
            board[CellIndex(col, row)] = col % 2 == 0 || row == join ? 1 : 2;
    }
}

void DrawWorstMove(std::int32_t *board)
{
    const char *rows[BOARD_ROWS] = {
        "RBBBBGBBBGBBBBB", //
        "RBGGBGBGBGBGGBB", //
        "GBBGBGBGBGBBGGB", //
        "BGBGBGBGBBGBBGB", //
        "BGBGBGBGBBBGBGB", //
        "BGBGBGBGGGBBBGB", //
        "BGBGBGBGBGGGGGB", //
        "BBBGBBBGBBBBBBB", //
        "GGGGGGGGBBBBBBB", //
        "BBBBBBBBBBBBBBB", //
    };
    for (int col = 0; col < BOARD_COLS; ++col)
        for (int row = 0; row < BOARD_ROWS; ++row)
            board[CellIndex(col, row)] = int(std::strchr(".BGR", rows[row][col]) - ".BGR");
}

void DealFullBoard(unsigned seed, std::int32_t *board, PackedCell &cell)
{
    ColourCount = 3;
    SeedRandom(seed);
    DealBoard();
    std::memcpy(board, Board, sizeof Board);
    bool member[BOARD_CELLS];
    int i = 0;
    while (i < BOARD_CELLS - 1 && FloodGroup(board, i, member) == 0)
        ++i;
    cell = PackCell(i / BOARD_ROWS, i % BOARD_ROWS);
}

void DrawCheckerboard(std::int32_t *board)
{
    for (int col = 0; col < BOARD_COLS; ++col)
        for (int row = 0; row < BOARD_ROWS; ++row)
            board[CellIndex(col, row)] = (col + row) % 2 + 1;
}
