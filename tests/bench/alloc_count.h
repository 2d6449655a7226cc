// Counts heap allocations made while counting is switched on, so the
// benchmark can show that the rules never touch the heap.
#pragma once

extern bool CountAllocations;
extern long AllocationCount;
