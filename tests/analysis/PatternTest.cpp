// Search patterns: how a text names channels, which patterns are refused and why, and what the
// accepted ones find in the hand-worked capture (AnalysisFixture.h).

#include "analysis/ChannelRef.h"
#include "analysis/Pattern.h"
#include "analysis/PatternErrorText.h"
#include "tests/analysis/AnalysisFixture.h"

#include <QtTest>

#include <vector>

using namespace veldran;

Q_DECLARE_METATYPE(std::optional<int64_t>)
Q_DECLARE_METATYPE(EPatternError)

namespace {

const test::AnalysisFixture kFixture;
const SampleStore kStore = kFixture.Store();
constexpr int64_t kN = test::kFixtureSamples;

ChannelNames Names()
{
    ChannelNames names;
    names[3] = "clock, main";
    names[4] = "Data Bus";
    names[5] = "Ready";
    names[6] = "D9";
    names[12] = "클럭";
    return names;
}

CPattern Accepted(const QString& text)
{
    auto parsed = CPattern::Parse(text.toStdString(), Names());
    if (const auto* error = std::get_if<PatternError>(&parsed))
        qFatal("refused: %s (%s)", qPrintable(text), error->strTerm.c_str());
    return std::get<CPattern>(parsed);
}

} // namespace

