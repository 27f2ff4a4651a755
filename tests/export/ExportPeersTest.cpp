// Exported files read back by the real peers: sigrok-cli imports the VCD, the CSV (with the options
// the README gives) and the session file, and its samples and names must match the capture bit for
// bit; GTKWave's vcd2fst converts the VCD, and the dump fst2vcd writes back holds the same samples.
// A dump with buses keeps them as vectors that GTKWave's converters carry through beside the wires
// (sigrok-cli 0.5 reads no vectors: it stops at the first). The peers are installed by
// scripts/install-deps.sh; a missing peer fails the test.

#include "ExportTestCapture.h"
#include "tests/common/ByteStreamCapture.h"
#include "tests/common/FileBytes.h"
#include "tests/common/PeerProcess.h"

#include "export/ExportNames.h"
#include "export/ExportTime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace veldran;

namespace {

using test::ProcessRun;

ProcessRun Run(const QString& program, const QStringList& arguments)
{
    return test::RunProcess(program, arguments);
}

// What `sigrok-cli --show` says about an input file.
struct SigrokShow {
    QStringList names;
    qulonglong nSamples = 0;
    qulonglong nRate = 0;
};

SigrokShow ParseShow(const QByteArray& text)
{
    SigrokShow show;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(QLatin1String("- ")) && line.endsWith(QLatin1String(": logic")))
            show.names << line.mid(2, line.size() - 2 - 7);
        else if (line.startsWith(QLatin1String("Logic sample count: ")))
            show.nSamples = line.mid(20).toULongLong();
        else if (line.startsWith(QLatin1String("Samplerate: ")))
            show.nRate = line.mid(12).toULongLong();
    }
    return show;
}

// Replays the one-bit wires of any dump (as fst2vcd writes it back): the levels of every sample,
// step time units per sample, channels in the order of their $var lines; the names in that order.
std::string ReplayDump(const QByteArray& dump, uint64_t step, QStringList* names)
{
    std::map<QByteArray, int> channelOf;
    std::string packed;
    uint8_t levels[6] = {};
    uint64_t time = 0;
    bool started = false;
    const QList<QByteArray> tokens = dump.simplified().split(' ');
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QByteArray& token = tokens[i];
        if (token == "$var" && i + 4 < tokens.size()) {
            if (i + 5 < tokens.size() && !tokens[i + 5].startsWith('[')) { // a wire; vectors: ReplayVector
                channelOf[tokens[i + 3]] = static_cast<int>(channelOf.size());
                *names << QString::fromUtf8(tokens[i + 4]);
            }
            i += 4;
        } else if (token == "$comment" || token == "$date" || token == "$version" || token == "$timescale") {
            while (i < tokens.size() && tokens[i] != "$end")
                ++i;
        } else if (token.startsWith('#')) {
            const uint64_t next = token.mid(1).toULongLong();
            if (started)
                for (uint64_t t = time; t < next; t += step)
                    packed.append(reinterpret_cast<const char*>(levels), 6);
            started = true;
            time = next;
        } else if ((token.startsWith('0') || token.startsWith('1')) && channelOf.count(token.mid(1))) {
            const int ch = channelOf[token.mid(1)];
            if (token[0] == '1')
                levels[ch / 8] |= static_cast<uint8_t>(1 << (ch % 8));
            else
                levels[ch / 8] &= static_cast<uint8_t>(~(1 << (ch % 8)));
        }
    }
    return packed;
}

// The values of the vector `name` in a dump, one a sample (step time units a sample), and how many
// value changes the dump gives it.
std::vector<uint64_t> ReplayVector(const QByteArray& dump, const QByteArray& name, uint64_t step, int count, int& changes)
{
    std::vector<uint64_t> values;
    QByteArray id;
    uint64_t value = 0;
    changes = 0;
    const QList<QByteArray> tokens = dump.simplified().split(' ');
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QByteArray& token = tokens[i];
        if (token == "$var" && i + 4 < tokens.size() && tokens[i + 4] == name)
            id = tokens[i + 3];
        else if (token.startsWith('#'))
            while (values.size() < token.mid(1).toULongLong() / step)
                values.push_back(value);
        else if (token.startsWith('b') && i + 1 < tokens.size() && tokens[i + 1] == id) {
            value = token.mid(1).toULongLong(nullptr, 2);
            ++changes;
        } else if (!id.isEmpty() && (token.startsWith('0') || token.startsWith('1')) && token.mid(1) == id) {
            value = token[0] == '1'; // a vector of one bit may come back as a scalar
            ++changes;
        }
    }
    values.resize(static_cast<size_t>(count), value);
    return values;
}

QStringList ToQStringList(const ExportNames& names)
{
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list;
}

