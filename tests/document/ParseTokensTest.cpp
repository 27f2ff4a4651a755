// The parse from a received listing's tokens to 48-channel samples, and the reading of cell tokens.

#include "document/CaptureDocument.h"
#include "resources/Strings.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/ListingBuilder.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace veldran;

namespace {

struct StatusRecorder {
    explicit StatusRecorder(CVELDRANDoc& doc)
    {
        doc.SetStatusTextHandler([this](const std::string& text) { texts.push_back(text); });
    }
    std::vector<std::string> texts;
};

// Samples, each with its three cells, random but reproducible.
std::vector<std::array<unsigned, 3>> SomeCells(int count)
{
    std::vector<std::array<unsigned, 3>> cells(static_cast<size_t>(count));
    unsigned seed = 12345;
    for (auto& sample : cells)
        for (unsigned& cell : sample) {
            seed = seed * 1103515245u + 12345u;
            cell = (seed >> 8) & 0xFFFF;
        }
    return cells;
}

bool SampleMatches(const CVELDRANDoc& doc, int i, const std::array<unsigned, 3>& cells)
{
    for (int ch = 0; ch < kChannelCount; ++ch)
        if (doc.Level(i, ch) != ((cells[static_cast<size_t>(ch / 16)] >> (ch % 16)) & 1u))
            return false;
    return true;
}

} // namespace

class ParseTokensTest : public QObject {
    Q_OBJECT

private slots:
    void channelOrder_data();
    void channelOrder();
    void shortLastLine_data();
    void shortLastLine();
    void invalidCell_data();
    void invalidCell();
    void wordsOfAnyCharactersReadByTheRule();
    void recordsBelowCountAreZeroedWhenParseStopsEarly();
    void levelsOfAFullListing();
    void readersTakeOnlyWhatTheStoreHolds();
};

void ParseTokensTest::channelOrder_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("channel");
    QTest::newRow("channel 0 is the last character of cell 1") << 0 << 15 << 0;
    QTest::newRow("channel 15 is the first character of cell 1") << 0 << 0 << 15;
    QTest::newRow("channel 16 is the last character of cell 2") << 1 << 15 << 16;
    QTest::newRow("channel 21 in the middle of cell 2") << 1 << 10 << 21;
    QTest::newRow("channel 31 is the first character of cell 2") << 1 << 0 << 31;
    QTest::newRow("channel 32 is the last character of cell 3") << 2 << 15 << 32;
    QTest::newRow("channel 47 is the first character of cell 3") << 2 << 0 << 47;
}

void ParseTokensTest::channelOrder()
{
    QFETCH(int, cell);
    QFETCH(int, position);
    QFETCH(int, channel);
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    // Sample 1 gets the single '1' (character position of the given cell word); samples 0 and 2
    // stay all zero.
    std::array<unsigned, 3> marked = {0, 0, 0};
    marked[static_cast<size_t>(cell)] = 1u << (15 - position);
    TokenList tokens = test::Listing({{0, 0, 0}, marked, {0, 0, 0}});
    QCOMPARE(tokens[12 + 4 + 1 + static_cast<size_t>(cell)][static_cast<size_t>(position)], '1');
    test::Receive(doc, tokens);

    QCOMPARE(doc.SampleCount(), 3);
    QVERIFY(!test::Receive(doc, tokens));
    QVERIFY(messages.messages.empty());
    for (int i = 0; i < 3; ++i)
        for (int ch = 0; ch < kChannelCount; ++ch)
            QCOMPARE(int(doc.Level(i, ch)), i == 1 && ch == channel ? 1 : 0);
}

void ParseTokensTest::shortLastLine_data()
{
    QTest::addColumn<int>("tokensOfLastLine");
    QTest::newRow("line number only") << 1;
    QTest::newRow("line number and one cell") << 2;
    QTest::newRow("line number and two cells") << 3;
}

void ParseTokensTest::shortLastLine()
{
    QFETCH(int, tokensOfLastLine);
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    const auto cells = SomeCells(5);
    TokenList tokens = test::Listing(cells);
    tokens.resize(tokens.size() - static_cast<size_t>(4 - tokensOfLastLine));
    const std::optional<Message> reported = test::Receive(doc, tokens);

    QVERIFY(reported);
    QCOMPARE(SourceText(*reported), std::string(text::kTransmissionError));
    QCOMPARE(reported->icon, MessageIcon::Exclamation);
    QVERIFY(messages.messages.empty()); // the document reports, the caller shows
    QCOMPARE(doc.SampleCount(), 4);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(SampleMatches(doc, i, cells[static_cast<size_t>(i)]), qPrintable(QString::number(i)));
}

void ParseTokensTest::invalidCell_data()
{
    QTest::addColumn<QString>("cellToken");
    QTest::addColumn<bool>("dataReadyBefore");
    QTest::addColumn<unsigned>("expectedLevels");
    QTest::addColumn<bool>("statusShown");
    QTest::newRow("15 characters during a reception") << "111111111111111" << false << 0xFFFEu << true;
    QTest::newRow("15 characters while a capture is shown") << "111111111111111" << true << 0xFFFEu << false;
    QTest::newRow("a 2 in the middle") << "1111112111111111" << false << 0xFDFFu << true;
    QTest::newRow("17 characters: the first 16 count") << "10000000000000011" << false << 0x8001u << false;
    QTest::newRow("empty token") << "" << false << 0u << true;
    QTest::newRow("a slash first") << "/111111111111111" << false << 0x7FFFu << true;
    QTest::newRow("a 2 last") << "1111111111111112" << false << 0xFFFEu << true;
    QTest::newRow("a letter in the second half") << "11111111111a1111" << false << 0xFFEFu << true;
    QTest::newRow("17 characters, a letter past the word") << "0000000000000001x" << false << 0x0001u << false;
}

