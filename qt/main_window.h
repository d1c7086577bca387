// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/form_view.h"
#include "form/main_form.h"

#include <QWidget>

#include <map>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The program's window in Qt: widgets built from the shared design, with every event handed
// to the shared behaviour.
class MainWindow : public QWidget, public form::FormView {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    const rotation::Analysis& analysis() const { return behaviour.analysis(); }

    std::string inputText() const override;
    void setInputText(std::string_view text) override;
    void setReportText(std::string_view text) override;
    void setComputeEnabled(bool enabled) override;
    // Tests override it to avoid a modal box.
    void showRefusal(std::string_view message) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Where the window frame offers to maximize anyway (a Wayland compositor's, or Qt's own
    // there), the window returns to its normal state at once.
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeControl(const form::ControlDesign& control);

    QLineEdit* input = nullptr;
    QPushButton* compute = nullptr;
    QPlainTextEdit* report = nullptr;
    // Labels take no focus and have no click signal: their clicks arrive through the filter.
    std::map<const QObject*, const form::ControlDesign*> labels;
    form::MainForm behaviour {*this};
};
