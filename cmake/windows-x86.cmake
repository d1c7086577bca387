# SPDX-License-Identifier: GPL-3.0-or-later
# The x86 edition: 32-bit, for every Windows from 7 on, 32- or 64-bit.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(BINROT_EDITION x86)
include(${CMAKE_CURRENT_LIST_DIR}/windows-mingw.cmake)
