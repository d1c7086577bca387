// SPDX-License-Identifier: GPL-3.0-or-later
#include "expected_texts.h"
#include "qt/application.h"
#include "qt/main_window.h"
#include "rotation/rotation.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Records warnings instead of opening a modal message box.
class TestForm : public MainWindow {
public:
    QStringList warnings;

protected:
    void showRefusal(std::string_view message) override { warnings << QString::fromUtf8(message); }
};

// What the report box shows for a report: its CR LF ends become plain lines.
QString shown(const std::string& report)
{
    return QString::fromUtf8(report).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString shownReportFor(const std::string& input)
{
    return shown(reportFor(input));
}

// Texts of at most six characters, grouped by the length of their number's binary string:
// plain numbers reach 20 digits, exponents the rest up to 31.
std::map<std::size_t, std::vector<std::string>> inputsByLength()
{
    std::map<std::size_t, std::vector<std::string>> inputs;
    const auto add = [&inputs](const std::string& text) {
        try {
            const auto magnitude = static_cast<std::uint32_t>(rotation::ReadNumber(text));
            std::size_t length = 0;
            for (auto rest = magnitude; rest > 0; rest /= 2)
                ++length;
            inputs[length].push_back(text);
        } catch (const rotation::OutOfRange&) {
        }
    };
    for (int number = 0; number < 1'000'000; number += 997)
        add(std::to_string(number));
    for (int bits = 0; bits < 20; ++bits)
        add(std::to_string(1 << bits));
    for (int mantissa = 100; mantissa < 1000; mantissa += 7)
        for (int exponent = 6; exponent <= 9; ++exponent)
            add(std::to_string(mantissa / 100) + "." + std::to_string(mantissa % 100) + "e" +
                std::to_string(exponent));
    return inputs;
}

// Contrast between two colours as the accessibility guidelines define it, from 1 to 21.
double contrast(QColor first, QColor second)
{
    const auto luminance = [](QColor colour) {
        const auto linear = [](float channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
            0.0722 * linear(colour.blueF());
    };
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The colour most pixels of a region have, and the strongest contrast any pixel has with it:
// the middle of a text's strokes reaches its full colour.
std::pair<QColor, double> backgroundAndTextContrast(const QImage& image, QRect region)
{
    std::map<QRgb, int> counts;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            ++counts[image.pixel(x, y)];
    const QColor background = QColor::fromRgb(
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        })->first);
    double strongest = 1;
    for (const auto& [pixel, count] : counts)
        strongest = std::max(strongest, contrast(background, QColor::fromRgb(pixel)));
    return {background, strongest};
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    TestForm* form = nullptr;
    QFont applicationFont;

    template<typename Control> Control* control(const char* name) const
    {
        auto* found = form->findChild<Control*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLabel* title() const { return control<QLabel>("Label1_0"); }
    QLineEdit* input() const { return control<QLineEdit>("Text2_0"); }
    QPushButton* compute() const { return control<QPushButton>("Command1_0"); }
    QPushButton* clear() const { return control<QPushButton>("Command1_1"); }
    QPlainTextEdit* report() const { return control<QPlainTextEdit>("Text1_0"); }

    void computeFor(const QString& number)
    {
        input()->setText(number);
        QTest::mouseClick(compute(), Qt::LeftButton);
    }

    // The state after "Чисти": an empty report, a new offered number, an empty list and the
    // compute button enabled again.
    void expectCleared() const
    {
        QCOMPARE(report()->toPlainText(), QString());
        QVERIFY2(isOfferedNumber(input()->text().toStdString()), qPrintable(input()->text()));
        QCOMPARE(form->analysis().List1.Count(), 0);
        QVERIFY(compute()->isEnabled());
    }

    // Makes the window anew under scheme; the application's palette returns with the guard.
    [[nodiscard]] auto reopenUnder(const QPalette& scheme)
    {
        const QPalette original = QApplication::palette();
        delete form;
        QApplication::setPalette(scheme);
        form = new TestForm;
        form->show();
        return qScopeGuard([original] { QApplication::setPalette(original); });
    }

    void expectShownFromTheStart() const
    {
        QCOMPARE(report()->textCursor().position(), 0);
        QCOMPARE(report()->verticalScrollBar()->value(), 0);
    }

private slots:
    void initTestCase() { applicationFont = QApplication::font(); }

    void init()
    {
        form = new TestForm;
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }

    void cleanup()
    {
        delete form;
        form = nullptr;
    }

    void startsWithAnOfferedNumberAndTheTaskStatement()
    {
        QVERIFY2(isOfferedNumber(input()->text().toStdString()), qPrintable(input()->text()));
        QVERIFY(compute()->isEnabled());
        QCOMPARE(form->analysis().List1.Count(), 0);
        QCOMPARE(form->analysis().EnteredBinary, std::string());

        const QStringList lines = report()->toPlainText().split(u'\n');
        QCOMPARE(lines.size(), 50); // 49 lines, each ending in a line break
        QCOMPARE(lines[0],
            QStringLiteral("Естествено число в 10 бройна система може да се "
                           "представи в 2-ична като поредица от 0 и 1."));
        QCOMPARE(lines[3],
            QStringLiteral("Входни данни: естествено число от интервала [101..900009]. "));
        QCOMPARE(lines[13], QStringLiteral("   0 - 10000001110011"));
        QCOMPARE(lines[37], QStringLiteral(" 10:10011100000011"));
        QCOMPARE(lines[48], QStringLiteral("Пример: 8186"));
        QCOMPARE(lines[49], QString());
        expectShownFromTheStart();
        QVERIFY(report()->verticalScrollBar()->maximum() > 0);
    }

    void isAFixedCentredWindowOfTheDrawnSize()
    {
        QCOMPARE(form->size(), QSize(469, 236));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        // Centred before the frame is known: the frame may shift it by its own width.
        const QPoint offCentre =
            form->geometry().center() - form->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 8,
            qPrintable(QString::number(offCentre.manhattanLength())));
        QCOMPARE(form->windowTitle(),
            form::Site.empty() ? QStringLiteral("Възможни числа при двоично представяне")
                               : QString::fromUtf8(form::Site) +
                    QStringLiteral("  Възможни числа при двоично представяне"));
    }

    void neverStaysMaximizedOrFullScreen()
    {
        const QRect normal = form->geometry();
        for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
            form->setWindowState(state);
            QTRY_COMPARE(form->windowState(), Qt::WindowNoState);
            QTRY_COMPARE(form->geometry(), normal);
        }
    }

    void placesEveryControlAtItsGeometry()
    {
        QCOMPARE(title()->geometry(), QRect(40, 0, 393, 25));
        QCOMPARE(input()->geometry(), QRect(8, 48, 129, 33));
        QCOMPARE(compute()->geometry(), QRect(176, 48, 105, 33));
        QCOMPARE(clear()->geometry(), QRect(352, 48, 105, 33));
        QCOMPARE(report()->geometry(), QRect(8, 96, 449, 137));
        QCOMPARE(title()->alignment(), Qt::AlignCenter);
        QCOMPARE(
            title()->text(), QStringLiteral("Информатика - кръгово преместване на цифри в число"));
        QCOMPARE(compute()->text(), QStringLiteral("Изчисли"));
        QCOMPARE(clear()->text(), QStringLiteral("Чисти"));
    }

    void drawsTheColoursWhereTheyBelong()
    {
        const QImage image = form->grab().toImage();
        const auto colourAt = [&image](int x, int y) {
            return image.pixelColor(x, y).name();
        };
        QCOMPARE(colourAt(4, 40), QStringLiteral("#c0c0ff")); // window, between the controls
        QCOMPARE(colourAt(463, 90), QStringLiteral("#c0c0ff"));
        QCOMPARE(colourAt(44, 3), QStringLiteral("#ffc080")); // title, left of its text
        QCOMPARE(colourAt(182, 54), QStringLiteral("#80ff80")); // compute, inside its border
        QCOMPARE(colourAt(358, 54), QStringLiteral("#ff8080")); // clear
    }

    void everyTextIsReadableInAnyScheme_data()
    {
        QTest::addColumn<QPalette>("scheme");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        // Qt derives white text on black boxes from a dark button colour.
        QTest::newRow("dark") << QPalette(QColor(0x35, 0x35, 0x35));
    }

    void everyTextIsReadableInAnyScheme()
    {
        QFETCH(QPalette, scheme);
        const auto restore = reopenUnder(scheme);
        computeFor(QStringLiteral("12345")); // the compute button's caption disabled, too

        // Inside each control's border; the report box without its scroll bar. Where the
        // window gives a control a colour, the control keeps it in every scheme.
        const QRect viewport(
            report()->viewport()->mapTo(form, QPoint()), report()->viewport()->size());
        const struct {
            const char* name;
            QRect region;
            QString colour;
        } controls[] = {
            {"title", title()->geometry(), QStringLiteral("#ffc080")},
            {"input", input()->geometry().adjusted(3, 3, -3, -3), {}},
            {"compute", compute()->geometry().adjusted(3, 3, -3, -3), QStringLiteral("#80ff80")},
            {"clear", clear()->geometry().adjusted(3, 3, -3, -3), QStringLiteral("#ff8080")},
            {"report", viewport, {}},
        };
        const QImage image = form->grab().toImage();
        for (const auto& control : controls) {
            const auto [background, strongest] = backgroundAndTextContrast(image, control.region);
            QVERIFY2(strongest >= 4.5,
                qPrintable(QStringLiteral("%1: %2:1").arg(control.name).arg(strongest)));
            if (!control.colour.isEmpty())
                QCOMPARE(background.name(), control.colour);
        }
        QCOMPARE(image.pixelColor(4, 40).name(), QStringLiteral("#c0c0ff"));
    }

    void paintsEachButtonStateInItsColours_data() { everyTextIsReadableInAnyScheme_data(); }

    void paintsEachButtonStateInItsColours()
    {
        QFETCH(QPalette, scheme);
        const auto restore = reopenUnder(scheme);
        QVERIFY(QTest::qWaitForWindowExposed(form));

        // The fill inside the border, the border at the middle of the left edge, and the
        // darkest pixel of the caption.
        struct Look {
            QString fill;
            QString border;
            QString text;
        };
        const auto look = [](QPushButton* button) {
            const QImage image = button->grab().toImage();
            QColor darkest = Qt::white;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 6; x < image.width() - 6; ++x)
                    if (image.pixelColor(x, y).lightness() < darkest.lightness())
                        darkest = image.pixelColor(x, y);
            return Look {image.pixelColor(6, 6).name(),
                image.pixelColor(0, image.height() / 2).name(), darkest.name()};
        };
        const QColor fill(0x80, 0xff, 0x80);
        const QString pressed = fill.darker(115).name();

        Look normal = look(clear());
        QCOMPARE(normal.fill, QStringLiteral("#ff8080"));
        QCOMPARE(normal.border, QStringLiteral("#606060"));
        QCOMPARE(normal.text, QStringLiteral("#000000"));

        compute()->setDown(true);
        QCOMPARE(look(compute()).fill, pressed);
        compute()->setDown(false);

        compute()->setFocus();
        QTRY_VERIFY(compute()->hasFocus());
        const Look focused = look(compute());
        QCOMPARE(focused.fill, fill.name());
        QCOMPARE(focused.border, QStringLiteral("#000080"));
        QCOMPARE(focused.text, QStringLiteral("#000000"));

        computeFor(QStringLiteral("12345"));
        const Look disabled = look(compute());
        QCOMPARE(disabled.fill, fill.name());
        QCOMPARE(disabled.border, QStringLiteral("#606060"));
        QCOMPARE(disabled.text, QStringLiteral("#5c5c5c"));
    }

    void qtOwnTextsAreBulgarian()
    {
        // Without the translation the texts stay English.
        const QTemporaryDir empty;
        QVERIFY(!installQtTranslation(empty.path()));
        describeApplication();
        std::unique_ptr<QMenu> menu(input()->createStandardContextMenu());
        QStringList entries;
        for (const QAction* action : menu->actions())
            entries << action->text().section(u'\t', 0, 0); // without the shortcut
        QVERIFY2(
            entries.contains(QStringLiteral("Избиране на всичко")), qPrintable(entries.join(u'|')));
    }

    void usesTheWindowFontEverywhere()
    {
        for (QWidget* widget : {static_cast<QWidget*>(form), static_cast<QWidget*>(title()),
                 static_cast<QWidget*>(input()), static_cast<QWidget*>(compute()),
                 static_cast<QWidget*>(clear()), static_cast<QWidget*>(report())}) {
            QCOMPARE(widget->font().family(), QStringLiteral("Times New Roman"));
            QCOMPARE(widget->font().pointSize(), 12);
            QVERIFY(!widget->font().bold() && !widget->font().italic());
        }
        // Message boxes keep the application's own font.
        QCOMPARE(QApplication::font(), applicationFont);
        QMessageBox box;
        QCOMPARE(box.font(), applicationFont);
    }

    void showsOnlyTheFiveVisibleControls()
    {
        QStringList shown;
        for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(child->isVisible(), qPrintable(child->objectName()));
            shown << child->objectName();
        }
        shown.sort();
        QCOMPARE(
            shown, QStringList({"Command1_0", "Command1_1", "Label1_0", "Text1_0", "Text2_0"}));
    }

    void focusStartsInTheInputAndTabsThroughTheControls()
    {
        QCOMPARE(QApplication::focusWidget(), input());
        const QList<QWidget*> order = {compute(), clear(), report(), input()};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void inputTakesAtMostSixCharacters()
    {
        input()->clear();
        QTest::keyClicks(input(), QStringLiteral("12345678"));
        QCOMPARE(input()->text(), QStringLiteral("123456"));

        input()->clear();
        QApplication::clipboard()->setText(QStringLiteral("9876543210"));
        QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(input()->text(), QStringLiteral("987654"));

        // Cyrillic letters count like any other character.
        input()->clear();
        for (const QString& letter : QStringList({"ж", "а", "б", "в", "г", "д", "е"})) {
            QTest::sendKeyEvent(QTest::Press, input(), Qt::Key_unknown, letter, Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, input(), Qt::Key_unknown, letter, Qt::NoModifier);
        }
        QCOMPARE(input()->text(), QStringLiteral("жабвгд"));
    }

    void computeShowsTheWholeReportAndDisablesItself()
    {
        // The report starts at its first line even if the statement was scrolled down.
        report()->verticalScrollBar()->setValue(report()->verticalScrollBar()->maximum());
        report()->moveCursor(QTextCursor::End);
        computeFor(QStringLiteral("12345"));
        const QString text = report()->toPlainText();
        QCOMPARE(text, shownReportFor("12345"));
        const QStringList lines = text.split(u'\n');
        QCOMPARE(lines.size(), 33); // 32 lines, each ending in a line break
        QCOMPARE(lines[0], QStringLiteral("11000000111001"));
        QCOMPARE(lines[31], QStringLiteral("Максимално число: 11100111000000 = 14784"));
        QVERIFY(!text.contains(u'\r'));
        QVERIFY(!compute()->isEnabled());
        QCOMPARE(form->analysis().List1.Count(), 14);
        QCOMPARE(form->analysis().EnteredBinary, std::string("11000000111001"));
        expectShownFromTheStart();
    }

    void clearStartsAFreshComputation()
    {
        computeFor(QStringLiteral("12345"));
        QTest::mouseClick(clear(), Qt::LeftButton);
        expectCleared();

        const QString offered = input()->text();
        QTest::mouseClick(compute(), Qt::LeftButton);
        QCOMPARE(report()->toPlainText(), shownReportFor(offered.toStdString()));
        QCOMPARE(form->analysis().List1.Count(),
            static_cast<std::int16_t>(form->analysis().EnteredBinary.size()));
    }

    void clearAtStartRemovesTheTaskStatement()
    {
        QTest::mouseClick(clear(), Qt::LeftButton);
        expectCleared();
    }

    void editingWhileDisabledChangesNothingUntilClear()
    {
        computeFor(QStringLiteral("10"));
        const QString before = report()->toPlainText();
        input()->clear();
        QTest::keyClicks(input(), QStringLiteral("777"));
        QTest::mouseClick(compute(), Qt::LeftButton);
        QCOMPARE(report()->toPlainText(), before);
        QCOMPARE(form->analysis().List1.Count(), 4);

        QTest::mouseClick(clear(), Qt::LeftButton);
        expectCleared();
    }

    void enterAndEscapeInTheInputDoNothing()
    {
        const QString statement = report()->toPlainText();
        QTest::keyClick(input(), Qt::Key_Return);
        QTest::keyClick(input(), Qt::Key_Enter);
        QTest::keyClick(input(), Qt::Key_Escape);
        QCOMPARE(report()->toPlainText(), statement);
        QVERIFY(compute()->isEnabled());
        QVERIFY(form->isVisible());
        QVERIFY(!compute()->isDefault() && !clear()->isDefault());
    }

    void refusesANumberOutOfRangeAndKeepsEverything()
    {
        const QString statement = report()->toPlainText();
        computeFor(QStringLiteral("9e9"));
        QCOMPARE(form->warnings, QStringList(QString::fromUtf8(rotation::OutOfRange().what())));
        QCOMPARE(input()->text(), QStringLiteral("9e9"));
        QCOMPARE(report()->toPlainText(), statement);
        QCOMPARE(form->analysis().List1.Count(), 0);
        QCOMPARE(form->analysis().EnteredBinary, std::string());
        QVERIFY(compute()->isEnabled());

        // The next press with a good number works as usual.
        computeFor(QStringLiteral("1"));
        QCOMPARE(report()->toPlainText(), shownReportFor("1"));
    }

    void thirtyOneDigitsGiveTheFullReport()
    {
        computeFor(QStringLiteral("2e9"));
        const QStringList lines = report()->toPlainText().split(u'\n');
        QCOMPARE(lines.size(), 67);
        QCOMPARE(lines[65],
            QStringLiteral("Максимално число: 1110111001101011001010000000000 = 2000000000"));
        QVERIFY(!compute()->isEnabled());
        QVERIFY(form->warnings.isEmpty());
    }

    void reportIsReadOnlyButCanBeCopied()
    {
        computeFor(QStringLiteral("12345"));
        const QString text = report()->toPlainText();
        report()->setFocus();
        QTest::keyClicks(report(), QStringLiteral("99"));
        QTest::keyClick(report(), Qt::Key_Delete);
        QCOMPARE(report()->toPlainText(), text);

        QApplication::clipboard()->clear();
        QTest::keyClick(report(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(report(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), text);
    }

    void clickingTheTitleDoesNothing()
    {
        const QString number = input()->text();
        const QString statement = report()->toPlainText();
        QTest::mouseClick(title(), Qt::LeftButton);
        QCOMPARE(input()->text(), number);
        QCOMPARE(report()->toPlainText(), statement);
        QVERIFY(compute()->isEnabled());
    }

    void controlsHaveBulgarianAccessibleNames()
    {
        const QList<QPair<QWidget*, QString>> expected = {
            {input(), QStringLiteral("Число")},
            {compute(), QStringLiteral("Изчисли")},
            {clear(), QStringLiteral("Чисти")},
            {report(), QStringLiteral("Резултат")},
        };
        for (const auto& [widget, name] : expected) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            QCOMPARE(accessible->text(QAccessible::Name), name);
            QVERIFY(!accessible->text(QAccessible::Description).isEmpty());
        }
    }

    void manyPressesDoNotDrift()
    {
        const auto inputs = inputsByLength();
        QCOMPARE(inputs.size(), 32U); // every length from 0 to 31 digits
        std::mt19937 generator(42);
#if defined(__GLIBC__)
        std::size_t inUseAfterWarmUp = 0;
#endif
        for (int press = 0; press < 1000; ++press) {
            const auto& candidates = inputs.at(static_cast<std::size_t>(press % 32));
            const std::string& text = candidates[generator() % candidates.size()];
            computeFor(QString::fromStdString(text));
            QCOMPARE(report()->toPlainText(), shownReportFor(text));
            QVERIFY(!compute()->isEnabled());

            QTest::mouseClick(clear(), Qt::LeftButton);
            expectCleared();
            if (QTest::currentTestFailed())
                return;
            // As between a user's presses, the window handles what the presses posted.
            QCoreApplication::processEvents();
#if defined(__GLIBC__)
            if (press == 99)
                inUseAfterWarmUp = mallinfo2().uordblks;
#endif
        }
#if defined(__GLIBC__)
        // Under the sanitizers the leak checker watches instead; their allocator fills no
        // mallinfo.
        const std::size_t inUse = mallinfo2().uordblks;
        const QString growth = QStringLiteral("%1 bytes in use after 100 presses, %2 after 1000");
        if (inUseAfterWarmUp > 0)
            QVERIFY2(inUse < inUseAfterWarmUp + 64 * 1024,
                qPrintable(growth.arg(inUseAfterWarmUp).arg(inUse)));
#endif
    }

    void describesTheApplication()
    {
        describeApplication();
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral(BINROT_PROJECT_VERSION));
        QCOMPARE(QApplication::desktopFileName(), QStringLiteral("com.example.binrot"));
        QCOMPARE(QApplication::windowIcon().availableSizes().value(0), QSize(32, 32));
        // The drawing: a clear corner, the window's colour inside the border, the arrow.
        const QImage icon = QApplication::windowIcon().pixmap(32, 32).toImage();
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(icon.pixelColor(4, 4), QColor(0xc0, 0xc0, 0xff));
        QCOMPARE(icon.pixelColor(8, 20), QColor(0xe0, 0x60, 0x20));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
