// veldran-capture against the simulator over a pseudo-terminal, as a user runs it: a listing
// into each file format, and every way a run can end without a file.

#include "document/CaptureFile.h"
#include "sim/ListingGenerator.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <random>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace veldran;
using veldran::test::ChildProcess;

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitPortOrFile = 1;
constexpr int kExitNothingArrived = 3;
constexpr int kExitNotListing = 4;
constexpr int kExitWrittenDamaged = 5;

const std::string kData = VELDRAN_TEST_DATA "/capture/";

// One simulator and the captures run against it, in a folder of their own.
class Bench {
public:
    Bench() { QVERIFY(m_dir.isValid()); }

    [[nodiscard]] std::string Folder() const { return m_dir.path().toStdString(); }
    [[nodiscard]] std::string PathOf(const std::string& name) const { return Folder() + "/" + name; }

    // Starts the simulator; its device is Device() afterwards.
    void StartSim(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), VELDRAN_SIM_PATH);
        m_sim = std::make_unique<ChildProcess>(arguments);
        QVERIFY(m_sim->Started());
        m_strDevice = m_sim->FirstLine();
        QVERIFY(!m_strDevice.empty());
    }
    [[nodiscard]] const std::string& Device() const { return m_strDevice; }
    [[nodiscard]] ChildProcess& Sim() { return *m_sim; }

    [[nodiscard]] std::unique_ptr<ChildProcess> Capture(const std::vector<std::string>& arguments,
                                                        const std::vector<std::string>& prefix = {})
    {
        std::vector<std::string> argv = prefix;
        argv.push_back(VELDRAN_CAPTURE_PATH);
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return std::make_unique<ChildProcess>(argv);
    }

    // Runs a capture that waits for the listing, then presses STATE on the simulator.
    [[nodiscard]] std::unique_ptr<ChildProcess> CaptureListing(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--port", m_strDevice});
        auto capture = Capture(arguments);
        if (!capture->WaitForText("waiting for STATE"))
            return capture;
        (void)m_sim->Type("\n");
        return capture;
    }

    // Files the run left in the folder: the output and nothing else.
    [[nodiscard]] QStringList Written() const
    {
        QStringList files = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        files.sort();
        return files;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ChildProcess> m_sim;
    std::string m_strDevice;
};

std::string ReadFile(const std::string& path)
{
    return test::ReadFileBytes(QString::fromStdString(path)).toStdString();
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The 0/1 rows of the reference CSV without the sample column, one string per sample.
QStringList CsvSamples(const std::string& csv)
{
    QStringList rows = QString::fromStdString(csv).split("\r\n", Qt::SkipEmptyParts);
    rows.removeFirst();
    for (QString& row : rows)
        row = row.section(',', 1);
    return rows;
}

// The samples of a sigrok session as sigrok-cli reads them.
QStringList SigrokSamples(const std::string& path)
{
    ChildProcess reader({"/usr/bin/sigrok-cli", "-i", path, "-O", "csv"});
    if (!reader.Wait() || reader.ExitCode() != 0)
        return {QString::fromStdString(reader.Errors())};
    QStringList rows;
    for (const QString& line : QString::fromStdString(reader.Output()).split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith(';') && !line.startsWith("logic"))
            rows.append(line.trimmed());
    return rows;
}

} // namespace

class TestCaptureEndToEnd : public QObject {
    Q_OBJECT

