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
        {"X11 session", {"", false, ":0", "", "x11"}, ""},
        {"GNOME on Wayland with XWayland", {"", false, ":0", "wayland-0", "wayland"},
            "xcb;wayland"},
        {"Wayland display without a session type", {"", false, ":1", "wayland-0", ""},
            "xcb;wayland"},
        {"Wayland session type alone", {"", false, ":0", "", "wayland"}, "xcb;wayland"},
        {"Wayland without XWayland", {"", false, "", "wayland-0", "wayland"}, ""},
        {"the user's platform", {"wayland", false, ":0", "wayland-0", "wayland"}, ""},
        {"the user's -platform", {"", true, ":0", "wayland-0", "wayland"}, ""},
        {"no display at all", {"", false, "", "", "tty"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platformChoice(c.environment), c.platform) << c.name;
}

TEST(PlatformChoice, SeesThePlatformArgumentInEveryForm)
{
    for (const char* given : {"-platform", "--platform"}) {
        char program[] = "binrot";
        std::string argument = given;
        char* argv[] = {program, argument.data(), nullptr};
        EXPECT_TRUE(currentPlatformEnvironment(2, argv).platformArgument) << given;
    }
    char program[] = "binrot";
    char other[] = "-reverse";
    char* argv[] = {program, other, nullptr};
    EXPECT_FALSE(currentPlatformEnvironment(2, argv).platformArgument);
}

} // namespace
