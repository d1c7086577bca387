#include "rotation/rotation.h"

#include <algorithm>

namespace rotation {

namespace {

constexpr std::string_view lineEnd = "\r\n";

// Room for the whole report of a string of length L, so that appending never reallocates:
// 2L lines of at most L + 5 bytes, then four lines of at most 64 bytes of text and figures
// beside the minimum's and maximum's L digits.
std::size_t reportCapacity(std::size_t length)
{
    return 2 * length * (length + 6) + 4 * 64;
}

void appendLine(std::string& report, std::string_view text, std::string_view tail = {})
{
    report += text;
    report += tail;
    report += lineEnd;
}

} // namespace

void Analysis::BuildRotations()
{
    std::int32_t magnitude = ReadNumber(InputText);

    std::string digits;
    for (; magnitude > 0; magnitude /= 2)
        digits += magnitude % 2 == 0 ? '0' : '1';
    EnteredBinary.assign(digits.rbegin(), digits.rend());

    std::string current = EnteredBinary;
    const auto length = static_cast<std::int16_t>(current.size());
    RotationReport.clear();
    RotationReport.reserve(reportCapacity(current.size()));
    appendLine(RotationReport, current);
    List1.Add(current);
    for (std::int16_t i = 1; i < length; ++i) {
        std::rotate(current.begin(), current.begin() + 1, current.end());
        appendLine(RotationReport, current);
        List1.Add(current);
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
        RotationReport += std::to_string(i + 1);
        appendLine(RotationReport, ":", item);
        // The last equal item wins, so a periodic string gets the highest matching line.
        if (item == EnteredBinary)
            position = i + 1;
    }
    appendLine(RotationReport, "Въведеното число е на позиция: ", std::to_string(position));

    const auto appendExtreme = [this](std::string_view label, const std::string& digits) {
        RotationReport += label;
        RotationReport += digits;
        appendLine(RotationReport, " = ", std::to_string(DecimalOf(digits)));
    };
    appendExtreme("Минимално число: ", List1.Item(0));
    appendExtreme("Максимално число: ", List1.Item(static_cast<std::int16_t>(count - 1)));
}

} // namespace rotation
