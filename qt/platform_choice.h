// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What decides the platform Qt draws the window with.
struct PlatformEnvironment {
    std::string qtPlatform; // QT_QPA_PLATFORM
    std::string platformArgument; // the value of -platform on the command line
    std::string display; // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string sessionType; // XDG_SESSION_TYPE
};

// The platform list to give Qt, or "" to leave Qt its own choice. The window is fixed, centred
// and never maximized, which only X11 lets every desktop honour: a Wayland session that also
// runs an X server (XWayland) gets X11 first, with Wayland still there should X11 fail.
// Whoever chose a platform keeps it.
std::string platformChoice(const PlatformEnvironment& environment);

// What the chosen platform lacks to reach a display, "" where nothing: X11 needs DISPLAY,
// Wayland WAYLAND_DISPLAY, and a platform that draws on no display (offscreen, vnc, eglfs ...)
// neither. Without a choice Qt takes X11 or Wayland, so one of the two will do; so will one
// platform of a list. Qt aborts where none can be reached. Names two as "DISPLAY и
// WAYLAND_DISPLAY".
std::string missingDisplay(const PlatformEnvironment& environment);

// The environment of this process and its command line.
PlatformEnvironment currentPlatformEnvironment(int argc, char* argv[]);
