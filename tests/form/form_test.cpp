// SPDX-License-Identifier: GPL-3.0-or-later
#include "expected_texts.h"
#include "form/design.h"
#include "form/main_form.h"
#include "form/number_source.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A front end that only records what the behaviour tells it.
class FakeView : public form::FormView {
public:
    std::string input = "8186";
    std::string report {form::TaskStatement};
    bool computeEnabled = true;
    std::vector<std::string> refusals;
    int reportReplacements = 0;

    std::string inputText() const override { return input; }
    void setInputText(std::string_view text) override { input = text; }
    void setReportText(std::string_view text) override
    {
        report = text;
        ++reportReplacements;
    }
    void setComputeEnabled(bool enabled) override { computeEnabled = enabled; }
    void showRefusal(std::string_view message) override { refusals.emplace_back(message); }
};

class Behaviour : public testing::Test {
protected:
    FakeView view;
    form::MainForm form {view};

    void SetUp() override { form.Form_Load(); }

    void computeFor(const std::string& number)
    {
        view.input = number;
        form.Command1_Click(0);
    }

    void expectCleared() const
    {
        EXPECT_EQ(view.report, "");
        EXPECT_TRUE(isOfferedNumber(view.input)) << view.input;
        EXPECT_EQ(form.analysis().List1.Count(), 0);
        EXPECT_TRUE(view.computeEnabled);
    }
};

TEST_F(Behaviour, LoadOffersANumberAndKeepsTheTaskStatement)
{
    EXPECT_TRUE(isOfferedNumber(view.input)) << view.input;
    EXPECT_EQ(view.report, form::TaskStatement);
    EXPECT_TRUE(view.computeEnabled);
    EXPECT_EQ(form.analysis().List1.Count(), 0);
}

TEST_F(Behaviour, ComputeShowsTheReportAndDisablesItself)
{
    computeFor("12345");
    EXPECT_EQ(view.report, reportFor("12345"));
    EXPECT_FALSE(view.computeEnabled);
    EXPECT_EQ(form.analysis().List1.Count(), 14);
    EXPECT_EQ(form.analysis().EnteredBinary, "11000000111001");
}

TEST_F(Behaviour, ClearStartsAFreshComputation)
{
    computeFor("12345");
    form.Command1_Click(1);
    expectCleared();

    const std::string offered = view.input;
    form.Command1_Click(0);
    EXPECT_EQ(view.report, reportFor(offered));
    EXPECT_EQ(form.analysis().List1.Count(),
        static_cast<std::int16_t>(form.analysis().EnteredBinary.size()));
}

TEST_F(Behaviour, ClearAtStartRemovesTheTaskStatement)
{
    form.Command1_Click(1);
    expectCleared();
}

// A click that reaches a disabled button (a front end's slip, or an automation tool) must not
// add a second set of rotations to the list.
TEST_F(Behaviour, ComputeWhileDisabledChangesNothing)
{
    computeFor("10");
    const int replacements = view.reportReplacements;
    computeFor("777");
    EXPECT_EQ(view.report, reportFor("10"));
    EXPECT_EQ(view.reportReplacements, replacements);
    EXPECT_EQ(form.analysis().List1.Count(), 4);

    form.Command1_Click(1);
    expectCleared();
}

TEST_F(Behaviour, RefusesANumberOutOfRangeAndKeepsEverything)
{
    computeFor("9e9");
    EXPECT_EQ(view.refusals, std::vector<std::string> {rotation::OutOfRange().what()});
    EXPECT_EQ(view.input, "9e9");
    EXPECT_EQ(view.report, form::TaskStatement);
    EXPECT_EQ(form.analysis().List1.Count(), 0);
    EXPECT_TRUE(view.computeEnabled);

    computeFor("1");
    EXPECT_EQ(view.report, reportFor("1"));
}

TEST_F(Behaviour, OtherIndicesAndLabelClicksDoNothing)
{
    const std::string number = view.input;
    for (const form::ControlDesign& control : form::Controls)
        if (control.name == "Label1")
            form.click(control);
    form.Command1_Click(2);
    form.Command1_Click(-1);
    form.Label1_Click(7);
    EXPECT_EQ(view.input, number);
    EXPECT_EQ(view.report, form::TaskStatement);
    EXPECT_TRUE(view.computeEnabled);
}

TEST_F(Behaviour, ClickOnADesignedButtonReachesItsHandler)
{
    view.input = "1";
    form.click(form::Controls[form::ComputeControl]);
    EXPECT_EQ(view.report, reportFor("1"));
    form.click(form::Controls[form::ClearControl]);
    expectCleared();
}

