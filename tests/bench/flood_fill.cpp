#include "flood_fill.h"

#include <cstring>

int FloodGroup(const std::int32_t *board, int i, bool *member)
{
    std::memset(member, 0, BOARD_CELLS);
    std::int32_t colour = board[i];
    if (colour == 0)
        return 0;
    int queue[BOARD_CELLS];
    int head = 0, tail = 0;
    queue[tail++] = i;
    member[i] = true;
    auto visit = [&](int n) {
        if (!member[n] && board[n] == colour) {
            member[n] = true;
            queue[tail++] = n;
        }
    };
    while (head < tail) {
        int k = queue[head++];
        int col = k / BOARD_ROWS, row = k % BOARD_ROWS;
        if (col < BOARD_COLS - 1)
            visit(k + BOARD_ROWS);
        if (col > 0)
            visit(k - BOARD_ROWS);
        if (row < BOARD_ROWS - 1)
            visit(k + 1);
        if (row > 0)
            visit(k - 1);
    }
    return tail < 2 ? 0 : tail;
}

// Probes every cell, as the engine does.
bool FloodHasAnyGroup(const std::int32_t *board)
{
    bool member[BOARD_CELLS];
    int sum = 0;
    for (int i = 0; i < BOARD_CELLS; ++i)
        sum += FloodGroup(board, i, member);
    return sum != 0;
}

static void SettleColumn(std::int32_t *column)
{
    int to = BOARD_ROWS - 1;
    for (int row = BOARD_ROWS - 1; row >= 0; --row)
        if (column[row] != 0)
            column[to--] = column[row];
    while (to >= 0)
        column[to--] = 0;
}

static void CloseColumns(std::int32_t *board)
{
    int to = 0;
    for (int col = 0; col < BOARD_COLS; ++col) {
        if (board[CellIndex(col, BOARD_ROWS - 1)] == 0)
            continue;
        if (to != col)
            std::memcpy(&board[CellIndex(to, 0)], &board[CellIndex(col, 0)],
                        BOARD_ROWS * sizeof *board);
        ++to;
    }
    std::memset(&board[CellIndex(to, 0)], 0, (BOARD_CELLS - CellIndex(to, 0)) * sizeof *board);
}

bool FloodMove(std::int32_t *board, std::int32_t *undo, int &score, int i)
{
    bool member[BOARD_CELLS];
    int n = FloodGroup(board, i, member);
    if (n == 0)
        return true;
    std::memcpy(undo, board, BOARD_CELLS * sizeof *board);
    for (int k = 0; k < BOARD_CELLS; ++k)
        if (member[k])
            board[k] = 0;
    for (int col = 0; col < BOARD_COLS; ++col)
        SettleColumn(&board[CellIndex(col, 0)]);
    CloseColumns(board);
    score += (n - 2) * (n - 2);
    return FloodHasAnyGroup(board);
}
