// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window in a web page: elements built from the shared design inside the page's
// #window, with every click handed to the shared behaviour. The page's script (page.js) only
// touches the page; everything else is the same C++ as on the desktop.
#include "form/design.h"
#include "form/main_form.h"

#include <cstdlib>
#include <emscripten.h>
#include <memory>
#include <string>

// Defined in page.js, which emscripten links in.
extern "C" {
void setUpPage(const char* site, const char* programTitle, int width, int height, int background,
    int text, int disabledText, const char* refusalTitle);
// kind is form::ControlKind; background is -1 for the system's own colours; toolTip, name and
// description may be null.
void addControl(int index, int kind, const char* id, int left, int top, int width, int height,
    const char* text, int background, int maxLength, const char* toolTip, const char* name,
    const char* description, int focused);
// A copy made with malloc, which the caller frees.
char* controlValue(int index);
void setControlValue(int index, const char* text);
void setControlEnabled(int index, int enabled);
void showRefusalDialog(const char* message, int returnFocusTo);
}

namespace {

int rgb(form::Colour colour)
{
    return colour.red << 16 | colour.green << 8 | colour.blue;
}

// A C string for JavaScript, or null for an empty text.
const char* orNull(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}

class WebWindow : public form::FormView {
public:
    WebWindow()
    {
        const form::Pixels client = form::toPixels(form::Window.client, 96);
        setUpPage(std::string(form::Site).c_str(), std::string(form::Title).c_str(), client.width,
            client.height, rgb(form::Window.background), rgb(form::TextOnFixedColour),
            rgb(form::DisabledTextOnFixedColour), std::string(form::RefusalTitle).c_str());
        // Made in tab order, which the page follows for the focus. Hidden controls are never
        // shown, so they are not made; the computation's own sorted list stands for List1.
        for (std::size_t index = 0; index < form::Controls.size(); ++index) {
            const form::ControlDesign& control = form::Controls[index];
            if (!control.visible)
                continue;
            const form::Pixels place = form::toPixels(control.place, 96);
            const std::string id =
                std::string(control.name) + "_" + std::to_string(control.element);
            addControl(static_cast<int>(index), static_cast<int>(control.kind), id.c_str(),
                place.left, place.top, place.width, place.height, std::string(control.text).c_str(),
                control.background ? rgb(*control.background) : -1, control.maxLength,
                orNull(std::string(control.toolTip)), orNull(std::string(control.accessibleName)),
                orNull(std::string(control.accessibleDescription)), index == form::InputControl);
        }
        behaviour.Form_Load();
    }

    void click(std::size_t index) { behaviour.click(form::Controls[index]); }

    std::string inputText() const override
    {
        const std::unique_ptr<char, decltype(&std::free)> value(
            controlValue(form::InputControl), &std::free);
        return value.get();
    }
    void setInputText(std::string_view text) override
    {
        setControlValue(form::InputControl, std::string(text).c_str());
    }
    void setReportText(std::string_view text) override
    {
        setControlValue(form::ReportControl, std::string(text).c_str());
    }
    void setComputeEnabled(bool enabled) override
    {
        setControlEnabled(form::ComputeControl, enabled);
    }
    void showRefusal(std::string_view message) override
    {
        showRefusalDialog(std::string(message).c_str(), form::InputControl);
    }

private:
    form::MainForm behaviour {*this};
};

WebWindow* page = nullptr;

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void binrotClick(int index)
{
    if (page && index >= 0 && static_cast<std::size_t>(index) < form::Controls.size())
        page->click(static_cast<std::size_t>(index));
}

int main()
{
    // Lives as long as the page: the runtime stays after main returns.
    page = new WebWindow;
    return 0;
}
