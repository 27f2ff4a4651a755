// GTKWave itself opens the exported files on an X display of its own (Xvfb): the dump alone and the
// save file, with names in Korean, with accents and with punctuation. A script it runs reports the
// traces it shows and the time its window spans, then quits; a dump it refuses ends it with 255
// before the script runs. Skipped, with the reason, where gtkwave or Xvfb is missing
// (scripts/install-deps.sh installs both).

#include "ExportTestCapture.h"
#include "tests/common/ByteStreamCapture.h"
#include "tests/common/FileBytes.h"
#include "tests/common/PeerProcess.h"

#include "export/ExportNames.h"
#include "export/ExportTime.h"

#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

using namespace veldran;

namespace {

// An X server without a screen of its own; it picks a free display number and says which.
class XvfbDisplay {
public:
    XvfbDisplay()
        : m_server({"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1600x1200x24"})
    {
        const std::string number = m_server.FirstLine(20);
        if (!number.empty())
            m_name = QStringLiteral(":") + QString::fromStdString(number);
    }
    ~XvfbDisplay()
    {
        m_server.Signal(SIGTERM); // so it removes its lock file
        (void)m_server.Wait(10);
    }
    [[nodiscard]] QString Name() const { return m_name; }

private:
    test::ChildProcess m_server;
    QString m_name;
};

constexpr const char* kReportScript = R"(fconfigure stdout -encoding utf-8
puts "window [gtkwave::getWindowStartTime] [gtkwave::getWindowEndTime] [gtkwave::getMaxTime]"
for {set i 0} {$i < [gtkwave::getTotalNumTraces]} {incr i} {
    puts "trace [gtkwave::getTraceNameFromIndex $i]"
}
gtkwave::/File/Quit
)";

// The traces with their flags, and where the named markers A and B are with the value of the bus
// vector BYTE under each.
constexpr const char* kBusScript = R"(fconfigure stdout -encoding utf-8
for {set i 0} {$i < [gtkwave::getTotalNumTraces]} {incr i} {
    puts "trace [gtkwave::getTraceNameFromIndex $i] [gtkwave::getTraceFlagsFromIndex $i]"
}
foreach m {A B} {
    puts "marker $m [gtkwave::getNamedMarker $m] [gtkwave::getTraceValueAtNamedMarkerFromName $m {veldran.BYTE[7:0]}]"
}
gtkwave::/File/Quit
)";

// What GTKWave reported about a file it opened.
struct GtkwaveView {
    int nExitCode = -1;
    QByteArray errors;
    qlonglong nStart = -1, nEnd = -1, nMax = -1;
    QStringList traces;
};

GtkwaveView OpenInGtkwave(const QString& display, const QString& script, const QString& file)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    const test::ProcessRun run = test::RunProcess(QStringLiteral("gtkwave"), {"-S", script, file}, environment, 60);
    GtkwaveView view;
    view.nExitCode = run.nExitCode;
    view.errors = run.stdErr + run.stdOut;
    for (const QByteArray& line : run.stdOut.split('\n')) {
        if (line.startsWith("window ")) {
            const QList<QByteArray> times = line.mid(7).split(' ');
            if (times.size() == 3) {
                view.nStart = times[0].toLongLong();
                view.nEnd = times[1].toLongLong();
                view.nMax = times[2].toLongLong();
            }
        } else if (line.startsWith("trace ")) {
            view.traces << QString::fromUtf8(line.mid(6));
        }
    }
    return view;
}

} // namespace

class ExportGtkwaveTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void gtkwaveOpensTheExport_data();
    void gtkwaveOpensTheExport();
    void gtkwaveShowsBusesAndMarkers();

private:
    std::unique_ptr<XvfbDisplay> m_display;
    QTemporaryDir m_dir;
    QString m_script;
};

void ExportGtkwaveTest::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("gtkwave")).isEmpty())
        QSKIP("gtkwave is missing: scripts/install-deps.sh installs it");
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        QSKIP("Xvfb is missing: scripts/install-deps.sh installs it (package xvfb)");
    m_display = std::make_unique<XvfbDisplay>();
    QVERIFY2(!m_display->Name().isEmpty(), "Xvfb did not start");
    m_script = m_dir.filePath(QStringLiteral("report.tcl"));
    QVERIFY(test::WriteFileBytes(m_script, kReportScript));
}

void ExportGtkwaveTest::gtkwaveOpensTheExport_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("clock"); // 0: OFF
    QTest::newRow("Korean, clock OFF") << QStringList{"데이터 버스", "클럭", "주소 A0"} << 3000 << 0.0;
    QTest::newRow("accented, 40 ns") << QStringList{"é", "Fußgänger", "naïve café"} << 20000 << 4e-8;
    QTest::newRow("punctuated, 1 ms")
        << QStringList{"a,b;c", "x}y", "$end", "\"q\"", "tab\there", "100%", "#12", "[7:0]"} << 500 << 1e-3;
}

