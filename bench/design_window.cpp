// SPDX-License-Identifier: GPL-3.0-or-later
// The matched floor for start-up and memory: binrot's visible controls, with their texts and
// the task statement, in its font and colour, made with Qt's plain widgets and doing nothing.
// What binrot takes beyond it is what the program adds to its design.
#include "form/design.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    const form::Pixels client = form::toPixels(form::Window.client, 96);
    window.setFixedSize(client.width, client.height);
    QPalette palette = window.palette();
    const form::Colour background = form::Window.background;
    palette.setColor(QPalette::Window, QColor(background.red, background.green, background.blue));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setFont(QFont(QString::fromUtf8(form::Window.fontFamily), form::Window.fontPoints));
    for (const form::ControlDesign& control : form::Controls) {
        const QString text = QString::fromUtf8(control.text.data(), control.text.size())
                                 .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QWidget* widget = nullptr;
        switch (control.visible ? control.kind : form::ControlKind::SortedList) {
        case form::ControlKind::Label:
            widget = new QLabel(text, &window);
            break;
        case form::ControlKind::Input:
            widget = new QLineEdit(text, &window);
            break;
        case form::ControlKind::Button:
            widget = new QPushButton(text, &window);
            break;
        case form::ControlKind::TextBox:
            widget = new QPlainTextEdit(text, &window);
            break;
        case form::ControlKind::SortedList:
            continue;
        }
        const form::Pixels place = form::toPixels(control.place, 96);
        widget->setGeometry(place.left, place.top, place.width, place.height);
    }
    window.show();
    return QApplication::exec();
}
