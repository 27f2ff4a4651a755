// veldran-convert as a user runs it: its manual, clear errors with the documented exit status, no
// output file touched on any failure, and a capture file's samples and names arriving in each format
// as sigrok-cli reads them back. It runs without a display and links no Qt.

#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/PeerProcess.h"

#include "document/CaptureFile.h"
#include "resources/UserMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>


using namespace veldran;

namespace {

const QString kProgram = QStringLiteral(VELDRAN_CONVERT);

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
        const test::ProcessRun run = test::RunProcess(kProgram, arguments);
        QCOMPARE(run.nExitCode, 2);
        QVERIFY2(run.stdErr.contains(message), run.stdErr.constData());
        QVERIFY(run.stdErr.contains("--help"));
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bus.vxr"});
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

    void linksNoQt()
    {
        const test::ProcessRun run = test::RunProcess(QStringLiteral("ldd"), {kProgram});
        QCOMPARE(run.nExitCode, 0);
        QVERIFY2(!run.stdOut.contains("libQt"), run.stdOut.constData());
    }
};

QTEST_GUILESS_MAIN(ConvertTest)
#include "ConvertTest.moc"
