// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/main_form.h"

namespace form {

void MainForm::Form_Load()
{
    numbers.seedFromClock();
    NewNumber();
}

void MainForm::NewNumber()
{
    view.setInputText({});
    computation.List1.Clear();
    view.setInputText(std::to_string(numbers.next()));
}

void MainForm::enableCompute(bool enabled)
{
    computeEnabled = enabled;
    view.setComputeEnabled(enabled);
}

void MainForm::Command1_Click(int index)
{
    switch (index) {
    case 0:
        if (!computeEnabled)
            return;
        computation.InputText = view.inputText();
        try {
            computation.BuildRotations();
        } catch (const rotation::OutOfRange& error) {
            // Refused before anything was written: the button stays enabled.
            view.showRefusal(error.what());
            return;
        }
        view.setReportText(computation.RotationReport);
        enableCompute(false);
        break;
    case 1:
        NewNumber();
        enableCompute(true);
        view.setReportText({});
        break;
    default:
        break;
    }
}

void MainForm::Label1_Click(int)
{
    // The title does nothing when clicked, and the corner label is never shown.
}

void MainForm::click(const ControlDesign& control)
{
    if (control.name == "Command1")
        Command1_Click(control.element);
    else if (control.name == "Label1")
        Label1_Click(control.element);
}

} // namespace form
