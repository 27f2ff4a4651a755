// The count a document shows may run ahead of its store; whoever reads samples through the document
// (Level, ReadableSampleCount, Samples) never reaches past the records the store holds, whichever
// way the document got there.

#include "document/CaptureDocument.h"
#include "document/CaptureFile.h"
#include "tests/common/ListingBuilder.h"

#include <QtTest>

#include <algorithm>
#include <string>
#include <vector>

using namespace veldran;

namespace {

const std::vector<test::Cells> kAllHigh(3, {0xFFFF, 0xFFFF, 0xFFFF});

// Every record the readable count names is in the store, and no sample beyond it reads high.
bool ReadersStayInStore(const CVELDRANDoc& doc)
{
    const int readable = doc.ReadableSampleCount();
    if (readable < 0 || doc.Samples().size() < static_cast<size_t>(readable) * kChannelCount)
        return false;
    const int beyond = std::max(doc.SampleCount(), static_cast<int>(doc.Samples().size() / kChannelCount)) + 2;
    for (int i = readable; i < beyond; ++i)
        for (int ch = 0; ch < kChannelCount; ++ch)
            if (doc.Level(i, ch) != 0)
                return false;
    return true;
}

} // namespace

class ReadableCountTest : public QObject {
    Q_OBJECT

private slots:
    void linesCountedAheadOfTheStore()
    {
        CVELDRANDoc doc;
        test::Receive(doc, test::Listing(kAllHigh));
        QCOMPARE(doc.ReadableSampleCount(), 3);

        // A new listing counts its lines before its end parses them into a store.
        doc.BeginListing();
        doc.SetListingLines(10);
        QCOMPARE(doc.SampleCount(), 10);
        QCOMPARE(doc.ReadableSampleCount(), 3);
        QVERIFY(ReadersStayInStore(doc));
        QCOMPARE(int(doc.Level(2, 47)), 1);

        // Fewer lines than the earlier capture's records: those past the count are not read.
        doc.SetListingLines(1);
        QCOMPARE(doc.ReadableSampleCount(), 1);
        QCOMPARE(int(doc.Level(0, 0)), 1);
        QCOMPARE(int(doc.Level(1, 0)), 0);
        QVERIFY(ReadersStayInStore(doc));

        CVELDRANDoc fresh;
        fresh.SetListingLines(5);
        QCOMPARE(fresh.ReadableSampleCount(), 0);
        QVERIFY(ReadersStayInStore(fresh));
    }

    void finishThatStoppedEarly()
    {
        CVELDRANDoc doc;
        test::Receive(doc, test::Listing(std::vector<test::Cells>(8, {0xFFFF, 0xFFFF, 0xFFFF})));
        // The end is told of eight lines; two samples arrived whole, the third cut after its first
        // cell.
        TokenList tokens = test::Listing({{0x0001, 0, 0}, {0x0002, 0, 0}, {0x0004, 0, 0}});
        tokens.resize(tokens.size() - 2);
        test::Collect(doc, tokens);
        QVERIFY(doc.FinishListing(8));
        QCOMPARE(doc.SampleCount(), 7);
        QCOMPARE(doc.ReadableSampleCount(), 7);
        QCOMPARE(int(doc.Level(1, 1)), 1);
        for (int i = 2; i < 7; ++i)
            QCOMPARE(int(doc.Level(i, 0)) + int(doc.Level(i, 2)) + int(doc.Level(i, 47)), 0);
        QVERIFY(ReadersStayInStore(doc));
    }

    void loadClaimingMoreThanTheFileHolds()
    {
        CVELDRANDoc doc;
        test::Receive(doc, test::Listing(std::vector<test::Cells>(20, {0xFFFF, 0xFFFF, 0xFFFF})));
        // The header claims ten samples; the file holds two and the line number and first cell
        // of a third, and no names.
        const TokenList listing = test::Listing({{0x8000, 0, 0}, {0, 0x8000, 0}, {0x0001, 0xFFFF, 0xFFFF}});
        std::string file = "This file is a VELDRAN's data file. (Data Count=00010)\n";
        for (size_t n = 0; n + 2 < listing.size(); ++n)
            file += std::string(listing[n]) + "\n";

        const CaptureLoad load = ReadCapture(doc, file);
        QCOMPARE(load.result, LoadResult::Loaded);
        QCOMPARE(load.messages.size(), size_t(1));
        QCOMPARE(doc.SampleCount(), 3);
        QCOMPARE(doc.ReadableSampleCount(), 3);
        QCOMPARE(doc.Samples().size(), size_t(3) * kChannelCount);
        QCOMPARE(doc.Tokens().size(), size_t(3) * kTokensPerSample);
        QCOMPARE(doc.HeaderTokens().size(), size_t(kListingHeaderTokens));
        QCOMPARE(int(doc.Level(0, 15)), 1);
        QCOMPARE(int(doc.Level(1, 31)), 1);
        QCOMPARE(int(doc.Level(2, 0)), 1);
        QCOMPARE(int(doc.Level(2, 16)), 0); // the cells the file cut off read low
        QVERIFY(ReadersStayInStore(doc));
    }
};

QTEST_APPLESS_MAIN(ReadableCountTest)
#include "ReadableCountTest.moc"
