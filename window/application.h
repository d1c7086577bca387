#pragma once

// Whether a graphical display can be reached at all; without one Qt would abort.
bool displayAvailable();

// Gives the running QApplication its name, version, desktop file and icon.
void describeApplication();
