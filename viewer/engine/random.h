// The show's one random generator. Every random choice of the scene and the motion
// modes draws from it in a fixed order, so a project replays the same show on every
// start (only the RANDOM mode re-seeds it, from the clock).
#pragma once
#include <cstdint>

namespace orb {

class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 1) : state_(seed) {}

    void Seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t State() const { return state_; }

    // state := state x 214013 + 2531011 (mod 2^32); result (state >> 16) & 0x7FFF,
    // 0..32767. From seed 1: 41, 18467, 6334, 26500, ...
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

    // "rand % n": one draw, reduced modulo n with C semantics. A modulus of 0 (which
    // settings at their extremes can produce) still draws, so the sequence stays in
    // step, and yields 0 instead of dividing by zero.
    int Below(int n) {
        const int value = Next();
        return n == 0 ? 0 : value % n;
    }

private:
    std::uint32_t state_;
};

}  // namespace orb