uint64_t StepOf(const ExportableCapture& capture)
{
    return capture.dClockPeriod ? ChooseTimescale(*PeriodFemtoseconds(*capture.dClockPeriod)).nStep : 1;
}

// The sigrok-cli input options the README gives for each format.
QString SigrokInput(const QString& path, ExportFormat format, const ExportableCapture& capture)
{
    switch (format) {
    case ExportFormat::Vcd: {
        const uint64_t step = StepOf(capture);
        return step > 1 ? QStringLiteral("vcd:downsample=%1").arg(step) : QStringLiteral("vcd");
    }
    case ExportFormat::Csv:
        return capture.dClockPeriod ? QStringLiteral("csv:header=yes:column_formats=-,t,*l")
                                    : QStringLiteral("csv:header=yes:column_formats=-,*l");
    case ExportFormat::SigrokSession: break;
    }
    (void)path;
    return {};
}

} // namespace

class ExportPeersTest : public QObject {
    Q_OBJECT
private slots:
    void sigrokReadsTheExport_data();
    void sigrokReadsTheExport();
    void gtkwaveConvertsTheDump_data();
    void gtkwaveConvertsTheDump();
    void sigrokCsvImportStopsAtSeparators();
    void sigrokConvertsAClockOffSession_data();
    void sigrokConvertsAClockOffSession();
    void busVectorsReadBack();

private:
    void AddCases(bool withFormats);
};

void ExportPeersTest::AddCases(bool withFormats)
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("clock"); // 0: OFF
    QTest::addColumn<int>("format");
    struct Case {
        const char* name;
        int count;
        double clock;
    };
    const Case cases[] = {
        {"one sample, clock OFF", 1, 0.0},
        {"Korean and blank names, 1 ms", 3000, 0.001},
        {"20 us", 3000, 0.00002},
        {"40 ns", 20000, 0.00000004},
    };
    const std::pair<const char*, ExportFormat> formats[] = {
        {"vcd", ExportFormat::Vcd}, {"csv", ExportFormat::Csv}, {"sr", ExportFormat::SigrokSession}};
    for (const Case& c : cases) {
        for (const auto& [suffix, format] : formats) {
            if (!withFormats && format != ExportFormat::Vcd)
                continue;
            QTest::addRow("%s, %s", c.name, suffix) << c.count << c.clock << int(format);
        }
    }
}

void ExportPeersTest::sigrokReadsTheExport_data()
{
    AddCases(true);
}

void ExportPeersTest::sigrokReadsTheExport()
{
    QFETCH(int, count);
    QFETCH(double, clock);
    QFETCH(int, format);
    const auto exportFormat = static_cast<ExportFormat>(format);
    test::GeneratedCapture generated(count, static_cast<unsigned>(count + format),
                                     clock > 0 ? std::optional<double>(clock) : std::nullopt);
    generated.capture.strNames[0] = "데이터 버스";
    generated.capture.strNames[1] = "clock in";
    generated.capture.strNames[2] = " CH  A02";
    generated.capture.strNames[3] = "";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("capture")) + QString::fromLatin1(ExportSuffix(exportFormat));
    const ExportResult result = ExportCapture(path.toStdString(), exportFormat, generated.capture);
    QVERIFY2(result, result.strError.c_str());

    QStringList input{QStringLiteral("-i"), path};
    const QString options = SigrokInput(path, exportFormat, generated.capture);
    if (!options.isEmpty())
        input << QStringLiteral("-I") << options;
    const QString binary = dir.filePath(QStringLiteral("samples.bin"));
    const ProcessRun samples = Run(QStringLiteral("sigrok-cli"), input + QStringList{"-O", "binary", "-o", binary});
    QVERIFY2(samples.bStarted, "sigrok-cli is missing: scripts/install-deps.sh installs it");
    QVERIFY2(samples.nExitCode == 0, samples.stdErr.constData());
    QByteArray bytes = test::ReadFileBytes(binary);
    // This sigrok-cli puts the sample rate line of its input in front of the binary output.
    if (bytes.startsWith("META "))
        bytes.remove(0, bytes.indexOf('\n') + 1);
    QCOMPARE(bytes.size(), qsizetype(count) * 6);
    QVERIFY2(bytes.toStdString() == generated.Packed(), "sigrok-cli's samples differ from the capture");

    const ProcessRun shown = Run(QStringLiteral("sigrok-cli"), input + QStringList{"--show"});
    QVERIFY2(shown.nExitCode == 0, shown.stdErr.constData());
    const SigrokShow show = ParseShow(shown.stdOut);
    const ExportNames textNames = TextNames(generated.capture);
    const QStringList expected =
        ToQStringList(exportFormat == ExportFormat::Vcd ? VcdNames(textNames) : textNames);
    QCOMPARE(show.names, expected);
    if (exportFormat != ExportFormat::Vcd) {
        QCOMPARE(show.names[0], QStringLiteral("데이터 버스"));
        QCOMPARE(show.names[1], QStringLiteral("clock in"));
        QCOMPARE(show.names[2], QStringLiteral(" CH  A02"));
    }
    QCOMPARE(show.names[3], exportFormat == ExportFormat::Vcd ? QStringLiteral("CH_A03") : QStringLiteral("CH A03"));
    // The rate: every format carries it when the clock is set (a CSV needs two rows to show it).
    if (clock > 0 && !(exportFormat == ExportFormat::Csv && count < 2))
        QCOMPARE(show.nRate, static_cast<qulonglong>(std::llround(1.0 / clock)));
}

