// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_invariants.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

std::string valueOf(const std::string& digits)
{
    std::uint64_t value = 0;
    for (char digit : digits)
        value = value * 2 + (digit == '1' ? 1 : 0);
    return std::to_string(value);
}

} // namespace

std::vector<std::string> reportLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start != text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string reportViolation(const rotation::Analysis& analysis)
{
    const std::string& entered = analysis.EnteredBinary;
    if (entered.size() > 31 || entered.find_first_not_of("01") != std::string::npos ||
        (!entered.empty() && entered.front() != '1'))
        return "not a binary string without leading zeros: " + entered;

    if (!analysis.RotationReport.ends_with("\r\n"))
        return "the report does not end with CR LF";
    const std::vector<std::string> lines = reportLines(analysis.RotationReport);

    const std::size_t count = std::max<std::size_t>(entered.size(), 1);
    if (lines.size() != 2 * count + 4)
        return std::to_string(lines.size()) + " lines instead of " + std::to_string(2 * count + 4);

    std::vector<std::string> rotations;
    for (std::size_t k = 0; k < count; ++k) {
        rotations.push_back(entered.substr(k) + entered.substr(0, k));
        if (lines[k] != rotations.back())
            return "rotation line " + std::to_string(k + 1) + " is " + lines[k];
    }
    if (lines[count] != "Двоичните числа във възходящ ред:")
        return "heading is " + lines[count];

    std::vector<std::string> sorted;
    std::size_t lastEqual = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string prefix = std::to_string(i + 1) + ":";
        const std::string& line = lines[count + 1 + i];
        if (line.rfind(prefix, 0) != 0)
            return "sorted line " + std::to_string(i + 1) + " is " + line;
        sorted.push_back(line.substr(prefix.size()));
        if (sorted.back() == entered)
            lastEqual = i + 1;
    }
    if (!std::is_sorted(sorted.begin(), sorted.end()))
        return "the sorted block is not ascending";
    std::sort(rotations.begin(), rotations.end());
    if (sorted != rotations)
        return "the sorted block does not hold the rotations";
    if (lastEqual < 1 || lastEqual > count)
        return "the entered string is not in the sorted block";

    const std::string expected[] = {
        "Въведеното число е на позиция: " + std::to_string(lastEqual),
        "Минимално число: " + sorted.front() + " = " + valueOf(sorted.front()),
        "Максимално число: " + sorted.back() + " = " + valueOf(sorted.back()),
    };
    for (std::size_t i = 0; i < 3; ++i) {
        if (lines[2 * count + 1 + i] != expected[i])
            return "\"" + lines[2 * count + 1 + i] + "\" instead of \"" + expected[i] + "\"";
    }
    return {};
}
