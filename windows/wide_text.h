// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The program keeps its texts in UTF-8; Windows takes and gives UTF-16.
std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);
