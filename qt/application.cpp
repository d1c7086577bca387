// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/application.h"

#include "build_config.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QTranslator>

void describeApplication()
{
    QApplication::setApplicationName(QStringLiteral(BINROT_NAME));
    QApplication::setApplicationVersion(QStringLiteral(BINROT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(BINROT_APP_ID));
    // Read as what it is: left to guess, the reader would load every image format plugin.
    QImageReader icon(QStringLiteral(":/binrot.png"), "png");
    icon.setAutoDetectImageFormat(false);
    QApplication::setWindowIcon(QPixmap::fromImage(icon.read()));
    installQtTranslation(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installQtTranslation(const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_bg"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
