// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window in a web page: elements built from the shared design inside the page's
// #window, with every click handed to the shared behaviour. The JavaScript here only touches
// the page; everything else is the same C++ as on the desktop.
#include "form/design.h"
#include "form/main_form.h"

#include <cstdlib>
#include <emscripten.h>
#include <memory>
#include <string>

// What the JavaScript below calls of emscripten's own; newer versions leave out the unused.
#ifdef EM_JS_DEPS
EM_JS_DEPS(page, "$UTF8ToString,$stringToUTF8,$lengthBytesUTF8");
#endif

namespace {

// JavaScript, not C++: clang-format would split its "=>" and "===".
// clang-format off

// The caption's address is the one the build names; without one, a page served from a web site
// names its own host, and one opened from a file shows the title alone.
EM_JS(void, setUpPage, (const char* site, const char* programTitle, int width, int height,
                        int background, int text, int disabledText, const char* refusalTitle), {
    const colour = (rgb) => '#' + rgb.toString(16).padStart(6, '0');
    const address = UTF8ToString(site) || (location.protocol.startsWith('http') ? location.host : "");
    // Into the title element itself: document.title would fold the caption's two blanks.
    document.querySelector('title').textContent =
        (address ? address + '  ' : "") + UTF8ToString(programTitle);
    const theme = document.createElement('meta');
    theme.name = 'theme-color';
    theme.content = colour(background);
    document.head.appendChild(theme);
    // The page's style places the window and its controls from their design pixels.
    Module.place = (element, box) => {
        for (const name in box)
            element.style.setProperty('--' + name, box[name]);
    };
    const frame = document.getElementById('window');
    Module.place(frame, {width, height});
    frame.style.background = colour(background);
    frame.style.color = colour(text);
    frame.style.setProperty('--disabled-text', colour(disabledText));
    const dialog = document.getElementById('refusal');
    const title = document.createElement('h1');
    title.id = 'refusal-title';
    title.textContent = UTF8ToString(refusalTitle);
    dialog.prepend(title);
    dialog.setAttribute('aria-labelledby', title.id);
    Module.controls = [];
    // Until the browser has laid the page out once, nothing here asks where anything is.
    requestAnimationFrame(() => { Module.laidOut = true; });
});

// kind is form::ControlKind; background is -1 for the system's own colours. The focused
// control takes the focus when the browser has laid the page out.
EM_JS(void, addControl, (int index, int kind, const char* id, int left, int top, int width,
                         int height, const char* text, int background, int maxLength,
                         const char* toolTip, const char* name, const char* description,
                         int focused), {
    const tags = ['div', 'input', 'button', 'textarea'];
    const control = document.createElement(tags[kind]);
    control.id = UTF8ToString(id);
    Module.place(control, {left, top, width, height});
    if (background >= 0)
        control.style.background = '#' + background.toString(16).padStart(6, '0');
    if (kind === 0) {
        control.className = 'label';
        control.textContent = UTF8ToString(text);
    } else if (kind === 2) {
        control.type = 'button';
        control.textContent = UTF8ToString(text);
    } else {
        // The default value, which leaves the caret at the start without a layout.
        control.defaultValue = UTF8ToString(text);
        control.spellcheck = false;
        if (kind === 1) {
            control.type = 'text';
            control.autocomplete = 'off';
            control.inputMode = 'decimal';
        } else {
            control.readOnly = true;
        }
    }
    if (maxLength > 0)
        control.maxLength = maxLength;
    if (toolTip)
        control.title = UTF8ToString(toolTip);
    if (name)
        control.setAttribute('aria-label', UTF8ToString(name));
    if (description)
        control.setAttribute('aria-description', UTF8ToString(description));
    if (kind === 0 || kind === 2)
        control.addEventListener('click', () => _binrotClick(index));
    control.autofocus = focused;
    document.getElementById('window').appendChild(control);
    Module.controls[index] = control;
});

EM_JS(char*, controlValue, (int index), {
    const value = Module.controls[index].value;
    const size = lengthBytesUTF8(value) + 1;
    const copy = _malloc(size);
    stringToUTF8(value, copy, size);
    return copy;
});

// Replacing the text shows it from its first line, with the caret at the start; before the
// first layout the new control is there already.
EM_JS(void, setControlValue, (int index, const char* text), {
    const control = Module.controls[index];
    control.value = UTF8ToString(text);
    if (Module.laidOut) {
        control.scrollTop = 0;
        control.setSelectionRange(0, 0);
    }
});

EM_JS(void, setControlEnabled, (int index, int enabled), {
    const control = Module.controls[index];
    // A disabled button cannot keep the focus: it moves on, as Tab would move it.
    if (!enabled && document.activeElement === control)
        control.nextElementSibling.focus();
    control.disabled = !enabled;
});

// In the page rather than alert(), which some browsers suppress and none lets one style.
EM_JS(void, showRefusalDialog, (const char* message, int returnFocusTo), {
    const dialog = document.getElementById('refusal');
    document.getElementById('refusal-text').textContent = UTF8ToString(message);
    dialog.addEventListener('close', () => Module.controls[returnFocusTo].focus(), {once: true});
    dialog.showModal();
});

// clang-format on

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
