// The rules of play: the random source, the machine's move, applying and announcing
// a move, and deciding when a game is over and who won.
#pragma once

#include <cstdint>

/// Low 16 bits of the wall clock, in nanoseconds since the epoch: the seed of the run.
std::uint16_t graine_horloge();

/// A whole number drawn uniformly from low to high, both included (low <= high).
int random(int low, int high);
