// The capture file's bytes: what the writer produces for each state of the document, and what the
// reader makes of well-formed, damaged and foreign files.

#include "document/CaptureFile.h"
#include "resources/Strings.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/ListingBuilder.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace veldran;

namespace {

const std::string kHeader = "This file is a VELDRAN's data file. (Data Count=";

std::vector<std::array<unsigned, 3>> PatternCells(int count)
{
    std::vector<std::array<unsigned, 3>> cells(static_cast<size_t>(count));
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i] = {unsigned(i * 40503u) & 0xFFFF, unsigned(~i * 2654435761u) & 0xFFFF, unsigned(i ^ 0xA5A5) & 0xFFFF};
    return cells;
}

ChannelNames SomeNames()
{
    ChannelNames names;
    for (int ch = 0; ch < kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = "CH" + std::to_string(ch);
    names[0] = "클럭";
    names[47] = "데이터 끝";
    return names;
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(bytes.substr(start, end - start));
    if (start != bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

// A document holding a loaded capture with a stale store full of ones, to see what a load changes.
void HoldCapture(CVELDRANDoc& doc)
{
    test::Receive(doc, test::Listing(std::vector<std::array<unsigned, 3>>(2, {0xFFFF, 0xFFFF, 0xFFFF})));
}

// The message of a file that ends early (the text's own format, filled in here).
std::string IncompleteText(int claimed, int samples, int names)
{
    char text[512];
    std::snprintf(text, sizeof text, text::kCaptureIncomplete, claimed, samples, names);
    return text;
}

void CompareSamples(const CVELDRANDoc& a, const CVELDRANDoc& b)
{
    QCOMPARE(a.SampleCount(), b.SampleCount());
    const size_t bytes = static_cast<size_t>(a.SampleCount()) * kChannelCount;
    QVERIFY(a.Samples().size() >= bytes && b.Samples().size() >= bytes);
    QVERIFY(std::equal(a.Samples().begin(), a.Samples().begin() + long(bytes), b.Samples().begin()));
}

} // namespace

class CaptureFormatTest : public QObject {
    Q_OBJECT

private slots:
    void receivedListingRoundTrip_data();
    void receivedListingRoundTrip();
    void namesInKoreanCodePage();
    void lineEnds_data();
    void lineEnds();
    void emptyFileOnlyEmptiesTokenList();
    void refusedHeader_data();
    void refusedHeader();
    void countField_data();
    void countField();
    void incompleteFile_data();
    void incompleteFile();
    void fileCutInsideASample();
    void surplusTokensDoNotDisplaceNames();
    void saveAfterStartUpOpensAsZeroSamples();
    void saveWithoutWholeSampleRefused_data();
    void saveWithoutWholeSampleRefused();
    void receptionAfterLoadIsWrittenAsListing();
    void loadedFileOfAnyContentSavedAgainIsIdentical();
    void lineEndInNameKeepsLayout();
};

void CaptureFormatTest::receivedListingRoundTrip_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<QString>("countText");
    QTest::newRow("one sample") << 1 << "00001";
    QTest::newRow("three samples") << 3 << "00003";
    QTest::newRow("a long capture") << 4321 << "04321";
    QTest::newRow("beyond five digits") << 100003 << "100003";
}

void CaptureFormatTest::receivedListingRoundTrip()
{
    QFETCH(int, samples);
    QFETCH(QString, countText);
    test::MessageRecorder messages;
    CVELDRANDoc received;
    test::Receive(received, test::Listing(PatternCells(samples)));
    const ChannelNames names = SomeNames();

    const std::optional<std::string> bytes = WriteCapture(received, names);
    QVERIFY(bytes);
    const std::vector<std::string> lines = Lines(*bytes);
    QCOMPARE(lines.size(), size_t(1 + 12 + 4 * samples + 48));
    QCOMPARE(lines[0], kHeader + countText.toStdString() + ")");
    QCOMPARE(lines[1], std::string("STATE"));
    QCOMPARE(bytes->back(), '\n');
    QVERIFY(bytes->find('\r') == std::string::npos);

    CVELDRANDoc loaded;
    QCOMPARE(ReadCapture(loaded, *bytes).result, LoadResult::Loaded);
    QVERIFY(loaded.IsDataReady());
    CompareSamples(loaded, received);
    QCOMPARE(loaded.ChannelNames(), names);
    // Data tokens only, the first line number at index 0.
    QCOMPARE(loaded.Tokens().size(), size_t(4 * samples));
    QCOMPARE(loaded.Tokens().front(), std::string("0000"));

    const std::optional<std::string> again = WriteCapture(loaded, loaded.ChannelNames());
    QVERIFY(again);
    QVERIFY(*again == *bytes);
    QVERIFY(messages.messages.empty());
}

void CaptureFormatTest::namesInKoreanCodePage()
{
    CVELDRANDoc doc;
    test::Receive(doc, test::Listing(PatternCells(2)));
    const std::vector<std::string> lines = Lines(*WriteCapture(doc, SomeNames()));
    QCOMPARE(lines[1 + 12 + 8], std::string("\xC5\xAC\xB7\xB0"));                 // 클럭
    QCOMPARE(lines.back(), std::string("\xB5\xA5\xC0\xCC\xC5\xCD \xB3\xA1")); // 데이터 끝
}

void CaptureFormatTest::lineEnds_data()
{
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("CR LF") << "\r\n";
    QTest::newRow("CR alone") << "\r";
}

void CaptureFormatTest::lineEnds()
{
    QFETCH(QString, lineEnd);
    CVELDRANDoc received;
    test::Receive(received, test::Listing(PatternCells(7)));
    const std::string lf = *WriteCapture(received, SomeNames());
    std::string other;
    for (char c : lf)
        other += c == '\n' ? lineEnd.toStdString() : std::string(1, c);

    CVELDRANDoc fromLf;
    CVELDRANDoc fromOther;
    QCOMPARE(ReadCapture(fromLf, lf).result, LoadResult::Loaded);
    QCOMPARE(ReadCapture(fromOther, other).result, LoadResult::Loaded);
    CompareSamples(fromOther, fromLf);
    QCOMPARE(fromOther.Tokens(), fromLf.Tokens());
    QCOMPARE(fromOther.ChannelNames(), fromLf.ChannelNames());
}

void CaptureFormatTest::emptyFileOnlyEmptiesTokenList()
{
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    HoldCapture(doc);
    const std::vector<uint8_t> store = doc.Samples();
    QCOMPARE(ReadCapture(doc, "").result, LoadResult::EmptyFile);
    QCOMPARE(ReadCapture(doc, "\nsomething\n").result, LoadResult::EmptyFile);
    QVERIFY(messages.messages.empty());
    QVERIFY(doc.Tokens().empty());
    QCOMPARE(doc.SampleCount(), 2);
    QVERIFY(doc.Samples() == store);
    QVERIFY(doc.IsDataReady());
}

void CaptureFormatTest::refusedHeader_data()
{
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("a short word") << "hello";
    QTest::newRow("one more character before the count") << "This file is a VELDRAN's data file. (Data Count= 00005)";
    QTest::newRow("count zero") << "This file is a VELDRAN's data file. (Data Count=00000)";
    QTest::newRow("negative count") << "This file is a VELDRAN's data file. (Data Count=-0003)";
    QTest::newRow("a billion") << "This file is a VELDRAN's data file. (Data Count=1000000000)";
    QTest::newRow("beyond any integer") << "This file is a VELDRAN's data file. (Data Count=99999999999999999999999)";
}

void CaptureFormatTest::refusedHeader()
{
    QFETCH(QString, firstLine);
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    HoldCapture(doc);
    const std::vector<uint8_t> store = doc.Samples();
    const std::string bytes = firstLine.toStdString() + "\n0000\n1111111111111111\n";

    const CaptureLoad load = ReadCapture(doc, bytes);
    QCOMPARE(load.result, LoadResult::NotCaptureData);
    QCOMPARE(load.messages.size(), size_t(1));
    QCOMPARE(SourceText(load.messages.front()), std::string(text::kNotVeldranData));
    QVERIFY(messages.messages.empty()); // the reader reports, it shows nothing
    QCOMPARE(doc.SampleCount(), 0);
    QVERIFY(doc.Tokens().empty());
    QVERIFY(doc.Samples() == store);
    QVERIFY(doc.IsDataReady());
}

void CaptureFormatTest::countField_data()
{
    QTest::addColumn<QString>("countText");
    QTest::addColumn<int>("count");
    QTest::newRow("padded") << "00005)" << 5;
    QTest::newRow("blanks before the digits") << "   12)" << 12;
    QTest::newRow("plus sign") << "+0007)" << 7;
    QTest::newRow("text after five digits") << "00012 samples)" << 12;
    QTest::newRow("no closing bracket") << "00003" << 3;
    QTest::newRow("six digits") << "123456)" << 123456;
    QTest::newRow("blanks then six digits keep the five-character reading") << "  123456)" << 123;
    QTest::newRow("largest count a file may claim") << "1000000)" << kMaxCaptureSamples;
}

void CaptureFormatTest::countField()
{
    QFETCH(QString, countText);
    QFETCH(int, count);
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    HoldCapture(doc);
    const std::vector<uint8_t> store = doc.Samples();
    // A header alone holds none of the samples it claims: the file is not opened, and the message
    // names the count the header was read as.
    const CaptureLoad load = ReadCapture(doc, kHeader + countText.toStdString() + "\n");
    QCOMPARE(load.result, LoadResult::NotCaptureData);
    QCOMPARE(load.messages.size(), size_t(1));
    QCOMPARE(SourceText(load.messages.front()), IncompleteText(count, 0, 0));
    QVERIFY(messages.messages.empty());
    QCOMPARE(doc.SampleCount(), 0);
    QVERIFY(doc.Tokens().empty());
    QVERIFY(doc.Samples() == store);
}

void CaptureFormatTest::incompleteFile_data()
{
    QTest::addColumn<int>("claimed");
    QTest::addColumn<int>("samplesInFile");
    QTest::addColumn<int>("namesInFile");
    QTest::newRow("complete") << 3 << 3 << 48;
    QTest::newRow("names cut short") << 3 << 3 << 10;
    QTest::newRow("no names") << 3 << 3 << 0;
    QTest::newRow("two of five samples") << 5 << 2 << 0;
    QTest::newRow("a million claimed, four held") << kMaxCaptureSamples << 4 << 0;
    // The names that follow fewer samples than claimed stay names, never samples.
    QTest::newRow("a million claimed, three held, all names") << kMaxCaptureSamples << 3 << 48;
    QTest::newRow("five claimed, two held, ten names") << 5 << 2 << 10;
}

void CaptureFormatTest::incompleteFile()
{
    QFETCH(int, claimed);
    QFETCH(int, samplesInFile);
    QFETCH(int, namesInFile);
    test::MessageRecorder messages;
    const auto cells = PatternCells(samplesInFile);
    CVELDRANDoc received;
    test::Receive(received, test::Listing(cells));
    std::vector<std::string> lines = Lines(*WriteCapture(received, SomeNames()));
    lines.resize(lines.size() - size_t(kChannelCount - namesInFile));
    char header[96];
    std::snprintf(header, sizeof header, "%s%05d)", kHeader.c_str(), claimed);
    lines[0] = header;
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\n";

    CVELDRANDoc doc;
    const CaptureLoad load = ReadCapture(doc, bytes);
    QCOMPARE(load.result, LoadResult::Loaded);
    // What the file holds is opened, and only that is allocated.
    QCOMPARE(doc.SampleCount(), samplesInFile);
    QCOMPARE(doc.Samples().size(), size_t(samplesInFile) * kChannelCount);
    QCOMPARE(doc.Tokens().size(), size_t(samplesInFile) * kTokensPerSample);
    CompareSamples(doc, received);
    const ChannelNames names = SomeNames();
    for (int ch = 0; ch < kChannelCount; ++ch)
        QCOMPARE(doc.ChannelNames()[size_t(ch)], ch < namesInFile ? names[size_t(ch)] : std::string());
    if (samplesInFile == claimed && namesInFile == kChannelCount) {
        QVERIFY(load.messages.empty());
    } else {
        QCOMPARE(load.messages.size(), size_t(1));
        QCOMPARE(SourceText(load.messages.front()), IncompleteText(claimed, samplesInFile, namesInFile));
        QCOMPARE(load.messages.front().icon, MessageIcon::Exclamation);
    }
    QVERIFY(messages.messages.empty());
    // Saved again, it is a complete file of what was found.
    CVELDRANDoc reopened;
    QCOMPARE(ReadCapture(reopened, *WriteCapture(doc, doc.ChannelNames())).result, LoadResult::Loaded);
    CompareSamples(reopened, doc);
}

void CaptureFormatTest::fileCutInsideASample()
{
    test::MessageRecorder messages;
    std::vector<std::string> status;
    CVELDRANDoc received;
    test::Receive(received, test::Listing({{0xFFFF, 0x0001, 0x8000}, {0xFFFF, 0xFFFF, 0xFFFF}}));
    std::string bytes = *WriteCapture(received, SomeNames());
    // Claim five samples and cut the file inside the second one.
    bytes.replace(kHeader.size(), 5, "00005");
    bytes.resize(bytes.find("\n0001\n") + 6 + 17);

    // The sample the file stops in is kept, its missing cell words read as empty (all low, with the
    // invalid-data text); the three samples after it are not made up.
    CVELDRANDoc doc;
    doc.SetStatusTextHandler([&status](const std::string& text) { status.push_back(text); });
    const CaptureLoad load = ReadCapture(doc, bytes);
    QCOMPARE(load.result, LoadResult::Loaded);
    QCOMPARE(load.messages.size(), size_t(1));
    QCOMPARE(SourceText(load.messages.front()), IncompleteText(5, 2, 0));
    QVERIFY(messages.messages.empty());
    QVERIFY(!status.empty());
    QCOMPARE(doc.SampleCount(), 2);
    QCOMPARE(doc.Tokens().size(), size_t(8));
    QCOMPARE(doc.Samples().size(), size_t(2) * kChannelCount);
    for (int ch = 0; ch < kChannelCount; ++ch)
        QCOMPARE(doc.Level(0, ch), received.Level(0, ch));
    for (int ch = 0; ch < kChannelCount; ++ch)
        QCOMPARE(int(doc.Level(1, ch)), ch < 16 ? 1 : 0);
    for (const std::string& name : doc.ChannelNames())
        QVERIFY(name.empty());

    // Saved again, it opens with the same two samples.
    CVELDRANDoc reopened;
    QCOMPARE(ReadCapture(reopened, *WriteCapture(doc, doc.ChannelNames())).result, LoadResult::Loaded);
    CompareSamples(reopened, doc);
}

void CaptureFormatTest::surplusTokensDoNotDisplaceNames()
{
    test::MessageRecorder messages;
    const auto cells = PatternCells(4);
    TokenList tokens = test::Listing(cells);
    tokens.resize(tokens.size() - 2); // the last line stopped after its first cell
    CVELDRANDoc received;
    test::Receive(received, tokens);
    QCOMPARE(received.SampleCount(), 3);

    const ChannelNames names = SomeNames();
    const std::string bytes = *WriteCapture(received, names);
    QCOMPARE(Lines(bytes).size(), size_t(1 + 12 + 4 * 3 + 48));
    CVELDRANDoc loaded;
    QCOMPARE(ReadCapture(loaded, bytes).result, LoadResult::Loaded);
    CompareSamples(loaded, received);
    QCOMPARE(loaded.ChannelNames(), names);
}

void CaptureFormatTest::saveAfterStartUpOpensAsZeroSamples()
{
    test::MessageRecorder messages;
    const CVELDRANDoc fresh;
    const std::optional<std::string> bytes = WriteCapture(fresh, ChannelNames());
    QVERIFY(bytes);
    const std::vector<std::string> lines = Lines(*bytes);
    QCOMPARE(lines.size(), size_t(1 + 393216 + 48));
    QCOMPARE(lines[0], kHeader + "98301)");

    CVELDRANDoc loaded;
    QCOMPARE(ReadCapture(loaded, *bytes).result, LoadResult::Loaded);
    QCOMPARE(loaded.SampleCount(), 98301);
    QVERIFY(std::all_of(loaded.Samples().begin(), loaded.Samples().end(), [](uint8_t v) { return v == 0; }));
    QVERIFY(messages.messages.empty());
}

void CaptureFormatTest::saveWithoutWholeSampleRefused_data()
{
    QTest::addColumn<int>("listTokens");
    QTest::addColumn<bool>("afterLoad");
    QTest::newRow("after New") << 0 << false;
    QTest::newRow("a header only") << 12 << false;
    QTest::newRow("fifteen tokens") << 15 << false;
    QTest::newRow("a loaded capture whose list was cleared") << 0 << true;
}

void CaptureFormatTest::saveWithoutWholeSampleRefused()
{
    QFETCH(int, listTokens);
    QFETCH(bool, afterLoad);
    test::MessageRecorder messages;
    CVELDRANDoc doc;
    if (afterLoad) {
        CVELDRANDoc received;
        test::Receive(received, test::Listing(PatternCells(3)));
        QCOMPARE(ReadCapture(doc, *WriteCapture(received, SomeNames())).result, LoadResult::Loaded);
    }
    // A reception begun, with the first tokens of a listing.
    TokenList tokens = test::Listing(PatternCells(1));
    tokens.resize(static_cast<size_t>(listTokens));
    test::Collect(doc, tokens);

    Message refusal;
    QVERIFY(!WriteCapture(doc, SomeNames(), &refusal));
    QCOMPARE(SourceText(refusal), std::string(text::kNothingToSave));
    QVERIFY(messages.messages.empty());
}

void CaptureFormatTest::receptionAfterLoadIsWrittenAsListing()
{
    // The header lines kept from the earlier file must not be written in front of the new listing.
    CVELDRANDoc doc;
    CVELDRANDoc first;
    test::Receive(first, test::Listing(PatternCells(3)));
    QCOMPARE(ReadCapture(doc, *WriteCapture(first, SomeNames())).result, LoadResult::Loaded);
    QVERIFY(doc.HoldsLoadedTokens());
    const auto cells = PatternCells(5);
    test::Receive(doc, test::Listing(cells));
    QVERIFY(!doc.HoldsLoadedTokens());

    CVELDRANDoc reopened;
    QCOMPARE(ReadCapture(reopened, *WriteCapture(doc, SomeNames())).result, LoadResult::Loaded);
    CompareSamples(reopened, doc);
    QCOMPARE(reopened.SampleCount(), 5);
}

void CaptureFormatTest::loadedFileOfAnyContentSavedAgainIsIdentical()
{
    // Whatever the lines hold (here a line-number token that reads like a listing's first word),
    // a loaded capture is written back with its own header lines in front.
    std::string bytes = kHeader + "00002)\n";
    for (int i = 0; i < 12; ++i)
        bytes += "\n";
    bytes += "STATE\n1\n\n0000000000000001\n0001\n1111111111111111\nx\n\n";
    for (int ch = 0; ch < kChannelCount; ++ch)
        bytes += "n" + std::to_string(ch) + "\n";
    CVELDRANDoc doc;
    QCOMPARE(ReadCapture(doc, bytes).result, LoadResult::Loaded);
    const std::optional<std::string> again = WriteCapture(doc, doc.ChannelNames());
    QVERIFY(again);
    QVERIFY(*again == bytes);
}

void CaptureFormatTest::lineEndInNameKeepsLayout()
{
    CVELDRANDoc doc;
    test::Receive(doc, test::Listing(PatternCells(2)));
    ChannelNames names = SomeNames();
    names[3] = "two\nlines";
    names[4] = "cr\r";
    const std::string bytes = *WriteCapture(doc, names);
    QCOMPARE(Lines(bytes).size(), size_t(1 + 12 + 8 + 48));
    CVELDRANDoc loaded;
    QCOMPARE(ReadCapture(loaded, bytes + "ignored\nlines after the names\n").result, LoadResult::Loaded);
    QCOMPARE(loaded.ChannelNames()[3], std::string("two lines"));
    QCOMPARE(loaded.ChannelNames()[4], std::string("cr "));
    QCOMPARE(loaded.ChannelNames()[47], names[47]);
}

QTEST_APPLESS_MAIN(CaptureFormatTest)
#include "CaptureFormatTest.moc"