void ExportGtkwaveTest::gtkwaveOpensTheExport()
{
    QFETCH(QStringList, names);
    QFETCH(int, count);
    QFETCH(double, clock);
    test::GeneratedCapture generated(count, 3, clock > 0 ? std::optional<double>(clock) : std::nullopt);
    for (int ch = 0; ch < names.size(); ++ch)
        generated.capture.strNames[static_cast<size_t>(ch)] = names[ch].toStdString();
    const QString vcd = m_dir.filePath(QStringLiteral("capture.vcd"));
    const ExportResult result = ExportCapture(vcd.toStdString(), ExportFormat::Vcd, generated.capture);
    QVERIFY2(result, result.strError.c_str());
    // GTKWave's time: timestamps times the timescale's multiplier.
    const VcdTimescale scale = clock > 0 ? ChooseTimescale(*PeriodFemtoseconds(clock)) : VcdTimescale{};
    const qlonglong endTime = qlonglong(count) * qlonglong(scale.nStep) * scale.nMultiplier;

    // The dump alone: loaded, no traces shown yet.
    const GtkwaveView dump = OpenInGtkwave(m_display->Name(), m_script, vcd);
    QVERIFY2(dump.nExitCode == 0, dump.errors.constData());
    QCOMPARE(dump.nMax, endTime);

    // The save file: the whole capture in a window it fills at least half of, and all 48 traces,
    // renamed wires under the names given.
    const GtkwaveView saved = OpenInGtkwave(m_display->Name(), m_script, m_dir.filePath(QStringLiteral("capture.gtkw")));
    QVERIFY2(saved.nExitCode == 0, saved.errors.constData());
    QCOMPARE(saved.nMax, endTime);
    QCOMPARE(saved.nStart, 0);
    QVERIFY2(saved.nEnd >= endTime && saved.nEnd <= 2 * endTime,
             qPrintable(QStringLiteral("window 0..%1 for a capture of %2").arg(saved.nEnd).arg(endTime)));
    const ExportNames textNames = TextNames(generated.capture);
    const ExportNames vcdNames = VcdNames(textNames);
    QStringList expected;
    for (size_t ch = 0; ch < textNames.size(); ++ch) {
        if (textNames[ch] == vcdNames[ch])
            expected << QString::fromStdString(vcdNames[ch]);
        else // '}' would end the alias, a tab the line
            expected << QString::fromStdString(textNames[ch]).replace(QLatin1Char('}'), QChar(0xFF5D)).replace(QLatin1Char('\t'), QLatin1Char(' '));
    }
    QCOMPARE(saved.traces, expected);
    QCOMPARE(saved.traces[0], names[0]);
}

// Bus D7..D0 of the byte-stream capture is 0x81 at sample 11 and 0xFE at 22 (worked out in
// tests/export/ExportPeersTest.cpp); at 40 ns a sample GTKWave counts 40 units of 1 ns to it.
void ExportGtkwaveTest::gtkwaveShowsBusesAndMarkers()
{
    test::GeneratedCapture generated(100, test::ByteStreamLevel, 4e-8);
    generated.capture.annotations.buses = {{"BYTE", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Hex}, {"짝 {low}", {1, 0}, ERadix::Hex}};
    generated.capture.annotations.markers = {{11, "first", "", 0xFF0000}, {22, "second}", "a note", 0x00FF00}};
    const QString vcd = m_dir.filePath(QStringLiteral("buses.vcd"));
    const ExportResult result = ExportCapture(vcd.toStdString(), ExportFormat::Vcd, generated.capture);
    QVERIFY2(result, result.strError.c_str());
    const QString script = m_dir.filePath(QStringLiteral("buses.tcl"));
    QVERIFY(test::WriteFileBytes(script, kBusScript));

    const test::ProcessRun run = [&] {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_display->Name());
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return test::RunProcess(QStringLiteral("gtkwave"), {"-S", script, m_dir.filePath(QStringLiteral("buses.gtkw"))}, environment, 60);
    }();
    QVERIFY2(run.nExitCode == 0, (run.stdErr + run.stdOut).constData());
    QStringList lines = QString::fromUtf8(run.stdOut).split(QLatin1Char('\n'));
    QVERIFY2(lines.size() > 48, run.stdOut.constData());
    lines = lines.mid(48, lines.indexOf(QStringLiteral("Exiting.")) - 48);
    // Each bus a group (flags 0x800200 … 0x1000200) of its vector in hex (0x22) and its channels
    // (0x28) under the names the wires show; a '}' in a group name is shown as '｝'.
    QStringList expected{"trace BYTE 8389120", "trace BYTE[7:0] 34"};
    for (int ch = 7; ch >= 0; --ch)
        expected << QStringLiteral("trace CH A0%1 40").arg(ch);
    expected << "trace BYTE 16777728"
             << "trace 짝 {low｝ 8389120" << "trace low[1:0] 34" << "trace CH A01 40" << "trace CH A00 40"
             << "trace 짝 {low｝ 16777728"
             << "marker A 440 81" << "marker B 880 FE";
    QCOMPARE(lines, expected);
    const QByteArray saveFile = test::ReadFileBytes(m_dir.filePath(QStringLiteral("buses.gtkw")));
    QVERIFY2(saveFile.contains("[markername] Afirst\n[markername] Bsecond\xEF\xBD\x9D\n"), saveFile.constData());
}

QTEST_GUILESS_MAIN(ExportGtkwaveTest)
#include "ExportGtkwaveTest.moc"
