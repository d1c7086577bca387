// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What every front end's tests expect the window to show.

// The report the computation writes for input, CR LF line ends included.
std::string reportFor(const std::string& input);

// A number the window may offer: 1000 to 8999, plain decimal digits.
bool isOfferedNumber(const std::string& text);
