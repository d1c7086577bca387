// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "form/design_texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The window's design-time properties, from which every front end builds its controls. Places
// are in twips (1440 to the inch, so 15 to a pixel at 96 dots per inch).
namespace form {

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

struct Pixels {
    int left;
    int top;
    int width;
    int height;

    bool operator==(const Pixels&) const = default;
};

// Twips to pixels on a screen of dpi dots per inch, rounded down as at 96 dpi.
constexpr Pixels toPixels(Twips place, int dpi)
{
    const auto scale = [dpi](int twips) {
        return twips * dpi / 1440;
    };
    return {scale(place.left), scale(place.top), scale(place.width), scale(place.height)};
}

enum class ControlKind {
    Label, // static text on a colour of its own
    Input, // single-line edit box
    Button, // push button drawn in its colour
    TextBox, // multi-line, read-only, vertical scroll bar
    SortedList, // never shown: the computation's own sorted list stands for it
};

struct ControlDesign {
    ControlKind kind;
    std::string_view name;
    int element; // index in its control array; -1 for a single control
    Twips place;
    bool visible;
    std::string_view text {}; // caption, or design-time text with CR LF line ends
    std::optional<Colour> background {}; // unset: the system's own colours
    int maxLength = 0; // characters; 0 for no limit
    std::string_view toolTip {};
    std::string_view accessibleName {}; // empty: the text names the control
    std::string_view accessibleDescription {};
};

struct WindowDesign {
    Twips client;
    Colour background;
    std::string_view caption;
    std::string_view fontFamily;
    int fontPoints;
    int fontCharSet; // Windows character-set number: 204, Cyrillic
};

inline constexpr WindowDesign Window {
    {0, 0, 7035, 3540},
    {192, 192, 255},
    Caption,
    "Times New Roman",
    12,
    204,
};

// The title of the box that tells why a number was refused.
inline constexpr std::string_view RefusalTitle = "Внимание";
// Told before the program ends where the system could not make its window.
inline constexpr std::string_view WindowFailure =
    "Прозорецът на програмата не може да бъде създаден. Затворете други програми и опитайте "
    "отново.";

// The fixed colours were chosen for the dark text the platform always drew on them; the light
// text of a dark or high-contrast scheme would be unreadable there, so text on them is dark.
inline constexpr Colour TextOnFixedColour {0, 0, 0};
inline constexpr Colour DisabledTextOnFixedColour {92, 92, 92};

// In tab order. Labels and hidden controls never take the focus. The names are the numbered
// ones of the form the exercise was first written with; what each control is:
//   Label1(0)   the heading            Text1(0)  the report box, first showing the statement
//   Text2       the input box          Text1(1)  a quotation, never shown
//   Command1(0) "Изчисли"              List1     the sorted list, never shown
//   Command1(1) "Чисти"                Label1(1) a corner label, never shown
inline constexpr std::array<ControlDesign, 8> Controls {{
    {.kind = ControlKind::Label,
        .name = "Label1",
        .element = 0,
        .place = {600, 0, 5895, 375},
        .visible = true,
        .text = "Информатика - кръгово преместване на цифри в число",
        .background = Colour {255, 192, 128}},
    {.kind = ControlKind::Input,
        .name = "Text2",
        .element = 0,
        .place = {120, 720, 1935, 495},
        .visible = true,
        .text = "8186",
        .maxLength = 6,
        .accessibleName = "Число",
        .accessibleDescription = "Естествено число за изследване, до шест знака"},
    {.kind = ControlKind::Button,
        .name = "Command1",
        .element = 0,
        .place = {2640, 720, 1575, 495},
        .visible = true,
        .text = "Изчисли",
        .background = Colour {128, 255, 128},
        .accessibleDescription =
            "Показва двоичния запис на числото, завъртанията му и тяхната подредба"},
    {.kind = ControlKind::Button,
        .name = "Command1",
        .element = 1,
        .place = {5280, 720, 1575, 495},
        .visible = true,
        .text = "Чисти",
        .background = Colour {255, 128, 128},
        .accessibleDescription = "Предлага ново число и изчиства полето с резултата"},
    {.kind = ControlKind::TextBox,
        .name = "Text1",
        .element = 0,
        .place = {120, 1440, 6735, 2055},
        .visible = true,
        .text = TaskStatement,
        .accessibleName = "Резултат",
        .accessibleDescription =
            "Условието на задачата, а след изчисление двоичните числа и подредбата им"},
    {.kind = ControlKind::TextBox,
        .name = "Text1",
        .element = 1,
        .place = {1080, 1800, 6375, 2055},
        .visible = false,
        .text = Quotation},
    {.kind = ControlKind::SortedList,
        .name = "List1",
        .element = -1,
        .place = {2520, 1680, 3495, 630},
        .visible = false},
    {.kind = ControlKind::Label,
        .name = "Label1",
        .element = 1,
        .place = {0, 0, 495, 495},
        .visible = false,
        .background = Colour {192, 192, 255},
        .toolTip = "Великденско яйце"},
}};

// The controls the behaviour speaks to, by their place in Controls.
inline constexpr std::size_t InputControl = 1;
inline constexpr std::size_t ComputeControl = 2;
inline constexpr std::size_t ClearControl = 3;
inline constexpr std::size_t ReportControl = 4;
static_assert(Controls[InputControl].name == "Text2" &&
    Controls[ComputeControl].name == "Command1" && Controls[ClearControl].element == 1 &&
    Controls[ReportControl].name == "Text1");

} // namespace form
