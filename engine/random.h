// The pseudo-random generator that deals the board: a linear
// congruential generator whose output is bits 16..30 of its state.
#pragma once

void SeedRandom(unsigned seed);
int NextRandom(); // 0..32767
