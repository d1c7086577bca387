// SPDX-License-Identifier: GPL-3.0-or-later
#include "rotation/rotation.h"

#include <algorithm>

namespace rotation {

std::int32_t DecimalOf(std::string_view digits)
{
    // The weight is doubled after every digit, the last one included, so a 31-digit string
    // takes it to 2^31: it is kept in 64 bits and capped there, where a "1" no longer fits.
    constexpr std::int64_t limit = std::int64_t {1} << 31;
    std::int64_t value = 0;
    std::int64_t weight = 1;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        if (*digit == '1') {
            if (weight == limit)
                throw OutOfRange();
            value += weight;
        }
        weight = std::min(weight * 2, limit);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace rotation
