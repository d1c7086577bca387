// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/design.h"
#include "form/form_view.h"
#include "form/number_source.h"
#include "rotation/rotation.h"

namespace form {

// The window's behaviour: what loading and the clicks do, whichever toolkit shows it.
class MainForm {
public:
    explicit MainForm(FormView& view) : view(view) { }

    void Form_Load();
    void Command1_Click(int index);
    void Label1_Click(int index);
    // Calls the click handler of the control's array, so that front ends forward every click
    // the same way.
    void click(const ControlDesign& control);

    // The computation behind the window: its List1 is the hidden sorted list and its
    // EnteredBinary the string of the number last computed.
    const rotation::Analysis& analysis() const { return computation; }

private:
    void NewNumber();
    void enableCompute(bool enabled);

    FormView& view;
    rotation::Analysis computation;
    NumberSource numbers;
    // Mirrors the compute button, so that a click that reaches a disabled button cannot
    // compute into a list that still holds the last rotations.
    bool computeEnabled = true;
};

} // namespace form
