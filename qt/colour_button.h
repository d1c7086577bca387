// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

// A push button filled with its own colour in every style and scheme: a thin grey border, a
// darker fill while pressed, a navy border while it has the focus, dark text, grey when
// disabled. Painted directly, since a style sheet would build Qt's style-sheet style for it.
class ColourButton : public QPushButton {
    Q_OBJECT

public:
    ColourButton(const QString& text, QColor fill, QColor textColour, QColor disabledTextColour,
        QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill;
    QColor textColour;
    QColor disabledTextColour;
};
