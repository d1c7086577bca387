// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_form.h"

#include "build_config.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

// The layout is drawn in twips; at 96 dots per inch 15 twips make one pixel, and Qt scales
// logical pixels for other screens.
constexpr QRect fromTwips(int left, int top, int width, int height)
{
    constexpr int twipsPerPixel = 15;
    return {
        left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel, height / twipsPerPixel};
}

constexpr QSize clientSize = fromTwips(0, 0, 7035, 3540).size();
constexpr QRgb windowColour = qRgb(192, 192, 255);

// The fixed colours were chosen for the dark text the platform always drew on them; the light
// text of a dark or high-contrast scheme would be unreadable there, so text on them is dark.
constexpr QRgb textOnFixedColour = qRgb(0, 0, 0);
constexpr QRgb disabledTextOnFixedColour = qRgb(92, 92, 92);

constexpr QRect titleGeometry = fromTwips(600, 0, 5895, 375);
constexpr QRgb titleColour = qRgb(255, 192, 128);
constexpr QRect inputGeometry = fromTwips(120, 720, 1935, 495);
constexpr int inputMaxLength = 6;
constexpr QRect computeGeometry = fromTwips(2640, 720, 1575, 495);
constexpr QRgb computeColour = qRgb(128, 255, 128);
constexpr QRect clearGeometry = fromTwips(5280, 720, 1575, 495);
constexpr QRgb clearColour = qRgb(255, 128, 128);
constexpr QRect reportGeometry = fromTwips(120, 1440, 6735, 2055);
constexpr QRect quotationGeometry = fromTwips(1080, 1800, 6375, 2055);
constexpr QRect cornerGeometry = fromTwips(0, 0, 495, 495);

void fillBackground(QWidget* widget, QRgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(colour));
    palette.setColor(QPalette::WindowText, QColor(textOnFixedColour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QString resourceText(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// Shows text as lines, CR LF ends included. Setting the text also puts the caret at the start
// and scrolls to the first line.
void showText(QPlainTextEdit* box, const QString& text)
{
    box->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

// Names the elements of a control array "Name_index", so that they can be found by name.
template<typename Control, std::size_t size>
void nameElements(const std::array<Control*, size>& elements, const QString& name)
{
    for (std::size_t index = 0; index < size; ++index)
        elements[index]->setObjectName(name + u'_' + QString::number(index));
}

} // namespace

MainForm::MainForm(QWidget* parent)
    : QWidget(parent,
          Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
              Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral(BINROT_SITE "  Възможни числа при двоично представяне"));
    setFixedSize(clientSize);
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleHint(QFont::Serif);
    setFont(font);
    fillBackground(this, windowColour);

    // Controls in tab order; labels and hidden controls never take the focus.
    Label1[0] =
        new QLabel(QStringLiteral("Информатика - кръгово преместване на цифри в число"), this);
    Label1[0]->setGeometry(titleGeometry);
    Label1[0]->setAlignment(Qt::AlignCenter);
    fillBackground(Label1[0], titleColour);

    Text2[0] = new QLineEdit(QStringLiteral("8186"), this);
    Text2[0]->setGeometry(inputGeometry);
    Text2[0]->setMaxLength(inputMaxLength);
    Text2[0]->setAccessibleName(QStringLiteral("Число"));
    Text2[0]->setAccessibleDescription(
        QStringLiteral("Естествено число за изследване, до шест знака"));

    const auto makeButton = [this](const QString& caption, QRect geometry, QRgb colour) {
        auto* button = new QPushButton(caption, this);
        button->setGeometry(geometry);
        button->setAutoDefault(false);
        // A palette alone is drawn as a lighter gradient by most styles; the style sheet gives
        // the exact colour, and the focus border keeps the keyboard focus visible.
        const QString style = QStringLiteral(
            "QPushButton { background-color: %1; color: %3; border: 1px solid #606060;"
            " border-radius: 2px; }"
            "QPushButton:pressed { background-color: %2; }"
            "QPushButton:disabled { color: %4; }"
            "QPushButton:focus { border: 2px solid #000080; }");
        button->setStyleSheet(style.arg(QColor(colour).name(), QColor(colour).darker(115).name(),
            QColor(textOnFixedColour).name(), QColor(disabledTextOnFixedColour).name()));
        return button;
    };
    Command1[0] = makeButton(QStringLiteral("Изчисли"), computeGeometry, computeColour);
    Command1[0]->setAccessibleDescription(
        QStringLiteral("Показва двоичния запис на числото, завъртанията му и тяхната подредба"));
    Command1[1] = makeButton(QStringLiteral("Чисти"), clearGeometry, clearColour);
    Command1[1]->setAccessibleDescription(
        QStringLiteral("Предлага ново число и изчиства полето с резултата"));

    const auto makeTextBox = [this](QRect geometry, const QString& text) {
        auto* box = new QPlainTextEdit(this);
        box->setGeometry(geometry);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setReadOnly(true);
        // Read-only, yet students can still select and copy the report for their homework.
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        showText(box, text);
        return box;
    };
    Text1[0] = makeTextBox(reportGeometry, resourceText(QStringLiteral(":/task_statement.txt")));
    Text1[0]->setAccessibleName(QStringLiteral("Резултат"));
    Text1[0]->setAccessibleDescription(
        QStringLiteral("Условието на задачата, а след изчисление двоичните числа и подредбата им"));
    Text1[1] = makeTextBox(quotationGeometry, resourceText(QStringLiteral(":/quotation.txt")));
    Text1[1]->hide();

    Label1[1] = new QLabel(this);
    Label1[1]->setGeometry(cornerGeometry);
    Label1[1]->setToolTip(QStringLiteral("Великденско яйце"));
    Label1[1]->hide();

    nameElements(Label1, QStringLiteral("Label1"));
    nameElements(Text2, QStringLiteral("Text2"));
    nameElements(Command1, QStringLiteral("Command1"));
    nameElements(Text1, QStringLiteral("Text1"));
    for (QLabel* label : Label1)
        label->installEventFilter(this);
    connect(Command1[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(Command1[1], &QPushButton::clicked, this, [this] { Command1_Click(1); });

    move(screen()->availableGeometry().center() - rect().center());
    Text2[0]->setFocus();
    Form_Load();
}

void MainForm::Form_Load()
{
    numbers.seedFromClock();
    NewNumber();
}

void MainForm::NewNumber()
{
    Text2[0]->clear();
    computation.List1.Clear();
    Text2[0]->setText(QString::number(numbers.next()));
}

void MainForm::Command1_Click(int index)
{
    switch (index) {
    case 0:
        computation.InputText = Text2[0]->text().toUtf8().toStdString();
        try {
            computation.BuildRotations();
        } catch (const rotation::OutOfRange& error) {
            // Refused before anything was written: the button stays enabled.
            showWarning(QString::fromUtf8(error.what()));
            return;
        }
        showText(Text1[0], QString::fromUtf8(computation.RotationReport));
        Command1[0]->setEnabled(false);
        break;
    case 1:
        NewNumber();
        Command1[0]->setEnabled(true);
        Text1[0]->clear();
        break;
    default:
        break;
    }
}

void MainForm::Label1_Click(int)
{
    // The title does nothing when clicked, and the corner label is never shown.
}

void MainForm::showWarning(const QString& message)
{
    QMessageBox::warning(this, QStringLiteral("Внимание"), message);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (std::size_t index = 0; index < Label1.size(); ++index) {
            if (watched == Label1[index])
                Label1_Click(static_cast<int>(index));
        }
    }
    return QWidget::eventFilter(watched, event);
}
