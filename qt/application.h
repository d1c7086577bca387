// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;

// Gives the running QApplication its name, version, desktop file and icon, and Qt's own texts
// in Bulgarian.
void describeApplication();

// The window is Bulgarian for everybody, so Qt's own texts (context menus, the buttons of a
// message box) are too, whatever the locale: installs Qt's Bulgarian translation from folder.
// Returns false, and the texts stay English, where the folder lacks it.
bool installQtTranslation(const QString& folder);
