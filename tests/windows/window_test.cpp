// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows window in this process, driven with the messages a user's actions send.
// Usage: window_test DPI   (the dots per inch the screen is expected to have)
#include "expected_texts.h"
#include "rotation/rotation.h"
#include "windows/main_window.h"
#include "windows/program.h"
#include "windows/wide_text.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <random>

namespace {

int expectedDpi = 96;

class TestWindow : public MainWindow {
public:
    using MainWindow::MainWindow;
    std::vector<std::string> refusals;

    void showRefusal(std::string_view message) override { refusals.emplace_back(message); }
};

std::string textOf(HWND control)
{
    std::wstring text(
        static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return narrow(text);
}

RECT clientRectOf(HWND control)
{
    RECT rect {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

form::Pixels pixelsOf(RECT rect)
{
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// The client area as the screen shows it, one 0xRRGGBB value a pixel.
class Frame {
public:
    explicit Frame(HWND window)
    {
        RECT client {};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        HDC source = GetDC(window);
        HDC memory = CreateCompatibleDC(source);
        BITMAPINFO info {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.assign(first, first + width * height);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, source);
    }

    // At a place given in pixels at 96 dpi, scaled to the window's.
    std::uint32_t at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(scale(y) * width + scale(x))] & 0xFFFFFF;
    }

    bool anyInside(form::Pixels place, std::uint32_t colour) const
    {
        for (int y = place.top + 2; y < place.top + place.height - 2; ++y)
            for (int x = place.left + 2; x < place.left + place.width - 2; ++x)
                if ((pixels[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF) == colour)
                    return true;
        return false;
    }

private:
    static int scale(int pixels) { return pixels * expectedDpi / 96; }

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class Win32Window : public testing::Test {
protected:
    TestWindow window {GetModuleHandleW(nullptr)};

    HWND input() const { return window.control(form::InputControl); }
    HWND compute() const { return window.control(form::ComputeControl); }
    HWND clear() const { return window.control(form::ClearControl); }
    HWND report() const { return window.control(form::ReportControl); }

    void SetUp() override
    {
        ShowWindow(window.handle(), SW_SHOWNORMAL);
        SetForegroundWindow(window.handle());
        UpdateWindow(window.handle());
        pump();
    }

    // Handles what is waiting, Tab and Shift+Tab through the dialog manager as the program does.
    void pump() const
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(window.handle(), &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    void press(HWND button) const
    {
        SendMessageW(button, BM_CLICK, 0, 0);
        pump();
    }

    void computeFor(const std::string& number) const
    {
        SendMessageW(input(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(number).c_str()));
        press(compute());
    }

    // A key as the keyboard would send it to the control with the focus.
    void key(WPARAM virtualKey) const
    {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
        PostMessageW(focus, WM_KEYUP, virtualKey, 0xC0000001);
        pump();
    }

    void type(std::wstring_view characters) const
    {
        for (wchar_t character : characters)
            SendMessageW(input(), WM_CHAR, character, 1);
    }
};

TEST_F(Win32Window, IsAFixedCentredWindowOfTheDrawnSize)
{
    EXPECT_EQ(window.dpi(), expectedDpi);
    RECT client {};
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(pixelsOf(client), form::toPixels(form::Window.client, expectedDpi));

    const auto style = static_cast<DWORD>(GetWindowLongW(window.handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(textOf(window.handle()), form::Window.caption);

    RECT workArea {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT frame {};
    GetWindowRect(window.handle(), &frame);
    EXPECT_LE(std::abs(frame.left + frame.right - workArea.left - workArea.right), 1);
    EXPECT_LE(std::abs(frame.top + frame.bottom - workArea.top - workArea.bottom), 1);
}

TEST_F(Win32Window, PlacesEveryControlAndFollowsTheDpi)
{
    for (int dpi : {expectedDpi, expectedDpi == 96 ? 144 : 96}) {
        SCOPED_TRACE(dpi);
        RECT suggested {};
        GetWindowRect(window.handle(), &suggested);
        SendMessageW(window.handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
            reinterpret_cast<LPARAM>(&suggested));
        RECT client {};
        GetClientRect(window.handle(), &client);
        EXPECT_EQ(pixelsOf(client), form::toPixels(form::Window.client, dpi));
        // The icons' own images at the new scale: the title bar's, 16 at 96 dpi, and Alt+Tab's.
        for (const auto& [kind, size] : {std::pair {ICON_SMALL, 16}, std::pair {ICON_BIG, 32}}) {
            ICONINFO icon {};
            ASSERT_TRUE(GetIconInfo(
                reinterpret_cast<HICON>(SendMessageW(window.handle(), WM_GETICON, kind, 0)),
                &icon));
            BITMAP image {};
            GetObjectW(icon.hbmColor, sizeof image, &image);
            EXPECT_EQ(image.bmWidth, MulDiv(size, dpi, 96));
            DeleteObject(icon.hbmColor);
            DeleteObject(icon.hbmMask);
        }
        for (std::size_t index = 0; index < form::Controls.size(); ++index) {
            if (HWND control = window.control(index)) {
                EXPECT_EQ(pixelsOf(clientRectOf(control)),
                    form::toPixels(form::Controls[index].place, dpi))
                    << index;
                LOGFONTW font {};
                GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
                    sizeof font, &font);
                EXPECT_EQ(font.lfHeight, -MulDiv(12, dpi, 72));
                EXPECT_EQ(font.lfCharSet, 204);
                EXPECT_EQ(std::wstring_view(font.lfFaceName), L"Times New Roman");
            }
        }
    }
}

TEST_F(Win32Window, ShowsOnlyTheFiveVisibleControlsWithTheirTexts)
{
    std::vector<std::string> visible;
    HWND child = GetWindow(window.handle(), GW_CHILD);
    for (; child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            visible.push_back(textOf(child).substr(0, 20));
    EXPECT_EQ(visible.size(), 5U);
    EXPECT_EQ(textOf(window.control(0)), "Информатика - кръгово преместване на цифри в число");
    EXPECT_EQ(textOf(compute()), "Изчисли");
    EXPECT_EQ(textOf(clear()), "Чисти");
    EXPECT_EQ(textOf(report()), form::TaskStatement);
    EXPECT_TRUE(isOfferedNumber(textOf(input()))) << textOf(input());
    EXPECT_FALSE(IsWindowVisible(window.control(5))); // the quotation
    EXPECT_FALSE(IsWindowVisible(window.control(7))); // the corner label
}

// Screen readers name an edit box after the label just before it.
TEST_F(Win32Window, EditBoxesHaveBulgarianAccessibleNames)
{
    for (std::size_t index : {form::InputControl, form::ReportControl}) {
        HWND label = GetWindow(window.control(index), GW_HWNDPREV);
        wchar_t className[16] {};
        GetClassNameW(label, className, 16);
        EXPECT_EQ(std::wstring_view(className), L"Static");
        EXPECT_EQ(textOf(label), form::Controls[index].accessibleName);
        EXPECT_FALSE(IsWindowVisible(label));
    }
}

TEST_F(Win32Window, FocusStartsInTheInputAndTabsRound)
{
    EXPECT_EQ(GetFocus(), input());
    for (HWND next : {compute(), clear(), report(), input()}) {
        key(VK_TAB);
        EXPECT_EQ(GetFocus(), next);
    }
    // Shift+Tab, through the keyboard state the dialog manager reads.
    BYTE keys[256] {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    for (HWND previous : {report(), clear(), compute(), input()}) {
        key(VK_TAB);
        EXPECT_EQ(GetFocus(), previous);
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Tab into the report leaves it at its first line, with nothing selected.
TEST_F(Win32Window, TabIntoTheReportKeepsItsFirstLine)
{
    computeFor("12345");
    SetFocus(clear());
    key(VK_TAB);
    ASSERT_EQ(GetFocus(), report());
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(
        report(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0U);
    EXPECT_EQ(end, 0U);
    EXPECT_EQ(SendMessageW(report(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(Win32Window, InputTakesAtMostSixCharacters)
{
    SetWindowTextW(input(), L"");
    type(L"12345678");
    EXPECT_EQ(textOf(input()), "123456");
    SetWindowTextW(input(), L"");
    type(L"жабвгде");
    EXPECT_EQ(textOf(input()), "жабвгд");
}

TEST_F(Win32Window, ComputeAndClearFollowTheStates)
{
    computeFor("12345");
    EXPECT_EQ(textOf(report()), reportFor("12345"));
    EXPECT_FALSE(IsWindowEnabled(compute()));
    EXPECT_EQ(SendMessageW(report(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(window.analysis().List1.Count(), 14);

    // A disabled button ignores a click.
    computeFor("10");
    EXPECT_EQ(textOf(report()), reportFor("12345"));

    press(clear());
    EXPECT_EQ(textOf(report()), "");
    EXPECT_TRUE(isOfferedNumber(textOf(input())));
    EXPECT_TRUE(IsWindowEnabled(compute()));
    EXPECT_EQ(window.analysis().List1.Count(), 0);
}

TEST_F(Win32Window, EveryReportByteForByte)
{
    std::mt19937 generator(7);
    for (int press = 0; press < 120; ++press) {
        // Plain numbers of every size, and exponents up to 31 binary digits.
        const unsigned digits = generator() % 31;
        const std::string text = press % 3 == 0
            ? std::to_string(generator() % 10) + "e" + std::to_string(generator() % 10)
            : std::to_string(generator() % (1U << digits));
        computeFor(text);
        std::string expected;
        try {
            expected = reportFor(text);
        } catch (const rotation::OutOfRange&) {
            EXPECT_EQ(window.refusals.size(), 1U) << text;
            window.refusals.clear();
            continue;
        }
        ASSERT_EQ(textOf(report()), expected) << text;
        this->press(clear());
    }
}

TEST_F(Win32Window, RefusesANumberOutOfRangeAndKeepsEverything)
{
    computeFor("9e9");
    EXPECT_EQ(window.refusals, std::vector<std::string> {rotation::OutOfRange().what()});
    EXPECT_EQ(textOf(input()), "9e9");
    EXPECT_EQ(textOf(report()), form::TaskStatement);
    EXPECT_TRUE(IsWindowEnabled(compute()));
}

TEST_F(Win32Window, ReportIsReadOnlyButCanBeCopied)
{
    computeFor("10");
    EXPECT_TRUE(GetWindowLongW(report(), GWL_STYLE) & ES_READONLY);
    SendMessageW(report(), WM_CHAR, L'7', 1);
    EXPECT_EQ(textOf(report()), reportFor("10"));

    SendMessageW(report(), EM_SETSEL, 0, -1);
    SendMessageW(report(), WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(window.handle()));
    const auto* copied = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(narrow(copied), reportFor("10"));
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
}

TEST_F(Win32Window, EnterAndEscapeDoNothing)
{
    for (WPARAM virtualKey : {VK_RETURN, VK_ESCAPE}) {
        SetFocus(input());
        key(virtualKey);
        SetFocus(report());
        key(virtualKey);
    }
    EXPECT_TRUE(IsWindow(window.handle()));
    EXPECT_EQ(textOf(report()), form::TaskStatement);
    EXPECT_TRUE(IsWindowEnabled(compute()));
}

TEST_F(Win32Window, AltF4Closes)
{
    PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, 1 | 1 << 29); // with Alt held
    pump();
    EXPECT_FALSE(IsWindow(window.handle()));
}

TEST_F(Win32Window, DrawsTheColoursWithDarkText)
{
    computeFor("12345"); // the compute caption disabled, too
    RedrawWindow(
        window.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Frame frame(window.handle());
    EXPECT_EQ(frame.at(4, 40), 0xC0C0FFU); // window, between the controls
    EXPECT_EQ(frame.at(463, 90), 0xC0C0FFU);
    EXPECT_EQ(frame.at(44, 3), 0xFFC080U); // title, left of its text
    EXPECT_EQ(frame.at(182, 54), 0x80FF80U); // compute, inside its edge
    EXPECT_EQ(frame.at(358, 54), 0xFF8080U); // clear
    const auto placeOf = [](std::size_t index) {
        return form::toPixels(form::Controls[index].place, expectedDpi);
    };
    EXPECT_TRUE(frame.anyInside(placeOf(0), 0x000000)); // the title in black
    EXPECT_TRUE(frame.anyInside(placeOf(form::ClearControl), 0x000000));
    EXPECT_TRUE(frame.anyInside(placeOf(form::ComputeControl), 0x5C5C5C)); // disabled caption
}

// Refuses every window this thread would make, as a system out of resources does, and keeps the
// names of those tried.
std::vector<std::wstring> refusedWindows;

LRESULT CALLBACK refuseWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HCBT_CREATEWND)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    const wchar_t* name = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszName;
    refusedWindows.emplace_back(name ? name : L"");
    return 1;
}

// The program used to wait for ever for a window that was not there.
TEST(Win32WindowRefused, EndsTheProgramAfterSayingWhy)
{
    const HHOOK hook = SetWindowsHookExW(WH_CBT, refuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int exitCode = runProgram(GetModuleHandleW(nullptr), SW_SHOW);
    UnhookWindowsHookEx(hook);
    EXPECT_NE(exitCode, 0);
    // The window, then the box that tells why.
    ASSERT_EQ(refusedWindows.size(), 2U);
    EXPECT_EQ(narrow(refusedWindows[0]), form::Window.caption);
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1)
        expectedDpi = std::atoi(argv[1]);
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
