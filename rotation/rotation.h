// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The rotation exercise without a window: a number's binary digit string, its cyclic left
// rotations, and the report that lists them sorted with the position, minimum and maximum.
namespace rotation {

// Thrown when the number read does not fit a 32-bit magnitude. Its text is meant for the user.
class OutOfRange : public std::range_error {
public:
    OutOfRange();
};

// Strings kept in ascending character order as they are added; equal strings are all kept.
class SortedList {
public:
    void Add(std::string_view item);
    void Clear();
    std::int16_t Count() const;
    // Throws std::out_of_range for an index outside [0, Count()).
    const std::string& Item(std::int16_t index) const;

private:
    // Strings stay in the slot they were first stored in, and the order is kept as a list of
    // slots: adding moves small numbers rather than strings, and a cleared list reuses its
    // strings' memory for the next computation.
    std::vector<std::string> stored; // not "slots", which Qt defines as a macro
    std::vector<std::int16_t> order;
};

// Owns the computation's four things: the input text it reads, the report it writes, the sorted
// list it fills and the binary string of the number last read.
class Analysis {
public:
    std::string InputText;
    std::string RotationReport;
    SortedList List1;
    std::string EnteredBinary;

    // Reads InputText, writes the binary string and its rotations, then calls ReportSorted().
    // Throws OutOfRange before writing anything. Does not clear List1: the caller does that
    // between two computations.
    void BuildRotations();
    // Appends the numbered sorted strings, the position of EnteredBinary and the extremes.
    void ReportSorted();
};

// The magnitude of the number at the start of text: blanks, tabs and line feeds are skipped,
// the value is rounded half to even. Text without a number reads as 0.
std::int32_t ReadNumber(std::string_view text);

// The value of a string of "0" and "1" read as a binary number; any other character counts as
// "0". Throws OutOfRange if the value does not fit 31 bits.
std::int32_t DecimalOf(std::string_view digits);

} // namespace rotation
