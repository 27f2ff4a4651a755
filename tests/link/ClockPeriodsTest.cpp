// The clock-period table: every period must be the value its own list text names, as the
// nearest double, and the labels and lookups must refuse indexes outside the table.

#include "link/ClockPeriods.h"

#include <QTest>

#include <cstdlib>
#include <sstream>

using namespace veldran;

class ClockPeriodsTest : public QObject {
    Q_OBJECT
private slots:
    void periodMatchesItsText();
    void labelsFollowListTexts();
    void outsideTable_data();
    void outsideTable();
};

// "50 nanosec" must give exactly the double strtod gives for 50e-9, and the periods must fall
// from 100 ms to 40 ns.
void ClockPeriodsTest::periodMatchesItsText()
{
    QCOMPARE(ClockPeriodCount(), 22);
    QCOMPARE(ClockPeriodListText(0), std::string("OFF"));
    QCOMPARE(ClockPeriodSeconds(0).value(), 1.0);
    double previous = 1.0;
    for (int i = 1; i < ClockPeriodCount(); ++i) {
        std::istringstream words(ClockPeriodListText(i));
        std::string number;
        std::string unit;
        words >> number >> unit;
        const char* exponent = unit == "millisec" ? "e-3" : unit == "microsec" ? "e-6" : unit == "nanosec" ? "e-9" : "";
        QVERIFY2(*exponent != '\0', ClockPeriodListText(i).c_str());
        const double expected = std::strtod((number + exponent).c_str(), nullptr);
        const double period = ClockPeriodSeconds(i).value();
        QCOMPARE(period, expected);
        QVERIFY(period < previous);
        previous = period;
    }
    QCOMPARE(ClockPeriodListText(21), std::string("40 nanosec"));
}

void ClockPeriodsTest::labelsFollowListTexts()
{
    for (int i = 0; i < ClockPeriodCount(); ++i)
        QCOMPARE(ClockPeriodLabel(i), "Clock period : " + ClockPeriodListText(i));
}

void ClockPeriodsTest::outsideTable_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("22") << 22;
    QTest::newRow("very large") << (1 << 30);
}

void ClockPeriodsTest::outsideTable()
{
    QFETCH(int, index);
    QVERIFY(ClockPeriodLabel(index).empty());
    QVERIFY(ClockPeriodListText(index).empty());
    QVERIFY(!ClockPeriodSeconds(index).has_value());
}

QTEST_GUILESS_MAIN(ClockPeriodsTest)
#include "ClockPeriodsTest.moc"
