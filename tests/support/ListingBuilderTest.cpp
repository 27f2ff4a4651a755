// The listings the tests and benchmarks build must be what the instrument sends and what the
// reception keeps, or every test built on them checks the wrong thing.

#include "document/CaptureFile.h"
#include "link/ListingTokenizer.h"
#include "tests/common/ListingBuilder.h"

#include <QTemporaryDir>
#include <QTest>

using namespace veldran;

class ListingBuilderTest : public QObject {
    Q_OBJECT

private slots:
    void cellTokenPutsBitFifteenFirst()
    {
        QCOMPARE(test::CellToken(0x8001), std::string("1000000000000001"));
        QCOMPARE(test::CellToken(0x0004), std::string("0000000000000100"));
        QCOMPARE(test::CellToken(0), std::string(16, '0'));
    }

    void lineNumbersHaveFourDigitsAndWrap()
    {
        QCOMPARE(test::LineNumber(7), std::string("0007"));
        QCOMPARE(test::LineNumber(9999), std::string("9999"));
        QCOMPARE(test::LineNumber(10003), std::string("0003"));
    }

    void levelsOfTheListingAreTheCells()
    {
        const std::vector<test::Cells> cells = test::CellsOf(48, [](int sample, int channel) { return sample == channel; });
        QCOMPARE(cells[17][1], 1u << 1);
        QCOMPARE(cells[17][0] | cells[17][2], 0u);
        CVELDRANDoc doc;
        test::Receive(doc, test::Listing(cells));
        QCOMPARE(doc.Tokens().size(), size_t(kListingHeaderTokens + kTokensPerSample * 48));
        QCOMPARE(doc.SampleCount(), 48);
        QVERIFY(doc.IsDataReady());
        for (int i = 0; i < 48; ++i)
            for (int ch = 0; ch < kChannelCount; ++ch)
                QCOMPARE(int(doc.Level(i, ch)), int(i == ch));
    }

    // The text, read as the reception reads the line, gives the same samples as the token list.
    void textTokenizesToTheListing()
    {
        const std::vector<test::Cells> cells = test::RandomCells(30, 3);
        const std::string text = test::ListingText(cells);
        CListingTokenizer tokenizer;
        TokenList tokens;
        int nLines = 0;
        QVERIFY(tokenizer.Collect(reinterpret_cast<const unsigned char*>(text.data()), text.size(), tokens, nLines));
        QCOMPARE(nLines, 30);
        const TokenList listing = test::Listing(cells);
        QCOMPARE(tokens.size(), listing.size());
        QCOMPARE(tokens.front(), std::string("STATE"));
        for (size_t k = kListingHeaderTokens; k < tokens.size(); ++k)
            QCOMPARE(tokens[k], listing[k]);
    }

    void randomCellsFollowTheSeed()
    {
        const std::vector<test::Cells> cells = test::RandomCells(200, 9);
        QVERIFY(cells == test::RandomCells(200, 9));
        QVERIFY(cells != test::RandomCells(200, 10));
        unsigned any = 0;
        for (const test::Cells& sample : cells)
            for (unsigned cell : sample) {
                QVERIFY(cell <= 0xFFFF);
                any |= cell;
            }
        QCOMPARE(any, 0xFFFFu); // every bit position is used
    }

    void savedListingOpensWithItsSamples()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const std::string path = folder.filePath("listing.vxr").toStdString();
        const std::vector<test::Cells> cells = test::RandomCells(25, 4);
        ChannelNames names;
        names[5] = "strobe";
        QVERIFY(test::SaveListing(cells, names, path));
        CVELDRANDoc doc;
        QVERIFY(LoadCaptureFile(doc, path));
        QCOMPARE(doc.SampleCount(), 25);
        QCOMPARE(doc.ChannelNames()[5], std::string("strobe"));
        for (int i = 0; i < 25; ++i)
            for (int ch = 0; ch < kChannelCount; ++ch)
                QCOMPARE(int(doc.Level(i, ch)), int((cells[size_t(i)][size_t(ch / 16)] >> (ch % 16)) & 1));
    }
};

QTEST_APPLESS_MAIN(ListingBuilderTest)
#include "ListingBuilderTest.moc"
