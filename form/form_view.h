// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace form {

// What the behaviour needs of a window; each front end implements it on its own controls.
// Texts are UTF-8, and multi-line texts end their lines with CR LF.
class FormView {
public:
    virtual std::string inputText() const = 0;
    virtual void setInputText(std::string_view text) = 0;
    // Replaces the report box's text and shows it from its first line.
    virtual void setReportText(std::string_view text) = 0;
    virtual void setComputeEnabled(bool enabled) = 0;
    // Tells the user why the number in the input box was refused.
    virtual void showRefusal(std::string_view message) = 0;

protected:
    ~FormView() = default;
};

} // namespace form
