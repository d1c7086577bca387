// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/colour_button.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor borderColour(0x60, 0x60, 0x60);
const QColor focusColour(0x00, 0x00, 0x80);

} // namespace

ColourButton::ColourButton(
    const QString& text, QColor fill, QColor textColour, QColor disabledTextColour, QWidget* parent)
    : QPushButton(text, parent), fill(fill), textColour(textColour),
      disabledTextColour(disabledTextColour)
{
    setAutoDefault(false);
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    constexpr qreal radius = 2;
    const int border = hasFocus() ? 2 : 1;
    const QRect outer = rect();
    // The border's rounded corners, then the fill inside it, rounded as the border's inside.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(hasFocus() ? focusColour : borderColour);
    painter.drawRoundedRect(outer, radius, radius);
    painter.setBrush(isDown() ? fill.darker(115) : fill);
    const qreal inner = std::max<qreal>(radius - border, 0);
    painter.drawRoundedRect(outer.adjusted(border, border, -border, -border), inner, inner);
    painter.setPen(isEnabled() ? textColour : disabledTextColour);
    painter.drawText(outer, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
