// The bus listing rows: the CSV text for a range of samples with and without the clock, the range
// taken with both ends, names quoted, the text handed on in pieces, and its seconds the same as the
// exports write.

#include "annotations/BusListing.h"
#include "export/ExportTime.h"
#include "tests/annotations/AnnotationsFixture.h"

#include <QtTest>

using namespace veldran;

namespace {

const test::AnnotationsFixture kFixture;
const SampleStore kStore = kFixture.Store();

const std::vector<Bus> kBuses = {
    {"BYTE", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Hex},
    {"signed, \"low\"", {3, 2, 1, 0}, ERadix::Signed},
    {"text", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Ascii},
    {"top", {47}, ERadix::Binary},
};

std::string Listing(int64_t from, int64_t to, std::optional<uint64_t> periodFs, std::optional<Message>* message = nullptr)
{
    std::string text;
    std::optional<Message> result = WriteBusListing(kStore, from, to, periodFs, kBuses, [&](std::string_view piece) { text += piece; });
    if (message)
        *message = result;
    else if (result)
        qFatal("refused: %s", SourceText(*result).c_str());
    return text;
}

} // namespace

class ListingTest : public QObject {
    Q_OBJECT

private slots:
    void rowsWithoutClock()
    {
        // Samples 5 … 7 hold 0x0A, 0x7E, 0x20; both ends are listed.
        QCOMPARE(Listing(5, 7, std::nullopt), std::string("sample,BYTE,\"signed, \"\"low\"\"\",text,top\r\n"
                                                          "5,0A,-6,.,1\r\n"
                                                          "6,7E,-2,~,0\r\n"
                                                          "7,20,0,\" \",1\r\n"));
    }

    void rowsWithClock()
    {
        // 40 ns a sample.
        QCOMPARE(Listing(0, 2, 40000000), std::string("sample,time_s,BYTE,\"signed, \"\"low\"\"\",text,top\r\n"
                                                      "0,0,41,1,A,0\r\n"
                                                      "1,0.00000004,00,0,.,1\r\n"
                                                      "2,0.00000008,FF,-1,.,0\r\n"));
    }

    void oneSampleAndTheLast()
    {
        QCOMPARE(Listing(7, 7, std::nullopt), std::string("sample,BYTE,\"signed, \"\"low\"\"\",text,top\r\n7,20,0,\" \",1\r\n"));
        const std::string all = Listing(0, test::kSamples - 1, std::nullopt);
        QCOMPARE(std::count(all.begin(), all.end(), '\n'), test::kSamples + 1);
    }

    void rangeOutsideRefused_data()
    {
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("past the end") << qint64(0) << qint64(8) << "샘플 8은(는) 캡처 밖에 있습니다 (샘플 0..7).";
        QTest::newRow("before the start") << qint64(-1) << qint64(3) << "샘플 -1은(는) 캡처 밖에 있습니다 (샘플 0..7).";
        QTest::newRow("backwards") << qint64(5) << qint64(4) << "시작 샘플 5이(가) 끝 샘플 4보다 뒤에 있습니다.";
    }
    void rangeOutsideRefused()
    {
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        QFETCH(QString, expected);
        std::optional<Message> message;
        QCOMPARE(Listing(from, to, std::nullopt, &message), std::string());
        QVERIFY(message);
        QCOMPARE(QString::fromStdString(SourceText(*message)), expected);
    }

    void handedOnInPieces()
    {
        constexpr int64_t kMany = 200000;
        std::vector<uint8_t> levels(kMany * 48, 1);
        const SampleStore store{levels.data(), kMany};
        size_t pieces = 0;
        size_t largest = 0;
        size_t total = 0;
        QVERIFY(!WriteBusListing(store, 0, kMany - 1, 1000000000, kBuses, [&](std::string_view piece) {
            ++pieces;
            largest = std::max(largest, piece.size());
            total += piece.size();
        }));
        QVERIFY(total > 4000000);
        QVERIFY(pieces > 50);
        QVERIFY(largest < 66000);
    }

    void secondsAsTheExportsWriteThem()
    {
        const uint64_t periods[] = {1, 40000000, 1000000000000000, 3600000000000000000, 123456789};
        const uint64_t samples[] = {0, 1, 7, 25, 1000000, 99999999999};
        for (const uint64_t period : periods) {
            for (const uint64_t sample : samples) {
                std::string ours;
                std::string theirs;
                AppendFemtoseconds(ours, sample, period);
                AppendSeconds(theirs, sample, period);
                QCOMPARE(ours, theirs);
            }
        }
    }
};

QTEST_APPLESS_MAIN(ListingTest)
#include "ListingTest.moc"
