// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_invariants.h"
#include "rotation/rotation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using rotation::Analysis;
using rotation::OutOfRange;

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

Analysis analyse(std::string input)
{
    Analysis analysis;
    analysis.InputText = std::move(input);
    analysis.BuildRotations();
    return analysis;
}

// Binary digits written independently of the code under test.
std::string binaryOf(std::uint32_t value)
{
    std::string digits;
    for (int bit = 31; bit >= 0; --bit)
        if (!digits.empty() || (value >> bit & 1U) != 0)
            digits += (value >> bit & 1U) != 0 ? '1' : '0';
    return digits;
}

struct ReportCase {
    std::string input;
    std::vector<std::string> lines;
};

class WholeReport : public testing::TestWithParam<ReportCase> { };

TEST_P(WholeReport, MatchesByteForByte)
{
    const auto& param = GetParam();
    const Analysis analysis = analyse(param.input);
    EXPECT_EQ(analysis.RotationReport, joinLines(param.lines));
}

const std::vector<std::string> emptyReport = {
    "",
    "Двоичните числа във възходящ ред:",
    "1:",
    "Въведеното число е на позиция: 1",
    "Минимално число:  = 0",
    "Максимално число:  = 0",
};

INSTANTIATE_TEST_SUITE_P(Examples, WholeReport,
    testing::Values(
        ReportCase {"12345",
            {"11000000111001", "10000001110011", "00000011100111", "00000111001110",
                "00001110011100", "00011100111000", "00111001110000", "01110011100000",
                "11100111000000", "11001110000001", "10011100000011", "00111000000111",
                "01110000001110", "11100000011100",
                "Двоичните числа във възходящ ред:", "1:00000011100111", "2:00000111001110",
                "3:00001110011100", "4:00011100111000", "5:00111000000111", "6:00111001110000",
                "7:01110000001110", "8:01110011100000", "9:10000001110011", "10:10011100000011",
                "11:11000000111001", "12:11001110000001", "13:11100000011100", "14:11100111000000",
                "Въведеното число е на позиция: 11", "Минимално число: 00000011100111 = 231",
                "Максимално число: 11100111000000 = 14784"}},
        ReportCase {"8186",
            {"1111111111010", "1111111110101", "1111111101011", "1111111010111", "1111110101111",
                "1111101011111", "1111010111111", "1110101111111", "1101011111111", "1010111111111",
                "0101111111111", "1011111111110", "0111111111101",
                "Двоичните числа във възходящ ред:", "1:0101111111111", "2:0111111111101",
                "3:1010111111111", "4:1011111111110", "5:1101011111111", "6:1110101111111",
                "7:1111010111111", "8:1111101011111", "9:1111110101111", "10:1111111010111",
                "11:1111111101011", "12:1111111110101", "13:1111111111010",
                "Въведеното число е на позиция: 13", "Минимално число: 0101111111111 = 3071",
                "Максимално число: 1111111111010 = 8186"}},
        ReportCase {"10",
            {"1010", "0101", "1010", "0101", "Двоичните числа във възходящ ред:", "1:0101",
                "2:0101", "3:1010", "4:1010", "Въведеното число е на позиция: 4",
                "Минимално число: 0101 = 5", "Максимално число: 1010 = 10"}},
        ReportCase {"1",
            {"1", "Двоичните числа във възходящ ред:", "1:1", "Въведеното число е на позиция: 1",
                "Минимално число: 1 = 1", "Максимално число: 1 = 1"}},
        ReportCase {"0", emptyReport}, ReportCase {"", emptyReport},
        ReportCase {"abc", emptyReport}));

TEST(BuildRotations, FillsTheListAndEnteredString)
{
    const Analysis analysis = analyse("10");
    EXPECT_EQ(analysis.EnteredBinary, "1010");
    ASSERT_EQ(analysis.List1.Count(), 4);
    const std::vector<std::string> expected = {"0101", "0101", "1010", "1010"};
    for (std::int16_t i = 0; i < 4; ++i)
        EXPECT_EQ(analysis.List1.Item(i), expected[static_cast<std::size_t>(i)]);

    const Analysis zero = analyse("abc");
    EXPECT_EQ(zero.EnteredBinary, "");
    ASSERT_EQ(zero.List1.Count(), 1);
    EXPECT_EQ(zero.List1.Item(0), "");
}

TEST(BuildRotations, ReplacesTheReportButNotTheList)
{
    Analysis analysis;
    analysis.RotationReport = "the task statement\r\n";
    analysis.InputText = "1";
    analysis.BuildRotations();
    EXPECT_EQ(analysis.RotationReport.rfind("1\r\n", 0), 0U);

    // Clearing the list between computations is the caller's job.
    analysis.InputText = "2";
    analysis.BuildRotations();
    EXPECT_EQ(analysis.List1.Count(), 3);
    EXPECT_EQ(analysis.RotationReport.rfind("10\r\n01\r\n", 0), 0U);
}

