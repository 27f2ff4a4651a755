// The measurements panel's figures as text: units and precision, missing figures, the clock OFF.

#include "analysis/MeasureTexts.h"

#include <QTest>

using namespace veldran;

class MeasureTextsTest : public QObject {
    Q_OBJECT

private slots:
    void timesAndFrequenciesTakeTheirUnit_data()
    {
        QTest::addColumn<bool>("time");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero time") << true << 0.0 << "0 s";
        QTest::newRow("ns") << true << 4e-8 << "40 ns";
        QTest::newRow("µs") << true << 1.25e-5 << "12.5 µs";
        QTest::newRow("four digits") << true << 1.23456e-3 << "1.235 ms";
        QTest::newRow("rounds up into the next unit") << true << 0.99996e-3 << "1 ms";
        QTest::newRow("negative") << true << -1.5e-3 << "-1.5 ms";
        QTest::newRow("seconds") << true << 2.5 << "2.5 s";
        QTest::newRow("many seconds") << true << 123456.0 << "123456 s";
        QTest::newRow("Hz") << false << 50.0 << "50 Hz";
        QTest::newRow("kHz") << false << 125000.0 << "125 kHz";
        QTest::newRow("MHz") << false << 1.0 / 3e-8 << "33.33 MHz";
    }

    void timesAndFrequenciesTakeTheirUnit()
    {
        QFETCH(bool, time);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(time ? TimeText(value) : FrequencyText(value)), text);
    }

    void pulseFiguresWithTheClockOnAndOff()
    {
        const PulseMeasure whole{1, 4, 8, 0.5};
        const PulseTexts on = FormatPulse(whole, 1e-6);
        QCOMPARE(on.level, std::string("1"));
        QCOMPARE(on.width.time, std::string("4 µs"));
        QCOMPARE(on.width.samples, std::string("4"));
        QCOMPARE(on.period.time, std::string("8 µs"));
        QCOMPARE(on.frequency, std::string("125 kHz"));
        QCOMPARE(on.duty, std::string("50.0 %"));
        // With the clock OFF (1.0 s) only samples are shown; a frequency needs a time.
        const PulseTexts off = FormatPulse(whole, 1.0);
        QCOMPARE(off.width.time, std::string());
        QCOMPARE(off.width.samples, std::string("4"));
        QCOMPARE(off.frequency, std::string(kMissingFigure));
        QCOMPARE(off.duty, std::string("50.0 %"));
    }

    void missingEdgesShowADash()
    {
        // A last edge before x but none after the next: a width, no period.
        const PulseTexts half = FormatPulse(PulseMeasure{0, 3, std::nullopt, std::nullopt}, 1e-6);
        QCOMPARE(half.level, std::string("0"));
        QCOMPARE(half.width.samples, std::string("3"));
        for (const std::string& figure : {half.period.time, half.period.samples, half.frequency, half.duty})
            QCOMPARE(figure, std::string(kMissingFigure));
        const PulseTexts none = FormatPulse(PulseMeasure{}, 1e-6);
        QCOMPARE(none.width.time, std::string(kMissingFigure));
        QCOMPARE(none.width.samples, std::string(kMissingFigure));
    }

    void betweenTheCursors()
    {
        const CursorSpanTexts apart = FormatCursorSpan(5, 20, EdgeCounts{2, 2, 4}, 1e-6);
        QCOMPARE(apart.delta.time, std::string("-15 µs"));
        QCOMPARE(apart.delta.samples, std::string("-15"));
        QCOMPARE(apart.inverse, std::string("66.67 kHz"));
        QCOMPARE(apart.rising + apart.falling + apart.total, std::string("224"));
        // X = Y: no distance, so no inverse; the counts are the analysis' zeros.
        const CursorSpanTexts together = FormatCursorSpan(7, 7, EdgeCounts{}, 1e-6);
        QCOMPARE(together.delta.time, std::string("0 s"));
        QCOMPARE(together.delta.samples, std::string("0"));
        QCOMPARE(together.inverse, std::string(kMissingFigure));
        QCOMPARE(together.total, std::string("0"));
        const CursorSpanTexts off = FormatCursorSpan(9, 4, EdgeCounts{}, 1.0);
        QCOMPARE(off.delta.time, std::string());
        QCOMPARE(off.delta.samples, std::string("5"));
        QCOMPARE(off.inverse, std::string(kMissingFigure));
    }
};

QTEST_GUILESS_MAIN(MeasureTextsTest)
#include "MeasureTextsTest.moc"
