// A capture opened ahead on another thread must leave the document, the messages and the status
// texts exactly as opening it on the spot does, and must never stand in for a file that changed
// or for another file.

#include "document/CaptureFile.h"
#include "document/CapturePrefetch.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/SilentMessages.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace veldran;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A saved capture of some samples and names, as bytes.
std::string SavedCapture(const std::string& folder, int samples)
{
    CVELDRANDoc received;
    std::vector<std::array<unsigned, 3>> cells;
    for (int i = 0; i < samples; ++i)
        cells.push_back({unsigned(i * 37) & 0xFFFFu, unsigned(i * 101) & 0xFFFFu, unsigned(~i) & 0xFFFFu});
    test::Receive(received, test::Listing(cells));
    ChannelNames names;
    for (int ch = 0; ch < kChannelCount; ++ch)
        names[size_t(ch)] = "CH" + std::to_string(ch);
    const std::string path = folder + "/saved.vxr";
    if (!SaveCaptureFile(received, names, path))
        return {};
    return ReadAll(path);
}

struct Opened {
    bool bResult = false;
    std::vector<std::string> log;
    CVELDRANDoc doc;
};

void Compare(const CVELDRANDoc& a, const CVELDRANDoc& b)
{
    QCOMPARE(a.IsDataReady(), b.IsDataReady());
    QCOMPARE(a.SampleCount(), b.SampleCount());
    QVERIFY(a.Samples() == b.Samples());
    QVERIFY(a.Tokens() == b.Tokens());
    QVERIFY(a.HeaderTokens() == b.HeaderTokens());
    QVERIFY(a.ChannelNames() == b.ChannelNames());
}

} // namespace

class CapturePrefetchTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::string Path(const char* name) const { return (m_dir.path() + QLatin1Char('/') + name).toStdString(); }

    // Opens path on the spot, or through a prefetch started first.
    static void Open(const std::string& path, bool bAhead, Opened& opened)
    {
        // Status texts of the open, then its messages as the caller shows them, in one log. Neither
        // way of opening shows a box itself.
        std::vector<std::string> log;
        const test::SilentMessages boxes([&log](const UserMessage& message) { log.push_back("shown " + message.text); });
        opened.doc.SetStatusTextHandler([&log](const std::string& text) { log.push_back("status " + text); });
        CaptureLoad load;
        if (bAhead) {
            CCapturePrefetch prefetch;
            prefetch.Start(path);
            std::optional<CaptureLoad> taken = prefetch.TakeInto(opened.doc, path);
            QVERIFY(taken.has_value());
            load = std::move(*taken);
        } else {
            load = LoadCaptureFile(opened.doc, path);
        }
        opened.bResult = static_cast<bool>(load);
        for (const Message& message : load.messages)
            log.push_back("box " + std::to_string(int(message.icon)) + " " + message.caption + ": " + SourceText(message));
        opened.log = log;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void sameAsOpeningOnTheSpot_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("box");
        QTest::addColumn<bool>("statusText");
        QTest::newRow("a whole capture") << "whole" << false << false;
        // Cut inside a sample, whose missing words read as bad data.
        QTest::newRow("cut short") << "cut" << true << true;
        QTest::newRow("a bad cell word") << "bad cell" << false << true;
        QTest::newRow("a bad cell word in a file cut short") << "bad cell, cut" << true << true;
        QTest::newRow("not a capture") << "not a capture" << true << false;
        QTest::newRow("empty") << "empty" << false << false;
    }

    void sameAsOpeningOnTheSpot()
    {
        QFETCH(QString, kind);
        QFETCH(bool, box);
        QFETCH(bool, statusText);
        std::string bytes = SavedCapture(m_dir.path().toStdString(), 300);
        QVERIFY(!bytes.empty());
        if (kind.startsWith(QLatin1String("bad cell"))) {
            const size_t cell = bytes.find("\n", bytes.find("0002")); // a line of the data
            QVERIFY(cell != std::string::npos);
            const size_t digit = bytes.find_first_of("01", cell + 8);
            bytes[digit] = 'x';
        }
        if (kind.endsWith(QLatin1String("cut")))
            bytes.resize(bytes.size() * 3 / 5);
        if (kind == QLatin1String("not a capture"))
            bytes = "hello\r\nworld\r\n";
        if (kind == QLatin1String("empty"))
            bytes.clear();
        const std::string path = Path("capture.vxr");
        WriteAll(path, bytes);

        Opened here, ahead;
        Open(path, false, here);
        Open(path, true, ahead);
        QCOMPARE(ahead.bResult, here.bResult);
        QCOMPARE(ahead.log, here.log);
        Compare(ahead.doc, here.doc);
        // The cases show what they are meant to show.
        const auto saw = [&here](const char* start) {
            return std::any_of(here.log.begin(), here.log.end(),
                               [start](const std::string& entry) { return entry.rfind(start, 0) == 0; });
        };
        QCOMPARE(saw("box"), box);
        QCOMPARE(saw("status"), statusText);
        QVERIFY(!saw("shown"));
    }

    // The file changed after it was read ahead, or another file is opened: nothing is taken, and
    // the document is left as it was for the caller's own open.
    void neverStandsInForAnotherFile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("rewritten") << "rewritten";
        QTest::newRow("replaced by another file") << "replaced";
        QTest::newRow("another path") << "other path";
        QTest::newRow("removed") << "removed";
    }

    void neverStandsInForAnotherFile()
    {
        QFETCH(QString, change);
        const std::string bytes = SavedCapture(m_dir.path().toStdString(), 50);
        const std::string path = Path("changing.vxr");
        WriteAll(path, bytes);
        test::MessageRecorder messages;
        CCapturePrefetch prefetch;
        prefetch.Start(path);
        std::string taken = path;
        if (change == QLatin1String("rewritten")) {
            WriteAll(path, bytes + "\r\n");
        } else if (change == QLatin1String("replaced")) {
            const std::string other = Path("other.vxr");
            WriteAll(other, bytes);
            QCOMPARE(::rename(other.c_str(), path.c_str()), 0);
        } else if (change == QLatin1String("other path")) {
            taken = Path("other.vxr");
            WriteAll(taken, bytes);
        } else {
            QCOMPARE(::unlink(path.c_str()), 0);
        }
        CVELDRANDoc doc;
        QVERIFY(!prefetch.TakeInto(doc, taken).has_value());
        Compare(doc, CVELDRANDoc());
        QVERIFY(messages.messages.empty());
        // Taken once at most: asking again finds nothing either.
        QVERIFY(!prefetch.TakeInto(doc, path).has_value());
    }

    // Only regular files are read ahead: a named pipe would hold the reading thread forever, and
    // a folder or a missing file is the normal open's to report. A prefetch nobody takes ends
    // with its owner.
    void onlyRegularFilesAndNothingLeftBehind()
    {
        const std::string fifo = Path("pipe.vxr");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        CVELDRANDoc doc;
        {
            CCapturePrefetch prefetch;
            prefetch.Start(fifo);
            QVERIFY(!prefetch.TakeInto(doc, fifo).has_value());
            prefetch.Start(m_dir.path().toStdString());
            QVERIFY(!prefetch.TakeInto(doc, m_dir.path().toStdString()).has_value());
            prefetch.Start(Path("missing.vxr"));
            QVERIFY(!prefetch.TakeInto(doc, Path("missing.vxr")).has_value());
        }
        const std::string path = Path("untaken.vxr");
        WriteAll(path, SavedCapture(m_dir.path().toStdString(), 2000));
        test::MessageRecorder messages;
        {
            CCapturePrefetch prefetch;
            prefetch.Start(path);
        }
        QVERIFY(messages.messages.empty());
    }
};

QTEST_APPLESS_MAIN(CapturePrefetchTest)
#include "CapturePrefetchTest.moc"