void ExportPeersTest::gtkwaveConvertsTheDump_data()
{
    AddCases(false);
}

void ExportPeersTest::gtkwaveConvertsTheDump()
{
    QFETCH(int, count);
    QFETCH(double, clock);
    test::GeneratedCapture generated(count, static_cast<unsigned>(count), clock > 0 ? std::optional<double>(clock) : std::nullopt);
    generated.capture.strNames[0] = "데이터 버스";
    generated.capture.strNames[1] = "clock in";
    QTemporaryDir dir;
    const QString vcd = dir.filePath(QStringLiteral("capture.vcd"));
    const QString fst = dir.filePath(QStringLiteral("capture.fst"));
    const ExportResult result = ExportCapture(vcd.toStdString(), ExportFormat::Vcd, generated.capture);
    QVERIFY2(result, result.strError.c_str());

    const ProcessRun convert = Run(QStringLiteral("vcd2fst"), {vcd, fst});
    QVERIFY2(convert.bStarted, "vcd2fst is missing: scripts/install-deps.sh installs it (package gtkwave)");
    QVERIFY2(convert.nExitCode == 0, convert.stdErr.constData());
    const ProcessRun back = Run(QStringLiteral("fst2vcd"), {fst});
    QVERIFY2(back.nExitCode == 0, back.stdErr.constData());
    QStringList names;
    const std::string packed = ReplayDump(back.stdOut, StepOf(generated.capture), &names);
    QCOMPARE(names, ToQStringList(VcdNames(TextNames(generated.capture))));
    QCOMPARE(packed.size(), size_t(count) * 6);
    QVERIFY2(packed == generated.Packed(), "the dump GTKWave converted differs from the capture");
}

// What the README says of sigrok-cli's CSV import: it reads no quotes and takes ';' as a comment,
// so a name with a comma fails the whole import and one with a semicolon ends the header there;
// the session keeps every name.
void ExportPeersTest::sigrokCsvImportStopsAtSeparators()
{
    const std::pair<const char*, qsizetype> cases[] = {{"a,b", 0}, {"c;d", 6}};
    for (const auto& [name, channels] : cases) {
        test::GeneratedCapture generated(10, 1);
        generated.capture.strNames[5] = name;
        QTemporaryDir dir;
        QStringList shown[2];
        for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::SigrokSession}) {
            const QString path = dir.filePath(QStringLiteral("capture")) + QString::fromLatin1(ExportSuffix(format));
            QVERIFY(ExportCapture(path.toStdString(), format, generated.capture));
            QStringList input{QStringLiteral("-i"), path, QStringLiteral("--show")};
            if (format == ExportFormat::Csv)
                input << QStringLiteral("-I") << SigrokInput(path, format, generated.capture);
            shown[format == ExportFormat::Csv ? 0 : 1] = ParseShow(Run(QStringLiteral("sigrok-cli"), input).stdOut).names;
        }
        QCOMPARE(shown[0].size(), channels);
        QCOMPARE(shown[1], ToQStringList(TextNames(generated.capture)));
    }
}

void ExportPeersTest::sigrokConvertsAClockOffSession_data()
{
    QTest::addColumn<int>("count");
    for (const int count : {1, 2, 3000})
        QTest::addRow("%d samples", count) << count;
}

