// How fast the group search and the move are, beside a plain flood fill
// doing the same work, and proof that neither step touches the heap.
#include "alloc_count.h"
#include "boards.h"
#include "engine/board.h"
#include "engine/move.h"
#include "flood_fill.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// Runs call() once per iteration on a fresh copy of board, which is put in
// place outside the timing.
template <typename Call>
static void TimeOnBoard(benchmark::State &state, const std::int32_t *board, Call call)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(Board, board, sizeof Board);
        state.ResumeTiming();
        CountAllocations = true;
        call();
        CountAllocations = false;
    }
}

static std::int32_t Serpentine[BOARD_CELLS], WorstMove[BOARD_CELLS], Checkerboard[BOARD_CELLS];
constexpr int FULL_BOARDS = 16;
static std::int32_t FullBoards[FULL_BOARDS][BOARD_CELLS];
static PackedCell FullBoardCells[FULL_BOARDS];

static void EngineWinding(benchmark::State &state)
{
    TimeOnBoard(state, Serpentine, [] { benchmark::DoNotOptimize(FindGroup(SERPENTINE_FAR_END)); });
}

static void FloodWinding(benchmark::State &state)
{
    bool member[BOARD_CELLS];
    int i = CellIndex(CellCol(SERPENTINE_FAR_END), CellRow(SERPENTINE_FAR_END));
    for (auto _ : state)
        benchmark::DoNotOptimize(FloodGroup(Serpentine, i, member));
}

static void EngineFullBoard(benchmark::State &state)
{
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        k = (k + 1) % FULL_BOARDS;
        std::memcpy(Board, FullBoards[k], sizeof Board);
        state.ResumeTiming();
        CountAllocations = true;
        PlayMove(FullBoardCells[k]);
        CountAllocations = false;
    }
}

static void FloodFullBoard(benchmark::State &state)
{
    std::int32_t board[BOARD_CELLS], undo[BOARD_CELLS];
    int score = 0, k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        k = (k + 1) % FULL_BOARDS;
        std::memcpy(board, FullBoards[k], sizeof board);
        PackedCell cell = FullBoardCells[k];
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            FloodMove(board, undo, score, CellIndex(CellCol(cell), CellRow(cell))));
    }
}

static void EngineWorstMove(benchmark::State &state)
{
    TimeOnBoard(state, WorstMove, [] { PlayMove(WORST_MOVE_CELL); });
}

static void FloodWorstMove(benchmark::State &state)
{
    std::int32_t board[BOARD_CELLS], undo[BOARD_CELLS];
    int score = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(board, WorstMove, sizeof board);
        state.ResumeTiming();
        benchmark::DoNotOptimize(FloodMove(board, undo, score, 0));
    }
}

static void EngineNoGroup(benchmark::State &state)
{
    TimeOnBoard(state, Checkerboard, [] { benchmark::DoNotOptimize(HasAnyGroup()); });
}

static void FloodNoGroup(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FloodHasAnyGroup(Checkerboard));
}

struct Case {
    const char *name;
    void (*engine)(benchmark::State &);
    void (*flood)(benchmark::State &);
};

static const Case Cases[] = {
    {"FindGroup, winding path from its far end", EngineWinding, FloodWinding},
    {"PlayMove and end probe, full 3-colour boards", EngineFullBoard, FloodFullBoard},
    {"PlayMove and end probe, worst board", EngineWorstMove, FloodWorstMove},
    {"HasAnyGroup, checkerboard without a group", EngineNoGroup, FloodNoGroup},
};
constexpr int CASES = sizeof Cases / sizeof Cases[0];

// Heap allocations made inside the engine's calls, by case.
static long EngineAllocations[CASES];

// Keeps the time per operation of every case, by name, for the table:
// the median when the runs are repeated, else the one run.
struct TimeKeeper : benchmark::ConsoleReporter {
    std::map<std::string, double> microseconds;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                microseconds[run.run_name.str()] = run.GetAdjustedRealTime() * 1e6 /
                                                   benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
};

// Returns the number of allocations the engine made in all cases.
static long PrintTable(const TimeKeeper &times)
{
    std::printf("\n%-46s %12s %12s %7s %7s\n", "", "engine us", "flood us", "ratio", "allocs");
    long total = 0;
    for (int k = 0; k < CASES; ++k) {
        const char *name = Cases[k].name;
        auto e = times.microseconds.find(std::string("engine: ") + name);
        auto f = times.microseconds.find(std::string("flood: ") + name);
        total += EngineAllocations[k];
        if (e == times.microseconds.end() || f == times.microseconds.end())
            continue;
        std::printf("%-46s %12.2f %12.2f %7.1f %7ld\n", name, e->second, f->second,
                    e->second / f->second, EngineAllocations[k]);
    }
    return total;
}

int main(int argc, char **argv)
{
    DrawSerpentine(Serpentine);
    DrawWorstMove(WorstMove);
    DrawCheckerboard(Checkerboard);
    for (int k = 0; k < FULL_BOARDS; ++k)
        DealFullBoard(unsigned(1000 + k), FullBoards[k], FullBoardCells[k]);

    benchmark::Initialize(&argc, argv);
    for (int k = 0; k < CASES; ++k) {
        auto engine = [k](benchmark::State &state) {
            long before = AllocationCount;
            Cases[k].engine(state);
            EngineAllocations[k] += AllocationCount - before;
        };
        benchmark::RegisterBenchmark((std::string("engine: ") + Cases[k].name).c_str(), engine)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("flood: ") + Cases[k].name).c_str(),
                                     Cases[k].flood)
            ->Unit(benchmark::kMicrosecond);
    }
    TimeKeeper times;
    benchmark::RunSpecifiedBenchmarks(&times);
    benchmark::Shutdown();
    long allocations = PrintTable(times);
    if (allocations != 0)
        std::printf("The engine allocated from the heap %ld times; it must not.\n", allocations);
    return allocations == 0 ? 0 : 1;
}
