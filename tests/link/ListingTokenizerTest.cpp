// The listing byte rules without a window: which bytes make tokens, which tokens are kept, the
// STATE check, line counting, and that the tokens never depend on how the bytes were split into
// batches.

#include "link/ListingTokenizer.h"

#include "sim/ListingGenerator.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace veldran;

namespace {

using Tokens = std::vector<std::string>;

struct SResult {
    Tokens tokens;
    int nLines = 0;
    bool bRejected = false;
    std::size_t nPending = 0;

    bool operator==(const SResult& other) const
    {
        return tokens == other.tokens && nLines == other.nLines && bRejected == other.bRejected
            && nPending == other.nPending;
    }
};

const unsigned char* Bytes(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.data());
}

// Feeds the bytes in batches that end at the given positions (ascending), taking every event.
SResult FeedInBatches(const std::string& bytes, const std::vector<std::size_t>& cuts)
{
    CListingTokenizer tokenizer;
    SResult result;
    std::size_t begin = 0;
    std::vector<std::size_t> ends = cuts;
    ends.push_back(bytes.size());
    for (std::size_t end : ends) {
        while (begin < end) {
            CListingTokenizer::EEvent event = CListingTokenizer::EEvent::None;
            const std::size_t taken = tokenizer.Feed(Bytes(bytes) + begin, end - begin, event);
            if (taken == 0 || taken > end - begin)
                return {}; // a batch must always move on, and never past its end
            begin += taken;
            if (event == CListingTokenizer::EEvent::Token) {
                result.tokens.emplace_back(tokenizer.Token());
                result.nLines += tokenizer.IsLineNumber() ? 1 : 0;
            }
        }
    }
    result.bRejected = tokenizer.Rejected();
    result.nPending = tokenizer.PendingLength();
    return result;
}

SResult FeedByteByByte(const std::string& bytes)
{
    CListingTokenizer tokenizer;
    SResult result;
    for (char c : bytes) {
        switch (tokenizer.Feed(static_cast<unsigned char>(c))) {
        case CListingTokenizer::EEvent::Token:
            result.tokens.emplace_back(tokenizer.Token());
            result.nLines += tokenizer.IsLineNumber() ? 1 : 0;
            break;
        case CListingTokenizer::EEvent::NotListing:
            if (!tokenizer.Rejected())
                return {};
            break;
        case CListingTokenizer::EEvent::LineEnd:
        case CListingTokenizer::EEvent::None:
            break;
        }
    }
    result.bRejected = tokenizer.Rejected();
    result.nPending = tokenizer.PendingLength();
    return result;
}

QString Describe(const SResult& result)
{
    QStringList tokens;
    for (const std::string& token : result.tokens)
        tokens << QString::fromLatin1(token.data(), int(token.size()));
    return QStringLiteral("[%1] lines %2 rejected %3 pending %4")
        .arg(tokens.join(QLatin1Char('|')))
        .arg(result.nLines)
        .arg(result.bRejected)
        .arg(result.nPending);
}

} // namespace

Q_DECLARE_METATYPE(Tokens)

class ListingTokenizerTest : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void everySplitPosition_data() { rules_data(); }
    void everySplitPosition();
    void everyPairOfSplits_data() { rules_data(); }
    void everyPairOfSplits();
    void tokenCharacterBoundaries_data();
    void tokenCharacterBoundaries();
    void generatedListings_data();
    void generatedListings();
    void rejectedTakesNothingUntilReset();
    void resetDropsPendingToken();
    void collectAppends();
};

