// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/program.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Loads the common controls named in the manifest, so that the standard controls are drawn
    // in the system's current style.
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return runProgram(instance, show);
}
