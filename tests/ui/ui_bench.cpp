// How long the main window takes per event, the synchronous repaint
// included: pointer moves over the board, arrow keys that move the
// keyboard cursor, and clicks that play a move (with the search for a
// remaining group that follows every move).
//
//   tools/wine-run.sh PREFIX build/.../tests/ui/ui_bench.exe [EVENTS]
#include "engine/game.h"
#include "engine/move.h"
#include "engine/random.h"
#include "res/resource.h"
#include "store/settings.h"
#include "ui/mainwnd.h"
#include "ui/wintools.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

static double Now()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1e3 / double(frequency.QuadPart);
}

static double TimeEvent(UINT message, WPARAM wParam, LPARAM lParam)
{
    double start = Now();
    SendMessageA(MainWindow, message, wParam, lParam);
    return Now() - start;
}

static LPARAM CellPoint(int i)
{
    int col = (i * 7) % BOARD_COLS, row = (i * 3) % BOARD_ROWS;
    return MAKELPARAM(BoardLeft + col * CellSize + CellSize / 2,
                      BoardTop + row * CellSize + CellSize / 2);
}

static void Report(const char *what, std::vector<double> &ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s %6zu events   median %.3f ms   p99 %.3f ms\n", what, ms.size(),
                ms[ms.size() / 2], ms[ms.size() * 99 / 100]);
}

// The cursor snakes over the board: along a row, one up, back along the
// next, so that it also meets the edges.
static WPARAM ArrowKey(int i)
{
    if (i % BOARD_COLS == BOARD_COLS - 1)
        return (i / (BOARD_COLS * BOARD_ROWS)) % 2 ? VK_DOWN : VK_UP;
    return (i / BOARD_COLS) % 2 ? VK_LEFT : VK_RIGHT;
}

// Clicks that hit a group are timed; each is undone twice, untimed, so
// the board stays full and the game never ends.
static std::vector<double> TimeClicks(int count)
{
    std::vector<double> ms;
    for (int i = 0; int(ms.size()) < count; ++i) {
        double t = TimeEvent(WM_LBUTTONDOWN, 0, CellPoint(i));
        if (!UndoAvailable)
            continue;
        ms.push_back(t);
        SendMessageA(MainWindow, WM_COMMAND, IDM_UNDO, 0);
        SendMessageA(MainWindow, WM_COMMAND, IDM_UNDO, 0);
        SendMessageA(MainWindow, WM_COMMAND, IDM_UNDO, 0);
    }
    return ms;
}

int main(int argc, char **argv)
{
    int events = argc > 1 ? std::atoi(argv[1]) : 3000;
    Instance = GetModuleHandleA(nullptr);
    Language = 1;
    if (!CreateMainWindow())
        return 1;
    SeedRandom(2024);
    DealBoard();
    std::vector<double> moves;
    for (int i = 0; i < events; ++i)
        moves.push_back(TimeEvent(WM_MOUSEMOVE, 0, CellPoint(i)));
    std::vector<double> keys;
    for (int i = 0; i < events; ++i)
        keys.push_back(TimeEvent(WM_KEYDOWN, ArrowKey(i), 1));
    std::vector<double> clicks = TimeClicks(events / 3);
    std::printf("cell size %d, client area repainted through the back buffer\n", int(CellSize));
    Report("pointer move + repaint", moves);
    Report("arrow key + repaint", keys);
    Report("click + end probe + repaint", clicks);
    DestroyWindow(MainWindow);
    return 0;
}
