// The pieces of veldran-capture on their own: the command line, the receiving loop's endings
// (quiet line, timeout, stop, hang-up, refusal), the output checks and the progress lines.

#include "capture/CaptureOptions.h"
#include "capture/CaptureOutput.h"
#include "capture/CaptureProgress.h"
#include "capture/CaptureRun.h"
#include "capture/ListingReceiver.h"

#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

using namespace veldran;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

Q_DECLARE_METATYPE(veldran::ECaptureFormat)
Q_DECLARE_METATYPE(veldran::EReceiveEnd)

namespace {

class ByteRecorder : public ListingByteSink {
public:
    bool OnBytes(const unsigned char* pBytes, std::size_t nBytes) override
    {
        m_strBytes.append(reinterpret_cast<const char*>(pBytes), nBytes);
        if (m_fdStopOnBytes >= 0) {
            const uint64_t nOne = 1;
            (void)!write(m_fdStopOnBytes, &nOne, sizeof nOne);
        }
        return m_strRefuseAt.empty() || m_strBytes.find(m_strRefuseAt) == std::string::npos;
    }
    std::string m_strBytes;
    std::string m_strRefuseAt;
    int m_fdStopOnBytes = -1; // signalled when bytes arrive, as a Ctrl+C in the middle of a listing
};

// A pipe standing in for the port: non-blocking read end, as the port is opened.
struct Line {
    Line()
    {
        if (pipe2(fds, O_CLOEXEC) == 0)
            fcntl(fds[0], F_SETFL, O_NONBLOCK);
    }
    ~Line()
    {
        CloseWriter();
        close(fds[0]);
    }
    void Send(const std::string& bytes) { QVERIFY(write(fds[1], bytes.data(), bytes.size()) == ssize_t(bytes.size())); }
    void CloseWriter()
    {
        if (fds[1] >= 0)
            close(fds[1]);
        fds[1] = -1;
    }
    int fds[2] = {-1, -1};
};

std::vector<const char*> Argv(const QStringList& arguments, std::vector<std::string>& storage)
{
    storage.assign(1, "veldran-capture");
    for (const QString& argument : arguments)
        storage.push_back(argument.toStdString());
    std::vector<const char*> argv;
    for (const std::string& arg : storage)
        argv.push_back(arg.c_str());
    return argv;
}

// A run without a stop, its messages and progress caught in text.
int RunCaptureToText(const SCaptureOptions& options, std::string& text)
{
    char* pszText = nullptr;
    size_t nSize = 0;
    std::FILE* pErr = open_memstream(&pszText, &nSize);
    if (!pErr)
        return -100;
    const int nExit = RunCapture(options, -1, pErr);
    std::fclose(pErr);
    text.assign(pszText, nSize);
    std::free(pszText);
    return nExit;
}

} // namespace

