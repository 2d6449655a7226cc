#include "random.h"

#include <cstdint>

static std::uint32_t RandomState = 1;

void SeedRandom(unsigned seed) { RandomState = seed; }

int NextRandom()
{
    RandomState = RandomState * 214013u + 2531011u;
    return int((RandomState >> 16) & 0x7FFF);
}
