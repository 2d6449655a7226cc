// Random games played by the engine and, side by side, by a plain model
// of the rules: a recursive flood fill, each column compacted, empty
// columns dropped. Each board has its own seed, so a failure names it.
#include "engine_state.h"

#include "doubles.h"
#include "engine/game.h"
#include "engine/move.h"

#include <array>
#include <cstring>
#include <random>

typedef std::array<int, BOARD_CELLS> Cells; // CellIndex order, 0 empty, 1..3 a colour

struct Model {
    Cells board{}, undoBoard{};
    int score = 0, undoScore = 0;
    bool undoAvailable = false;
};

// Adds the cells of colour joined to (col, row) to in; returns how many.
static int Flood(const Cells &board, int col, int row, int colour, Cells &in)
{
    int i = col * 10 + row;
    if (col < 0 || col >= 15 || row < 0 || row >= 10 || in[i] || board[i] != colour)
        return 0;
    in[i] = 1;
    return 1 + Flood(board, col + 1, row, colour, in) + Flood(board, col - 1, row, colour, in) +
           Flood(board, col, row + 1, colour, in) + Flood(board, col, row - 1, colour, in);
}

// 1 for each cell of the group at (col, row), n its size; none for a lone
// ball, an empty cell or column 15, which stands for off the board.
static Cells GroupAt(const Cells &board, int col, int row, int &n)
{
    Cells in{};
    n = col < 15 && board[col * 10 + row] ? Flood(board, col, row, board[col * 10 + row], in) : 0;
    if (n < 2)
        n = 0;
    return n ? in : Cells{};
}

// Two touching balls of one colour are a group.
static bool AnyGroup(const Cells &b)
{
    for (int i = 0; i < BOARD_CELLS; ++i)
        if (b[i] && ((i % 10 < 9 && b[i + 1] == b[i]) || (i < 140 && b[i + 10] == b[i])))
            return true;
    return false;
}

// Balls drop to the bottom in their order; non-empty columns close up to
// the left in theirs.
static void Collapse(Cells &board)
{
    Cells out{};
    int to = 0;
    for (int col = 0; col < 15; ++col) {
        int row = 9;
        for (int r = 9; r >= 0; --r)
            if (board[col * 10 + r])
                out[to * 10 + row--] = board[col * 10 + r];
        to += row < 9;
    }
    board = out;
}

// Returns true when the move ends the game.
static bool Play(Model &m, int col, int row)
{
    int n;
    Cells group = GroupAt(m.board, col, row, n);
    if (n == 0)
        return false;
    m.undoBoard = m.board;
    m.undoScore = m.score;
    m.undoAvailable = true;
    for (int i = 0; i < BOARD_CELLS; ++i)
        m.board[i] = group[i] ? 0 : m.board[i];
    Collapse(m.board);
    m.score += (n - 2) * (n - 2);
    if (AnyGroup(m.board))
        return false;
    m.undoAvailable = false;
    m.score += m.board == Cells{} ? 1000 : 0;
    return true;
}

// The board as BoardText draws it, the cells in lower set in lower case.
static std::string Picture(const Cells &board, const Cells &lower)
{
    std::string text;
    for (int row = 0; row < 10; ++row) {
        for (int col = 0; col < 15; ++col)
            text += (lower[col * 10 + row] ? ".bgr" : ".BGR")[board[col * 10 + row]];
        text += '\n';
    }
    return text;
}

// A full board of 1..3 colours with holes punched at random and now and
// then a whole column taken out, settled as a game would leave it.
static Model Deal(std::mt19937 &rng)
{
    Model m;
    unsigned colours = 1 + rng() % 3, holes = 50 + rng() % 48; // percent
    for (int col = 0; col < 15; ++col) {
        bool gone = rng() % 8 == 0;
        for (int row = 0; row < 10; ++row)
            m.board[col * 10 + row] = gone || rng() % 100 < holes ? 0 : 1 + rng() % colours;
    }
    Collapse(m.board);
    return m;
}

// After each click the window runs the preview at the same cell, and
// Undo is offered only while it is available; the test does the same.
TEST(ModelCheck, RandomGamesMatchAPlainModelOfTheRules)
{
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        std::mt19937 rng(seed);
        ResetEngine();
        Model m = Deal(rng);
        std::copy(m.board.begin(), m.board.end(), Board);
        for (int step = 0; step < 10; ++step) {
            std::string where = "board " + std::to_string(seed) + " step " + std::to_string(step);
            if (m.undoAvailable && rng() % 6 == 0) {
                SwapUndo();
                std::swap(m.board, m.undoBoard);
                std::swap(m.score, m.undoScore);
                ASSERT_EQ(Picture(m.board, {}), BoardText()) << "undo, " << where;
                ASSERT_EQ(m.score, Score) << "undo, " << where;
                continue;
            }
            // Any cell or none (column 15); an empty one stands for the
            // bottom of its column, so that most clicks hit a ball.
            int i = rng() % 160, col = i / 10, row = i % 10;
            row = col < 15 && !m.board[i] ? 9 : row;
            PackedCell cell = col < 15 ? PackCell(col, row) : NO_CELL;
            std::memset(HighlightMap, 1, sizeof HighlightMap);
            OutwardCalls.clear();
            Cells before = m.board;
            bool ends = Play(m, col, row);
            PlayMove(cell);
            // The end probe leaves the group at its last cell marked.
            int n;
            Cells marked = m.board != before && !ends ? GroupAt(m.board, 14, 9, n) : Cells{};
            ASSERT_EQ(Picture(m.board, marked), BoardText())
                << "click " << col << "," << row << ", " << where;
            ASSERT_EQ(m.score, Score) << where;
            ASSERT_EQ(m.undoAvailable, UndoAvailable) << where;
            ASSERT_EQ(ends ? "RH" : "", OutwardCalls) << where;
            ASSERT_TRUE(NoHighlight()) << where;
            if (ends) {
                ASSERT_EQ(m.score, ScoreAtRecord) << where;
                break;
            }
            UpdatePreview(cell);
            Cells group = GroupAt(m.board, col, row, n);
            ASSERT_EQ(Picture(m.board, group), HighlightText()) << "preview, " << where;
            ASSERT_EQ(Picture(m.board, {}), BoardText()) << "preview, " << where;
            ASSERT_EQ(n, PreviewCount) << where;
        }
    }
}