class PatternTest : public QObject {
    Q_OBJECT

private slots:
    void namesChannels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("channel"); // -1: none
        QTest::newRow("D-form") << "D47" << 47;
        QTest::newRow("d-form lower case") << "d7" << 7;
        QTest::newRow("D-form beyond the channels") << "D48" << -1;
        QTest::newRow("D-form wins over a user name") << "D9" << 9;
        QTest::newRow("quoted name with a comma") << "\"clock, main\"" << 3;
        QTest::newRow("quoted name with a blank") << "\"Data Bus\"" << 4;
        QTest::newRow("name ignoring case") << "rEADY" << 5;
        QTest::newRow("Korean name") << "클럭" << 12;
        QTest::newRow("quoted D-form") << "\"D3\"" << 3;
        QTest::newRow("unnamed") << "Readyy" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("empty quotes") << "\"\"" << -1;
    }
    void namesChannels()
    {
        QFETCH(QString, text);
        QFETCH(int, channel);
        QCOMPARE(ParseChannel(text.toStdString(), Names()).value_or(-1), channel);
        QCOMPARE(ChannelId(47), std::string("D47"));
    }

    void refusesNamingTheTerm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<EPatternError>("reason");
        QTest::addColumn<QString>("term");
        QTest::newRow("empty pattern") << "" << EPatternError::EmptyTerm << "";
        QTest::newRow("empty between commas") << "D0=1,,D1=0" << EPatternError::EmptyTerm << "";
        QTest::newRow("trailing comma") << "D0=1, " << EPatternError::EmptyTerm << "";
        QTest::newRow("unknown channel") << "D0=1, X9=1" << EPatternError::UnknownChannel << "X9=1";
        QTest::newRow("unknown bus end") << "D15..D48=3" << EPatternError::UnknownChannel << "D15..D48=3";
        QTest::newRow("unquoted comma splits a name") << "clock, main=1" << EPatternError::UnknownChannel << "clock";
        QTest::newRow("level 2") << " D0 = 2 " << EPatternError::BadValue << "D0 = 2";
        QTest::newRow("no value") << "D0" << EPatternError::BadValue << "D0";
        QTest::newRow("bus with an edge") << "D3..D0=r" << EPatternError::BadValue << "D3..D0=r";
        QTest::newRow("bad hex digit") << "D15..D8=0xG1" << EPatternError::BadValue << "D15..D8=0xG1";
        QTest::newRow("binary digit 2") << "D3..D0=0b102" << EPatternError::BadValue << "D3..D0=0b102";
        QTest::newRow("empty mask") << "D3..D0=5/" << EPatternError::BadValue << "D3..D0=5/";
        QTest::newRow("value too wide") << "D15..D8=0x1A5" << EPatternError::ValueTooWide << "D15..D8=0x1A5";
        QTest::newRow("mask too wide") << "D15..D8=0xA5/0x100" << EPatternError::ValueTooWide << "D15..D8=0xA5/0x100";
        QTest::newRow("beyond 64 bits") << "D47..D0=99999999999999999999999" << EPatternError::ValueTooWide
                                        << "D47..D0=99999999999999999999999";
        QTest::newRow("one-channel bus takes 0 or 1") << "D3..D3=2" << EPatternError::ValueTooWide << "D3..D3=2";
    }
    void refusesNamingTheTerm()
    {
        QFETCH(QString, text);
        QFETCH(EPatternError, reason);
        QFETCH(QString, term);
        const auto parsed = CPattern::Parse(text.toStdString(), Names());
        QVERIFY(std::holds_alternative<PatternError>(parsed));
        const PatternError& error = std::get<PatternError>(parsed);
        QCOMPARE(int(error.eReason), int(reason));
        QCOMPARE(QString::fromStdString(error.strTerm), term);
        const std::string shown = SourceText(PatternErrorMessage(error));
        QVERIFY(shown.find(error.strTerm) != std::string::npos);
    }

    void countsMatches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int64_t>("count");
        QTest::newRow("level") << "D7=1" << int64_t{30000};
        QTest::newRow("l and h") << "D7=l, D46=h" << int64_t{0};
        QTest::newRow("rising, not at sample 0") << "D7=r" << int64_t{9999};
        QTest::newRow("falling") << "D7=f" << int64_t{10000};
        QTest::newRow("either edge") << "D7=e" << int64_t{19999};
        QTest::newRow("level at sample 0 is no edge") << "D46=r" << int64_t{0};
        QTest::newRow("UART falling edges") << " d0 = F " << int64_t{11};
        QTest::newRow("bus downwards") << "D15..D8=0xA5" << int64_t{400};
        QTest::newRow("bus upwards, first named is the top bit") << "D8..D15=0x0F" << int64_t{300};
        QTest::newRow("bus downwards 0x0F") << "D15..D8=15" << int64_t{400};
        QTest::newRow("bus binary") << "D15..D8=0b10100101" << int64_t{400};
        QTest::newRow("bus with a mask") << "D15..D8=0xA5/0xF0" << int64_t{6400};
        QTest::newRow("bus and level") << "D7=1,D15..D8=0xA5" << int64_t{120};
        QTest::newRow("bus and edge") << "D7=r,D15..D8=0xA5" << int64_t{40};
        QTest::newRow("conflicting levels") << "D7=1,D7=0" << int64_t{0};
        QTest::newRow("bus against a level") << "D15..D8=0xA5,D8=0" << int64_t{0};
        QTest::newRow("bus agreeing with a level") << "D15..D8=0xA5,D8=1" << int64_t{400};
        QTest::newRow("rising and falling together") << "D7=r,D7=f" << int64_t{0};
        QTest::newRow("named channels") << "\"clock, main\"=0, ready = L, D47=0" << kN - 1;
        QTest::newRow("bus between names") << "\"Data Bus\"..ready=0b00" << kN;
    }
    void countsMatches()
    {
        QFETCH(QString, text);
        QFETCH(int64_t, count);
        const CPattern pattern = Accepted(text);
        const std::optional<MatchCount> counted = CountMatches(kStore, pattern, kN - 1);
        QVERIFY(counted);
        QCOMPARE(counted->nTotal, count);
        QCOMPARE(counted->nAtOrBefore, count);
        int64_t visited = 0;
        ForEachMatch(kStore, pattern, [&](int64_t n) { return ++visited, pattern.MatchesAt(kStore, n); });
        QCOMPARE(visited, count);
    }

    void findsAtTheEndsWithoutWrapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int64_t>("from");
        QTest::addColumn<std::optional<int64_t>>("match");
        const std::optional<int64_t> none;
        QTest::newRow("next finds sample 0") << "D7=1" << true << int64_t{-1} << std::optional<int64_t>(0);
        QTest::newRow("next is strictly after") << "D7=1" << true << int64_t{0} << std::optional<int64_t>(1);
        QTest::newRow("next edge skips sample 0") << "D7=r" << true << int64_t{-1} << std::optional<int64_t>(10);
        QTest::newRow("next finds the last sample") << "D47=r" << true << int64_t{-1} << std::optional<int64_t>(kN - 1);
        QTest::newRow("next from the last sample") << "D47=1" << true << kN - 1 << none;
        QTest::newRow("next does not wrap") << "D7=r" << true << int64_t{99990} << none;
        QTest::newRow("previous from past the end") << "D7=1" << false << kN << std::optional<int64_t>(99992);
        QTest::newRow("previous finds the last sample") << "D47=1" << false << kN << std::optional<int64_t>(kN - 1);
        QTest::newRow("previous finds sample 0") << "D46=1" << false << kN << std::optional<int64_t>(0);
        QTest::newRow("previous is strictly before") << "D7=1" << false << int64_t{1} << std::optional<int64_t>(0);
        QTest::newRow("previous does not wrap") << "D7=1" << false << int64_t{0} << none;
        QTest::newRow("previous edge at sample 1") << "D46=f" << false << int64_t{2} << std::optional<int64_t>(1);
        QTest::newRow("previous edge not at sample 0") << "D46=e" << false << int64_t{1} << none;
        QTest::newRow("previous bus match") << "D15..D8=0xA5" << false << int64_t{93300} << std::optional<int64_t>(67799);
    }
    void findsAtTheEndsWithoutWrapping()
    {
        QFETCH(QString, text);
        QFETCH(bool, next);
        QFETCH(int64_t, from);
        QFETCH(std::optional<int64_t>, match);
        const CPattern pattern = Accepted(text);
        QCOMPARE(next ? FindNext(kStore, pattern, from) : FindPrevious(kStore, pattern, from), match);
    }

    void countsUpToACursorAndReports()
    {
        const CPattern rising = Accepted("D7=r");
        std::vector<int64_t> reported;
        const auto counted = CountMatches(kStore, rising, 100, [&](int64_t done) { reported.push_back(done); });
        QVERIFY(counted);
        QCOMPARE(counted->nAtOrBefore, int64_t{10});
        QCOMPARE(CountMatches(kStore, rising, -1)->nAtOrBefore, int64_t{0});
        QVERIFY(reported.size() >= 2 && reported.size() <= 20);
        QVERIFY(std::is_sorted(reported.begin(), reported.end()));
        QCOMPARE(reported.back(), kN);

        const std::atomic<bool> cancelled{true};
        QVERIFY(!CountMatches(kStore, rising, 0, {}, &cancelled));

        std::vector<int64_t> first;
        ForEachMatch(kStore, Accepted("D0=f"), [&](int64_t n) {
            first.push_back(n);
            return first.size() < 3;
        });
        QCOMPARE(first, (std::vector<int64_t>{100, 120, 140}));
    }
};

QTEST_GUILESS_MAIN(PatternTest)
#include "PatternTest.moc"
