// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

// The number offered for examination: 1000 to 8999, drawn from a uniform value in [0, 1).
class NumberSource {
public:
    void seedFromClock();
    // 24 random bits times 2^-24: uniform over the floats that [0, 1) can hold at that
    // spacing, and never 1 (std::generate_canonical<float> can return 1).
    float nextUnit();
    std::int16_t next() { return offeredNumber(nextUnit()); }

    // r in [0, 1) to 1000..8999: r × 10000 rounded half to even, folded by 8000. The fold
    // makes 1001..2999 come up twice as often as 3001..8999.
    static std::int16_t offeredNumber(float r);

private:
    std::mt19937 generator;
};
