// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the web window, linked in by emscripten (--js-library): what web/main.cpp
// calls to build the controls from the shared design, read and set their texts, and show the
// refusal. It only touches the page; the behaviour is the C++.

// The runtime's string helpers, which newer emscripten leaves out unless asked for; older
// versions always have them and know no such names.
const pageDeps = LibraryManager.library.$UTF8ToString
    ? ['$UTF8ToString', '$stringToUTF8', '$lengthBytesUTF8'] : [];

mergeInto(LibraryManager.library, {
    // The caption's address is the one the build names; without one, a page served from a web
    // site names its own host, and one opened from a file shows the title alone.
    setUpPage__deps: pageDeps,
    setUpPage: function(site, programTitle, width, height, background, text, disabledText,
                        refusalTitle) {
        const colour = (rgb) => '#' + rgb.toString(16).padStart(6, '0');
        const address = UTF8ToString(site) || (location.protocol.startsWith('http') ? location.host : '');
        // Into the title element itself: document.title would fold the caption's two blanks.
        document.querySelector('title').textContent =
            (address ? address + '  ' : '') + UTF8ToString(programTitle);
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
    },

    // kind is form::ControlKind; background is -1 for the system's own colours. The focused
    // control takes the focus when the browser has laid the page out.
    addControl__deps: pageDeps,
    addControl: function(index, kind, id, left, top, width, height, text, background, maxLength,
                         toolTip, name, description, focused) {
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
    },

    controlValue__deps: pageDeps,
    controlValue: function(index) {
        const value = Module.controls[index].value;
        const size = lengthBytesUTF8(value) + 1;
        const copy = _malloc(size);
        stringToUTF8(value, copy, size);
        return copy;
    },

    // Replacing the text shows it from its first line, with the caret at the start; before the
    // first layout the new control is there already.
    setControlValue__deps: pageDeps,
    setControlValue: function(index, text) {
        const control = Module.controls[index];
        control.value = UTF8ToString(text);
        if (Module.laidOut) {
            control.scrollTop = 0;
            control.setSelectionRange(0, 0);
        }
    },

    setControlEnabled: function(index, enabled) {
        const control = Module.controls[index];
        // A disabled button cannot keep the focus: it moves on, as Tab would move it.
        if (!enabled && document.activeElement === control)
            control.nextElementSibling.focus();
        control.disabled = !enabled;
    },

    // In the page rather than alert(), which some browsers suppress and none lets one style.
    // Browsers before <dialog> get the same box, on top, closed by its button or Escape.
    showRefusalDialog__deps: pageDeps,
    showRefusalDialog: function(message, returnFocusTo) {
        const dialog = document.getElementById('refusal');
        document.getElementById('refusal-text').textContent = UTF8ToString(message);
        const giveBack = () => Module.controls[returnFocusTo].focus();
        if (dialog.showModal) {
            dialog.addEventListener('close', giveBack, {once: true});
            dialog.showModal();
            return;
        }
        const button = document.getElementById('refusal-close');
        const close = (event) => {
            if (event.type === 'keydown' && event.key !== 'Escape')
                return;
            // The form's method "dialog" is unknown there: it would leave the page.
            event.preventDefault();
            button.removeEventListener('click', close);
            document.removeEventListener('keydown', close);
            dialog.removeAttribute('open');
            giveBack();
        };
        button.addEventListener('click', close);
        document.addEventListener('keydown', close);
        dialog.className = 'fallback';
        dialog.setAttribute('open', '');
        button.focus();
    },
});
