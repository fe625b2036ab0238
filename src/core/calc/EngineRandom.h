#pragma once
// The program's one random generator. Its sequence is part of the behaviour:
// with the reset setting on, a calculation repeats to the last tip.

#include <cstdint>

namespace vdx {

class EngineRandom {
public:
    static constexpr uint32_t kInitialState = 1159103127u;

    void Seed(uint32_t value) { state_ = value; }
    uint32_t State() const { return state_; }
    // 0..32766
    int Next() {
        state_ = state_ * 22695477u + 1u;
        return static_cast<int>((state_ >> 16) % 32767u);
    }
    // 0..n
    int RandomUpTo(int n) { return static_cast<int>(static_cast<unsigned>(Next()) % static_cast<unsigned>(n + 1)); }

private:
    uint32_t state_ = kInitialState;
};

// The generator shared by the whole program (one GUI thread).
EngineRandom& GlobalRandom();

} // namespace vdx
