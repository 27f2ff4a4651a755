// A listing kept in step by its lines: one damaged byte costs at most the line it is on, a clean
// listing keeps exactly the tokens it always had, and a listing past the largest capture keeps what
// fits.

#include "link/ListingReceiver.h"

#include "tests/common/ListingBuilder.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace veldran;

namespace {

struct SReceived {
    std::vector<std::string> tokens;
    int nLines = 0;
    SListingDamage damage;
};

// The bytes through the receiver in batches of nBatch bytes, then the end of the listing: the
// tokens and lines a reception ends with.
SReceived Receive(const std::string& bytes, std::size_t nBatch = 4096, int nMaxLines = kMaxCaptureSamples)
{
    CListingReceiver receiver(nMaxLines);
    receiver.Begin();
    SReceived out;
    const auto keep = [&out](std::string_view token) { out.tokens.emplace_back(token); };
    for (std::size_t at = 0; at < bytes.size(); at += nBatch)
        (void)receiver.Feed(reinterpret_cast<const unsigned char*>(bytes.data()) + at,
                            std::min(nBatch, bytes.size() - at), CListingReceiver::Clock::now(), keep);
    out.nLines = receiver.Lines();
    if (const std::optional<CListingReceiver::SRepair> repair = receiver.Finish()) {
        out.tokens.resize(repair->nKeep);
        for (std::size_t i = 0; i < repair->tail.size(); ++i)
            out.tokens.emplace_back(repair->tail[i]);
        out.nLines = repair->nLines;
    }
    out.damage = receiver.Damage();
    return out;
}

// The raw tokens of the byte rules alone, as a listing was taken before its lines were kept in step.
std::vector<std::string> RawTokens(const std::string& bytes)
{
    CListingTokenizer tokenizer;
    std::vector<std::string> tokens;
    int nLines = 0;
    (void)tokenizer.Collect(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), tokens, nLines);
    return tokens;
}

TokenList Tokens(const SReceived& received)
{
    TokenList list;
    for (const std::string& token : received.tokens)
        list.push_back(token);
    return list;
}

// The tokens of sample i (after the 12 header tokens).
std::vector<std::string> SampleTokens(const SReceived& received, int sample)
{
    const auto first = received.tokens.begin() + kListingHeaderTokens + sample * kTokensPerSample;
    return {first, first + kTokensPerSample};
}

const std::vector<test::Cells> kCells = test::RandomCells(100, 21);

} // namespace

class ListingLinesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanListingsKeepTheirTokens();
    void oneDamagedByteCostsOneLine();
    void wordsJoinedOrSplitKeepTheCellsInPlace();
    void aLastLineCutShortStaysCut();
    void linesPastTheLimitAreDropped();
};

void ListingLinesTest::cleanListingsKeepTheirTokens()
{
    // With line ends, without them (blanks only), and one byte at a time.
    std::string withoutLineEnds = test::ListingText(kCells);
    std::replace(withoutLineEnds.begin(), withoutLineEnds.end(), '\r', ' ');
    std::replace(withoutLineEnds.begin(), withoutLineEnds.end(), '\n', ' ');
    for (const std::string& bytes : {test::ListingText(kCells), withoutLineEnds})
        for (const std::size_t nBatch : {std::size_t(1), std::size_t(7), std::size_t(4096)}) {
            const SReceived received = Receive(bytes, nBatch);
            QCOMPARE(received.tokens, RawTokens(bytes));
            QCOMPARE(received.nLines, 100);
            QVERIFY(!received.damage.Any());
        }
}

void ListingLinesTest::oneDamagedByteCostsOneLine()
{
    // Every byte of line 10 (sample 9) turned into '1', into a blank, dropped, or doubled: still one
    // sample per line, and every other line exactly as sent.
    const std::string clean = test::ListingText(kCells);
    const SReceived expected = Receive(clean);
    const std::size_t lineStart = clean.find("\r\n0009") + 2;
    const std::size_t lineEnd = clean.find("\r\n", lineStart); // the line end itself stays intact
    int nDamaged = 0;
    for (std::size_t at = lineStart; at < lineEnd; ++at) {
        for (const int edit : {0, 1, 2, 3}) {
            std::string bytes = clean;
            if (edit == 0)
                bytes[at] = '1';
            else if (edit == 1)
                bytes[at] = ' ';
            else if (edit == 2)
                bytes.erase(at, 1);
            else
                bytes.insert(at, 1, bytes[at]);
            const SReceived received = Receive(bytes);
            QCOMPARE(received.nLines, 100);
            QCOMPARE(received.tokens.size(), expected.tokens.size());
            for (int sample = 0; sample < 100; ++sample)
                if (sample != 9)
                    QCOMPARE(SampleTokens(received, sample), SampleTokens(expected, sample));
            const std::vector<std::string> damaged = SampleTokens(received, 9);
            QCOMPARE(damaged[0].size(), std::size_t(4));
            // A cell is invalid or a word of its own line (a digit changed inside a word is not
            // seen: the line is whole).
            const std::string line = bytes.substr(lineStart, bytes.find('\r', lineStart) - lineStart);
            for (int cell = 1; cell <= 3; ++cell)
                QVERIFY(damaged[cell] == CListingLines::kInvalidWord || line.find(damaged[cell]) != std::string::npos);
            if (received.damage.nDamagedLines > 0) {
                QCOMPARE(received.damage.nDamagedLines, 1);
                QCOMPARE(received.damage.nFirstDamaged, 9);
                ++nDamaged;
            }
        }
    }
    QVERIFY(nDamaged > 0);
}

