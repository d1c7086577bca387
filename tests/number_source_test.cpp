// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/number_source.h"

#include <QTest>

#include <array>
#include <cmath>

class NumberSourceTest : public QObject {
    Q_OBJECT

private slots:
    void mapsEdgeValues_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("number");
        QTest::newRow("zero") << 0.0f << 1000;
        QTest::newRow("smallest step") << 1.0f / (1 << 24) << 1000;
        QTest::newRow("one tenth") << 0.1f << 2000;
        QTest::newRow("0.00005 is held just below") << 0.00005f << 1000;
        QTest::newRow("half to even, down") << 1.0f / 32 << 1312; // 312.5
        QTest::newRow("half to even, up") << 3.0f / 32 << 1938; // 937.5
        QTest::newRow("just below the fold") << 0.79994f << 8999;
        QTest::newRow("0.8 folds to 1000") << 0.8f << 1000;
        QTest::newRow("largest below one") << std::nextafter(1.0f, 0.0f) << 3000;
    }

    void mapsEdgeValues()
    {
        QFETCH(float, r);
        QFETCH(int, number);
        QCOMPARE(NumberSource::offeredNumber(r), number);
    }

    // 1001..2999 come up twice as often as 3001..8999, and 1000 and 3000 one and a half times.
    void drawsStayInRangeWithTheFoldedDistribution()
    {
        NumberSource source;
        source.seedFromClock();
        std::array<long, 9000> counts {};
        constexpr int draws = 2'000'000;
        for (int i = 0; i < draws; ++i) {
            const float r = source.nextUnit();
            QVERIFY(r >= 0.0f && r < 1.0f);
            QVERIFY(r * (1 << 24) == std::floor(r * (1 << 24))); // 24 random bits
            const int number = NumberSource::offeredNumber(r);
            QVERIFY(number >= 1000 && number <= 8999);
            ++counts[static_cast<std::size_t>(number)];
        }
        double low = 0;
        double high = 0;
        for (int n = 1001; n <= 2999; ++n)
            low += counts[static_cast<std::size_t>(n)];
        for (int n = 3001; n <= 8999; ++n)
            high += counts[static_cast<std::size_t>(n)];
        const double ratio = (low / 1999) / (high / 5999);
        QVERIFY2(std::abs(ratio - 2.0) < 0.05, qPrintable(QString::number(ratio)));
        const double expectedEdge = 1.5 * high / 5999;
        for (int edge : {1000, 3000})
            QVERIFY(std::abs(counts[static_cast<std::size_t>(edge)] - expectedEdge) <
                0.2 * expectedEdge);
    }
};

QTEST_APPLESS_MAIN(NumberSourceTest)
#include "number_source_test.moc"
