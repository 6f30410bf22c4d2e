#pragma once
// The program's own 32-bit linear congruential generator. Each collection and each group
// owns one, so drawing a group never disturbs the sequence of saver draws.

#include <cstdint>

class TRandom {
public:
    // Seeds with the current time in whole seconds since 1970.
    TRandom();
    explicit TRandom(std::uint32_t state) : State(state) {}
    TRandom(const TRandom&) = delete;
    TRandom& operator=(const TRandom&) = delete;

    // Advances the state and returns a number from 1 to n (n at least 1).
    std::uint32_t NextValue(std::uint32_t n);

    std::uint32_t GetState() const { return State; }
    void SetState(std::uint32_t state) { State = state; }

private:
    std::uint32_t State;
};