TEST(BuildRotations, SameResultForEquivalentInputs)
{
    const std::string report = analyse("12345").RotationReport;
    for (const char* input : {"-12345", "+12345", " 12 345", "12345.4", "12345abc", "1.2345e4"})
        EXPECT_EQ(analyse(input).RotationReport, report) << input;
}

struct ReadCase {
    std::string text;
    std::int32_t magnitude;
};

class ReadNumber : public testing::TestWithParam<ReadCase> { };

TEST_P(ReadNumber, GivesTheRoundedMagnitude)
{
    EXPECT_EQ(rotation::ReadNumber(GetParam().text), GetParam().magnitude)
        << "text: \"" << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Rules, ReadNumber,
    testing::Values(
        // Plain numbers, signs and what follows the number.
        ReadCase {"12345", 12345}, ReadCase {"-12345", 12345}, ReadCase {"+7", 7},
        ReadCase {"12abc", 12}, ReadCase {"", 0}, ReadCase {"abc", 0}, ReadCase {"-", 0},
        ReadCase {"+-5", 0}, ReadCase {"--5", 0},
        // Blanks, tabs and line feeds vanish wherever they stand; nothing else does.
        ReadCase {" 12", 12}, ReadCase {"1 2", 12}, ReadCase {"\t1\n2 ", 12},
        ReadCase {"- 1 2", 12}, ReadCase {"1 . 5", 2}, ReadCase {"1e 1", 10},
        ReadCase {"1e+ 1", 10}, ReadCase {"1e0 3", 1000}, ReadCase {"\r12", 0},
        ReadCase {"1\r2", 1},
        ReadCase {"\xC2\xA0"
                  "12",
            0},
        ReadCase {"1\xC2\xA0"
                  "2",
            1},
        ReadCase {std::string("1\0"
                              "2",
                      3),
            1},
        // The decimal point is always ".", and a fraction needs no integer part.
        ReadCase {"12,5", 12}, ReadCase {".5e1", 5}, ReadCase {"5.", 5}, ReadCase {".", 0},
        ReadCase {"-.", 0}, ReadCase {".e5", 0}, ReadCase {"0.6", 1}, ReadCase {"9.49", 9},
        // Halves go to the even neighbour, whatever the sign.
        ReadCase {"2.5", 2}, ReadCase {"3.5", 4}, ReadCase {"-2.5", 2}, ReadCase {"0.5", 0},
        ReadCase {"-0.5", 0}, ReadCase {"1.5", 2},
        // The value is read as a double first: a half that the double cannot tell from
        // the exact half is rounded as a half.
        ReadCase {"2.50000000000000000001", 2}, ReadCase {"2.5000000001", 3},
        // Exponents: letter without digits ends the number; no other letters or prefixes.
        ReadCase {"1e3", 1000}, ReadCase {"1E3", 1000}, ReadCase {"1e+3", 1000},
        ReadCase {"15e-1", 2}, ReadCase {"1e", 1}, ReadCase {"1e+", 1}, ReadCase {"1e-", 1},
        ReadCase {"1ex", 1}, ReadCase {"1d3", 1}, ReadCase {"&H10", 0}, ReadCase {"0x1F", 0},
        ReadCase {"1e-999", 0}, ReadCase {"1e-99999999999999999999999", 0}, ReadCase {"0e99999", 0},
        ReadCase {"000000000000000000000000000000000000000012", 12},
        ReadCase {"0.000000000000000000000000000000000000000012e42", 12},
        // Only ASCII digits count: a full-width or Arabic-Indic digit ends the number.
        ReadCase {"\xEF\xBC\x91", 0}, ReadCase {"3\xD9\xA1", 3},
        // The ends of the range.
        ReadCase {"2e9", 2000000000}, ReadCase {"-2e9", 2000000000},
        ReadCase {"2147483647", 2147483647}, ReadCase {"-2147483647", 2147483647},
        ReadCase {"2147483647.4", 2147483647}));

class OutOfRangeInput : public testing::TestWithParam<std::string> { };

TEST_P(OutOfRangeInput, ThrowsFromReadNumber)
{
    EXPECT_THROW(rotation::ReadNumber(GetParam()), OutOfRange);
}

