// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/program.h"

#include "windows/main_window.h"
#include "windows/wide_text.h"

int runProgram(HINSTANCE instance, int show)
{
    MainWindow window(instance);
    if (!window.handle()) {
        // Without a window there would be nothing to close: the program would wait for ever.
        MessageBoxW(nullptr, widen(form::WindowFailure).c_str(),
            widen(form::Window.caption).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
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
