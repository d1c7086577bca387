#include "window/application.h"

#include "build_config.h"

#include <QApplication>
#include <QIcon>

bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

void describeApplication()
{
    QApplication::setApplicationName(QStringLiteral(BINROT_NAME));
    QApplication::setApplicationVersion(QStringLiteral(BINROT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(BINROT_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/binrot.png")));
}