void ListingTokenizerTest::rules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Tokens>("tokens");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("rejected");
    QTest::addColumn<int>("pending");

    QTest::newRow("nothing") << QByteArray() << Tokens{} << 0 << false << 0;
    QTest::newRow("separators only") << QByteArray(" \r\n\t-+,") << Tokens{} << 0 << false << 0;
    QTest::newRow("state alone") << QByteArray("STATE\r\n") << Tokens{"STATE"} << 0 << false << 0;
    QTest::newRow("unfinished first token waits") << QByteArray("STAT") << Tokens{} << 0 << false << 4;
    QTest::newRow("header and two lines")
        << QByteArray("STATE LISTING\r\nLabel> CELL_1\r\n0000  0101 1111111111111111\r\n0001 ab\r\n")
        << Tokens{"STATE", "LISTING", "Label>", "CELL_1", "0000", "0101", "1111111111111111", "0001", "ab"} << 3
        << false << 0;
    QTest::newRow("words with T dropped, also before STATE")
        << QByteArray("TITLE STATE T Tx tT 1234 ") << Tokens{"STATE", "tT", "1234"} << 1 << false << 0;
    QTest::newRow("first kept token must be STATE") << QByteArray("LISTING STATE 0001 ") << Tokens{} << 0 << true
                                                    << 0;
    QTest::newRow("lower case is not STATE") << QByteArray("state 0001 ") << Tokens{} << 0 << true << 0;
    QTest::newRow("longer word is not STATE") << QByteArray("STATES 0001 ") << Tokens{} << 0 << true << 0;
    QTest::newRow("line numbers are four characters")
        << QByteArray("STATE abc abcd abcde 0000 00000 000 ") << Tokens{"STATE", "abc", "abcd", "abcde", "0000",
                                                                       "00000", "000"}
        << 2 << false << 0;
    QTest::newRow("high bytes end tokens")
        << QByteArray("STATE\x80" "AB\xff" "CD\xc3\xa9" "EF ") << Tokens{"STATE", "AB", "CD", "EF"} << 0 << false
        << 0;
    QTest::newRow("DEL is a token character")
        << QByteArray("STATE \x7f\x7f\x7f\x7f ") << Tokens{"STATE", "\x7f\x7f\x7f\x7f"} << 1 << false << 0;
    static const char kControls[] = "STATE\0AB\x01" "CD\x1f" "EF/GH ";
    QTest::newRow("NUL and control bytes end tokens")
        << QByteArray(kControls, sizeof kControls - 1) << Tokens{"STATE", "AB", "CD", "EF", "GH"} << 0 << false << 0;
    QTest::newRow("31 characters are kept whole")
        << QByteArray("STATE " + QByteArray(31, 'x') + " ") << Tokens{"STATE", std::string(31, 'x')} << 0 << false
        << 0;
    QTest::newRow("a longer run keeps its first 31")
        << QByteArray("STATE " + QByteArray(31, 'a') + QByteArray(9, 'b') + " 0001 ")
        << Tokens{"STATE", std::string(31, 'a'), "0001"} << 1 << false << 0;
    QTest::newRow("a long run that starts with T is dropped")
        << QByteArray("STATE T" + QByteArray(50, '1') + " 0002 ") << Tokens{"STATE", "0002"} << 1 << false << 0;
    QTest::newRow("pending token after the last separator")
        << QByteArray("STATE 0001 00") << Tokens{"STATE", "0001"} << 1 << false << 2;
    QTest::newRow("nothing after the verdict") << QByteArray("NOISE STATE 0001 ") << Tokens{} << 0 << true << 0;
}

void ListingTokenizerTest::rules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Tokens, tokens);
    QFETCH(int, lines);
    QFETCH(bool, rejected);
    QFETCH(int, pending);
    const SResult expected{tokens, lines, rejected, std::size_t(pending)};
    const SResult byByte = FeedByteByByte(bytes.toStdString());
    QVERIFY2(byByte == expected, qPrintable(Describe(byByte)));
    const SResult oneBatch = FeedInBatches(bytes.toStdString(), {});
    QVERIFY2(oneBatch == expected, qPrintable(Describe(oneBatch)));
}

void ListingTokenizerTest::everySplitPosition()
{
    QFETCH(QByteArray, bytes);
    const std::string text = bytes.toStdString();
    const SResult whole = FeedByteByByte(text);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        const SResult split = FeedInBatches(text, {cut});
        QVERIFY2(split == whole, qPrintable(QStringLiteral("cut at %1: %2").arg(cut).arg(Describe(split))));
    }
}

void ListingTokenizerTest::everyPairOfSplits()
{
    QFETCH(QByteArray, bytes);
    const std::string text = bytes.toStdString();
    const SResult whole = FeedByteByByte(text);
    for (std::size_t first = 0; first <= text.size(); ++first)
        for (std::size_t second = first; second <= text.size(); ++second) {
            const SResult split = FeedInBatches(text, {first, second});
            QVERIFY2(split == whole,
                     qPrintable(QStringLiteral("cuts at %1, %2: %3").arg(first).arg(second).arg(Describe(split))));
        }
}

void ListingTokenizerTest::tokenCharacterBoundaries_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("tokenChar");
    QTest::newRow("0x00") << 0x00 << false;
    QTest::newRow("space") << 0x20 << false;
    QTest::newRow("slash 0x2F") << 0x2F << false;
    QTest::newRow("digit 0 0x30") << 0x30 << true;
    QTest::newRow("T") << int('T') << true;
    QTest::newRow("DEL 0x7F") << 0x7F << true;
    QTest::newRow("0x80") << 0x80 << false;
    QTest::newRow("0xB0") << 0xB0 << false;
    QTest::newRow("0xFF") << 0xFF << false;
}

void ListingTokenizerTest::tokenCharacterBoundaries()
{
    QFETCH(int, byte);
    QFETCH(bool, tokenChar);
    QCOMPARE(CListingTokenizer::IsTokenChar(static_cast<unsigned char>(byte)), tokenChar);
    // The same byte between two tokens: a token character joins them, any other byte parts them.
    std::string text = "STATE 12";
    text.push_back(static_cast<char>(byte));
    text += "34 ";
    const SResult result = FeedByteByByte(text);
    const Tokens expected = tokenChar ? Tokens{"STATE", std::string("12") + char(byte) + "34"}
                                      : Tokens{"STATE", "12", "34"};
    QCOMPARE(result.tokens, expected);
}

