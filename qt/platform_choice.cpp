// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/platform_choice.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

std::string platformChoice(const PlatformEnvironment& environment)
{
    if (!environment.qtPlatform.empty() || !environment.platformArgument.empty())
        return {};
    const bool wayland =
        !environment.waylandDisplay.empty() || environment.sessionType == "wayland";
    if (wayland && !environment.display.empty())
        return "xcb;wayland";
    return {};
}

std::string missingDisplay(const PlatformEnvironment& environment)
{
    // The command line overrides the environment, as in Qt.
    const std::string_view chosen = !environment.platformArgument.empty()
        ? std::string_view(environment.platformArgument)
        : std::string_view(environment.qtPlatform);
    bool x11 = false;
    bool wayland = false;
    // A list of platforms separated by ';' is tried in turn; each may carry ':' and options.
    for (std::size_t start = 0; start < chosen.size();) {
        const std::size_t end = std::min(chosen.find(';', start), chosen.size());
        const std::string_view entry = chosen.substr(start, end - start);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (name == "xcb")
            x11 = true;
        else if (name.starts_with("wayland"))
            wayland = true;
        else if (!name.empty())
            return {};
        start = end + 1;
    }
    if (!x11 && !wayland) // no choice, or an empty list: Qt's own, X11 or Wayland
        x11 = wayland = true;
    if ((x11 && !environment.display.empty()) || (wayland && !environment.waylandDisplay.empty()))
        return {};
    if (x11 && wayland)
        return "DISPLAY и WAYLAND_DISPLAY";
    return x11 ? "DISPLAY" : "WAYLAND_DISPLAY";
}

PlatformEnvironment currentPlatformEnvironment(int argc, char* argv[])
{
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    PlatformEnvironment environment {variable("QT_QPA_PLATFORM"), {}, variable("DISPLAY"),
        variable("WAYLAND_DISPLAY"), variable("XDG_SESSION_TYPE")};
    for (int index = 1; index + 1 < argc; ++index) {
        const std::string_view argument = argv[index];
        if (argument == "-platform" || argument == "--platform")
            environment.platformArgument = argv[index + 1];
    }
    return environment;
}