// Words of every kind, checked level by level against the rule itself: character 15 − b of a word
// is channel b, "1" is high, anything else (or a missing character) is low.
void ParseTokensTest::wordsOfAnyCharactersReadByTheRule()
{
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    const char alphabet[] = "0101010101x2/ ";
    unsigned seed = 777;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    TokenList tokens = test::ListingHeader();
    std::vector<std::string> words;
    const int samples = 500;
    for (int i = 0; i < samples; ++i) {
        tokens.push_back(test::LineNumber(i));
        for (int c = 0; c < kCellCount; ++c) {
            std::string word(13 + next(6), '0');
            for (char& ch : word)
                ch = alphabet[next(sizeof alphabet - 1)];
            if (next(4) == 0)
                word.assign(16, '1');
            words.push_back(word);
            tokens.push_back(word);
        }
    }
    QVERIFY(!test::Receive(doc, tokens));
    QCOMPARE(doc.SampleCount(), samples);
    for (int i = 0; i < samples; ++i)
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const std::string& word = words[static_cast<size_t>(i * kCellCount + ch / 16)];
            const size_t position = static_cast<size_t>(15 - ch % 16);
            const int expected = position < word.size() && word[position] == '1' ? 1 : 0;
            QCOMPARE(int(doc.Level(i, ch)), expected);
        }
}

void ParseTokensTest::invalidCell()
{
    QFETCH(QString, cellToken);
    QFETCH(bool, dataReadyBefore);
    QFETCH(unsigned, expectedLevels);
    QFETCH(bool, statusShown);
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    // A capture shown before the listing ends (a fresh document shows none).
    if (dataReadyBefore)
        test::Receive(doc, test::Listing({{0, 0, 0}}));
    QCOMPARE(doc.IsDataReady(), dataReadyBefore);
    StatusRecorder status(doc);
    const TokenList listing = test::Listing({{0, 0xFFFF, 0}});
    TokenList tokens;
    for (size_t i = 0; i < listing.size(); ++i)
        tokens.push_back(i == 12 + 2 ? cellToken.toStdString() : std::string(listing[i]));
    test::Receive(doc, tokens);
    QCOMPARE(doc.SampleCount(), 1);

    QVERIFY(messages.messages.empty());
    for (int bit = 0; bit < 16; ++bit) {
        QCOMPARE(int(doc.Level(0, bit)), 0);
        QCOMPARE(unsigned(doc.Level(0, 16 + bit)), (expectedLevels >> bit) & 1u);
        QCOMPARE(int(doc.Level(0, 32 + bit)), 0);
    }
    QCOMPARE(!status.texts.empty(), statusShown);
    for (const std::string& text : status.texts)
        QCOMPARE(text, std::string(text::kInvalidData));
}

void ParseTokensTest::recordsBelowCountAreZeroedWhenParseStopsEarly()
{
    // The reception counted five lines (two of them not real line numbers), but only two whole
    // samples arrived; the stale capture's records must not show through the new count.
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    test::Receive(doc, test::Listing(std::vector<std::array<unsigned, 3>>(5, {0xFFFF, 0xFFFF, 0xFFFF})));
    QCOMPARE(doc.Level(4, 47), uint8_t(1));

    // The listing ends after two samples, with five lines counted.
    const auto cells = SomeCells(2);
    doc.ForgetCapture(); // the first bytes of the listing
    test::Collect(doc, test::Listing(cells));
    const std::optional<Message> reported = doc.FinishListing(5);

    QVERIFY(reported);
    QVERIFY(messages.messages.empty());
    QCOMPARE(doc.SampleCount(), 4);
    QVERIFY(SampleMatches(doc, 0, cells[0]));
    QVERIFY(SampleMatches(doc, 1, cells[1]));
    QCOMPARE(doc.ReadableSampleCount(), 4);
    QVERIFY(doc.Samples().size() >= size_t(4) * kChannelCount);
    for (int i = 2; i < 4; ++i)
        for (int ch = 0; ch < kChannelCount; ++ch)
            QCOMPARE(int(doc.Level(i, ch)), 0);
}

void ParseTokensTest::levelsOfAFullListing()
{
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    const auto cells = SomeCells(200);
    test::Receive(doc, test::Listing(cells));
    QVERIFY(messages.messages.empty());
    QCOMPARE(doc.SampleCount(), 200);
    for (int i = 0; i < 200; ++i)
        QVERIFY2(SampleMatches(doc, i, cells[static_cast<size_t>(i)]), qPrintable(QString::number(i)));
    for (uint8_t level : doc.Samples())
        QVERIFY(level <= 1);
}

// A listing counts its lines before the store holds them, and a cancel leaves the count ahead:
// readers (traces, export, the value field) take only the records that exist.
void ParseTokensTest::readersTakeOnlyWhatTheStoreHolds()
{
    CVELDRANDoc doc;
    QCOMPARE(doc.ReadableSampleCount(), 0);
    test::Receive(doc, test::Listing(SomeCells(3)));
    doc.BeginListing();
    doc.SetListingLines(7);
    QCOMPARE(doc.ReadableSampleCount(), 3);
    doc.SetListingLines(2);
    QCOMPARE(doc.ReadableSampleCount(), 2);
    doc.SetListingLines(-1);
    QCOMPARE(doc.ReadableSampleCount(), 0);
}

QTEST_APPLESS_MAIN(ParseTokensTest)
#include "ParseTokensTest.moc"
