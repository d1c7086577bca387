#include "rotation/rotation.h"

#include <algorithm>
#include <limits>

namespace rotation {

void SortedList::Add(std::string item)
{
    // Count() is 16 bits wide; refusing the item keeps it truthful.
    if (items.size() >= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throw std::length_error("SortedList is full");
    // A new string goes after the ones equal to it, so equal strings stay side by side.
    items.insert(std::upper_bound(items.begin(), items.end(), item), std::move(item));
}

void SortedList::Clear()
{
    items.clear();
}

std::int16_t SortedList::Count() const
{
    return static_cast<std::int16_t>(items.size());
}

const std::string& SortedList::Item(std::int16_t index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("SortedList index out of range");
    return items[static_cast<std::size_t>(index)];
}

} // namespace rotation