class TestCaptureParts : public QObject {
    Q_OBJECT

private slots:
    void formatFromExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<ECaptureFormat>("format");
        QTest::newRow("vxr") << "out.vxr" << ECaptureFormat::Vxr;
        QTest::newRow("upper case") << "OUT.VXR" << ECaptureFormat::Vxr;
        QTest::newRow("vcd") << "a/b.vcd" << ECaptureFormat::Vcd;
        QTest::newRow("csv") << "x.csv" << ECaptureFormat::Csv;
        QTest::newRow("sigrok") << "x.sr" << ECaptureFormat::Sigrok;
        QTest::newRow("no extension") << "capture" << ECaptureFormat::Unknown;
        QTest::newRow("dot in the folder only") << "run.d/capture" << ECaptureFormat::Unknown;
        QTest::newRow("other") << "x.txt" << ECaptureFormat::Unknown;
        QTest::newRow("a name that is only the suffix") << "dir/.vxr" << ECaptureFormat::Unknown;
        QTest::newRow("vxr in the folder only") << "a.vxr/capture" << ECaptureFormat::Unknown;
    }
    void formatFromExtension()
    {
        QFETCH(QString, path);
        QFETCH(ECaptureFormat, format);
        QCOMPARE(FormatForPath(path.toStdString()), format);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("device"); // expected device, "" to skip
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("timeoutMs");
        QTest::newRow("defaults") << QStringList{"-o", "a.vxr"} << true << "/dev/ttyS0" << 1 << 9600 << -1;
        QTest::newRow("COM3, 1200, 2.5 s")
            << QStringList{"--port", "com3", "--baud", "1200", "--timeout", "2.5", "-o", "a.csv"} << true
            << "/dev/ttyS2" << 3 << 1200 << 2500;
        QTest::newRow("COM2 through the variable") << QStringList{"--port", "COM2", "-o", "a.vxr"} << true
                                                   << "/dev/veldran-adapter" << 2 << 9600 << -1;
        QTest::newRow("a device by name") << QStringList{"--port", "/dev/ttyUSB0", "-o", "a.sr"} << true
                                          << "/dev/ttyUSB0" << 0 << 9600 << -1;
        QTest::newRow("COM5 is a name, not a port") << QStringList{"--port", "COM5", "-o", "a.sr"} << true << "COM5"
                                                    << 0 << 9600 << -1;
        QTest::newRow("list ports needs no output") << QStringList{"--list-ports"} << true << "" << 1 << 9600 << -1;
        QTest::newRow("no output") << QStringList{"--port", "COM1"} << false << "" << 0 << 0 << 0;
        QTest::newRow("unknown format") << QStringList{"-o", "a.txt"} << false << "" << 0 << 0 << 0;
        QTest::newRow("other speed") << QStringList{"--baud", "19200", "-o", "a.vxr"} << false << "" << 0 << 0 << 0;
        QTest::newRow("zero timeout") << QStringList{"--timeout", "0", "-o", "a.vxr"} << false << "" << 0 << 0 << 0;
        QTest::newRow("timeout not a number") << QStringList{"--timeout", "5s", "-o", "a.vxr"} << false << "" << 0
                                              << 0 << 0;
        QTest::newRow("value missing") << QStringList{"-o"} << false << "" << 0 << 0 << 0;
        QTest::newRow("unknown option") << QStringList{"--fast", "-o", "a.vxr"} << false << "" << 0 << 0 << 0;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, valid);
        QFETCH(QString, device);
        QFETCH(int, port);
        QFETCH(int, baud);
        QFETCH(int, timeoutMs);
        qunsetenv("VELDRAN_COM1");
        qunsetenv("VELDRAN_COM3");
        qputenv("VELDRAN_COM2", "/dev/veldran-adapter");
        std::vector<std::string> storage;
        const std::vector<const char*> argv = Argv(arguments, storage);
        SCaptureOptions options;
        std::string error;
        const bool bParsed = ParseCaptureArguments(int(argv.size()), argv.data(), options, error);
        qunsetenv("VELDRAN_COM2");
        QCOMPARE(bParsed, valid);
        QCOMPARE(error.empty(), valid);
        if (!valid)
            return;
        if (!device.isEmpty())
            QCOMPARE(options.strDevice, device.toStdString());
        QCOMPARE(options.nPort, port);
        QCOMPARE(options.nBaud, baud);
        QCOMPARE(options.nTimeoutMs, timeoutMs);
    }

    // --clock as veldran-convert reads it; an option that takes a value counts once.
    void clockAndSingleValues_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qulonglong>("clockFs"); // 0: clock OFF
        QTest::newRow("40 ns") << QStringList{"--clock", "40ns", "-o", "a.vcd"} << true << 40'000'000ULL;
        QTest::newRow("2.5 us") << QStringList{"-o", "a.sr", "--clock", "2.5us"} << true << 2'500'000'000ULL;
        QTest::newRow("OFF") << QStringList{"--clock", "OFF", "-o", "a.csv"} << true << 0ULL;
        QTest::newRow("none") << QStringList{"-o", "a.csv"} << true << 0ULL;
        QTest::newRow("no unit") << QStringList{"--clock", "40", "-o", "a.vcd"} << false << 0ULL;
        QTest::newRow("clock twice") << QStringList{"--clock", "1us", "--clock", "1us", "-o", "a.vcd"} << false << 0ULL;
        QTest::newRow("-o then --output") << QStringList{"-o", "a.vxr", "--output", "b.vxr"} << false << 0ULL;
        QTest::newRow("-o twice") << QStringList{"-o", "a.vxr", "-o", "b.vxr"} << false << 0ULL;
        QTest::newRow("baud twice") << QStringList{"--baud", "1200", "--baud", "9600", "-o", "a.vxr"} << false << 0ULL;
        QTest::newRow("timeout twice") << QStringList{"--timeout", "1", "--timeout", "2", "-o", "a.vxr"} << false << 0ULL;
        QTest::newRow("names twice") << QStringList{"--names", "a.vxr", "--names", "b.vxr", "-o", "c.vxr"} << false << 0ULL;
        QTest::newRow("switches may repeat") << QStringList{"-q", "--quiet", "-o", "a.vxr"} << true << 0ULL;
    }
    void clockAndSingleValues()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, valid);
        QFETCH(qulonglong, clockFs);
        std::vector<std::string> storage;
        const std::vector<const char*> argv = Argv(arguments, storage);
        SCaptureOptions options;
        std::string error;
        QCOMPARE(ParseCaptureArguments(int(argv.size()), argv.data(), options, error), valid);
        QCOMPARE(error.empty(), valid);
        if (valid)
            QCOMPARE(options.nClockFs.value_or(0), uint64_t(clockFs));
    }

    // The kernel's console line is not taken for the default port; naming it takes it.
    void consoleOnlyWhenNamed()
    {
        QTemporaryDir dir;
        SCaptureOptions options;
        options.roots.strDev = dir.filePath("dev").toStdString();
        options.roots.strSysTty = dir.filePath("sys").toStdString();
        QVERIFY(QDir().mkpath(dir.filePath("sys/console")));
        QFile active(dir.filePath("sys/console/active"));
        QVERIFY(active.open(QIODevice::WriteOnly));
        active.write("tty0 ttyS0\n");
        active.close();
        options.strDevice = options.roots.strDev + "/ttyS0"; // what COM1 stands for under these roots
        options.strOutput = dir.filePath("out.vxr").toStdString();
        options.format = ECaptureFormat::Vxr;
        options.nTimeoutMs = 100;
        qunsetenv("VELDRAN_COM1");
        for (const bool bNamed : {false, true}) {
            options.bPortNamed = bNamed;
            std::string text;
            const int nExit = RunCaptureToText(options, text);
            QCOMPARE(nExit, int(kExitPortOrFile));
            // Named, it is opened (and found missing here).
            QVERIFY2((text.find("는) 시스템 콘솔입니다") != std::string::npos) == !bNamed, text.c_str());
            QVERIFY2((text.find("cannot open " + options.strDevice) != std::string::npos) == bNamed, text.c_str());
        }
    }

    // How a reception ends, and what the sink was handed before.
    void receiveEnds_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<EReceiveEnd>("end");
        QTest::addColumn<QString>("delivered");
        QTest::newRow("quiet after the bytes") << "send" << EReceiveEnd::Quiet << "STATE 0001\r\n";
        QTest::newRow("nothing before the timeout") << "" << EReceiveEnd::NothingArrived << "";
        QTest::newRow("stopped while waiting") << "stop" << EReceiveEnd::Stopped << "";
        QTest::newRow("stopped while receiving") << "send stop" << EReceiveEnd::Stopped << "STATE 0001\r\n";
        QTest::newRow("hang-up after bytes") << "send hangup" << EReceiveEnd::LineLost << "STATE 0001\r\n";
        QTest::newRow("hang-up before bytes") << "hangup" << EReceiveEnd::LineLost << "";
        QTest::newRow("refused") << "refuse" << EReceiveEnd::Refused << "STATE 0001\r\n";
    }
    void receiveEnds()
    {
        QFETCH(QString, script);
        QFETCH(EReceiveEnd, end);
        QFETCH(QString, delivered);
        Line line;
        const int fdStop = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        QVERIFY(fdStop >= 0);
        ByteRecorder sink;
        if (script.contains("send") || script.contains("refuse"))
            line.Send("STATE 0001\r\n");
        if (script.contains("refuse"))
            sink.m_strRefuseAt = "STATE";
        if (script.contains("hangup"))
            line.CloseWriter();
        if (script == "send stop")
            sink.m_fdStopOnBytes = fdStop;
        else if (script.contains("stop")) {
            const uint64_t nOne = 1;
            QVERIFY(write(fdStop, &nOne, sizeof nOne) == sizeof nOne);
        }
        SReceiveTiming timing;
        timing.quiet = milliseconds(80);
        timing.timeout = milliseconds(150);
        const SReceiveResult result = ReceiveListing(line.fds[0], fdStop, timing, sink);
        close(fdStop);
        QCOMPARE(result.end, end);
        QCOMPARE(QString::fromStdString(sink.m_strBytes), delivered);
        QCOMPARE(result.nBytes, uint64_t(sink.m_strBytes.size()));
    }

    // The quiet interval counts from the last byte, not from the first; the timeout only covers
    // the wait for the first byte.
    void quietCountsFromTheLastByte()
    {
        Line line;
        ByteRecorder sink;
        SReceiveTiming timing;
        timing.quiet = milliseconds(300);
        timing.timeout = milliseconds(200);
        std::thread sender([&line] {
            for (int i = 0; i < 5; ++i) {
                std::this_thread::sleep_for(milliseconds(i == 0 ? 50 : 150));
                line.Send("0001 ");
            }
        });
        const auto start = Clock::now();
        const SReceiveResult result = ReceiveListing(line.fds[0], -1, timing, sink);
        const auto elapsed = Clock::now() - start;
        sender.join();
        QCOMPARE(result.end, EReceiveEnd::Quiet);
        QCOMPARE(sink.m_strBytes, std::string("0001 0001 0001 0001 0001 "));
        // Last byte at about 650 ms, so the end comes no earlier than 950 ms.
        QVERIFY(elapsed >= milliseconds(950));
    }

    void outputFolder_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("ok");
        QTest::newRow("in an existing folder") << "out.vxr" << true;
        QTest::newRow("missing folder") << "nowhere/out.vxr" << false;
        QTest::newRow("folder is a file") << "file/out.vxr" << false;
        QTest::newRow("the output is a folder") << "sub" << false;
    }
    void outputFolder()
    {
        QFETCH(QString, relative);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QFile file(dir.filePath("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        std::string error;
        QCOMPARE(CheckOutputFolder(dir.filePath(relative).toStdString(), error), ok);
        QCOMPARE(error.empty(), ok);
    }

    // Failures found before any listing can arrive: status 1, the reason, and no file.
    void failsBeforeWaiting_data()
    {
        QTest::addColumn<QString>("device"); // relative to the test folder, or absolute
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("message");
        QTest::newRow("names file missing") << "plain" << "missing.vxr" << "out.vxr" << "cannot read the names";
        QTest::newRow("names file not a capture") << "plain" << "plain" << "out.vxr" << "is not a capture file";
        QTest::newRow("output folder missing") << "plain" << "" << "none/out.vxr" << "No such file or directory";
        QTest::newRow("no such device") << "/dev/veldran-none" << "" << "out.vxr"
                                        << "cannot open /dev/veldran-none: No such file or directory";
        QTest::newRow("not a terminal") << "plain" << "" << "out.csv"
                                        << "cannot open %1/plain: not a serial port (not a terminal device)";
        QTest::newRow("the null device") << "/dev/null" << "" << "out.csv"
                                         << "cannot open /dev/null: not a serial port (not a terminal device)";
        // The temporary name beside it (8 bytes more) would pass NAME_MAX only after the listing.
        QTest::newRow("output name too long") << "plain" << "" << QString(246, 'x') + ".vxr" << "File name too long";
        QTest::newRow("save file is the names file") << "plain" << "earlier.gtkw" << "earlier.vcd"
                                                     << "earlier.gtkw: is the input file";
        QTest::newRow("output is the device") << "plain.csv" << "" << "plain.csv" << "plain.csv: is the input file";
    }
    void failsBeforeWaiting()
    {
        QFETCH(QString, device);
        QFETCH(QString, names);
        QFETCH(QString, output);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("not a capture\n");
        plain.close();
        QVERIFY(QFile::copy(VELDRAN_TEST_DATA "/capture/named.vxr", dir.filePath("earlier.gtkw")));
        QVERIFY(QFile::copy(plain.fileName(), dir.filePath("plain.csv")));
        SCaptureOptions options;
        options.strDevice = device.startsWith('/') ? device.toStdString() : dir.filePath(device).toStdString();
        options.nPort = 0;
        options.strNames = names.isEmpty() ? std::string() : dir.filePath(names).toStdString();
        options.strOutput = dir.filePath(output).toStdString();
        options.format = FormatForPath(options.strOutput);
        options.nTimeoutMs = 100;
        std::string text;
        const int nExit = RunCaptureToText(options, text);
        QCOMPARE(nExit, int(kExitPortOrFile));
        QVERIFY2(text.find(message.arg(dir.path()).toStdString()) != std::string::npos, text.c_str());
        QVERIFY(text.find("waiting for STATE") == std::string::npos);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"earlier.gtkw", "plain", "plain.csv"}));
    }

    void namesFromAnEarlierCapture()
    {
        ChannelNames names = DefaultChannelNames();
        QCOMPARE(names[0], std::string(" CH  A00"));
        QCOMPARE(names[47], std::string(" CH  C15"));
        std::string error;
        QVERIFY(LoadChannelNames(VELDRAN_TEST_DATA "/capture/named.vxr", names, error));
        QCOMPARE(names[0], std::string("클럭"));
        QCOMPARE(names[1], std::string("DATA 1"));
        QCOMPARE(names[47], std::string("C15 reset"));
        QVERIFY(!LoadChannelNames(VELDRAN_TEST_DATA "/capture/three_lines.listing", names, error));
        QVERIFY(!error.empty());
        QVERIFY(!LoadChannelNames(VELDRAN_TEST_DATA "/capture/missing.vxr", names, error));
    }

    // Not a terminal: one line per state, and --quiet: nothing.
    void progressLines_data()
    {
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lines") << false
                               << "waiting for STATE on /dev/ttyS0 (9600 baud, 8N1)\nreceiving\n"
                                  "received 3 lines, 170 bytes\nwrote 3 samples to out.vxr\n";
        QTest::newRow("quiet") << true << "";
    }
    void progressLines()
    {
        QFETCH(bool, quiet);
        QFETCH(QString, expected);
        char* pszText = nullptr;
        size_t nSize = 0;
        std::FILE* pOut = open_memstream(&pszText, &nSize);
        QVERIFY(pOut);
        {
            CCaptureProgress progress(pOut, quiet ? EProgressStyle::None : EProgressStyle::Lines);
            progress.Waiting("/dev/ttyS0", 9600);
            progress.Receiving(1, 60);
            progress.Receiving(3, 170);
            progress.Received(3, 170);
            progress.Wrote("out.vxr", 3);
        }
        std::fclose(pOut);
        const QString text = QString::fromUtf8(pszText, int(nSize));
        std::free(pszText);
        QCOMPARE(text, expected);
    }

    // On a terminal the bar is redrawn in place and ends with a line of its own.
    void progressBar()
    {
        char* pszText = nullptr;
        size_t nSize = 0;
        std::FILE* pOut = open_memstream(&pszText, &nSize);
        QVERIFY(pOut);
        {
            CCaptureProgress progress(pOut, EProgressStyle::Bar);
            progress.Waiting("/dev/ttyS0", 1200);
            for (int i = 1; i <= 1000; ++i)
                progress.Receiving(i, uint64_t(i) * 57);
            progress.Received(1000, 57000);
        }
        std::fclose(pOut);
        const std::string text(pszText, nSize);
        std::free(pszText);
        // Many calls in a moment: one redraw, then the final figures.
        QCOMPARE(std::count(text.begin(), text.end(), '\r'), 2L);
        QVERIFY(text.find("] 1 lines  57 bytes") != std::string::npos);
        QVERIFY(text.find("] 1000 lines  57000 bytes\x1b[K\nreceived 1000 lines, 57000 bytes\n") != std::string::npos);
    }
};

QTEST_APPLESS_MAIN(TestCaptureParts)
#include "test_capture_parts.moc"
