// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rotation/rotation.h"
#include "window/number_source.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The program's only window: a number to examine, a compute and a clear button, and a
// read-only box that shows the task statement until the first press and the report after.
class MainForm : public QWidget {
    Q_OBJECT

public:
    explicit MainForm(QWidget* parent = nullptr);

    // The computation behind the window: its List1 is the hidden sorted list and its
    // EnteredBinary the string of the number last computed.
    const rotation::Analysis& analysis() const { return computation; }

    void Command1_Click(int index);
    void Label1_Click(int index);

protected:
    // Tells the user why a number was refused. Tests override it to avoid a modal box.
    virtual void showWarning(const QString& message);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void NewNumber();

    // Control arrays, addressed by element index as in the click handlers.
    std::array<QLabel*, 2> Label1 {};
    std::array<QLineEdit*, 1> Text2 {};
    std::array<QPushButton*, 2> Command1 {};
    std::array<QPlainTextEdit*, 2> Text1 {};

    rotation::Analysis computation;
    NumberSource numbers;
};
