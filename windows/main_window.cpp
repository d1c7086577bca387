// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/main_window.h"

#include "windows/wide_text.h"

#include <commctrl.h>

namespace {

constexpr wchar_t className[] = L"binrot.MainWindow";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Control identifiers are 100 plus the place in form::Controls, clear of IDOK and IDCANCEL,
// which the dialog manager sends for Enter and Esc.
constexpr int firstControlId = 100;

COLORREF colourRef(form::Colour colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

// Functions newer than Windows 7, looked up where they exist.
template<typename Function> Function* user32Function(const char* name)
{
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int dpiOf(HWND window)
{
    static const auto getDpiForWindow = user32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
    if (getDpiForWindow)
        return static_cast<int>(getDpiForWindow(window));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A system metric at the given dots per inch, where Windows (10, 1607 on) can say; before, the
// system's own, which is the only one there.
int metricFor(int metric, int dpi)
{
    static const auto forDpi = user32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(metric, static_cast<UINT>(dpi)) : GetSystemMetrics(metric);
}

SIZE windowSizeFor(SIZE client, int dpi)
{
    static const auto adjustForDpi =
        user32Function<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame {0, 0, client.cx, client.cy};
    if (adjustForDpi)
        adjustForDpi(&frame, windowStyle, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, windowStyle, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

DWORD styleOf(const form::ControlDesign& control)
{
    const DWORD visible = control.visible ? WS_VISIBLE : 0;
    switch (control.kind) {
    case form::ControlKind::Label:
        return WS_CHILD | visible | SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY;
    case form::ControlKind::Input:
        return WS_CHILD | visible | WS_TABSTOP | ES_AUTOHSCROLL;
    case form::ControlKind::Button:
        return WS_CHILD | visible | WS_TABSTOP | BS_OWNERDRAW;
    case form::ControlKind::TextBox:
        return WS_CHILD | visible | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
            ES_AUTOVSCROLL;
    case form::ControlKind::SortedList:
        break;
    }
    return 0;
}

const wchar_t* classOf(form::ControlKind kind)
{
    switch (kind) {
    case form::ControlKind::Label:
        return L"STATIC";
    case form::ControlKind::Input:
    case form::ControlKind::TextBox:
        return L"EDIT";
    case form::ControlKind::Button:
        return L"BUTTON";
    case form::ControlKind::SortedList:
        break;
    }
    return nullptr;
}

// A multi-line edit box asks for every key, Tab included, and to have all its text selected
// when Tab brings the focus to it. The report box hands Tab, Enter and Esc back to the dialog
// manager, so that Tab leaves it and nothing closes the window, and keeps its caret where it
// was, so that the report stays at its first line.
LRESULT CALLBACK reportBoxKeys(
    HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL)
                                    : result;
}

std::wstring windowText(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance)
{
    static const ATOM registered = [instance] {
        WNDCLASSEXW windowClass {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        windowClass.hbrBackground = CreateSolidBrush(colourRef(form::Window.background));
        windowClass.lpszClassName = className;
        return RegisterClassExW(&windowClass);
    }();
    if (registered)
        window = CreateWindowExW(0, className, widen(form::Window.caption).c_str(), windowStyle,
            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    if (!window)
        return; // handle() says so to the caller
    makeControls(instance);
    layOut(dpiOf(window));
    // The design-time texts go in last, so that the report box lays its lines out once, at its
    // own width and in its own font.
    for (std::size_t index = 0; index < controls.size(); ++index)
        if (controls[index])
            SetWindowTextW(controls[index], widen(form::Controls[index].text).c_str());

    RECT workArea {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT frame {};
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr,
        workArea.left + (workArea.right - workArea.left - (frame.right - frame.left)) / 2,
        workArea.top + (workArea.bottom - workArea.top - (frame.bottom - frame.top)) / 2, 0, 0,
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    lastFocus = controls[form::InputControl];
    SetFocus(lastFocus);
    behaviour.Form_Load();
}

MainWindow::~MainWindow()
{
    if (IsWindow(window))
        DestroyWindow(window);
    for (HBRUSH brush : brushes)
        if (brush)
            DeleteObject(brush);
    if (font)
        DeleteObject(font);
    for (HICON icon : icons)
        if (icon)
            DestroyIcon(icon);
}

void MainWindow::makeControls(HINSTANCE instance)
{
    // Made in tab order: the dialog manager follows the order in which they were made.
    for (std::size_t index = 0; index < form::Controls.size(); ++index) {
        const form::ControlDesign& control = form::Controls[index];
        if (control.kind == form::ControlKind::SortedList)
            continue; // the computation's own sorted list stands for it
        // An edit box takes its accessible name from the label just before it; a hidden one
        // names it without showing anything.
        if (!control.accessibleName.empty())
            CreateWindowExW(0, L"STATIC", widen(control.accessibleName).c_str(), WS_CHILD, 0, 0, 0,
                0, window, nullptr, instance, nullptr);
        const bool edit = classOf(control.kind) == std::wstring_view(L"EDIT");
        controls[index] = CreateWindowExW(edit ? WS_EX_CLIENTEDGE : 0, classOf(control.kind),
            nullptr, styleOf(control), 0, 0, 0, 0, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstControlId + index)), instance,
            nullptr);
        if (control.background)
            brushes[index] = CreateSolidBrush(colourRef(*control.background));
        if (control.maxLength > 0)
            SendMessageW(
                controls[index], EM_SETLIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
        if (control.kind == form::ControlKind::TextBox)
            SetWindowSubclass(controls[index], reportBoxKeys, 0, 0);
    }
}

void MainWindow::layOut(int dpi)
{
    currentDpi = dpi;
    const form::Pixels client = form::toPixels(form::Window.client, dpi);
    const SIZE size = windowSizeFor({client.width, client.height}, dpi);
    SetWindowPos(
        window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame drawn may differ from the one computed (a frame not yet scaled to the new dpi,
    // a system's own metrics): whatever it is, the client area gets its designed size.
    RECT inner {};
    GetClientRect(window, &inner);
    if (inner.right != client.width || inner.bottom != client.height) {
        RECT frame {};
        GetWindowRect(window, &frame);
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + client.width - inner.right,
            frame.bottom - frame.top + client.height - inner.bottom,
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HFONT previous = font;
    font = CreateFontW(-MulDiv(form::Window.fontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
        FALSE, static_cast<BYTE>(form::Window.fontCharSet), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, widen(form::Window.fontFamily).c_str());
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (!controls[index])
            continue;
        const form::Pixels place = form::toPixels(form::Controls[index].place, dpi);
        MoveWindow(controls[index], place.left, place.top, place.width, place.height, TRUE);
        SendMessageW(controls[index], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (previous)
        DeleteObject(previous);

    // The icon's own images at this screen's sizes, not one scaled to them: the small one for
    // the title bar and the taskbar, the large one for Alt+Tab.
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    const std::array<HICON, 2> previousIcons = icons;
    const int sizes[2][2] = {{SM_CXSMICON, SM_CYSMICON}, {SM_CXICON, SM_CYICON}};
    for (int kind : {ICON_SMALL, ICON_BIG}) {
        icons[kind] = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
            metricFor(sizes[kind][0], dpi), metricFor(sizes[kind][1], dpi), 0));
        SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icons[kind]));
    }
    for (HICON icon : previousIcons)
        if (icon)
            DestroyIcon(icon);
}

std::string MainWindow::inputText() const
{
    return narrow(windowText(controls[form::InputControl]));
}

void MainWindow::setInputText(std::string_view text)
{
    SetWindowTextW(controls[form::InputControl], widen(text).c_str());
}

void MainWindow::setReportText(std::string_view text)
{
    HWND report = controls[form::ReportControl];
    SetWindowTextW(report, widen(text).c_str());
    SendMessageW(report, EM_SETSEL, 0, 0);
    SendMessageW(report, EM_SCROLLCARET, 0, 0);
}

void MainWindow::setComputeEnabled(bool enabled)
{
    HWND compute = controls[form::ComputeControl];
    // A disabled control cannot keep the focus: it moves on, as Tab would move it.
    if (!enabled && GetFocus() == compute)
        SetFocus(controls[form::ClearControl]);
    EnableWindow(compute, enabled);
}

void MainWindow::showRefusal(std::string_view message)
{
    MessageBoxW(
        window, widen(message).c_str(), widen(form::RefusalTitle).c_str(), MB_OK | MB_ICONWARNING);
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        // BN_CLICKED from a button and STN_CLICKED from a label are both 0.
        const int id = LOWORD(wParam) - firstControlId;
        if (HIWORD(wParam) == BN_CLICKED && id >= 0 && id < static_cast<int>(controls.size()))
            behaviour.click(form::Controls[static_cast<std::size_t>(id)]);
        return 0;
    }
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush =
                colourStatic(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus && IsChild(window, focus))
                lastFocus = focus;
        } else if (lastFocus) {
            SetFocus(lastFocus);
        }
        return 0;
    case 0x02E0: { // WM_DPICHANGED, from Windows 8.1 on
        layOut(LOWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HBRUSH MainWindow::colourStatic(HWND control, HDC context) const
{
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (controls[index] != control)
            continue;
        if (brushes[index]) {
            // Dark text on the fixed colours, whatever the colour scheme.
            SetTextColor(context, colourRef(form::TextOnFixedColour));
            SetBkColor(context, colourRef(*form::Controls[index].background));
            return brushes[index];
        }
        if (form::Controls[index].kind == form::ControlKind::TextBox) {
            // Read-only, yet drawn as a box to read in rather than greyed out.
            SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(context, GetSysColor(COLOR_WINDOW));
            return GetSysColorBrush(COLOR_WINDOW);
        }
    }
    return nullptr;
}

void MainWindow::drawButton(const DRAWITEMSTRUCT& item) const
{
    const std::size_t index = item.CtlID - firstControlId;
    const form::Colour colour = form::Controls[index].background.value_or(form::Window.background);
    const bool pressed = item.itemState & ODS_SELECTED;
    const auto shade = [pressed](std::uint8_t channel) {
        return static_cast<BYTE>(pressed ? channel * 100 / 115 : channel);
    };
    RECT area = item.rcItem;
    HBRUSH fill = CreateSolidBrush(RGB(shade(colour.red), shade(colour.green), shade(colour.blue)));
    FillRect(item.hDC, &area, fill);
    DeleteObject(fill);
    DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    if (pressed)
        OffsetRect(&area, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC,
        colourRef(item.itemState & ODS_DISABLED ? form::DisabledTextOnFixedColour
                                                : form::TextOnFixedColour));
    HGDIOBJ previous = SelectObject(item.hDC, font);
    const std::wstring caption = windowText(item.hwndItem);
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &area,
        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, previous);

    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        const int inset = MulDiv(4, currentDpi, 96);
        RECT focus = item.rcItem;
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(item.hDC, &focus);
    }
}
