# SPDX-License-Identifier: GPL-3.0-or-later
# The x64 edition: 64-bit, for 64-bit Windows from 7 on (ARM64 Windows emulates it).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BINROT_EDITION x64)
include(${CMAKE_CURRENT_LIST_DIR}/windows-mingw.cmake)