TEST_P(OutOfRangeInput, LeavesEverythingAsItWas)
{
    Analysis analysis = analyse("12345");
    const Analysis before = analysis;
    analysis.InputText = GetParam();
    EXPECT_THROW(analysis.BuildRotations(), OutOfRange);
    EXPECT_EQ(analysis.RotationReport, before.RotationReport);
    EXPECT_EQ(analysis.EnteredBinary, before.EnteredBinary);
    ASSERT_EQ(analysis.List1.Count(), before.List1.Count());
    for (std::int16_t i = 0; i < before.List1.Count(); ++i)
        EXPECT_EQ(analysis.List1.Item(i), before.List1.Item(i));
}

INSTANTIATE_TEST_SUITE_P(Values, OutOfRangeInput,
    testing::Values("9e9", "-3e9", "1e999", "1e99999999999999999999", "2147483648", "-2147483648",
        "2147483647.5", "3e10", "1" + std::string(400, '0')));

TEST(OutOfRange, SaysSoInBulgarian)
{
    const std::string message = OutOfRange().what();
    EXPECT_NE(message.find("обхват"), std::string::npos) << message;
}

TEST(ThirtyOneDigits, ReportIsCompleteAndExact)
{
    const Analysis analysis = analyse("2e9");
    EXPECT_EQ(reportViolation(analysis), "");
    const auto lines = reportLines(analysis.RotationReport);
    ASSERT_EQ(lines.size(), 66U);
    EXPECT_EQ(lines.front(), "1110111001101011001010000000000");
    EXPECT_EQ(lines.back(), "Максимално число: 1110111001101011001010000000000 = 2000000000");
    EXPECT_EQ(
        lines[lines.size() - 2], "Минимално число: 0000000000111011100110101100101 = 1953125");

    const auto allOnes = reportLines(analyse("2147483647").RotationReport);
    EXPECT_EQ(allOnes.back(), "Максимално число: " + std::string(31, '1') + " = 2147483647");
    EXPECT_EQ(allOnes[allOnes.size() - 3], "Въведеното число е на позиция: 31");
}

TEST(DecimalOf, ReadsBinaryDigits)
{
    EXPECT_EQ(rotation::DecimalOf(""), 0);
    EXPECT_EQ(rotation::DecimalOf("0"), 0);
    EXPECT_EQ(rotation::DecimalOf("1"), 1);
    EXPECT_EQ(rotation::DecimalOf("00000011100111"), 231);
    EXPECT_EQ(rotation::DecimalOf("1x1"), 5); // any other character counts as "0"
    EXPECT_EQ(rotation::DecimalOf(std::string(31, '1')), 2147483647);
    EXPECT_EQ(rotation::DecimalOf("1" + std::string(30, '0')), 1 << 30);
    EXPECT_EQ(rotation::DecimalOf(std::string(200, '0') + "101"), 5);
    EXPECT_THROW(rotation::DecimalOf("1" + std::string(31, '0')), OutOfRange);
    EXPECT_THROW(rotation::DecimalOf("1" + std::string(300, '0')), OutOfRange);
}

TEST(SortedList, KeepsAscendingOrderWithDuplicates)
{
    rotation::SortedList list;
    for (const char* item : {"10", "01", "", "10", "0", "01"})
        list.Add(item);
    const std::vector<std::string> expected = {"", "0", "01", "01", "10", "10"};
    ASSERT_EQ(list.Count(), 6);
    for (std::int16_t i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.Item(i), expected[static_cast<std::size_t>(i)]);

    EXPECT_THROW(list.Item(-1), std::out_of_range);
    EXPECT_THROW(list.Item(6), std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Item(0), std::out_of_range);
}

TEST(SortedList, RefusesMoreItemsThanItsCountCanTell)
{
    rotation::SortedList list;
    for (int i = 0; i < 32767; ++i)
        list.Add("1");
    EXPECT_EQ(list.Count(), 32767);
    EXPECT_THROW(list.Add("1"), std::length_error);
    EXPECT_EQ(list.Count(), 32767);
}

void checkReportFor(std::uint32_t magnitude)
{
    const Analysis analysis = analyse(std::to_string(magnitude));
    ASSERT_EQ(analysis.EnteredBinary, binaryOf(magnitude));
    EXPECT_EQ(reportViolation(analysis), "") << "magnitude " << magnitude;
}

TEST(ReportProperties, HoldForEverySmallMagnitude)
{
    for (std::uint32_t magnitude = 0; magnitude < 5000; ++magnitude)
        checkReportFor(magnitude);
}

TEST(ReportProperties, HoldForASampleUpToTheLargestMagnitude)
{
    std::mt19937 generator(20261208);
    std::uniform_int_distribution<std::uint32_t> magnitudes(0, 2147483647);
    for (int i = 0; i < 5000; ++i)
        checkReportFor(magnitudes(generator));
    for (int bits = 1; bits <= 31; ++bits) {
        checkReportFor((1U << bits) - 1);
        checkReportFor(1U << (bits - 1));
    }
}

} // namespace