void ListingTokenizerTest::generatedListings_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pattern");
    QTest::newRow("empty listing") << 0 << int(sim::EPattern::Counter);
    QTest::newRow("counter 100") << 100 << int(sim::EPattern::Counter);
    QTest::newRow("walking 48") << 48 << int(sim::EPattern::Walking);
    QTest::newRow("random 2000") << 2000 << int(sim::EPattern::Random);
}

void ListingTokenizerTest::generatedListings()
{
    QFETCH(int, lines);
    QFETCH(int, pattern);
    sim::SListingOptions options;
    options.nLines = lines;
    options.pattern = static_cast<sim::EPattern>(pattern);
    const std::string listing = sim::GenerateListing(options);

    CListingTokenizer tokenizer;
    Tokens tokens;
    int nLines = 0;
    QVERIFY(tokenizer.Collect(Bytes(listing), listing.size(), tokens, nLines));
    QCOMPARE(nLines, lines);
    QCOMPARE(tokens.size(), std::size_t(12 + 4 * lines));
    QCOMPARE(tokens.front(), std::string("STATE"));
    // Every line's number, then its three cells, as the generator wrote them.
    for (int i = 0; i < lines; ++i) {
        const std::string line = sim::ListingLine(i, 0);
        const std::string& number = tokens[std::size_t(12 + 4 * i)];
        QCOMPARE(number, line.substr(0, 4));
        for (int cell = 1; cell <= 3; ++cell)
            QCOMPARE(tokens[std::size_t(12 + 4 * i + cell)].size(), std::size_t(16));
    }
    // Cut into the batches of a slow line (five bytes) the tokens stay the same.
    std::vector<std::size_t> cuts;
    for (std::size_t cut = 5; cut < listing.size(); cut += 5)
        cuts.push_back(cut);
    const SResult batched = FeedInBatches(listing, cuts);
    QCOMPARE(batched.tokens, tokens);
    QCOMPARE(batched.nLines, lines);
}

void ListingTokenizerTest::rejectedTakesNothingUntilReset()
{
    CListingTokenizer tokenizer;
    const std::string noise = "NOISE ";
    Tokens tokens;
    int nLines = 0;
    QVERIFY(!tokenizer.Collect(Bytes(noise), noise.size(), tokens, nLines));
    QVERIFY(tokenizer.Rejected());
    QCOMPARE(tokenizer.Feed(static_cast<unsigned char>(' ')), CListingTokenizer::EEvent::None);
    const std::string listing = "STATE 0001 ";
    QVERIFY(!tokenizer.Collect(Bytes(listing), listing.size(), tokens, nLines));
    QVERIFY(tokens.empty());

    tokenizer.Reset();
    QVERIFY(!tokenizer.Rejected());
    QVERIFY(tokenizer.Collect(Bytes(listing), listing.size(), tokens, nLines));
    QCOMPARE(tokens, (Tokens{"STATE", "0001"}));
    QCOMPARE(nLines, 1);
    QVERIFY(tokenizer.StateSeen());
}

void ListingTokenizerTest::resetDropsPendingToken()
{
    CListingTokenizer tokenizer;
    const std::string first = "STATE 00";
    Tokens tokens;
    int nLines = 0;
    QVERIFY(tokenizer.Collect(Bytes(first), first.size(), tokens, nLines));
    QCOMPARE(tokenizer.PendingLength(), std::size_t(2));
    tokenizer.Reset();
    QCOMPARE(tokenizer.PendingLength(), std::size_t(0));
    QVERIFY(!tokenizer.StateSeen());
    // The held "00" is gone: "12" alone is not STATE, and the check starts over.
    const std::string second = "12 ";
    tokens.clear();
    QVERIFY(!tokenizer.Collect(Bytes(second), second.size(), tokens, nLines));
    QVERIFY(tokens.empty());
}

void ListingTokenizerTest::collectAppends()
{
    CListingTokenizer tokenizer;
    Tokens tokens{"kept"};
    int nLines = 7;
    const std::string part1 = "STATE 00";
    const std::string part2 = "01 0002\r\n";
    QVERIFY(tokenizer.Collect(Bytes(part1), part1.size(), tokens, nLines));
    QVERIFY(tokenizer.Collect(Bytes(part2), part2.size(), tokens, nLines));
    QCOMPARE(tokens, (Tokens{"kept", "STATE", "0001", "0002"}));
    QCOMPARE(nLines, 9);
}

QTEST_APPLESS_MAIN(ListingTokenizerTest)
#include "ListingTokenizerTest.moc"
