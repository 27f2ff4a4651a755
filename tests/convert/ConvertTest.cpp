// veldran-convert as a user runs it: its manual, clear errors with the documented exit status, no
// output file touched on any failure, and a capture file's samples and names arriving in each format
// as sigrok-cli reads them back; the buses and markers of its sidecar file in the VCD and its save
// file. It runs without a display and links no Qt.

#include "annotations/SidecarFile.h"
#include "tests/common/ByteStreamCapture.h"
#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/PeerProcess.h"

#include "document/CaptureFile.h"
#include "files/FileWriter.h"
#include "files/SafeFile.h"
#include "resources/UserMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace veldran;

namespace {

const QString kProgram = QStringLiteral(VELDRAN_CONVERT);

// This environment in the English face.
QProcessEnvironment English()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELDRAN_LANG"), QStringLiteral("en"));
    return environment;
}

// Saves a capture of count random samples with a Korean name, a name with blanks and the default
// labels; returns its samples packed as sigrok hands them out (6 bytes a sample).
QByteArray WriteCaptureFile(const QString& path, int count)
{
    const std::vector<test::Cells> cells = test::RandomCells(count, static_cast<unsigned>(count));
    QByteArray packed(count * 6, '\0');
    for (int i = 0; i < count; ++i)
        for (int cell = 0; cell < kCellCount; ++cell) {
            const unsigned bits = cells[static_cast<size_t>(i)][static_cast<size_t>(cell)];
            packed[i * 6 + cell * 2] = static_cast<char>(bits & 0xFF);
            packed[i * 6 + cell * 2 + 1] = static_cast<char>(bits >> 8);
        }
    ChannelNames names;
    for (int ch = 0; ch < kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = QString::asprintf(" CH  %c%02d", 'A' + ch / 16, ch % 16).toStdString();
    names[0] = "데이터 버스";
    names[1] = "clock in";
    return test::SaveListing(cells, names, QFile::encodeName(path).toStdString()) ? packed : QByteArray();
}

} // namespace

class ConvertTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_capture;
    QByteArray m_packed;

    QString Path(const QString& name) const { return m_folder.filePath(name); }

    // Every name in folder, hidden ones included.
    static QStringList Entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_capture = Path(QStringLiteral("bus.vxr"));
        m_packed = WriteCaptureFile(m_capture, 500);
        QVERIFY(!m_packed.isEmpty());
    }

    void manual_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("--help") << "--help";
        QTest::newRow("-h") << "-h";
    }

    void manual()
    {
        QFETCH(QString, option);
        const test::ProcessRun run = test::RunProcess(kProgram, {option, QStringLiteral("ignored.vxr")});
        QCOMPARE(run.nExitCode, 0);
        for (const char* section : {"NAME\n", "SYNOPSIS\n", "DESCRIPTION\n", "OPTIONS\n", "EXIT STATUS\n", "EXAMPLES\n",
                                    "--clock PERIOD", "--format FORMAT"})
            QVERIFY2(run.stdOut.contains(section), section);
        QVERIFY(run.stdErr.isEmpty());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("nothing") << QStringList{} << QByteArray("an input and an output file are needed");
        QTest::newRow("one file") << QStringList{"IN"} << QByteArray("an input and an output file are needed");
        QTest::newRow("three files") << QStringList{"IN", "a.vcd", "b.vcd"} << QByteArray("too many file names");
        QTest::newRow("unknown option") << QStringList{"IN", "out.vcd", "--fast"} << QByteArray("unknown option --fast");
        QTest::newRow("clock without unit") << QStringList{"IN", "out.vcd", "--clock", "40"} << QByteArray("'40' is not a time");
        QTest::newRow("clock without value") << QStringList{"IN", "out.vcd", "--clock"} << QByteArray("--clock needs a value");
        QTest::newRow("unknown format") << QStringList{"IN", "out.vcd", "--format=xls"} << QByteArray("unknown format 'xls'");
        QTest::newRow("unknown suffix") << QStringList{"IN", "out.txt"} << QByteArray("cannot tell the format");
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        arguments.replaceInStrings(QStringLiteral("IN"), m_capture);
        for (QString& argument : arguments)
            if (argument.startsWith(QLatin1String("out.")) || argument.endsWith(QLatin1String(".vcd")))
                argument = Path(argument);
        const test::ProcessRun run = test::RunProcess(kProgram, arguments, English());
        QCOMPARE(run.nExitCode, 2);
        QVERIFY2(run.stdErr.contains(message), run.stdErr.constData());
        // The error and one line pointing at --help; the manual is for --help alone.
        const QList<QByteArray> lines = run.stdErr.split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[0].startsWith("veldran-convert: "), lines[0].constData());
        QCOMPARE(lines[1], QByteArray("Try 'veldran-convert --help' for more information."));
        QVERIFY(!run.stdErr.contains("SYNOPSIS"));
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bus.vxr"});
    }

    // An option that takes one value, given twice, is an error rather than the last one winning.
    void repeatedOptions_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("--clock twice") << QStringList{"--clock", "40ns", "--clock", "1us"} << QByteArray("--clock");
        QTest::newRow("--clock and --clock=") << QStringList{"--clock=40ns", "--clock", "40ns"} << QByteArray("--clock");
        QTest::newRow("--format twice") << QStringList{"--format", "sr", "--format=vcd"} << QByteArray("--format");
    }
    void repeatedOptions()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, named);
        const test::ProcessRun run = test::RunProcess(kProgram, QStringList{m_capture, Path("twice.vcd")} + options, English());
        QCOMPARE(run.nExitCode, 2);
        QVERIFY2(run.stdErr.contains("option " + named + " is given more than once"), run.stdErr.constData());
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bus.vxr"});
    }

    // The program speaks the window's language: its own errors and the document's messages are
    // Korean under the C locale, English under VELDRAN_LANG=en or LANGUAGE=en.
    void followsTheLanguage_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<bool>("english");
        QTest::newRow("C locale") << QStringList{"LC_ALL=C.UTF-8"} << false;
        QTest::newRow("VELDRAN_LANG=en") << QStringList{"LC_ALL=C.UTF-8", "VELDRAN_LANG=en"} << true;
        QTest::newRow("LANGUAGE without a locale") << QStringList{"LANGUAGE=en_US:en"} << true;
        QTest::newRow("English desktop") << QStringList{"LANG=en_GB.UTF-8"} << true;
    }
    void followsTheLanguage()
    {
        QFETCH(QStringList, variables);
        QFETCH(bool, english);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        for (const QString& variable : variables)
            environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
        QVERIFY(test::WriteFileBytes(Path(QStringLiteral("notes.vxr")), "shopping list\nmilk\n"));
        const test::ProcessRun notCapture =
            test::RunProcess(kProgram, {Path(QStringLiteral("notes.vxr")), Path(QStringLiteral("n.csv"))}, environment);
        QCOMPARE(notCapture.nExitCode, 1);
        const QByteArray said = english ? QByteArray("This is not VELDRAN data.") : QByteArray("VELDRAN용 데이타가 아닙니다.");
        QVERIFY2(notCapture.stdErr.contains(said), notCapture.stdErr.constData());
        const test::ProcessRun usage = test::RunProcess(kProgram, {m_capture}, environment);
        QCOMPARE(usage.nExitCode, 2);
        const QByteArray hint = english ? QByteArray("Try 'veldran-convert --help'") : QByteArray("자세한 내용은 'veldran-convert --help'");
        QVERIFY2(usage.stdErr.contains(hint), usage.stdErr.constData());
        QCOMPARE(usage.stdErr.contains("입력 파일과 출력 파일이 필요합니다."), !english);
        QFile::remove(Path(QStringLiteral("notes.vxr")));
    }

    void failuresLeaveTheOutputAlone_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("missing input") << "missing.vxr" << "out.sr" << QByteArray("cannot read ");
        QTest::newRow("input is a folder") << "." << "out.sr" << QByteArray("cannot read ");
        QTest::newRow("not a capture") << "notes.vxr" << "out.vcd" << QByteArray("not a VELDRAN capture file");
        QTest::newRow("empty input") << "empty.vxr" << "out.csv" << QByteArray("not a VELDRAN capture file (empty)");
        QTest::newRow("output is the input") << "bus.vxr" << "bus.vxr" << QByteArray("is the input file");
        QTest::newRow("output folder missing") << "bus.vxr" << "missing/out.sr" << QByteArray("cannot write ");
    }

    void failuresLeaveTheOutputAlone()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QByteArray, message);
        QVERIFY(test::WriteFileBytes(Path(QStringLiteral("notes.vxr")), "shopping list\nmilk\n"));
        QVERIFY(test::WriteFileBytes(Path(QStringLiteral("empty.vxr")), ""));
        const QString outputPath = Path(output);
        const bool existed = QFile::exists(outputPath);
        if (!existed && !output.contains(QLatin1Char('/')))
            QVERIFY(test::WriteFileBytes(outputPath, "earlier"));
        const QByteArray before = test::ReadFileBytes(outputPath);
        const QStringList arguments{Path(input), outputPath, QStringLiteral("--format"), QStringLiteral("sr")};
        const test::ProcessRun run = test::RunProcess(kProgram, arguments);
        QCOMPARE(run.nExitCode, 1);
        QVERIFY2(run.stdErr.startsWith("veldran-convert: "), run.stdErr.constData());
        QVERIFY2(run.stdErr.contains(message), run.stdErr.constData());
        QCOMPARE(run.stdErr.count('\n'), 1);
        QCOMPARE(test::ReadFileBytes(outputPath), before);
        if (!existed)
            QFile::remove(outputPath);
        const QStringList left = QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden);
        // No temporary file (hidden, named after its target) is left behind.
        for (const QString& name : left)
            QVERIFY2(!name.startsWith(QLatin1Char('.')), qPrintable(left.join(',')));
        QCOMPARE(test::ReadFileBytes(m_capture).left(20), QByteArray("This file is a VELDR"));
    }

    // A file whose header claims a million samples but holds three: the same warning as the window,
    // its three samples converted (the names after them stay names) and the documented status.
    void incompleteCaptureIsSaid()
    {
        QByteArray bytes = test::ReadFileBytes(m_capture);
        const int firstLineEnd = bytes.indexOf('\n');
        QByteArray header = bytes.left(firstLineEnd);
        header.replace(header.lastIndexOf("00500"), 5, "1000000");
        QList<QByteArray> lines = bytes.mid(firstLineEnd + 1).split('\n');
        lines.erase(lines.begin() + 12 + 3 * kTokensPerSample, lines.end() - 1 - kChannelCount);
        const QString input = Path(QStringLiteral("short.vxr")), output = Path(QStringLiteral("short.csv"));
        QVERIFY(test::WriteFileBytes(input, header + '\n' + lines.join('\n')));
        const test::ProcessRun run = test::RunProcess(kProgram, {input, output}, English());
        QCOMPARE(run.nExitCode, 5);
        QVERIFY2(run.stdErr.contains("Of the 1000000 samples it records, only 3 were read, and 48 of the 48"),
                 run.stdErr.constData());
        const QList<QByteArray> rows = test::ReadFileBytes(output).trimmed().split('\n');
        QCOMPARE(rows.size(), 1 + 3);
        QVERIFY2(rows.front().contains("데이터 버스"), rows.front().constData());
        QFile::remove(input);
        QFile::remove(output);
    }

    // Checked before the capture is read: no output, the save file beside a VCD included, may be the
    // input, and another user's link in a folder anyone may write (/tmp) is not written through.
    void refusedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("named");
        QTest::newRow("save file is the input") << "cap.gtkw" << "cap.vcd" << "cap.gtkw";
        QTest::newRow("another user's link in /tmp") << "bus.vxr" << "shared/out.csv" << "shared/out.csv";
    }
    void refusedBeforeAnythingIsWritten()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QString, named);
        QTemporaryDir folder;
        const QString inputPath = folder.filePath(input);
        QVERIFY(QFile::copy(m_capture, inputPath));
        const QString victim = folder.filePath(QStringLiteral("important.txt"));
        QVERIFY(test::WriteFileBytes(victim, "precious"));
        QByteArray reason = "is the input file";
        if (output.startsWith(QLatin1String("shared/"))) {
            if (::geteuid() != 0)
                QSKIP("needs root to give the link to another user (lchown)");
            const std::string shared = QFile::encodeName(folder.filePath(QStringLiteral("shared"))).toStdString();
            QVERIFY(::mkdir(shared.c_str(), 0700) == 0 && ::chmod(shared.c_str(), 01777) == 0);
            const std::string link = shared + "/out.csv";
            QVERIFY(::symlink(QFile::encodeName(victim).constData(), link.c_str()) == 0);
            QVERIFY(::lchown(link.c_str(), 4321, 4321) == 0);
            reason = QByteArray::fromStdString(ErrorText(kErrorLinkNotFollowed));
        }
        const QStringList before = Entries(folder.path()) + Entries(folder.filePath(QStringLiteral("shared")));
        const test::ProcessRun run = test::RunProcess(kProgram, {inputPath, folder.filePath(output)});
        QCOMPARE(run.nExitCode, 1);
        QVERIFY2(run.stdErr.contains(QFile::encodeName(folder.filePath(named)) + ": " + reason), run.stdErr.constData());
        QCOMPARE(Entries(folder.path()) + Entries(folder.filePath(QStringLiteral("shared"))), before);
        QCOMPARE(test::ReadFileBytes(inputPath), test::ReadFileBytes(m_capture));
        QCOMPARE(test::ReadFileBytes(victim), QByteArray("precious"));
    }

    // Ctrl+C, SIGTERM or SIGHUP at any moment of a run: it ends by the signal with no file at all
    // or, the signal having come once the output began replacing its target, it writes the output
    // and its save file whole. Never a temporary file; never an end by the signal beside a file.
    void signalLeavesNoTrace_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void signalLeavesNoTrace()
    {
        QFETCH(int, signal);
        const QString big = Path(QStringLiteral("big.vxr"));
        if (!QFile::exists(big))
            QVERIFY(!WriteCaptureFile(big, 100'000).isEmpty());
        QTemporaryDir folder;
        const QString vcd = folder.filePath(QStringLiteral("big.vcd"));
        const std::vector<std::string> argv{kProgram.toStdString(), big.toStdString(), vcd.toStdString()};
        // One run undisturbed: how long a run takes, and what it writes.
        test::ChildProcess whole(argv);
        QVERIFY(whole.Wait(60));
        QCOMPARE(whole.ExitCode(), 0);
        const QStringList written = Entries(folder.path());
        QCOMPARE(written, (QStringList{"big.gtkw", "big.vcd"}));
        const QByteArray expected = test::ReadFileBytes(vcd);
        const auto runTime = std::chrono::duration<double>(whole.Seconds());
        int nEndedBySignal = 0;
        for (int step = 0; step <= 10; ++step) {
            for (const QString& name : Entries(folder.path()))
                QVERIFY(QFile::remove(folder.filePath(name)));
            test::ChildProcess run(argv);
            std::this_thread::sleep_for(runTime * step / 8);
            run.Signal(signal);
            QVERIFY(run.Wait(60));
            const QStringList left = Entries(folder.path());
            const QByteArray when = QByteArray::number(step) + "/8 of the run: " + left.join(' ').toUtf8();
            if (run.EndSignal() == signal) {
                ++nEndedBySignal;
                QVERIFY2(left.isEmpty(), when.constData());
            } else {
                QVERIFY2(run.ExitCode() == 0, when.constData());
                QVERIFY2(left == written && test::ReadFileBytes(vcd) == expected, when.constData());
            }
        }
        QVERIFY(nEndedBySignal > 0);
    }

    void eachFormatReadsBackBitForBit_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("sigrokInput");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<qulonglong>("rate");
        QTest::newRow("vcd, 40 ns") << "bus.vcd" << QStringList{"--clock", "40ns"} << "vcd:downsample=4" << "CH_A00" << 25'000'000ULL;
        QTest::newRow("csv, 1 ms") << "bus.csv" << QStringList{"--clock=1ms"} << "csv:header=yes:column_formats=-,t,*l"
                                   << "데이터 버스" << 1000ULL;
        QTest::newRow("sr, OFF") << "bus.sr" << QStringList{} << "" << "데이터 버스" << 1ULL; // nominal
        QTest::newRow("sr by --format") << "bus.session" << QStringList{"--format", "sr", "--clock", "20us"} << ""
                                        << "데이터 버스" << 50'000ULL;
    }

    void eachFormatReadsBackBitForBit()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, options);
        QFETCH(QString, sigrokInput);
        QFETCH(QString, firstName);
        QFETCH(qulonglong, rate);
        // Nothing of a display: no X, no Wayland, no Qt platform.
        QProcessEnvironment bare;
        bare.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        const test::ProcessRun run = test::RunProcess(kProgram, QStringList{m_capture, Path(output)} + options, bare);
        QVERIFY2(run.nExitCode == 0, run.stdErr.constData());
        QVERIFY(run.stdErr.isEmpty() && run.stdOut.isEmpty());

        QStringList input{QStringLiteral("-i"), Path(output)};
        if (!sigrokInput.isEmpty())
            input << QStringLiteral("-I") << sigrokInput;
        else
            input << QStringLiteral("-I") << QStringLiteral("srzip");
        const QString binary = Path(QStringLiteral("samples.bin"));
        const test::ProcessRun samples = test::RunProcess(QStringLiteral("sigrok-cli"), input + QStringList{"-O", "binary", "-o", binary});
        QVERIFY2(samples.bStarted, "sigrok-cli is missing: scripts/install-deps.sh installs it");
        QVERIFY2(samples.nExitCode == 0, samples.stdErr.constData());
        QByteArray bytes = test::ReadFileBytes(binary);
        if (bytes.startsWith("META "))
            bytes.remove(0, bytes.indexOf('\n') + 1);
        QVERIFY(bytes == m_packed);
        const test::ProcessRun show = test::RunProcess(QStringLiteral("sigrok-cli"), input + QStringList{"--show"});
        QVERIFY2(show.stdOut.contains(("- " + firstName + ": logic\n").toUtf8()), show.stdOut.constData());
        QCOMPARE(show.stdOut.contains("Samplerate: "), rate != 0);
        if (rate != 0)
            QVERIFY(show.stdOut.contains("Samplerate: " + QByteArray::number(rate) + "\n"));
    }

    // The sidecar beside the input gives the dump its vectors and the save file its groups and
    // markers; a damaged one is said and the dump is written without it. Bus D7..D0 of the
    // byte-stream capture holds 0xD6 at sample 0 ('V' with D7 high), 0x45 at sample 1 ('E' with
    // D7 high: 0xC5), so the dump's first two values are 11010110 and 11000101.
    void sidecarAnnotationsReachTheDump()
    {
        const QString capture = Path(QStringLiteral("stream.vxr"));
        QVERIFY(test::SaveByteStreamCapture(20, QFile::encodeName(capture).toStdString()));
        CaptureAnnotations annotations;
        annotations.buses = {{"BYTE", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Ascii}};
        annotations.markers = {{4, "go", "", 0x0000FF}};
        const std::string sidecar = SidecarPath(QFile::encodeName(capture).toStdString());
        QVERIFY(!WriteSidecar(sidecar, annotations));
        const QString vcd = Path(QStringLiteral("stream.vcd"));
        const test::ProcessRun run = test::RunProcess(kProgram, {capture, vcd, "--clock", "1us"}, English());
        QVERIFY2(run.nExitCode == 0 && run.stdErr.isEmpty(), run.stdErr.constData());
        const QByteArray dump = test::ReadFileBytes(vcd);
        QVERIFY(dump.contains("$var wire 8 ~0 BYTE [7:0] $end\n"));
        QVERIFY(dump.contains("\nb11010110 ~0\n$end\n#1\n"));
        QVERIFY(dump.contains("\nb11000101 ~0\n#2\n"));
        const QByteArray saveFile = test::ReadFileBytes(Path(QStringLiteral("stream.gtkw")));
        QVERIFY2(saveFile.contains("@800200\n-BYTE\n@22\nveldran.BYTE[7:0]\n@28\nveldran.strobe\n+{CH A06} veldran.CH_A06\n"),
                 saveFile.constData());
        QVERIFY2(saveFile.contains(" -1 4\n[markername] Ago\n"), saveFile.constData()); // 1 s a unit at 1 us: sample 4

        QVERIFY(test::WriteFileBytes(QString::fromStdString(sidecar), "veldran-annotations 1\nbus\tBYTE\n"));
        const test::ProcessRun damaged = test::RunProcess(kProgram, {capture, vcd}, English());
        QCOMPARE(damaged.nExitCode, 0);
        QVERIFY2(damaged.stdErr.startsWith("veldran-convert: The annotation file") && damaged.stdErr.contains("damaged at line 2"),
                 damaged.stdErr.constData());
        QVERIFY(!test::ReadFileBytes(vcd).contains("BYTE"));
        QVERIFY(!test::ReadFileBytes(Path(QStringLiteral("stream.gtkw"))).contains("@800200"));
    }

    void linksNoQt()
    {
        const test::ProcessRun run = test::RunProcess(QStringLiteral("ldd"), {kProgram});
        QCOMPARE(run.nExitCode, 0);
        QVERIFY2(!run.stdOut.contains("libQt"), run.stdOut.constData());
    }
};

QTEST_GUILESS_MAIN(ConvertTest)
#include "ConvertTest.moc"
