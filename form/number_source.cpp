// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/number_source.h"

#include <chrono>
#include <cmath>

void NumberSource::seedFromClock()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    generator.seed(static_cast<std::mt19937::result_type>(ticks));
}

float NumberSource::nextUnit()
{
    constexpr float unit = 1.0f / (1 << 24);
    return static_cast<float>(generator() >> 8) * unit;
}

std::int16_t NumberSource::offeredNumber(float r)
{
    // The product of a float and 10000 is exact in double; nearbyint rounds halves to even.
    const auto v = static_cast<std::int32_t>(std::nearbyint(static_cast<double>(r) * 10000.0));
    return static_cast<std::int16_t>(v % 8000 + 1000);
}
