// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/application.h"
#include "qt/main_window.h"
#include "qt/platform_choice.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    const PlatformEnvironment environment = currentPlatformEnvironment(argc, argv);
    if (const std::string missing = missingDisplay(environment); !missing.empty()) {
        const bool one = missing.find(' ') == std::string::npos;
        std::fprintf(stderr,
            "binrot: няма графичен екран (%s не %s зададен%s), а програмата се показва в "
            "прозорец.\n",
            missing.c_str(), one ? "е" : "са", one ? "" : "и");
        return 1;
    }
    if (const std::string platform = platformChoice(environment); !platform.empty())
        qputenv("QT_QPA_PLATFORM", platform.c_str());
    QApplication application(argc, argv);
    describeApplication();
    MainWindow window;
    window.show();
    return QApplication::exec();
}
