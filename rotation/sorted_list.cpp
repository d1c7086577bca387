// SPDX-License-Identifier: GPL-3.0-or-later
#include "rotation/rotation.h"

#include <algorithm>
#include <limits>

namespace rotation {

void SortedList::Add(std::string_view item)
{
    // Count() is 16 bits wide; refusing the item keeps it truthful.
    if (order.size() >= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throw std::length_error("SortedList is full");

    const auto slot = static_cast<std::int16_t>(order.size());
    if (order.size() < stored.size())
        stored[order.size()].assign(item);
    else
        stored.emplace_back(item);

    // A new string goes after the ones equal to it, so equal strings stay side by side.
    const auto place = std::upper_bound(order.begin(), order.end(), item,
        [this](std::string_view value, std::int16_t other) { return value < stored[other]; });
    order.insert(place, slot);
}

void SortedList::Clear()
{
    order.clear();
}

std::int16_t SortedList::Count() const
{
    return static_cast<std::int16_t>(order.size());
}

const std::string& SortedList::Item(std::int16_t index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("SortedList index out of range");
    return stored[static_cast<std::size_t>(order[static_cast<std::size_t>(index)])];
}

} // namespace rotation
