// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/main_window.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Loads the common controls named in the manifest, so that the standard controls are drawn
    // in the system's current style.
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    MainWindow window(instance);
    ShowWindow(window.handle(), show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog manager moves the focus with Tab and Shift+Tab.
        if (!IsDialogMessageW(window.handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
