// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rotation/rotation.h"

#include <string>
#include <vector>

// The lines of a text whose lines end with CR LF; a last line without CR LF is kept too.
std::vector<std::string> reportLines(const std::string& text);

// Describes the first promise that a freshly built report breaks, or returns "" if it keeps
// them all: the entered string and its rotations in order, the same strings sorted and
// numbered, the position of the last sorted line equal to the entered string, and the
// minimum and maximum with their values. Uses only arithmetic of its own, never the code
// under test. The analysis must have started with an empty List1.
std::string reportViolation(const rotation::Analysis& analysis);
