// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/platform_choice.h"

#include <cstdlib>
#include <string_view>

std::string platformChoice(const PlatformEnvironment& environment)
{
    if (!environment.qtPlatform.empty() || environment.platformArgument)
        return {};
    const bool wayland =
        !environment.waylandDisplay.empty() || environment.sessionType == "wayland";
    if (wayland && !environment.display.empty())
        return "xcb;wayland";
    return {};
}

PlatformEnvironment currentPlatformEnvironment(int argc, char* argv[])
{
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    PlatformEnvironment environment {variable("QT_QPA_PLATFORM"), false, variable("DISPLAY"),
        variable("WAYLAND_DISPLAY"), variable("XDG_SESSION_TYPE")};
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "-platform" || argument == "--platform")
            environment.platformArgument = true;
    }
    return environment;
}
