// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/main_window.h"

#include "qt/colour_button.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

// The states that would move or grow the fixed window.
constexpr Qt::WindowStates grownStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// Qt scales logical pixels for screens other than 96 dots per inch.
QRect pixelRect(form::Twips place)
{
    const form::Pixels pixels = form::toPixels(place, 96);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

QColor qColour(form::Colour colour)
{
    return {colour.red, colour.green, colour.blue};
}

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Shows text as lines, CR LF ends included. Setting the text also puts the caret at the start
// and scrolls to the first line.
void showText(QPlainTextEdit* box, std::string_view text)
{
    box->setPlainText(qText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void fillBackground(QWidget* widget, form::Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, qColour(colour));
    palette.setColor(QPalette::WindowText, qColour(form::TextOnFixedColour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QPlainTextEdit* makeTextBox(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setReadOnly(true);
    // Read-only, yet students can still select and copy the report for their homework.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return box;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent,
          Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
              Qt::WindowCloseButtonHint)
{
    setWindowTitle(qText(form::Window.caption));
    setFixedSize(pixelRect(form::Window.client).size());
    QFont font(qText(form::Window.fontFamily), form::Window.fontPoints);
    font.setStyleHint(QFont::Serif);
    setFont(font);
    fillBackground(this, form::Window.background);

    // Some controls lay their text out once in the application's font before they take the
    // window's: while they are made, that is the window's font, so no other font is loaded.
    // Afterwards the application's returns, for message boxes.
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(font);
    // Made in tab order, which Qt follows for the focus. Hidden controls are never shown, so
    // they are not made.
    for (const form::ControlDesign& control : form::Controls) {
        if (!control.visible)
            continue;
        QWidget* widget = makeControl(control);
        widget->setObjectName(qText(control.name) + u'_' + QString::number(control.element));
        widget->setGeometry(pixelRect(control.place));
        widget->setToolTip(qText(control.toolTip));
        if (!control.accessibleName.empty())
            widget->setAccessibleName(qText(control.accessibleName));
        widget->setAccessibleDescription(qText(control.accessibleDescription));
    }
    QApplication::setFont(applicationFont);
    // Laid out once, at the box's size.
    showText(report, form::Controls[form::ReportControl].text);

    move(screen()->availableGeometry().center() - rect().center());
    input->setFocus();
    behaviour.Form_Load();
}

QWidget* MainWindow::makeControl(const form::ControlDesign& control)
{
    switch (control.kind) {
    case form::ControlKind::Label: {
        auto* label = new QLabel(qText(control.text), this);
        label->setAlignment(Qt::AlignCenter);
        fillBackground(label, control.background.value_or(form::Window.background));
        labels[label] = &control;
        label->installEventFilter(this);
        return label;
    }
    case form::ControlKind::Input: {
        auto* edit = new QLineEdit(qText(control.text), this);
        edit->setMaxLength(control.maxLength);
        input = edit;
        return edit;
    }
    case form::ControlKind::Button: {
        auto* button = new ColourButton(qText(control.text),
            qColour(control.background.value_or(form::Window.background)),
            qColour(form::TextOnFixedColour), qColour(form::DisabledTextOnFixedColour), this);
        connect(
            button, &QPushButton::clicked, this, [this, &control] { behaviour.click(control); });
        if (&control == &form::Controls[form::ComputeControl])
            compute = button;
        return button;
    }
    case form::ControlKind::TextBox:
        report = makeTextBox(this);
        return report;
    case form::ControlKind::SortedList:
        break; // hidden: the computation's own sorted list stands for it
    }
    return nullptr;
}

std::string MainWindow::inputText() const
{
    return input->text().toStdString();
}

void MainWindow::setInputText(std::string_view text)
{
    input->setText(qText(text));
}

void MainWindow::setReportText(std::string_view text)
{
    showText(report, text);
}

void MainWindow::setComputeEnabled(bool enabled)
{
    compute->setEnabled(enabled);
}

void MainWindow::showRefusal(std::string_view message)
{
    QMessageBox::warning(this, qText(form::RefusalTitle), qText(message));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto label = labels.find(watched);
        if (label != labels.end())
            behaviour.click(*label->second);
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && (windowState() & grownStates)) {
        // Queued: the platform is still carrying out the change that sent the event.
        QMetaObject::invokeMethod(
            this, [this] { setWindowState(windowState() & ~grownStates); }, Qt::QueuedConnection);
    }
    QWidget::changeEvent(event);
}
