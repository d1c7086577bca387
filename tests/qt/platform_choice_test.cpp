// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/platform_choice.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    PlatformEnvironment environment;
    std::string platform;
};

TEST(PlatformChoice, X11FirstOnWaylandWhenAnXServerRuns)
{
    const Case cases[] = {
        {"X11 session", {"", {}, ":0", "", "x11"}, ""},
        {"GNOME on Wayland with XWayland", {"", {}, ":0", "wayland-0", "wayland"}, "xcb;wayland"},
        {"Wayland display without a session type", {"", {}, ":1", "wayland-0", ""}, "xcb;wayland"},
        {"Wayland session type alone", {"", {}, ":0", "", "wayland"}, "xcb;wayland"},
        {"Wayland without XWayland", {"", {}, "", "wayland-0", "wayland"}, ""},
        {"the user's platform", {"wayland", {}, ":0", "wayland-0", "wayland"}, ""},
        {"the user's -platform", {"", "xcb", ":0", "wayland-0", "wayland"}, ""},
        {"no display at all", {"", {}, "", "", "tty"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platformChoice(c.environment), c.platform) << c.name;
}

TEST(PlatformChoice, SeesThePlatformArgumentInEveryForm)
{
    for (const char* given : {"-platform", "--platform"}) {
        char program[] = "binrot";
        std::string argument = given;
        char value[] = "offscreen";
        char* argv[] = {program, argument.data(), value, nullptr};
        EXPECT_EQ(currentPlatformEnvironment(3, argv).platformArgument, "offscreen") << given;
    }
    char program[] = "binrot";
    char other[] = "-reverse";
    char* argv[] = {program, other, nullptr};
    EXPECT_EQ(currentPlatformEnvironment(2, argv).platformArgument, "");
}

TEST(PlatformChoice, DisplayNeededOnlyByAPlatformThatDrawsOnOne)
{
    struct Reach {
        const char* name;
        PlatformEnvironment environment;
        const char* missing;
    };
    const Reach cases[] = {
        {"nothing at all", {"", {}, "", "", ""}, "DISPLAY и WAYLAND_DISPLAY"},
        {"an X server", {"", {}, ":0", "", ""}, ""},
        {"a Wayland compositor", {"", {}, "", "wayland-0", ""}, ""},
        {"-platform offscreen", {"", "offscreen", "", "", ""}, ""},
        {"QT_QPA_PLATFORM=offscreen", {"offscreen", {}, "", "", ""}, ""},
        {"QT_QPA_PLATFORM=xcb without DISPLAY", {"xcb", {}, "", "wayland-0", ""}, "DISPLAY"},
        {"-platform xcb overrides offscreen", {"offscreen", "xcb", "", "", ""}, "DISPLAY"},
        {"wayland with options", {"wayland-egl:nohidpi", {}, "", "wayland-0", ""}, ""},
        {"wayland without its display", {"wayland", {}, ":0", "", ""}, "WAYLAND_DISPLAY"},
        {"a list, its second reachable", {"xcb;wayland", {}, "", "wayland-0", ""}, ""},
        {"a list, none reachable", {"xcb;wayland", {}, "", "", ""}, "DISPLAY и WAYLAND_DISPLAY"},
    };
    for (const Reach& c : cases)
        EXPECT_EQ(missingDisplay(c.environment), c.missing) << c.name;
}

} // namespace