// sigrok-cli's writers divide by the session's sample rate: a session without a clock carries a
// nominal one, and converted to a dump or to CSV it holds every sample as it was.
void ExportPeersTest::sigrokConvertsAClockOffSession()
{
    QFETCH(int, count);
    test::GeneratedCapture generated(count, static_cast<unsigned>(count) + 17);
    QTemporaryDir dir;
    const QString session = dir.filePath(QStringLiteral("capture.sr"));
    const ExportResult result = ExportCapture(session.toStdString(), ExportFormat::SigrokSession, generated.capture);
    QVERIFY2(result, result.strError.c_str());

    const ProcessRun vcd = Run(QStringLiteral("sigrok-cli"), {"-i", session, "-O", "vcd"});
    QVERIFY2(vcd.nExitCode == 0, vcd.stdErr.constData());
    QVERIFY(vcd.stdOut.contains("$timescale 1 s $end"));
    QStringList names;
    QVERIFY2(ReplayDump(vcd.stdOut, 1, &names) == generated.Packed(), "sigrok-cli's dump differs from the capture");
    QCOMPARE(names, ToQStringList(TextNames(generated.capture)));

    const ProcessRun csv = Run(QStringLiteral("sigrok-cli"), {"-i", session, "-O", "csv"});
    QVERIFY2(csv.nExitCode == 0, csv.stdErr.constData());
    QVERIFY(csv.stdOut.contains("; Samplerate: 1 Hz"));
    QList<QByteArray> rows;
    for (const QByteArray& line : csv.stdOut.split('\n'))
        if (!line.isEmpty() && !line.startsWith(';') && !line.startsWith("logic,"))
            rows << line;
    QCOMPARE(rows.size(), qsizetype(count));
    for (int i = 0; i < count; ++i) {
        const QList<QByteArray> cells = rows[i].split(',');
        QCOMPARE(cells.size(), qsizetype(kExportChannelCount));
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            QCOMPARE(cells[ch], QByteArray(generated.samples[size_t(i) * kExportChannelCount + size_t(ch)] ? "1" : "0"));
    }
}

// Bus D7..D0 of the byte-stream capture, worked out by hand: 0xD6 at sample 0 ('V' with D7 high),
// 0x44 at 3 ('D'), 0x81 at 11 (0x01 with D7), 0xFE at 22 ('~' with D7). Its low nibble is 0 at
// both 7 (' ') and 8 ('0'); D7 alone changes 19 times in 100 samples (falls at 3, 13 … 93, rises
// at 10 … 90).
void ExportPeersTest::busVectorsReadBack()
{
    test::GeneratedCapture generated(100, test::ByteStreamLevel, 40e-9);
    generated.capture.annotations.buses = {{"BYTE", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Ascii},
                                           {"low nibble", {3, 2, 1, 0}, ERadix::Hex},
                                           {"TOP", {7}, ERadix::Binary}};
    QTemporaryDir dir;
    const QString vcd = dir.filePath(QStringLiteral("capture.vcd"));
    const ExportResult result = ExportCapture(vcd.toStdString(), ExportFormat::Vcd, generated.capture);
    QVERIFY2(result, result.strError.c_str());

    int changes = 0;
    const QByteArray ours = test::ReadFileBytes(vcd);
    QVERIFY2(ours.contains("$var wire 8 ~0 BYTE [7:0] $end\n$var wire 4 ~1 low_nibble [3:0] $end\n"), ours.left(3000).constData());
    QCOMPARE(ReplayVector(ours, "TOP", 4, 100, changes)[10], 1u);
    QCOMPARE(changes, 20); // the first value and the 19 changes, nothing where D7 stays

    // GTKWave's converters keep the vectors and their values, and the wires as they were.
    const QString fst = dir.filePath(QStringLiteral("capture.fst"));
    const ProcessRun convert = Run(QStringLiteral("vcd2fst"), {vcd, fst});
    QVERIFY2(convert.nExitCode == 0, convert.stdErr.constData());
    const ProcessRun back = Run(QStringLiteral("fst2vcd"), {fst});
    QVERIFY2(back.nExitCode == 0, back.stdErr.constData());
    const std::vector<uint64_t> byte = ReplayVector(back.stdOut, "BYTE", 4, 100, changes);
    QCOMPARE(byte[0], 0xD6u);
    QCOMPARE(byte[3], 0x44u);
    QCOMPARE(byte[11], 0x81u);
    QCOMPARE(byte[22], 0xFEu);
    const std::vector<uint64_t> nibble = ReplayVector(back.stdOut, "low_nibble", 4, 100, changes);
    QCOMPARE(nibble[6], 0xEu);
    QCOMPARE(nibble[7], 0u);
    QCOMPARE(nibble[8], 0u);
    QCOMPARE(nibble[9], 0xEu);
    const std::vector<uint64_t> top = ReplayVector(back.stdOut, "TOP", 4, 100, changes);
    QCOMPARE(changes, 20);
    QCOMPARE(top[2] * 100 + top[3] * 10 + top[10], 101u);
    QStringList names;
    QVERIFY2(ReplayDump(back.stdOut, 4, &names) == generated.Packed(), "the wires GTKWave converted differ from the capture");
}

QTEST_GUILESS_MAIN(ExportPeersTest)
#include "ExportPeersTest.moc"
