// SPDX-License-Identifier: GPL-3.0-or-later
#include "expected_texts.h"

#include "rotation/rotation.h"

#include <cstdlib>

std::string reportFor(const std::string& input)
{
    rotation::Analysis analysis;
    analysis.InputText = input;
    analysis.BuildRotations();
    return analysis.RotationReport;
}

bool isOfferedNumber(const std::string& text)
{
    const int number = std::atoi(text.c_str());
    return number >= 1000 && number <= 8999 && std::to_string(number) == text;
}
