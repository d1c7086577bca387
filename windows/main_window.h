// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/form_view.h"
#include "form/main_form.h"

#include <array>
#include <windows.h>

// The program's window in the Win32 API: standard controls built from the shared design, with
// every click handed to the shared behaviour.
class MainWindow : public form::FormView {
public:
    // Makes the window and its controls for the screen it opens on, centred on the work area,
    // and runs the load handler. The window is not shown yet. Where the system cannot make it,
    // handle() is null and nothing else is done.
    explicit MainWindow(HINSTANCE instance);
    virtual ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window; }
    // A control by its place in form::Controls; null for the sorted list, which is not made.
    HWND control(std::size_t index) const { return controls[index]; }
    int dpi() const { return currentDpi; }
    const rotation::Analysis& analysis() const { return behaviour.analysis(); }

    std::string inputText() const override;
    void setInputText(std::string_view text) override;
    void setReportText(std::string_view text) override;
    void setComputeEnabled(bool enabled) override;
    // A message box owned by the window. Tests override it to avoid a modal box.
    void showRefusal(std::string_view message) override;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void makeControls(HINSTANCE instance);
    // Sizes the window, the controls, the font and the icons for dpi dots per inch.
    void layOut(int dpi);
    void drawButton(const DRAWITEMSTRUCT& item) const;
    HBRUSH colourStatic(HWND control, HDC context) const;

    HWND window = nullptr;
    std::array<HWND, form::Controls.size()> controls {};
    std::array<HBRUSH, form::Controls.size()> brushes {};
    HFONT font = nullptr;
    // By ICON_SMALL and ICON_BIG, at the window's dpi.
    std::array<HICON, 2> icons {};
    int currentDpi = 96;
    // The control to give the focus back to when the window is activated again.
    HWND lastFocus = nullptr;
    form::MainForm behaviour {*this};
};
