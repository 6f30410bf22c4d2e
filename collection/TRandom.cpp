#include "TRandom.h"

#include <ctime>

TRandom::TRandom() : State(static_cast<std::uint32_t>(std::time(nullptr))) {}

std::uint32_t TRandom::NextValue(std::uint32_t n) {
    State = State * 1664525u + 1013904223u;
    // Only the high 16 bits are used: the low bits of an LCG repeat with short periods.
    return (State >> 16) % n + 1;
}
