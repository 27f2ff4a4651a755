// The simulator's listings must come through the receiver's token rules as a STATE listing:
// 12 header tokens, then a line number and three 16-channel cells per sample.

#include "link/ListingTokenizer.h"
#include "sim/ListingGenerator.h"

#include <QRegularExpression>
#include <QtTest>

using namespace veldran::sim;

Q_DECLARE_METATYPE(veldran::sim::EPattern)

namespace {

// The tokens the receiver keeps (a listing's last token ends with its last line end).
QStringList KeptTokens(const std::string& listing)
{
    veldran::CListingTokenizer tokenizer;
    std::vector<std::string> kept;
    int nLines = 0;
    if (!tokenizer.Collect(reinterpret_cast<const unsigned char*>(listing.data()), listing.size(), kept, nLines))
        return {};
    QStringList tokens;
    for (const std::string& token : kept)
        tokens << QString::fromStdString(token);
    return tokens;
}

// Channel ch of a sample from its three cell tokens (most significant channel first).
int Level(const QStringList& cells, int nChannel)
{
    return cells[nChannel / 16][15 - nChannel % 16] == '1' ? 1 : 0;
}

} // namespace

class TestListingGenerator : public QObject {
    Q_OBJECT

private slots:
    void tokens_data()
    {
        QTest::addColumn<EPattern>("pattern");
        QTest::addColumn<int>("lines");
        QTest::newRow("counter, 100") << EPattern::Counter << 100;
        QTest::newRow("clock, 1") << EPattern::Clock << 1;
        QTest::newRow("walking, 0") << EPattern::Walking << 0;
        QTest::newRow("random, 10001 (line numbers wrap)") << EPattern::Random << 10001;
    }

    void tokens()
    {
        QFETCH(EPattern, pattern);
        QFETCH(int, lines);
        const QStringList tokens = KeptTokens(GenerateListing({lines, pattern, 7}));

        QCOMPARE(tokens.size(), 12 + 4 * lines);
        QCOMPARE(tokens.front(), QString("STATE"));
        for (int n = 0; n < 12; ++n)
            QVERIFY2(tokens[n].size() != 4, qPrintable(tokens[n]));
        const QRegularExpression cell("^[01]{16}$");
        for (int i = 0; i < lines; ++i) {
            QCOMPARE(tokens[12 + 4 * i], QString::asprintf("%04d", i % 10000));
            for (int c = 1; c <= 3; ++c)
                QVERIFY(cell.match(tokens[12 + 4 * i + c]).hasMatch());
        }
    }

    void line()
    {
        const uint64_t nLevels = uint64_t{1} | uint64_t{1} << 17 | uint64_t{1} << 47;
        QCOMPARE(QString::fromStdString(ListingLine(12, nLevels)),
                 QString("0012 0000000000000001 0000000000000010 1000000000000000\r\n"));
    }

    void patterns()
    {
        const QStringList walking = KeptTokens(GenerateListing({60, EPattern::Walking, 1}));
        const QStringList counter = KeptTokens(GenerateListing({60, EPattern::Counter, 1}));
        for (int i = 0; i < 60; ++i) {
            const QStringList walkCells = walking.mid(13 + 4 * i, 3);
            for (int ch = 0; ch < 48; ++ch)
                QCOMPARE(Level(walkCells, ch), ch == i % 48 ? 1 : 0);
            QCOMPARE(counter[13 + 4 * i].toInt(nullptr, 2), i);
            QCOMPARE(counter[14 + 4 * i].toInt(nullptr, 2), 0xFFFF - i);
        }
        QCOMPARE(GenerateListing({50, EPattern::Random, 3}), GenerateListing({50, EPattern::Random, 3}));
        QVERIFY(GenerateListing({50, EPattern::Random, 3}) != GenerateListing({50, EPattern::Random, 4}));

        EPattern pattern = EPattern::Counter;
        QVERIFY(ParsePattern("walking", pattern));
        QCOMPARE(pattern, EPattern::Walking);
        QVERIFY(!ParsePattern("Walking", pattern));
    }
};

QTEST_APPLESS_MAIN(TestListingGenerator)
#include "test_listing_generator.moc"
