// veldran-analyze decode judged by sigrok-cli: generated UART, SPI, I2C and parallel traffic is
// saved as a capture, exported as a sigrok session with veldran-convert, and both programs decode
// it with the same -P and -A; their lines must agree sample for sample and text for text. The
// decoded bytes are checked against what was sent, so that two empty outputs cannot agree.

#include "tests/common/PeerProcess.h"
#include "tests/common/ProtocolWaves.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace veldran;
using namespace veldran::test;

namespace {

const QString kAnalyze = QStringLiteral(VELDRAN_ANALYZE);
const QString kConvert = QStringLiteral(VELDRAN_CONVERT);
const QString kClock = QStringLiteral("1us"); // 1 MHz

using Generator = std::function<CWaves()>;

CWaves Uart(double baud, Parity parity, const std::vector<uint8_t>& bytes, int channel = 0)
{
    CWaves waves(1ULL << channel);
    waves.Hold(37);
    for (const uint8_t byte : bytes) {
        AppendUartByte(waves, channel, byte, 1e6 / baud, parity);
        waves.Hold(5);
    }
    waves.Hold(50);
    return waves;
}

CWaves Spi(int mode, int bits, const std::vector<uint32_t>& mosi)
{
    const SpiLines lines;
    CWaves waves((mode >= 2 ? 1ULL << lines.nClock : 0) | 1ULL << lines.nSelect);
    waves.Hold(20);
    waves.Set(lines.nSelect, 0);
    waves.Hold(4);
    for (size_t i = 0; i < mosi.size(); ++i)
        AppendSpiWord(waves, lines, mode, bits, mosi[i], ~mosi[i] & ((1u << bits) - 1), 3);
    waves.Hold(4);
    waves.Set(lines.nSelect, 1);
    waves.Hold(20);
    return waves;
}

// A write of two bytes to 0x50, a read of two bytes from it (the master NAKs the last), and an
// address nobody answers.
CWaves I2c()
{
    const I2cLines lines;
    CWaves waves(1ULL << lines.nClock | 1ULL << lines.nData);
    waves.Hold(20);
    CI2cWriter bus(waves, lines, 2);
    bus.Start();
    bus.Byte(0x50 << 1, true);
    bus.Byte(0x12, true);
    bus.Byte(0x34, true);
    bus.Stop();
    bus.Start();
    bus.Byte(0x50 << 1 | 1, true);
    bus.Byte(0xA5, true);
    bus.Byte(0x5A, false);
    bus.Stop();
    bus.Start();
    bus.Byte(0x23 << 1, false);
    bus.Stop();
    return waves;
}

CWaves Parallel(const std::vector<uint8_t>& words)
{
    CWaves waves;
    waves.Hold(10);
    for (const uint8_t word : words)
        AppendParallelWord(waves, 8, 0, word, 4);
    waves.Hold(10);
    return waves;
}

QStringList Lines(const QByteArray& output)
{
    return QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The text of each line, after "START-END INSTANCE: ".
QStringList Texts(const QStringList& lines)
{
    QStringList texts;
    for (const QString& line : lines)
        texts << line.section(QStringLiteral(": "), 1);
    return texts;
}

} // namespace

class DecodeOracleTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    int m_nCapture = 0;

    // The capture saved and exported: its .vxr path (the .sr beside it).
    QString Save(const CWaves& waves)
    {
        const QString capture = m_folder.filePath(QStringLiteral("c%1.vxr").arg(++m_nCapture));
        ChannelNames names;
        for (int channel = 0; channel < kChannelCount; ++channel)
            names[static_cast<size_t>(channel)] = "line " + std::to_string(channel);
        names[0] = "rx line";
        if (!SaveListing(waves.CellsOf(), names, QFile::encodeName(capture).toStdString()))
            return {};
        QString session = capture;
        session.replace(QStringLiteral(".vxr"), QStringLiteral(".sr"));
        const ProcessRun run = RunProcess(kConvert, {capture, session, QStringLiteral("--clock"), kClock});
        return run.nExitCode == 0 ? capture : QString();
    }

    // sigrok-cli knows the channels by their names in the session: "=D5" becomes "=line 5".
    static ProcessRun Sigrok(const QString& capture, QStringList decoders)
    {
        decoders.replaceInStrings(QRegularExpression(QStringLiteral("=D0(?=:|,|$)")), QStringLiteral("=rx line"));
        decoders.replaceInStrings(QRegularExpression(QStringLiteral("=D(\\d+)")), QStringLiteral("=line \\1"));
        QString session = capture;
        session.replace(QStringLiteral(".vxr"), QStringLiteral(".sr"));
        return RunProcess(QStringLiteral("sigrok-cli"), QStringList{"-i", session} + decoders + QStringList{"--protocol-decoder-samplenum"});
    }

