// Edges and pulse measures on the hand-worked capture (AnalysisFixture.h): the figures below were
// counted from the capture's description, not from the code.

#include "analysis/Edges.h"
#include "analysis/PulseMeasure.h"
#include "analysis/SamplePacking.h"
#include "tests/analysis/AnalysisFixture.h"

#include <QtTest>

using namespace veldran;

Q_DECLARE_METATYPE(std::optional<int64_t>)

namespace {
const test::AnalysisFixture kFixture;
const SampleStore kStore = kFixture.Store();
constexpr int64_t kLast = test::kFixtureSamples - 1;
constexpr uint64_t kCell0 = 0xFFFF;
} // namespace

class EdgesTest : public QObject {
    Q_OBJECT

private slots:
    void packsEachChannelToItsBit()
    {
        for (int channel = 0; channel < 48; ++channel) {
            uint8_t levels[48] = {};
            levels[channel] = 1;
            QCOMPARE(PackLevels(levels), ChannelBit(channel));
        }
        uint8_t all[48];
        std::fill(std::begin(all), std::end(all), 1);
        QCOMPARE(PackLevels(all), (uint64_t{1} << 48) - 1);
    }

    void countsEdges_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int64_t>("x");
        QTest::addColumn<int64_t>("y");
        QTest::addColumn<int64_t>("rising");
        QTest::addColumn<int64_t>("falling");
        QTest::newRow("D7 whole capture") << 7 << int64_t{0} << kLast << int64_t{9999} << int64_t{10000};
        QTest::newRow("D7 x after y") << 7 << int64_t{35} << int64_t{15} << int64_t{2} << int64_t{2};
        QTest::newRow("D7 edge at y counts, at x not") << 7 << int64_t{20} << int64_t{23} << int64_t{0} << int64_t{1};
        QTest::newRow("D7 start is no edge") << 7 << int64_t{0} << int64_t{3} << int64_t{0} << int64_t{1};
        QTest::newRow("D7 x equals y") << 7 << int64_t{20} << int64_t{20} << int64_t{0} << int64_t{0};
        QTest::newRow("UART bytes") << 0 << int64_t{0} << kLast << int64_t{11} << int64_t{11};
        QTest::newRow("UART 0xA5 frame") << 0 << int64_t{399} << int64_t{499} << int64_t{4} << int64_t{4};
        QTest::newRow("D47 at the last sample") << 47 << kLast - 1 << kLast << int64_t{1} << int64_t{0};
        QTest::newRow("D46 after sample 0") << 46 << int64_t{0} << kLast << int64_t{0} << int64_t{1};
    }
    void countsEdges()
    {
        QFETCH(int, channel);
        QFETCH(int64_t, x);
        QFETCH(int64_t, y);
        QFETCH(int64_t, rising);
        QFETCH(int64_t, falling);
        const EdgeCounts counts = CountEdges(kStore, channel, x, y);
        QCOMPARE(counts.nRising, rising);
        QCOMPARE(counts.nFalling, falling);
        QCOMPARE(counts.nTotal, rising + falling);
    }

    void findsEdgesWithoutWrapping_data()
    {
        QTest::addColumn<quint64>("channels");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int64_t>("from");
        QTest::addColumn<std::optional<int64_t>>("edge");
        const std::optional<int64_t> none;
        QTest::newRow("D7 next from before the start") << quint64(ChannelBit(7)) << true << int64_t{-1} << std::optional<int64_t>(3);
        QTest::newRow("D7 next strictly after") << quint64(ChannelBit(7)) << true << int64_t{3} << std::optional<int64_t>(10);
        QTest::newRow("D7 previous from past the end") << quint64(ChannelBit(7)) << false << test::kFixtureSamples << std::optional<int64_t>(99993);
        QTest::newRow("D7 previous strictly before") << quint64(ChannelBit(7)) << false << int64_t{10} << std::optional<int64_t>(3);
        QTest::newRow("D7 previous before the first") << quint64(ChannelBit(7)) << false << int64_t{3} << none;
        QTest::newRow("D7 next after the last") << quint64(ChannelBit(7)) << true << int64_t{99993} << none;
        QTest::newRow("D47 next is the last sample") << quint64(ChannelBit(47)) << true << int64_t{-1} << std::optional<int64_t>(kLast);
        QTest::newRow("D47 next from the last sample") << quint64(ChannelBit(47)) << true << kLast << none;
        QTest::newRow("D46 previous is sample 1") << quint64(ChannelBit(46)) << false << test::kFixtureSamples << std::optional<int64_t>(1);
        QTest::newRow("D46 previous from 1") << quint64(ChannelBit(46)) << false << int64_t{1} << none;
        QTest::newRow("D0 and D46 next") << quint64(ChannelBit(0) | ChannelBit(46)) << true << int64_t{-1} << std::optional<int64_t>(1);
        QTest::newRow("D0 and D46 next after 1") << quint64(ChannelBit(0) | ChannelBit(46)) << true << int64_t{1} << std::optional<int64_t>(100);
        QTest::newRow("cell 0 previous before 100") << quint64(kCell0 & ~ChannelBit(7)) << false << int64_t{100} << none;
        QTest::newRow("cell 0 previous") << quint64(kCell0) << false << int64_t{100} << std::optional<int64_t>(93);
        QTest::newRow("D40..D45 never change") << quint64(0x3FULL << 40) << true << int64_t{-1} << none;
        QTest::newRow("no channels") << quint64(0) << true << int64_t{-1} << none;
    }
    void findsEdgesWithoutWrapping()
    {
        QFETCH(quint64, channels);
        QFETCH(bool, next);
        QFETCH(int64_t, from);
        QFETCH(std::optional<int64_t>, edge);
        QCOMPARE(next ? NextEdge(kStore, channels, from) : PreviousEdge(kStore, channels, from), edge);
    }

    void measuresPulses_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int64_t>("x");
        QTest::addColumn<int>("level");
        QTest::addColumn<int64_t>("width");   // -1: absent
        QTest::addColumn<int64_t>("period");  // -1: absent
        QTest::addColumn<double>("duty");     // -1: absent
        QTest::newRow("D7 low part") << 7 << int64_t{15} << 0 << int64_t{7} << int64_t{10} << 0.3;
        QTest::newRow("D7 high part") << 7 << int64_t{21} << 1 << int64_t{3} << int64_t{10} << 0.3;
        QTest::newRow("D7 at the rising edge") << 7 << int64_t{20} << 1 << int64_t{3} << int64_t{10} << 0.3;
        QTest::newRow("D7 before the first edge") << 7 << int64_t{1} << 1 << int64_t{-1} << int64_t{-1} << -1.0;
        QTest::newRow("D7 last pulse has no e2") << 7 << int64_t{99991} << 1 << int64_t{3} << int64_t{-1} << -1.0;
        QTest::newRow("D7 after the last edge") << 7 << int64_t{99995} << 0 << int64_t{-1} << int64_t{-1} << -1.0;
        QTest::newRow("UART 0x00 frame low") << 0 << int64_t{250} << 0 << int64_t{90} << int64_t{100} << 0.1;
        QTest::newRow("UART 0xFF frame high") << 0 << int64_t{350} << 1 << int64_t{90} << int64_t{100} << 0.9;
        QTest::newRow("UART 0x55 first data bit") << 0 << int64_t{110} << 1 << int64_t{10} << int64_t{20} << 0.5;
    }
    void measuresPulses()
    {
        QFETCH(int, channel);
        QFETCH(int64_t, x);
        QFETCH(int, level);
        QFETCH(int64_t, width);
        QFETCH(int64_t, period);
        QFETCH(double, duty);
        const PulseMeasure measure = MeasureAt(kStore, channel, x);
        QCOMPARE(int(measure.nLevel), level);
        QCOMPARE(measure.width.value_or(-1), width);
        QCOMPARE(measure.period.value_or(-1), period);
        QCOMPARE(measure.duty.value_or(-1.0), duty);
    }
};

QTEST_GUILESS_MAIN(EdgesTest)
#include "EdgesTest.moc"