void ListingLinesTest::wordsJoinedOrSplitKeepTheCellsInPlace()
{
    const std::string cell1 = test::CellToken(0x1234), cell2 = test::CellToken(0xBEEF), cell3 = test::CellToken(0x0F0F);
    const std::string header = "STATE LISTING Label> CELL_1 CELL_2 CELL_3 Base> [BIN] [BIN] [BIN] LineNo Values\r\n";
    const std::string good = "0001 " + cell1 + " " + cell2 + " " + cell3 + "\r\n";
    const std::string invalid(CListingLines::kInvalidWord);
    struct {
        std::string line;
        std::vector<std::string> tokens;
    } const cases[] = {
        // The blank after the line number lost: the number is made up, cells 2 and 3 stand.
        {"0002" + cell1 + " " + cell2 + " " + cell3 + "\r\n", {"0002", invalid, cell2, cell3}},
        // The blank turned into a digit: the same.
        {"00021" + cell1 + " " + cell2 + " " + cell3 + "\r\n", {"0002", invalid, cell2, cell3}},
        // A stray byte after cell 1: cells 1 and 3 stand, counted from either end of the line.
        {"0002 " + cell1 + " 1" + cell2 + " " + cell3 + "\r\n", {"0002", cell1, invalid, cell3}},
        // Cells 1 and 2 joined: only cell 3 stands.
        {"0002 " + cell1 + "1" + cell2 + " " + cell3 + "\r\n", {"0002", invalid, invalid, cell3}},
        // A blank inside cell 2 splits it into two words: cells 1 and 3 stand.
        {"0002 " + cell1 + " " + cell2.substr(0, 7) + " " + cell2.substr(8) + " " + cell3 + "\r\n",
         {"0002", cell1, invalid, cell3}},
        // Cell 3 four characters long: it is not taken for a line number.
        {"0002 " + cell1 + " " + cell2 + " 0101\r\n", {"0002", cell1, cell2, invalid}},
        // Hex words, as an instrument set to another radix sends them.
        {"0002 1234 BEEF 0F0F\r\n", {"0002", invalid, invalid, invalid}},
    };
    for (const auto& c : cases) {
        const SReceived received = Receive(header + good + c.line + good);
        QCOMPARE(received.nLines, 3);
        QCOMPARE(SampleTokens(received, 1), c.tokens);
        QCOMPARE(SampleTokens(received, 2)[3], cell3);
        QCOMPARE(received.damage.nDamagedLines, 1);

        // The document reads the made-up word as invalid data, and the samples around it as sent.
        CVELDRANDoc doc;
        test::Collect(doc, Tokens(received));
        QVERIFY(!doc.FinishListing(received.nLines));
        QCOMPARE(doc.SampleCount(), 3);
        QCOMPARE(int(doc.Level(2, 32)), 1); // bit 0 of cell 3
    }
}

void ListingLinesTest::aLastLineCutShortStaysCut()
{
    // The listing stopped after the line number and one cell: the parse reports the cut and keeps
    // the whole lines, with or without a line end after the cut.
    std::string bytes = test::ListingText(kCells);
    bytes += "0100 " + test::CellToken(1);
    for (const std::string& tail : {std::string(), std::string("\r\n")}) {
        const SReceived received = Receive(bytes + tail);
        QCOMPARE(received.nLines, 101);
        QVERIFY(!received.damage.Any());
        CVELDRANDoc doc;
        test::Collect(doc, Tokens(received));
        QVERIFY(doc.FinishListing(received.nLines).has_value());
        QCOMPARE(doc.SampleCount(), 100);
    }
}

void ListingLinesTest::linesPastTheLimitAreDropped()
{
    const SReceived received = Receive(test::ListingText(kCells), 4096, 60);
    QCOMPARE(received.nLines, 60);
    QCOMPARE(received.tokens.size(), std::size_t(kListingHeaderTokens + 60 * kTokensPerSample));
    QCOMPARE(received.damage.nDroppedLines, 40);
    QCOMPARE(received.damage.nDamagedLines, 0);
    QVERIFY(ListingDamageNote(received.damage).has_value());
}

QTEST_APPLESS_MAIN(ListingLinesTest)
#include "ListingLinesTest.moc"
