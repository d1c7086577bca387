// SPDX-License-Identifier: GPL-3.0-or-later
#include "rotation/rotation.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace rotation {

OutOfRange::OutOfRange()
    : std::range_error("Числото е извън допустимия обхват. Въведете естествено число, "
                       "по-малко от 2147483648.")
{
}

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSign(char c)
{
    return c == '+' || c == '-';
}

// Walks the text as if blanks, tabs and line feeds were not there, wherever they stand.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text(text) { skipBlanks(); }

    // The NUL returned at the end cannot continue a number, just like a NUL inside the text.
    char peek() const { return at < text.size() ? text[at] : '\0'; }

    void advance()
    {
        ++at;
        skipBlanks();
    }

    // Appends the run of digits here to digits and returns how many there were.
    std::int64_t takeDigits(std::string& digits)
    {
        std::int64_t count = 0;
        for (; isDigit(peek()); advance(), ++count)
            digits += peek();
        return count;
    }

private:
    void skipBlanks()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n'))
            ++at;
    }

    std::string_view text;
    std::size_t at = 0;
};

// Reads the digits of an exponent, saturating far beyond any exponent that could matter so
// that a long run of digits cannot overflow.
std::int64_t takeExponent(Scanner& scan)
{
    constexpr std::int64_t saturation = 1'000'000'000'000;
    const bool negative = scan.peek() == '-';
    if (isSign(scan.peek()))
        scan.advance();
    std::int64_t exponent = 0;
    for (; isDigit(scan.peek()); scan.advance())
        exponent = std::min(exponent * 10 + (scan.peek() - '0'), saturation);
    return negative ? -exponent : exponent;
}

} // namespace

std::int32_t ReadNumber(std::string_view text)
{
    Scanner scan(text);
    // Rounding half to even and taking the magnitude are both symmetric, so the sign only has
    // to be stepped over.
    if (isSign(scan.peek()))
        scan.advance();

    // The number is 0.digits × 10^scale once the leading zeros are dropped.
    std::string digits;
    std::int64_t scale = scan.takeDigits(digits);
    if (scan.peek() == '.') {
        scan.advance();
        scan.takeDigits(digits);
    }
    if (digits.empty())
        return 0;

    if (scan.peek() == 'e' || scan.peek() == 'E') {
        Scanner afterLetter = scan;
        afterLetter.advance();
        if (isSign(afterLetter.peek()))
            afterLetter.advance();
        // An exponent letter without digits ends the number before the letter.
        if (isDigit(afterLetter.peek())) {
            scan.advance();
            scale += takeExponent(scan);
        }
    }

    const auto firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos)
        return 0;
    digits.erase(0, firstSignificant);
    scale -= static_cast<std::int64_t>(firstSignificant);

    // The value lies in [10^(scale-1), 10^scale): decide the extremes without converting, so
    // that the conversion below never overflows or underflows.
    if (scale > 10)
        throw OutOfRange();
    if (scale < -1)
        return 0;

    const std::string canonical = "0." + digits + "e" + std::to_string(scale);
#if defined(__cpp_lib_to_chars)
    double value = 0;
    std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
#else
    // A C++ library without floating-point from_chars (the WebAssembly one): strtod reads the
    // same text with the same correct rounding, and in the C locale the program keeps, "." is
    // its decimal point too.
    const double value = std::strtod(canonical.c_str(), nullptr);
#endif

    // The default floating-point environment rounds to nearest, halves to even.
    const double magnitude = std::fabs(std::nearbyint(value));
    if (magnitude > std::numeric_limits<std::int32_t>::max())
        throw OutOfRange();
    return static_cast<std::int32_t>(magnitude);
}

} // namespace rotation