TEST(Design, PlacesInPixelsAt96And144Dpi)
{
    struct Case {
        form::Twips twips;
        int dpi;
        form::Pixels pixels;
    };
    const Case cases[] = {
        {form::Window.client, 96, {0, 0, 469, 236}},
        {form::Window.client, 144, {0, 0, 703, 354}},
        {form::Controls[0].place, 96, {40, 0, 393, 25}},
        {form::Controls[form::InputControl].place, 96, {8, 48, 129, 33}},
        {form::Controls[form::ComputeControl].place, 144, {264, 72, 157, 49}},
        {form::Controls[form::ReportControl].place, 96, {8, 96, 449, 137}},
        {form::Controls[form::ReportControl].place, 144, {12, 144, 673, 205}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(form::toPixels(c.twips, c.dpi), c.pixels) << c.dpi;
}

TEST(Design, TextsAreTheWindowsOwn)
{
    EXPECT_EQ(form::Controls[form::InputControl].maxLength, 6);
    // The address, where the build names one, then two blanks; else the title alone.
    EXPECT_EQ(form::Title, "Възможни числа при двоично представяне");
    EXPECT_EQ(form::Window.caption,
        form::Site.empty() ? std::string(form::Title)
                           : std::string(form::Site) + "  " + std::string(form::Title));

    // The statement: 49 lines, each ending in CR LF, none with a bare LF.
    const std::string_view statement = form::TaskStatement;
    std::size_t lines = 0;
    for (std::size_t at = 1; at < statement.size(); ++at)
        lines += statement[at - 1] == '\r' && statement[at] == '\n';
    EXPECT_EQ(lines, 49U);
    EXPECT_TRUE(statement.ends_with("Пример: 8186\r\n"));
    EXPECT_TRUE(statement.starts_with("Естествено число в 10 бройна система"));
    EXPECT_NE(statement.find("\r\n   0 - 10000001110011\r\n"), std::string_view::npos);
    EXPECT_NE(statement.find("[101..900009]. \r\n"), std::string_view::npos);
    EXPECT_TRUE(form::Quotation.ends_with("колко трудно е било. \r\n"));
    std::size_t bareLineFeeds = 0;
    for (std::size_t at = 0; at < statement.size(); ++at)
        bareLineFeeds += statement[at] == '\n' && (at == 0 || statement[at - 1] != '\r');
    EXPECT_EQ(bareLineFeeds, 0U);
}

struct OfferedCase {
    const char* name;
    float r;
    int number;
};

TEST(NumberSource, MapsEdgeValues)
{
    const OfferedCase cases[] = {
        {"zero", 0.0f, 1000},
        {"smallest step", 1.0f / (1 << 24), 1000},
        {"one tenth", 0.1f, 2000},
        {"0.00005 is held just below", 0.00005f, 1000},
        {"half to even, down", 1.0f / 32, 1312}, // 312.5
        {"half to even, up", 3.0f / 32, 1938}, // 937.5
        {"just below the fold", 0.79994f, 8999},
        {"0.8 folds to 1000", 0.8f, 1000},
        {"largest below one", std::nextafter(1.0f, 0.0f), 3000},
    };
    for (const OfferedCase& c : cases)
        EXPECT_EQ(NumberSource::offeredNumber(c.r), c.number) << c.name;
}

// 1001..2999 come up twice as often as 3001..8999, and 1000 and 3000 one and a half times.
// The source is left at the generator's fixed default seed, so the draws are the same on
// every run: a clock seed made the edge counts miss their margin about once in a thousand.
TEST(NumberSource, DrawsStayInRangeWithTheFoldedDistribution)
{
    NumberSource source;
    std::array<long, 9000> counts {};
    constexpr int draws = 2'000'000;
    for (int i = 0; i < draws; ++i) {
        const float r = source.nextUnit();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f);
        ASSERT_EQ(r * (1 << 24), std::floor(r * (1 << 24))); // 24 random bits
        const int number = NumberSource::offeredNumber(r);
        ASSERT_TRUE(number >= 1000 && number <= 8999) << number;
        ++counts[static_cast<std::size_t>(number)];
    }
    double low = 0;
    double high = 0;
    for (int n = 1001; n <= 2999; ++n)
        low += static_cast<double>(counts[static_cast<std::size_t>(n)]);
    for (int n = 3001; n <= 8999; ++n)
        high += static_cast<double>(counts[static_cast<std::size_t>(n)]);
    EXPECT_NEAR((low / 1999) / (high / 5999), 2.0, 0.05);
    const double expectedEdge = 1.5 * high / 5999;
    for (int edge : {1000, 3000})
        EXPECT_NEAR(static_cast<double>(counts[static_cast<std::size_t>(edge)]), expectedEdge,
            0.2 * expectedEdge);
}

} // namespace
