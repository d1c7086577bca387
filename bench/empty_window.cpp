// SPDX-License-Identifier: GPL-3.0-or-later
// The floors for start-up and memory: an empty Qt window of binrot's size and colour, and, as
// text_window, the same window with one line of text in binrot's font, which is what it
// takes to bring up the font system.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(469, 236);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 255));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
#ifdef WITH_TEXT
    window.setFont(QFont(QStringLiteral("Times New Roman"), 12));
    auto* label =
        new QLabel(QStringLiteral("Информатика - кръгово преместване на цифри в число"), &window);
    label->setGeometry(40, 0, 393, 25);
#endif
    window.show();
    return QApplication::exec();
}