    static ProcessRun Ours(const QString& capture, const QStringList& arguments, const char* language = "en")
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VELDRAN_LANG"), QLatin1String(language));
        return RunProcess(kAnalyze, QStringList{"decode", capture} + arguments, environment);
    }

private slots:
    void initTestCase() { QVERIFY(m_folder.isValid()); }

    // One stack per case, so that the lines come in the one order both programs give them.
    void matchesSigrok_data()
    {
        QTest::addColumn<Generator>("generate");
        QTest::addColumn<QStringList>("decoders");
        QTest::addColumn<QString>("chosen");   // -A for the texts below; the whole output is compared too
        QTest::addColumn<QStringList>("texts"); // what that choice must show, in order
        const std::vector<uint8_t> hello{'H', 'e', 'l', 'l', 'o', 0x00, 0xFF, 0x55};
        const QStringList helloHex{"48", "65", "6C", "6C", "6F", "00", "FF", "55"};
        QTest::newRow("uart 115200 8N1") << Generator([=] { return Uart(115200, Parity::None, hello); })
                                        << QStringList{"-P", "uart:rx=D0:baudrate=115200"} << "uart=rx-data" << helloHex;
        QTest::newRow("uart 9600 even, user channel name")
            << Generator([=] { return Uart(9600, Parity::Even, hello); })
            << QStringList{"-P", "uart:baudrate=9600:parity=even:rx=rx line"} << "uart=rx-data" << helloHex;
        QTest::newRow("uart 57600 odd, on tx") << Generator([=] { return Uart(57600, Parity::Odd, hello, 5); })
                                             << QStringList{"-P", "uart:tx=D5:baudrate=57600:parity=odd"} << "uart=tx-data"
                                             << helloHex;
        QTest::newRow("uart parity error seen as such")
            << Generator([=] { return Uart(57600, Parity::Odd, {0x01, 0x03}); })
            << QStringList{"-P", "uart:rx=D0:baudrate=57600:parity=even"} << "uart=rx-parity-err"
            << QStringList{"Parity error", "Parity error"};
        QTest::newRow("uart stacked with midi")
            << Generator([] { return Uart(31250, Parity::None, {0x90, 0x3C, 0x40}); })
            << QStringList{"-P", "uart:rx=D0:baudrate=31250,midi"} << "midi"
            << QStringList{"Channel 1: note on (note = 60 'C4', velocity = 64)"};
        QTest::newRow("spi mode 0, 8 bits") << Generator([] { return Spi(0, 8, {0x9F, 0x00, 0x3C}); })
                                           << QStringList{"-P", "spi:clk=D0:mosi=D1:miso=D2:cs=D3"} << "spi=mosi-data"
                                           << QStringList{"9F", "00", "3C"};
        QTest::newRow("spi mode 3, 16 bits") << Generator([] { return Spi(3, 16, {0xBEEF, 0x1234}); })
                                            << QStringList{"-P", "spi:clk=D0:mosi=D1:miso=D2:cs=D3:cpol=1:cpha=1:wordsize=16"}
                                            << "spi=miso-data" << QStringList{"4110", "EDCB"};
        QTest::newRow("i2c writes, reads, NAK") << Generator(I2c) << QStringList{"-P", "i2c:scl=D0:sda=D1"}
                                               << "i2c=address-write:address-read:data-write:data-read:nack"
                                               << QStringList{"Write", "Address write: 50", "Data write: 12", "Data write: 34",
                                                              "Read", "Address read: 50", "Data read: A5", "Data read: 5A",
                                                              "NACK", "Write", "Address write: 23", "NACK"};
        QTest::newRow("parallel 8 bits, clocked") << Generator([] { return Parallel({0x01, 0x80, 0x7E, 0xC3}); })
                                                 << QStringList{"-P", "parallel:clk=D8:d0=D0:d1=D1:d2=D2:d3=D3:d4=D4:d5=D5:d6=D6:d7=D7"}
                                                 << "parallel=items" << QStringList{"01", "80", "7e"};
    }
    void matchesSigrok()
    {
        QFETCH(Generator, generate);
        QFETCH(QStringList, decoders);
        QFETCH(QString, chosen);
        QFETCH(QStringList, texts);
        const QString capture = Save(generate());
        QVERIFY2(!capture.isEmpty(), "the capture was not saved and exported");
        if (!Sigrok(capture, {"--version"}).bStarted)
            QSKIP("sigrok-cli is missing: scripts/install-deps.sh installs it");

        const ProcessRun ours = Ours(capture, decoders + QStringList{"--clock", kClock});
        const ProcessRun theirs = Sigrok(capture, decoders);
        QVERIFY2(ours.nExitCode == 0, ours.stdErr.constData());
        // This sigrok-cli aborts in Python's finalisation after the parallel decoder has run, once
        // every line is out; its lines are judged all the same.
        QVERIFY2(theirs.nExitCode == 0 || theirs.stdErr.contains("Python runtime state: finalizing"), theirs.stdErr.constData());
        QVERIFY(Lines(ours.stdOut).size() >= texts.size());
        QCOMPARE(Lines(ours.stdOut), Lines(theirs.stdOut));

        const QStringList choice{"-A", chosen};
        const ProcessRun oursChosen = Ours(capture, decoders + choice + QStringList{"--clock", kClock});
        QCOMPARE(Lines(oursChosen.stdOut), Lines(Sigrok(capture, decoders + choice).stdOut));
        const QStringList shown = Texts(Lines(oursChosen.stdOut));
        QVERIFY2(shown.mid(0, texts.size()) == texts, qPrintable(shown.join(QLatin1Char('|'))));
    }

    // A refused command decodes nothing, prints nothing on standard output and says why.
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("clock OFF, uart") << QStringList{"-P", "uart:rx=D0"} << "Decoder uart needs a sample rate, and the clock is OFF";
        QTest::newRow("--clock OFF") << QStringList{"-P", "uart:rx=D0", "--clock", "OFF"} << "the clock is OFF";
        QTest::newRow("unknown decoder") << QStringList{"-P", "uart2:rx=D0"} << "Unknown decoder: uart2";
        QTest::newRow("required channel") << QStringList{"-P", "spi:mosi=D1"} << "Decoder spi needs its channel clk";
        QTest::newRow("bad option value") << QStringList{"-P", "uart:rx=D0:parity=maybe", "--clock", kClock}
                                          << "option parity cannot be 'maybe' (allowed: none, odd, even";
        QTest::newRow("unknown option") << QStringList{"-P", "uart:rx=D0:speed=9600", "--clock", kClock} << "Decoder uart has no option speed";
        QTest::newRow("not key=value") << QStringList{"-P", "uart:rx"} << "'rx' is not key=value";
        QTest::newRow("-A of another decoder") << QStringList{"-P", "i2c:scl=D0:sda=D1", "-A", "uart"} << "Decoder uart of -A is not one of -P";
        QTest::newRow("no -P") << QStringList{"--clock", kClock} << "the decode command needs CAPTURE -P DECODER";
        QTest::newRow("exception while decoding") << QStringList{"-P", "spi:clk=D0", "--clock", kClock}
                                                  << "Decoder spi-1 failed near sample 0";
        QTest::newRow("python exception") << QStringList{"-P", "uart:rx=D0:baudrate=0", "--clock", kClock}
                                          << "ZeroDivisionError: Protocol decoder instance uart-1: float division by zero";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const QString capture = Save(Uart(115200, Parity::None, {'A'}));
        const ProcessRun run = Ours(capture, arguments);
        QCOMPARE(run.nExitCode, 2);
        QVERIFY2(run.stdOut.isEmpty(), run.stdOut.constData());
        QVERIFY2(QString::fromUtf8(run.stdErr).contains(said), run.stdErr.constData());
        const ProcessRun korean = Ours(capture, arguments, "ko");
        QCOMPARE(korean.nExitCode, 2);
        // The program's words in Korean; a decoder's own words stay as they come.
        QVERIFY2(korean.stdErr != run.stdErr && korean.stdErr.contains("veldran-analyze: "), korean.stdErr.constData());
    }

    // Two -P are two stacks decoded side by side: each one's lines as sigrok-cli gives them.
    void sideBySideStacks()
    {
        CWaves waves = Uart(115200, Parity::None, {'O', 'K'});
        const QString capture = Save(waves);
        QVERIFY(!capture.isEmpty());
        if (!Sigrok(capture, {"--version"}).bStarted)
            QSKIP("sigrok-cli is missing: scripts/install-deps.sh installs it");
        const QStringList decoders{"-P", "uart:rx=D0", "-P", "timing:data=D0"};
        QStringList ours = Lines(Ours(capture, decoders + QStringList{"--clock", kClock}).stdOut);
        QStringList theirs = Lines(Sigrok(capture, decoders).stdOut);
        QVERIFY(ours.filter(QStringLiteral("timing-1: ")).size() > 5);
        QVERIFY(ours.filter(QStringLiteral("uart-1: 4F")).size() == 1);
        ours.sort();
        theirs.sort();
        QCOMPARE(ours, theirs);
    }
};

QTEST_GUILESS_MAIN(DecodeOracleTest)
#include "DecodeOracleTest.moc"
