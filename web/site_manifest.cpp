// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the site's web app manifest to standard output, with the window's title and colour.
// Run by node when the site is built.
#include "form/design.h"

#include <cstdio>

int main()
{
    const form::Colour colour = form::Window.background;
    std::printf(R"({
  "name": "%.*s",
  "short_name": "binrot",
  "lang": "bg",
  "start_url": ".",
  "scope": ".",
  "display": "standalone",
  "background_color": "#%02x%02x%02x",
  "theme_color": "#%02x%02x%02x",
  "icons": [
    {"src": "icon-192.png", "sizes": "192x192", "type": "image/png"},
    {"src": "icon-512.png", "sizes": "512x512", "type": "image/png", "purpose": "maskable"}
  ]
}
)",
        static_cast<int>(form::Title.size()), form::Title.data(), colour.red, colour.green,
        colour.blue, colour.red, colour.green, colour.blue);
}