    // The listing journal of every run here, away from the user's own.
    QTemporaryDir m_state;
    [[nodiscard]] std::string JournalPath() const { return m_state.path().toStdString() + "/veldran/listing.journal"; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_state.isValid());
        qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
    }
    void init() { QFile::remove(QString::fromStdString(JournalPath())); }

    // A hand-written listing (tabs, a high byte and a comma as separators, a dropped 'T' word)
    // into each format, byte for byte against the reference file.
    void listingIntoFormat_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("vxr") << "out.vxr" << "three_lines.vxr" << QStringList{"out.vxr"};
        QTest::newRow("csv") << "out.csv" << "three_lines.csv" << QStringList{"out.csv"};
        QTest::newRow("vcd") << "out.vcd" << "three_lines.vcd" << QStringList{"out.gtkw", "out.vcd"};
        // A session is a zip archive with the time of writing in it: its samples are compared,
        // as sigrok reads them, with those of the CSV reference.
        QTest::newRow("sigrok session") << "out.sr" << "three_lines.csv" << QStringList{"out.sr"};
    }
    void listingIntoFormat()
    {
        QFETCH(QString, output);
        QFETCH(QString, reference);
        QFETCH(QStringList, written);
        Bench bench;
        bench.StartSim({"--file", kData + "three_lines.listing"});
        auto capture = bench.CaptureListing({"-o", bench.PathOf(output.toStdString())});
        QVERIFY(capture->Wait());
        QVERIFY2(capture->ExitCode() == kExitWritten, capture->Errors().c_str());
        QCOMPARE(bench.Written(), written);
        const std::string expected = ReadFile(kData + reference.toStdString());
        if (output.endsWith(".sr"))
            QCOMPARE(SigrokSamples(bench.PathOf(output.toStdString())), CsvSamples(expected));
        else
            QCOMPARE(ReadFile(bench.PathOf(output.toStdString())), expected);
        // Not a terminal: one line per state.
        const std::string progress = "waiting for STATE on " + bench.Device()
            + " (9600 baud, 8N1)\nreceiving\nreceived 3 lines, 299 bytes\nwrote 3 samples to "
            + bench.PathOf(output.toStdString()) + "\n";
        QCOMPARE(capture->Errors(), progress);
    }

    // What a noisy line brings: the program's message, the .vxr header, the rows of the CSV and the
    // samples the window would show agree, and the run says it was damaged (status 5).
    void damagedListingsAgreeOnOneCount_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<int>("samples");
        QTest::addColumn<QString>("said");
        const std::vector<test::Cells> cells = test::RandomCells(100, 7);
        const QByteArray clean = QByteArray::fromStdString(test::ListingText(cells));
        QByteArray blank = clean;
        blank[blank.indexOf("\n0009 ") + 5] = '1';
        QTest::newRow("a blank turned into 1") << blank << 100 << "1줄이 손상되었습니다(첫 줄: 샘플 9)";
        QByteArray hex = clean.left(clean.indexOf('\n') + 1);
        for (int i = 0; i < 100; ++i)
            hex += QByteArray::fromStdString(test::LineNumber(i)) + " 12AB 0F0F BEEF\r\n";
        QTest::newRow("hex words") << hex << 100 << "100줄이 손상되었습니다(첫 줄: 샘플 0)";
        QByteArray noise = "STATE ";
        std::mt19937 random(3);
        for (int i = 0; i < 200000; ++i)
            noise += char(random());
        QTest::newRow("noise") << noise << -1 << "줄이 손상되었습니다";
        QTest::newRow("a last line cut") << clean + "0100 0101" << 100 << "전송오류";
    }
    void damagedListingsAgreeOnOneCount()
    {
        QFETCH(QByteArray, listing);
        QFETCH(int, samples);
        QFETCH(QString, said);
        Bench bench;
        QVERIFY(test::WriteFileBytes(QString::fromStdString(bench.PathOf("in.listing")), listing));
        bench.StartSim({"--file", bench.PathOf("in.listing"), "--baud", "0"});
        std::vector<int> counts;
        for (const std::string name : {"out.vxr", "out.csv"}) {
            auto capture = bench.CaptureListing({"-o", bench.PathOf(name)});
            QVERIFY(capture->Wait());
            QVERIFY2(capture->ExitCode() == 5, capture->Errors().c_str());
            QVERIFY2(Contains(capture->Errors(), said.toStdString()), capture->Errors().c_str());
            const std::string file = ReadFile(bench.PathOf(name));
            const std::size_t wrote = capture->Errors().find("wrote ");
            QVERIFY2(wrote != std::string::npos, capture->Errors().c_str());
            counts.push_back(std::stoi(capture->Errors().substr(wrote + 6)));
            const std::size_t received = capture->Errors().find("received ");
            if (samples >= 0 && !said.startsWith("전송"))
                counts.push_back(std::stoi(capture->Errors().substr(received + 9)));
            if (name == "out.csv") {
                counts.push_back(int(CsvSamples(file).size()));
                continue;
            }
            CVELDRANDoc doc;
            QCOMPARE(ReadCapture(doc, file).result, LoadResult::Loaded);
            counts.push_back(std::stoi(file.substr(file.find("Count=") + 6)));
            counts.push_back(doc.SampleCount());
        }
        QCOMPARE(counts, std::vector<int>(counts.size(), counts[0]));
        if (samples >= 0)
            QCOMPARE(counts[0], samples);
    }

    // A long listing at full speed: every sample arrives, with the names of an earlier capture.
    void fullSpeedWithNames()
    {
        Bench bench;
        const int nLines = 20000;
        bench.StartSim({"--lines", std::to_string(nLines), "--pattern", "counter", "--baud", "0"});
        const std::string out = bench.PathOf("long.vxr");
        auto capture = bench.CaptureListing({"--names", kData + "named.vxr", "-o", out});
        QVERIFY(capture->Wait(60));
        QVERIFY2(capture->ExitCode() == kExitWritten, capture->Errors().c_str());
        QVERIFY2(Contains(capture->Errors(), "received 20000 lines, " + std::to_string(sim::GenerateListing({nLines, sim::EPattern::Counter, 1}).size()) + " bytes\n"),
                 capture->Errors().c_str());

        CVELDRANDoc document;
        const CaptureLoad load = LoadCaptureFile(document, out);
        QVERIFY(load);
        QCOMPARE(load.result, LoadResult::Loaded);
        QVERIFY(load.messages.empty());
        QCOMPARE(document.SampleCount(), nLines);
        for (int i = 0; i < nLines; ++i) {
            const uint64_t levels = sim::PatternLevels(sim::EPattern::Counter, i);
            for (int ch = 0; ch < kChannelCount; ++ch)
                if (document.Level(i, ch) != ((levels >> ch) & 1u))
                    QFAIL(qPrintable(QString("sample %1 channel %2").arg(i).arg(ch)));
        }
        QCOMPARE(document.ChannelNames()[0], std::string("클럭"));
        QCOMPARE(document.ChannelNames()[47], std::string("C15 reset"));
    }

    // --quiet leaves out the progress, never the reason for a failure.
    void nothingBeforeTheTimeout_data()
    {
        QTest::addColumn<bool>("quiet");
        QTest::newRow("progress") << false;
        QTest::newRow("quiet") << true;
    }
    void nothingBeforeTheTimeout()
    {
        QFETCH(bool, quiet);
        Bench bench;
        bench.StartSim({});
        const auto start = std::chrono::steady_clock::now();
        std::vector<std::string> arguments{"--port", bench.Device(), "--timeout", "0.4", "-o", bench.PathOf("t.vxr")};
        if (quiet)
            arguments.push_back("--quiet");
        auto capture = bench.Capture(arguments);
        QVERIFY(capture->Wait());
        QCOMPARE(capture->ExitCode(), kExitNothingArrived);
        QVERIFY(std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(400));
        const std::string failure = "veldran-capture: nothing arrived on " + bench.Device() + " within the timeout\n";
        QCOMPARE(capture->Errors(),
                 (quiet ? "" : "waiting for STATE on " + bench.Device() + " (9600 baud, 8N1)\n") + failure);
        QVERIFY(bench.Written().isEmpty());
    }

    void listingWithoutState()
    {
        Bench bench;
        bench.StartSim({"--file", kData + "no_state.listing"});
        auto capture = bench.CaptureListing({"-o", bench.PathOf("n.vxr")});
        QVERIFY(capture->Wait());
        QCOMPARE(capture->ExitCode(), kExitNotListing);
        QVERIFY(Contains(capture->Errors(), "did not begin with STATE"));
        QVERIFY(bench.Written().isEmpty());
    }

    // The simulator dies halfway through a paced listing: the line hangs up.
    void hangUpMidListing()
    {
        Bench bench;
        bench.StartSim({"--lines", "300", "--baud", "9600"});
        auto capture = bench.CaptureListing({"-o", bench.PathOf("h.vxr")});
        QVERIFY(capture->WaitForText("receiving"));
        bench.Sim().Signal(SIGKILL);
        QVERIFY(capture->Wait());
        QCOMPARE(capture->ExitCode(), kExitPortOrFile);
        QVERIFY2(Contains(capture->Errors(), "nothing written"), capture->Errors().c_str());
        QVERIFY(bench.Written().isEmpty());
    }

    // Ctrl+C while waiting and while receiving: the program ends by the signal, no file.
    void interrupted_data()
    {
        QTest::addColumn<bool>("receiving");
        QTest::newRow("waiting") << false;
        QTest::newRow("receiving") << true;
    }
    void interrupted()
    {
        QFETCH(bool, receiving);
        Bench bench;
        bench.StartSim({"--lines", "300", "--baud", "9600"});
        auto capture = bench.CaptureListing({"-o", bench.PathOf("i.vxr")});
        if (receiving)
            QVERIFY(capture->WaitForText("receiving"));
        capture->Signal(SIGINT);
        QVERIFY(capture->Wait());
        QCOMPARE(capture->EndSignal(), SIGINT);
        QVERIFY(Contains(capture->Errors(), "stopped; nothing written"));
        QVERIFY(bench.Written().isEmpty());
    }

    // Ctrl+C once the listing is in, while it is parsed and written: the program ends by the
    // signal, with no file, not even a temporary one.
    void interruptedWhileWriting()
    {
        Bench bench;
        bench.StartSim({"--lines", "99999", "--pattern", "counter", "--baud", "0"});
        auto capture = bench.CaptureListing({"-o", bench.PathOf("w.vcd")});
        QVERIFY(capture->WaitForText("received 99999 lines", true, 60));
        capture->Signal(SIGINT);
        QVERIFY(capture->Wait(60));
        QCOMPARE(capture->EndSignal(), SIGINT);
        QVERIFY2(Contains(capture->Errors(), "stopped; nothing written"), capture->Errors().c_str());
        QVERIFY(bench.Written().isEmpty());
    }

    // A second capture on a port the first one holds names the first one.
    void busyPort()
    {
        Bench bench;
        bench.StartSim({});
        auto first = bench.Capture({"--port", bench.Device(), "-o", bench.PathOf("1.vxr")});
        QVERIFY(first->WaitForText("waiting for STATE"));
        auto second = bench.Capture({"--port", bench.Device(), "-o", bench.PathOf("2.vxr")});
        QVERIFY(second->Wait());
        QCOMPARE(second->ExitCode(), kExitPortOrFile);
        const std::string errors = second->Errors();
        QVERIFY2(Contains(errors, "cannot open " + bench.Device()), errors.c_str());
        QVERIFY2(Contains(errors, "process " + std::to_string(first->Pid()) + " (veldran-capture) holds it"),
                 errors.c_str());
        first->Signal(SIGINT);
        QVERIFY(first->Wait());
        QVERIFY(bench.Written().isEmpty());
    }

    // An unprivileged user meets a device of another group: told which group and how to join
    // it when the group may open the device, told to ask the administrator when only the owner may.
    void deviceWithoutPermission_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("joinHelps");
        QTest::newRow("owner and group, as dialout devices are") << 0660 << true;
        QTest::newRow("owner only (the group may only write)") << 0620 << false;
    }
    void deviceWithoutPermission()
    {
        QFETCH(int, mode);
        QFETCH(bool, joinHelps);
        if (getuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0)
            QSKIP("needs root and setpriv to run the capture as another user (test_open_failure covers the text)");
        Bench bench;
        QVERIFY(chmod(bench.Folder().c_str(), 0777) == 0);
        bench.StartSim({});
        QVERIFY(chmod(bench.Device().c_str(), mode_t(mode)) == 0);
        struct stat node {};
        QVERIFY(stat(bench.Device().c_str(), &node) == 0);
        auto capture = bench.Capture({"--port", bench.Device(), "-o", bench.PathOf("p.vxr")},
                                     {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        QVERIFY(capture->Wait());
        QCOMPARE(capture->ExitCode(), kExitPortOrFile);
        const std::string errors = capture->Errors();
        QVERIFY2(Contains(errors, "cannot open " + bench.Device() + ": Permission denied"), errors.c_str());
        const group* pGroup = getgrgid(node.st_gid);
        QVERIFY(pGroup);
        const std::string name = pGroup->gr_name;
        QCOMPARE(Contains(errors, "group '" + name + "'; join it and log in again: sudo usermod -aG " + name + " $USER"),
                 joinHelps);
        QCOMPARE(Contains(errors, "only its owner may open it"), !joinHelps);
        QVERIFY(bench.Written().isEmpty());
    }

    // A usage error is one line and a pointer to --help, in the program's language.
    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("error");
        QTest::newRow("no output") << QStringList{"--port", "COM1"} << "en" << "no output file";
        QTest::newRow("unknown format") << QStringList{"-o", "x.txt"} << "en" << "must end in .vxr, .vcd, .csv or .sr: x.txt";
        QTest::newRow("unknown option") << QStringList{"--fast", "-o", "x.vxr"} << "en" << "unknown option --fast";
        QTest::newRow("second output") << QStringList{"-o", "x.vxr", "--output", "y.vxr"} << "en"
                                       << "option -o/--output is given more than once";
        QTest::newRow("second port") << QStringList{"--port", "COM1", "--port", "COM2", "-o", "x.vxr"} << "en"
                                     << "option --port is given more than once";
        QTest::newRow("clock not a time") << QStringList{"--clock", "40", "-o", "x.vcd"} << "en"
                                          << "clock period '40' is not a time";
        QTest::newRow("Korean face") << QStringList{"--baud", "300", "-o", "x.vxr"} << "ko"
                                     << "--baud 옵션은 9600 또는 1200입니다.";
    }
    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, language);
        QFETCH(QString, error);
        Bench bench;
        std::vector<std::string> argv;
        for (const QString& argument : arguments)
            argv.push_back(argument.toStdString());
        auto capture = bench.Capture(argv, {"/usr/bin/env", "VELDRAN_LANG=" + language.toStdString()});
        QVERIFY(capture->Wait());
        QCOMPARE(capture->ExitCode(), 2);
        const std::string errors = capture->Errors();
        const std::string hint = language == "en" ? "Try 'veldran-capture --help' for more information."
                                                  : "자세한 내용은 'veldran-capture --help'를 실행해 보십시오.";
        QVERIFY2(errors.rfind("veldran-capture: ", 0) == 0 && Contains(errors, error.toStdString())
                     && Contains(errors, "\n" + hint + "\n"),
                 errors.c_str());
        QCOMPARE(std::count(errors.begin(), errors.end(), '\n'), 2);
        QVERIFY(bench.Written().isEmpty());
    }

    // --clock gives the formats with a time base their time, as veldran-convert does.
    void clockTimesTheSamples_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("timed");
        QTest::newRow("vcd, 40 ns") << "out.vcd" << "40ns" << "$timescale 10 ns $end";
        QTest::newRow("csv, 1 ms") << "out.csv" << "1ms" << "Sample,Time (s),";
        QTest::newRow("csv, OFF") << "out.csv" << "OFF" << "";
    }
    void clockTimesTheSamples()
    {
        QFETCH(QString, output);
        QFETCH(QString, clock);
        QFETCH(QString, timed);
        Bench bench;
        bench.StartSim({"--file", kData + "three_lines.listing"});
        const std::string path = bench.PathOf(output.toStdString());
        auto capture = bench.CaptureListing({"--clock", clock.toStdString(), "-o", path});
        QVERIFY(capture->Wait());
        QVERIFY2(capture->ExitCode() == kExitWritten, capture->Errors().c_str());
        const std::string written = ReadFile(path);
        if (timed.isEmpty())
            QCOMPARE(written, ReadFile(kData + "three_lines.csv"));
        else
            QVERIFY2(Contains(written, timed.toStdString()), written.substr(0, 400).c_str());
    }

    // The receiving process is killed late in a paced listing: --recover writes every whole line
    // that arrived before the kill, as sent, and says the capture may be incomplete.
    void killedReceptionIsRecovered()
    {
        Bench bench;
        const sim::SListingOptions listing{2000, sim::EPattern::Counter, 1};
        bench.StartSim({"--lines", "2000", "--pattern", "counter", "--baud", "9600"});
        auto capture = bench.CaptureListing({"-o", bench.PathOf("k.vxr")});
        QVERIFY(capture->WaitForText("receiving"));
        QTest::qWait(1500);
        capture->Signal(SIGKILL);
        QVERIFY(capture->Wait());
        QCOMPARE(capture->EndSignal(), SIGKILL);
        QVERIFY(bench.Written().isEmpty());

        // The journal holds what arrived, byte for byte as the simulator sent it.
        const std::string journal = ReadFile(JournalPath());
        const std::string header = "VELDRAN-LISTING-JOURNAL 1\n";
        QCOMPARE(journal.substr(0, header.size()), header);
        const std::string received = journal.substr(header.size());
        const std::string sent = sim::GenerateListing(listing);
        QVERIFY(received.size() > sim::ListingHeader(listing).size() + 10 * 57);
        QVERIFY(received.size() < sent.size());
        QVERIFY(sent.compare(0, received.size(), received) == 0);
        const std::size_t nLineBytes = sim::ListingLine(0, 0).size();
        const int nWhole = static_cast<int>((received.size() - sim::ListingHeader(listing).size()) / nLineBytes);

        const std::string out = bench.PathOf("recovered.vxr");
        auto recover = bench.Capture({"--recover", "-o", out}, {"/usr/bin/env", "VELDRAN_LANG=en"});
        QVERIFY(recover->Wait());
        QCOMPARE(recover->ExitCode(), kExitWrittenDamaged);
        QVERIFY2(Contains(recover->Errors(), "recovered from an interrupted reception"), recover->Errors().c_str());
        QVERIFY(!QFile::exists(QString::fromStdString(JournalPath())));

        CVELDRANDoc document;
        QVERIFY(LoadCaptureFile(document, out));
        // A last line that stopped after its last word but before its line end is whole, too.
        QVERIFY2(document.SampleCount() == nWhole || document.SampleCount() == nWhole + 1,
                 qPrintable(QString("%1 samples, %2 whole lines").arg(document.SampleCount()).arg(nWhole)));
        for (int i = 0; i < document.SampleCount(); ++i) {
            const uint64_t levels = sim::PatternLevels(sim::EPattern::Counter, i);
            for (int ch = 0; ch < kChannelCount; ++ch)
                if (document.Level(i, ch) != ((levels >> ch) & 1u))
                    QFAIL(qPrintable(QString("sample %1 channel %2").arg(i).arg(ch)));
        }

        // Nothing left to recover: said so, and nothing written.
        auto again = bench.Capture({"--recover", "-o", bench.PathOf("again.vxr")}, {"/usr/bin/env", "VELDRAN_LANG=en"});
        QVERIFY(again->Wait());
        QCOMPARE(again->ExitCode(), kExitPortOrFile);
        QVERIFY2(Contains(again->Errors(), "no interrupted listing to recover: " + JournalPath()), again->Errors().c_str());
        QVERIFY(!QFile::exists(QString::fromStdString(bench.PathOf("again.vxr"))));
    }

    // The journal goes once the file is written and on Ctrl+C; a lost line keeps it.
    void journalKeptOrLetGo_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("kept");
        QTest::newRow("written") << "written" << false;
        QTest::newRow("Ctrl+C") << "sigint" << false;
        QTest::newRow("line lost") << "hang-up" << true;
    }
    void journalKeptOrLetGo()
    {
        QFETCH(QString, end);
        QFETCH(bool, kept);
        Bench bench;
        bench.StartSim({"--lines", end == "written" ? "20" : "300", "--baud", "9600"});
        auto capture = bench.CaptureListing({"-o", bench.PathOf("j.vxr")});
        QVERIFY(capture->WaitForText("receiving"));
        QVERIFY(QFile::exists(QString::fromStdString(JournalPath())));
        if (end == "sigint")
            capture->Signal(SIGINT);
        else if (end == "hang-up")
            bench.Sim().Signal(SIGKILL);
        QVERIFY(capture->Wait());
        QCOMPARE(QFile::exists(QString::fromStdString(JournalPath())), kept);
        QCOMPARE(Contains(capture->Errors(), JournalPath()), kept);
    }

    void listPorts()
    {
        Bench bench;
        auto list = bench.Capture({"--list-ports"});
        QVERIFY(list->Wait());
        QCOMPARE(list->ExitCode(), 0);
        const std::string out = list->Output();
        QVERIFY(!out.empty());
        QVERIFY(Contains(out, "can open") || Contains(out, "cannot open") || out == "no serial device found\n");
    }
};

QTEST_APPLESS_MAIN(TestCaptureEndToEnd)
#include "test_capture_e2e.moc"
