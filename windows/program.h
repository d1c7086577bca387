// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// Runs the program: makes its window, shows it as Windows asks (show) and hands it the messages
// until it closes. Returns the exit code: non-zero, after saying why, where the window could
// not be made.
int runProgram(HINSTANCE instance, int show);
