// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the report of each input, so that two builds of the computation (native and
// WebAssembly) can be compared byte for byte. Without arguments it makes its inputs: the same
// pseudo-random texts of up to six characters on every platform, out-of-range ones included.
// Usage: report_dump [input ...]
#include "rotation/rotation.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A generator of its own, since the standard distributions may differ between libraries.
class Texts {
public:
    std::string next()
    {
        static constexpr char alphabet[] = "0123456789012345678901234567890123456789 .eE+-\t,x";
        std::string text;
        const unsigned length = draw() % 7;
        for (unsigned i = 0; i < length; ++i)
            text += alphabet[draw() % (sizeof alphabet - 1)];
        return text;
    }

private:
    unsigned draw()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(state >> 33);
    }
    unsigned long long state = 2024;
};

void dump(const std::string& input)
{
    // Blanks and tabs in the input are shown as themselves, between brackets.
    std::printf("[%s]\n", input.c_str());
    rotation::Analysis analysis;
    analysis.InputText = input;
    try {
        analysis.BuildRotations();
        std::fwrite(analysis.RotationReport.data(), 1, analysis.RotationReport.size(), stdout);
    } catch (const rotation::OutOfRange& error) {
        std::printf("%s\n", error.what());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1) {
        for (int index = 1; index < argc; ++index)
            dump(argv[index]);
        return 0;
    }
    Texts texts;
    for (int count = 0; count < 20000; ++count)
        dump(texts.next());
    return 0;
}
