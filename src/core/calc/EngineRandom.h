#pragma once
// The program's one random generator. Its sequence is part of the behaviour:
// with the reset setting on, a calculation repeats to the last tip.

#include <cstdint>

namespace vdx {

namespace random_detail {
constexpr uint32_t kReciprocals = 1024;
// ceil(2^32 / d) for 2 <= d < kReciprocals.
struct Reciprocals {
    uint32_t value[kReciprocals] = {};
    constexpr Reciprocals() {
        for (uint32_t d = 2; d < kReciprocals; ++d) value[d] = static_cast<uint32_t>(((uint64_t{1} << 32) + d - 1) / d);
    }
};
inline constexpr Reciprocals kReciprocalTable{};
} // namespace random_detail

class EngineRandom {
public:
    static constexpr uint32_t kInitialState = 1159103127u;

    void Seed(uint32_t value) { state_ = value; }
    uint32_t State() const { return state_; }
    // 0..32766
    int Next() {
        state_ = state_ * 22695477u + 1u;
        return static_cast<int>(Reduce(state_ >> 16));
    }
    // upper % 32767 for upper below 2^16: 2^15 is 1 modulo 32767.
    static uint32_t Reduce(uint32_t upper) {
        const uint32_t v = (upper & 0x7FFFu) + (upper >> 15);
        return v >= 32767u ? v - 32767u : v;
    }
    // 0..n. The engine draws among ties often, with n changing each time: a
    // division by n + 1 would be most of such a draw. Next() is below 2^15, so
    // the product with the rounded-up reciprocal of n + 1 gives the exact quotient.
    int RandomUpTo(int n) {
        const uint32_t v = static_cast<uint32_t>(Next());
        return static_cast<int>(Remainder(v, static_cast<uint32_t>(n) + 1u));
    }
    // v % d for v below 2^15.
    static uint32_t Remainder(uint32_t v, uint32_t d) {
        if (__builtin_constant_p(d) || d < 2u || d >= kReciprocals) return v % d;
        const uint32_t q = static_cast<uint32_t>((static_cast<uint64_t>(v) * kReciprocal[d]) >> 32);
        return v - q * d;
    }

private:
    static constexpr uint32_t kReciprocals = random_detail::kReciprocals;
    static constexpr const uint32_t* kReciprocal = random_detail::kReciprocalTable.value;

    uint32_t state_ = kInitialState;
};

// The generator shared by the whole program (one GUI thread).
EngineRandom& GlobalRandom();

} // namespace vdx
