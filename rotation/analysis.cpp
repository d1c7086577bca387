// SPDX-License-Identifier: GPL-3.0-or-later
#include "rotation/rotation.h"

#include <algorithm>
#include <charconv>

namespace rotation {

namespace {

// Room for the whole report of a string of length L, so that appending never reallocates:
// 2L lines of at most L + 5 bytes, then four lines of at most 64 bytes of text and figures
// beside the minimum's and maximum's L digits.
std::size_t reportCapacity(std::size_t length)
{
    return 2 * length * (length + 6) + 4 * 64;
}

template<typename... Pieces> void appendLine(std::string& report, const Pieces&... pieces)
{
    ((report += std::string_view(pieces)), ...);
    report += "\r\n";
}

// The plain decimal form of a number, made without a string of its own.
class Decimal {
public:
    explicit Decimal(std::int32_t value)
        : size(static_cast<std::size_t>(
              std::to_chars(digits, digits + sizeof digits, value).ptr - digits))
    {
    }
    operator std::string_view() const { return {digits, size}; }

private:
    char digits[12];
    std::size_t size;
};

} // namespace

void Analysis::BuildRotations()
{
    std::int32_t magnitude = ReadNumber(InputText);

    // The digits come least significant first, and are turned round once complete.
    EnteredBinary.clear();
    for (; magnitude > 0; magnitude /= 2)
        EnteredBinary += magnitude % 2 == 0 ? '0' : '1';
    std::reverse(EnteredBinary.begin(), EnteredBinary.end());

    // The rotation by k places to the left is the window of L characters at place k of the
    // string written twice. The entered string itself comes first, even when it is empty.
    const std::size_t length = EnteredBinary.size();
    const std::string twice = EnteredBinary + EnteredBinary;
    RotationReport.clear();
    RotationReport.reserve(reportCapacity(length));
    for (std::size_t k = 0; k == 0 || k < length; ++k) {
        const std::string_view rotation = std::string_view(twice).substr(k, length);
        appendLine(RotationReport, rotation);
        List1.Add(rotation);
    }

    ReportSorted();
}

void Analysis::ReportSorted()
{
    appendLine(RotationReport, "Двоичните числа във възходящ ред:");

    const std::int16_t count = List1.Count();
    std::int32_t position = 0;
    for (std::int16_t i = 0; i < count; ++i) {
        const std::string& item = List1.Item(i);
        appendLine(RotationReport, Decimal(i + 1), ":", item);
        // The last equal item wins, so a periodic string gets the highest matching line.
        if (item == EnteredBinary)
            position = i + 1;
    }
    appendLine(RotationReport, "Въведеното число е на позиция: ", Decimal(position));

    const std::string& minimum = List1.Item(0);
    appendLine(RotationReport, "Минимално число: ", minimum, " = ", Decimal(DecimalOf(minimum)));
    const std::string& maximum = List1.Item(static_cast<std::int16_t>(count - 1));
    appendLine(RotationReport, "Максимално число: ", maximum, " = ", Decimal(DecimalOf(maximum)));
}

} // namespace rotation
