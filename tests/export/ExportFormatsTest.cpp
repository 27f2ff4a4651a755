// The export writers on their own: time and timescale arithmetic, names as each format takes them,
// the layout of each file, and that a failed export leaves nothing behind.

#include "ExportTestCapture.h"

#include "export/CsvWriter.h"
#include "export/ExportNames.h"
#include "export/ExportTime.h"
#include "export/SigrokSessionWriter.h"
#include "export/VcdWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <map>
#include <set>
#include <sys/resource.h>
#include <zip.h>

using namespace veldran;

namespace {

std::string ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::string Vcd(const ExportableCapture& capture)
{
    ExportOutput output;
    WriteVcd(capture, output);
    return output.Text();
}

std::string Csv(const ExportableCapture& capture)
{
    ExportOutput output;
    WriteCsv(capture, output);
    return output.Text();
}

std::vector<std::string> Lines(const std::string& text, const std::string& end = "\n")
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(text.substr(start, at - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// Replays the value changes of a dump written by WriteVcd: the levels of every sample, by the
// identifiers of the $var lines, and the time of the last timestamp.
std::vector<uint8_t> ReplayVcd(const std::string& vcd, uint64_t step, uint64_t* lastTime)
{
    std::map<char, int> channelOf;
    std::vector<uint8_t> samples;
    uint8_t levels[kExportChannelCount] = {};
    uint64_t time = 0;
    bool inData = false;
    for (const std::string& line : Lines(vcd)) {
        if (line.rfind("$var wire 1 ", 0) == 0)
            channelOf[line[12]] = static_cast<int>(channelOf.size());
        if (line == "$enddefinitions $end")
            inData = true;
        if (!inData || line.empty() || line[0] == '$')
            continue;
        if (line[0] == '#') {
            const uint64_t next = std::stoull(line.substr(1));
            for (uint64_t t = time; t < next; t += step)
                samples.insert(samples.end(), levels, levels + kExportChannelCount);
            time = next;
        } else if (line.size() == 2 && channelOf.count(line[1])) {
            levels[channelOf[line[1]]] = line[0] == '1';
        }
    }
    *lastTime = time;
    return samples;
}

} // namespace

class ExportFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void timescale_data();
    void timescale();
    void parseClockPeriod_data();
    void parseClockPeriod();
    void seconds_data();
    void seconds();
    void vcdNames_data();
    void vcdNames();
    void identifiersAreDistinctAndSafe();
    void busNamesStayApartFromWires();
    void textNames();
    void csvField_data();
    void csvField();
    void keyFileValue_data();
    void keyFileValue();
    void vcdReplaysTheCapture_data();
    void vcdReplaysTheCapture();
    void vcdKeepsGivenNamesInAComment();
    void gtkwListsEveryTraceInOrder();
    void vcdRefusesTimesGtkwaveCannotCount();
    void sigrokRate_data();
    void sigrokRate();
    void csvRows_data();
    void csvRows();
    void sigrokArchive();
    void formatFromPath_data();
    void formatFromPath();
    void refusedCaptures_data();
    void refusedCaptures();
    void failedExportLeavesNothing_data();
    void failedExportLeavesNothing();
    void interruptedWriteKeepsTheEarlierFile();
    void exportReplacesAnEarlierFile();
};

void ExportFormatsTest::timescale_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("multiplier");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<qulonglong>("step");
    QTest::newRow("100 ms") << 0.1 << 100 << "ms" << 1ULL;
    QTest::newRow("50 ms") << 0.05 << 10 << "ms" << 5ULL;
    QTest::newRow("2 ms") << 0.002 << 1 << "ms" << 2ULL;
    QTest::newRow("1 ms") << 0.001 << 1 << "ms" << 1ULL;
    QTest::newRow("500 us") << 0.0005 << 100 << "us" << 5ULL;
    QTest::newRow("20 us") << 0.00002 << 10 << "us" << 2ULL;
    QTest::newRow("1 us") << 0.000001 << 1 << "us" << 1ULL;
    QTest::newRow("50 ns") << 0.00000005 << 10 << "ns" << 5ULL;
    QTest::newRow("40 ns") << 0.00000004 << 10 << "ns" << 4ULL;
    QTest::newRow("1 s") << 1.0 << 1 << "s" << 1ULL;
    QTest::newRow("300 s") << 300.0 << 100 << "s" << 3ULL;
    QTest::newRow("3 fs") << 3e-15 << 1 << "fs" << 3ULL;
    QTest::newRow("2.5 us") << 2.5e-6 << 100 << "ns" << 25ULL;
}

void ExportFormatsTest::timescale()
{
    QFETCH(double, seconds);
    const std::optional<uint64_t> fs = PeriodFemtoseconds(seconds);
    QVERIFY(fs);
    const VcdTimescale scale = ChooseTimescale(*fs);
    QFETCH(int, multiplier);
    QFETCH(QString, unit);
    QFETCH(qulonglong, step);
    QCOMPARE(scale.nMultiplier, multiplier);
    QCOMPARE(QString::fromLatin1(scale.unit), unit);
    QCOMPARE(static_cast<qulonglong>(scale.nStep), step);
}

void ExportFormatsTest::parseClockPeriod_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("off");
    QTest::addColumn<qulonglong>("fs");
    QTest::newRow("40ns") << "40ns" << true << false << 40'000'000ULL;
    QTest::newRow("40 ns") << "40 ns" << true << false << 40'000'000ULL;
    QTest::newRow("2.5 us") << "2.5 us" << true << false << 2'500'000'000ULL;
    QTest::newRow("micro sign") << "1µs" << true << false << 1'000'000'000ULL;
    QTest::newRow("0.1 s exact") << "0.1s" << true << false << 100'000'000'000'000ULL;
    QTest::newRow("100ms") << "100ms" << true << false << 100'000'000'000'000ULL;
    QTest::newRow("OFF") << "OFF" << true << true << 0ULL;
    QTest::newRow("off") << " off " << true << true << 0ULL;
    QTest::newRow("no unit") << "40" << false << false << 0ULL;
    QTest::newRow("unknown unit") << "40 min" << false << false << 0ULL;
    QTest::newRow("zero") << "0 ns" << false << false << 0ULL;
    QTest::newRow("below a femtosecond") << "0.5 fs" << false << false << 0ULL;
    QTest::newRow("two points") << "1.2.3 ms" << false << false << 0ULL;
    QTest::newRow("negative") << "-40 ns" << false << false << 0ULL;
    QTest::newRow("empty") << "" << false << false << 0ULL;
    QTest::newRow("longer than an hour") << "3601 s" << false << false << 0ULL;
    QTest::newRow("absurd digits") << "99999999999999999999999 s" << false << false << 0ULL;
}

void ExportFormatsTest::parseClockPeriod()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(bool, off);
    QFETCH(qulonglong, fs);
    const auto period = ParseClockPeriod(text.toStdString());
    QCOMPARE(period.has_value(), valid);
    if (!valid)
        return;
    QCOMPARE(!period->has_value(), off);
    if (period->has_value())
        QCOMPARE(static_cast<qulonglong>(**period), fs);
}

void ExportFormatsTest::seconds_data()
{
    QTest::addColumn<qulonglong>("sample");
    QTest::addColumn<qulonglong>("periodFs");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0ULL << 40'000'000ULL << "0";
    QTest::newRow("40 ns") << 1ULL << 40'000'000ULL << "0.00000004";
    QTest::newRow("last of 99,999 at 40 ns") << 99'998ULL << 40'000'000ULL << "0.00399992";
    QTest::newRow("whole seconds") << 30ULL << 100'000'000'000'000ULL << "3";
    QTest::newRow("mixed") << 125ULL << 100'000'000'000'000ULL << "12.5";
    QTest::newRow("one femtosecond") << 1ULL << 1ULL << "0.000000000000001";
    QTest::newRow("beyond 64 bits") << 1'000'000ULL << 3'600'000'000'000'000'000ULL << "3600000000";
}

void ExportFormatsTest::seconds()
{
    QFETCH(qulonglong, sample);
    QFETCH(qulonglong, periodFs);
    QFETCH(QString, text);
    std::string out = "x";
    AppendSeconds(out, sample, periodFs);
    QCOMPARE(QString::fromStdString(out), "x" + text);
}

void ExportFormatsTest::vcdNames_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default labels") << QStringList{" CH  A00", " CH  A01"} << QStringList{"CH_A00", "CH_A01"};
    QTest::newRow("Korean only") << QStringList{"데이터 버스"} << QStringList{"CH_A00"};
    QTest::newRow("Korean and ASCII") << QStringList{"버스 D0", "clk (입력)"} << QStringList{"D0", "clk"};
    QTest::newRow("blanks") << QStringList{"data bus  7 "} << QStringList{"data_bus_7"};
    QTest::newRow("duplicates") << QStringList{"a", "a", "a"} << QStringList{"a", "a_2", "a_3"};
    QTest::newRow("suffix taken by another") << QStringList{"a", "a", "a_2"} << QStringList{"a", "a_3", "a_2"};
    QTest::newRow("keyword-like") << QStringList{"$end", "#12"} << QStringList{"end", "12"};
}

void ExportFormatsTest::vcdNames()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, expected);
    ExportableCapture capture;
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        capture.strNames[static_cast<size_t>(ch)] = "other" + std::to_string(ch);
    for (int ch = 0; ch < given.size(); ++ch)
        capture.strNames[static_cast<size_t>(ch)] = given[ch].toStdString();
    const ExportNames names = VcdNames(TextNames(capture));
    for (int ch = 0; ch < expected.size(); ++ch)
        QCOMPARE(QString::fromStdString(names[static_cast<size_t>(ch)]), expected[ch]);
    for (const std::string& name : names) {
        QVERIFY(!name.empty());
        QVERIFY(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_") == std::string::npos);
        QCOMPARE(std::count(names.begin(), names.end(), name), 1);
    }
}

void ExportFormatsTest::identifiersAreDistinctAndSafe()
{
    std::set<char> seen;
    for (int ch = 0; ch < kExportChannelCount; ++ch) {
        const char id = VcdIdentifier(ch);
        QVERIFY(id > ' ' && id < 0x7F);
        QVERIFY(id != '#' && id != '$');
        QVERIFY(seen.insert(id).second);
    }
}

// A bus's reference never repeats a wire's or another bus's; one with no ASCII word is "bus".
void ExportFormatsTest::busNamesStayApartFromWires()
{
    ExportableCapture capture;
    capture.strNames[0] = "strobe";
    capture.strNames[1] = "a";
    const std::vector<Bus> buses = {{"strobe", {0}}, {"", {1}}, {"데이터", {2}}, {"a", {3}}, {"a", {4}}, {"x y", {5}}};
    const std::vector<std::string> expected{"strobe_2", "bus", "bus_2", "a_2", "a_3", "x_y"};
    QCOMPARE(BusVcdNames(buses, VcdNames(TextNames(capture))), expected);
    std::set<std::string> identifiers;
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        identifiers.insert(std::string(1, VcdIdentifier(ch)));
    for (size_t bus = 0; bus < kMaxBuses; ++bus) {
        const std::string id = VcdBusIdentifier(bus);
        QVERIFY(id.find_first_of(" #$\t\n") == std::string::npos && identifiers.insert(id).second);
    }
}

void ExportFormatsTest::textNames()
{
    ExportableCapture capture;
    capture.strNames[0] = "";
    capture.strNames[1] = "   ";
    capture.strNames[17] = "ok \xFF\xC0 end";
    capture.strNames[2] = "데이터 버스";
    const ExportNames names = TextNames(capture);
    QCOMPARE(names[0], std::string("CH A00"));
    QCOMPARE(names[1], std::string("CH A01"));
    QCOMPARE(names[47], std::string("CH C15"));
    QCOMPARE(names[17], std::string("ok \xEF\xBF\xBD\xEF\xBF\xBD end"));
    QCOMPARE(names[2], std::string("데이터 버스"));
}

void ExportFormatsTest::csvField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "clk" << "clk";
    QTest::newRow("inner blank") << "data bus" << "data bus";
    QTest::newRow("Korean") << "데이터 버스" << "데이터 버스";
    QTest::newRow("comma") << "a,b" << "\"a,b\"";
    QTest::newRow("quote") << "say \"hi\"" << "\"say \"\"hi\"\"\"";
    QTest::newRow("line break") << "a\nb" << "\"a\nb\"";
    QTest::newRow("leading blank") << " CH  A00" << "\" CH  A00\"";
}

void ExportFormatsTest::csvField()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(QString::fromStdString(CsvField(text.toStdString())), field);
}

void ExportFormatsTest::keyFileValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "data bus" << "data bus";
    QTest::newRow("edges") << " CH  A00 " << "\\sCH  A00\\s";
    QTest::newRow("all blank") << "  " << "\\s\\s";
    QTest::newRow("escapes") << "a\\b\nc\td" << "a\\\\b\\nc\\td";
    QTest::newRow("Korean") << "데이터 버스" << "데이터 버스";
}

void ExportFormatsTest::keyFileValue()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(QString::fromStdString(KeyFileValue(text.toStdString())), value);
}

void ExportFormatsTest::vcdReplaysTheCapture_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("clock"); // 0: OFF
    QTest::addColumn<QString>("timescale");
    QTest::addColumn<qulonglong>("step");
    QTest::newRow("one sample, OFF") << 1 << 0.0 << "1 s" << 1ULL;
    QTest::newRow("1 ms") << 300 << 0.001 << "1 ms" << 1ULL;
    QTest::newRow("20 us") << 300 << 0.00002 << "10 us" << 2ULL;
    QTest::newRow("40 ns") << 2000 << 0.00000004 << "10 ns" << 4ULL;
}

void ExportFormatsTest::vcdReplaysTheCapture()
{
    QFETCH(int, count);
    QFETCH(double, clock);
    QFETCH(qulonglong, step);
    QFETCH(QString, timescale);
    test::GeneratedCapture generated(count, 7, clock > 0 ? std::optional<double>(clock) : std::nullopt);
    const std::string vcd = Vcd(generated.capture);
    QVERIFY(vcd.find("$timescale " + timescale.toStdString() + " $end") != std::string::npos);
    QCOMPARE(std::count(vcd.begin(), vcd.end(), '\n') > 0, true);
    uint64_t last = 0;
    const std::vector<uint8_t> replayed = ReplayVcd(vcd, step, &last);
    QCOMPARE(last, static_cast<uint64_t>(count) * step);
    QVERIFY(replayed == generated.samples);
    // Only changes after #0: no timestamp without a change except the last one.
    const std::vector<std::string> lines = Lines(vcd);
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (!lines[i].empty() && lines[i][0] == '#' && lines[i] != "#0")
            QVERIFY2(lines[i + 1][0] == '0' || lines[i + 1][0] == '1', lines[i].c_str());
}

void ExportFormatsTest::vcdKeepsGivenNamesInAComment()
{
    test::GeneratedCapture generated(3, 1);
    generated.capture.strNames[0] = "데이터 버스";
    generated.capture.strNames[1] = "a $end \"q\"";
    generated.capture.strNames[2] = "plain";
    generated.capture.strNames[3] = "café \xF0\x9F\x98\x80";
    generated.capture.strNames[4] = "bad \xFF";
    const std::string vcd = Vcd(generated.capture);
    const std::string header = vcd.substr(0, vcd.find("$enddefinitions"));
    QVERIFY(header.find(R"(CH_A00 = "\uB370\uC774\uD130 \uBC84\uC2A4")") != std::string::npos);
    QVERIFY(header.find("a_end_q = \"a \\x24end \\\"q\\\"\"") != std::string::npos);
    QVERIFY(header.find(R"(caf = "caf\u00E9 \U0001F600")") != std::string::npos);
    QVERIFY(header.find(R"(bad = "bad \uFFFD")") != std::string::npos);
    QVERIFY(header.find("plain = ") == std::string::npos);
    QVERIFY(header.find("$var wire 1 ! CH_A00 $end") != std::string::npos);
    QVERIFY(header.find("$var wire 1 % plain $end") != std::string::npos);
    // GTKWave takes a byte beyond ASCII for the end of the file.
    QVERIFY(std::all_of(header.begin(), header.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    // Every section opened in the header is closed before the next begins.
    int open = 0;
    for (const std::string& line : Lines(header)) {
        if (line.rfind("$comment", 0) == 0)
            ++open;
        if (line == "$end" || line.find(" $end") != std::string::npos) {
            if (line == "$end")
                --open;
        }
        QVERIFY(open <= 1);
    }
    QCOMPARE(open, 0);
}

void ExportFormatsTest::gtkwListsEveryTraceInOrder()
{
    test::GeneratedCapture generated(3, 1, 4e-8);
    generated.capture.strNames[5] = "clk in";
    generated.capture.strNames[6] = "x}y\tz";
    const std::string gtkw = GtkwSaveFile(generated.capture, "/data/a b.vcd", "/data/a b.gtkw");
    QVERIFY(gtkw.find("[dumpfile] \"/data/a b.vcd\"\n") != std::string::npos);
    QVERIFY(gtkw.find("[savefile] \"/data/a b.gtkw\"\n") != std::string::npos);
    const ExportNames names = VcdNames(TextNames(generated.capture));
    std::vector<std::string> traces, aliases;
    for (std::string line : Lines(gtkw)) {
        std::string alias;
        if (line.rfind("+{", 0) == 0) {
            alias = line.substr(2, line.find('}') - 2);
            line = line.substr(line.find("} ") + 2);
        }
        if (line.rfind(std::string(kVcdScope) + ".", 0) == 0) {
            traces.push_back(line.substr(std::string(kVcdScope).size() + 1));
            aliases.push_back(alias);
        }
    }
    QCOMPARE(traces.size(), size_t(kExportChannelCount));
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        QCOMPARE(traces[static_cast<size_t>(ch)], names[static_cast<size_t>(ch)]);
    QCOMPARE(traces[5], std::string("clk_in"));
    QCOMPARE(aliases[5], std::string("clk in"));
    QCOMPARE(aliases[6], std::string("x\xEF\xBD\x9Dy z"));
    QCOMPARE(aliases[7], std::string());
}

void ExportFormatsTest::vcdRefusesTimesGtkwaveCannotCount()
{
    // A period with femtosecond detail keeps the dump in femtoseconds: 1000 s is 10^18 of them.
    test::GeneratedCapture generated(20, 2, 1000.000000000001);
    QTemporaryDir dir;
    const ExportResult result = ExportCapture(dir.filePath("long.vcd").toStdString(), ExportFormat::Vcd, generated.capture);
    QVERIFY(!result);
    QVERIFY2(result.strError.find("too long") != std::string::npos, result.strError.c_str());
    QVERIFY(ExportCapture(dir.filePath("long.csv").toStdString(), ExportFormat::Csv, generated.capture));
    generated.Bind(9, 1000.000000000001);
    QVERIFY(ExportCapture(dir.filePath("nine.vcd").toStdString(), ExportFormat::Vcd, generated.capture));
}

void ExportFormatsTest::sigrokRate_data()
{
    QTest::addColumn<double>("clock"); // 0: OFF
    QTest::addColumn<QString>("rate");
    QTest::addColumn<bool>("nominal");
    QTest::newRow("OFF") << 0.0 << "samplerate=1\n" << true;
    QTest::newRow("40 ns") << 4e-8 << "samplerate=25000000\n" << false;
    QTest::newRow("1 s") << 1.0 << "samplerate=1\n" << false;
    QTest::newRow("3 s") << 3.0 << "samplerate=1\n" << true;
}

void ExportFormatsTest::sigrokRate()
{
    QFETCH(double, clock);
    QFETCH(QString, rate);
    QFETCH(bool, nominal);
    test::GeneratedCapture generated(4, 1, clock > 0 ? std::optional<double>(clock) : std::nullopt);
    const std::string metadata = SigrokMetadata(generated.capture);
    QVERIFY(metadata.find(rate.toStdString()) != std::string::npos);
    const size_t note = metadata.find("The sample rate of 1 Hz is nominal");
    QCOMPARE(note != std::string::npos, nominal);
    if (nominal)
        QCOMPARE(metadata[metadata.rfind('\n', note) + 1], '#');
}

void ExportFormatsTest::csvRows_data()
{
    QTest::addColumn<double>("clock");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("secondTime");
    QTest::newRow("OFF") << 0.0 << "Sample,\" CH  A00\",데이터 버스" << "";
    QTest::newRow("40 ns") << 4e-8 << "Sample,Time (s),\" CH  A00\",데이터 버스" << "0.00000004";
}

void ExportFormatsTest::csvRows()
{
    QFETCH(double, clock);
    QFETCH(QString, header);
    QFETCH(QString, secondTime);
    test::GeneratedCapture generated(50, 3, clock > 0 ? std::optional<double>(clock) : std::nullopt);
    generated.capture.strNames[0] = " CH  A00";
    generated.capture.strNames[1] = "데이터 버스";
    const std::vector<std::string> rows = Lines(Csv(generated.capture), "\r\n");
    QCOMPARE(rows.size(), size_t(51));
    QVERIFY(rows[0].rfind(header.toStdString() + ",ch2,", 0) == 0);
    const size_t skip = clock > 0 ? 2 : 1;
    for (int i = 0; i < 50; ++i) {
        const std::vector<std::string> cells = Lines(rows[static_cast<size_t>(i) + 1], ",");
        QCOMPARE(cells.size(), skip + kExportChannelCount);
        QCOMPARE(cells[0], std::to_string(i));
        if (i == 1 && clock > 0)
            QCOMPARE(QString::fromStdString(cells[1]), secondTime);
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            QCOMPARE(cells[skip + static_cast<size_t>(ch)],
                     std::string(generated.samples[static_cast<size_t>(i * kExportChannelCount + ch)] ? "1" : "0"));
    }
}

void ExportFormatsTest::sigrokArchive()
{
    // More samples than one chunk holds, so the chunks are numbered and joined in order.
    const int count = (4 << 20) / 6 + 1000;
    test::GeneratedCapture generated(count, 11, 4e-8);
    generated.capture.strNames[0] = " lead";
    std::string error;
    const std::optional<std::string> bytes = SigrokSessionBytes(generated.capture, &error);
    QVERIFY2(bytes, error.c_str());

    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes->data(), bytes->size(), 0, &zipError);
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &zipError);
    QVERIFY(archive);
    const auto entry = [archive](const char* name) {
        zip_stat_t st;
        if (zip_stat(archive, name, 0, &st) != 0)
            return std::string("<missing>");
        std::string data(static_cast<size_t>(st.size), '\0');
        zip_file_t* file = zip_fopen(archive, name, 0);
        zip_fread(file, data.data(), data.size());
        zip_fclose(file);
        return data;
    };
    QCOMPARE(entry("version"), std::string("2"));
    const std::string metadata = entry("metadata");
    for (const char* line : {"[device 1]\n", "capturefile=logic-1\n", "total probes=48\n", "samplerate=25000000\n",
                             "unitsize=6\n", "probe1=\\slead\n", "probe48=ch47\n"})
        QVERIFY2(metadata.find(line) != std::string::npos, line);
    QCOMPARE(entry("logic-1-1").size() % 6, size_t(0));
    QCOMPARE(entry("logic-1-3"), std::string("<missing>"));
    QCOMPARE(entry("logic-1-1") + entry("logic-1-2"), generated.Packed());
    zip_close(archive);
    zip_error_fini(&zipError);
}

void ExportFormatsTest::formatFromPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("format"); // -1: none
    QTest::newRow("vcd") << "/tmp/a.vcd" << int(ExportFormat::Vcd);
    QTest::newRow("upper case") << "A.CSV" << int(ExportFormat::Csv);
    QTest::newRow("sr") << "dir.x/b.sr" << int(ExportFormat::SigrokSession);
    QTest::newRow("vxr") << "a.vxr" << -1;
    QTest::newRow("dot in folder only") << "dir.vcd/file" << -1;
    QTest::newRow("no suffix") << "capture" << -1;
}

void ExportFormatsTest::formatFromPath()
{
    QFETCH(QString, path);
    QFETCH(int, format);
    const auto found = ExportFormatFromPath(path.toStdString());
    QCOMPARE(found ? int(*found) : -1, format);
    if (found)
        QVERIFY(path.toLower().endsWith(QString::fromLatin1(ExportSuffix(*found))));
}

void ExportFormatsTest::refusedCaptures_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("store");
    QTest::addColumn<double>("clock"); // 0: OFF
    QTest::addColumn<QList<int>>("bus"); // the channels of a bus, if any; {-2}: a bus of none
    QTest::newRow("no samples") << 0 << true << 0.0 << QList<int>{};
    QTest::newRow("negative count") << -5 << true << 0.0 << QList<int>{};
    QTest::newRow("no store") << 10 << false << 0.0 << QList<int>{};
    QTest::newRow("too many") << 1'000'001 << true << 0.0 << QList<int>{};
    QTest::newRow("negative clock") << 10 << true << -1.0 << QList<int>{};
    QTest::newRow("NaN clock") << 10 << true << std::nan("") << QList<int>{};
    QTest::newRow("clock below a femtosecond") << 10 << true << 1e-17 << QList<int>{};
    QTest::newRow("bus on D48") << 10 << true << 0.0 << QList<int>{3, 48};
    QTest::newRow("bus on a negative channel") << 10 << true << 0.0 << QList<int>{-1};
    QTest::newRow("bus with a channel twice") << 10 << true << 0.0 << QList<int>{5, 4, 5};
    QTest::newRow("bus without channels") << 10 << true << 0.0 << QList<int>{-2};
}

void ExportFormatsTest::refusedCaptures()
{
    QFETCH(int, count);
    QFETCH(double, clock);
    QFETCH(bool, store);
    QFETCH(QList<int>, bus);
    test::GeneratedCapture generated(10, 2);
    if (!bus.isEmpty())
        generated.capture.annotations.buses = {{"B", bus == QList<int>{-2} ? std::vector<int>{} : std::vector<int>(bus.begin(), bus.end())}};
    generated.capture.nSampleCount = count;
    if (!store)
        generated.capture.pSamples = nullptr;
    if (clock != 0.0)
        generated.capture.dClockPeriod = clock;
    QVERIFY(!CheckExportable(generated.capture).empty());
    QTemporaryDir dir;
    for (const ExportFormat format : {ExportFormat::Vcd, ExportFormat::Csv, ExportFormat::SigrokSession}) {
        const std::string path = dir.filePath("out").toStdString() + ExportSuffix(format);
        const ExportResult result = ExportCapture(path, format, generated.capture);
        QVERIFY(!result);
        QVERIFY(result.strError.find(path) != std::string::npos);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

void ExportFormatsTest::failedExportLeavesNothing_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("vcd") << int(ExportFormat::Vcd);
    QTest::newRow("csv") << int(ExportFormat::Csv);
    QTest::newRow("sr") << int(ExportFormat::SigrokSession);
}

void ExportFormatsTest::failedExportLeavesNothing()
{
    QFETCH(int, format);
    const auto exportFormat = static_cast<ExportFormat>(format);
    test::GeneratedCapture generated(100, 5);
    QTemporaryDir dir;
    // A folder that does not exist.
    QVERIFY(!ExportCapture(dir.filePath("missing/out").toStdString() + ExportSuffix(exportFormat), exportFormat, generated.capture));
    // A target that is a folder.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken") + ExportSuffix(exportFormat)));
    const ExportResult onFolder =
        ExportCapture(dir.filePath("taken").toStdString() + ExportSuffix(exportFormat), exportFormat, generated.capture);
    QVERIFY(!onFolder);
    QVERIFY(!onFolder.strError.empty());
    // A read-only file stays as it was.
    const QString locked = dir.filePath("locked") + ExportSuffix(exportFormat);
    WriteFile(locked, "old");
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner));
    if (::geteuid() != 0)
        QVERIFY(!ExportCapture(locked.toStdString(), exportFormat, generated.capture));
    QCOMPARE(ReadFile(locked), ::geteuid() != 0 ? std::string("old") : ReadFile(locked));
    // No temporary file is left behind, and no save file for a dump that was not written.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, QStringList{QFileInfo(locked).fileName()});
}

void ExportFormatsTest::interruptedWriteKeepsTheEarlierFile()
{
    // A file-size limit makes the write fail part way, as a full disk would.
    QTemporaryDir dir;
    const QString path = dir.filePath("big.csv");
    WriteFile(path, "earlier export\n");
    test::GeneratedCapture generated(20'000, 9);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const ExportResult result = ExportCapture(path.toStdString(), ExportFormat::Csv, generated.capture);
    ::setrlimit(RLIMIT_FSIZE, &old);
    QVERIFY(!result);
    QVERIFY2(result.strError.find("too large") != std::string::npos, result.strError.c_str());
    QCOMPARE(ReadFile(path), std::string("earlier export\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void ExportFormatsTest::exportReplacesAnEarlierFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.vcd");
    WriteFile(path, QByteArray(1 << 20, 'x'));
    WriteFile(dir.filePath("a.gtkw"), "stale");
    test::GeneratedCapture generated(10, 4, 1e-3);
    const ExportResult result = ExportCapture(path.toStdString(), ExportFormat::Vcd, generated.capture);
    QVERIFY2(result, result.strError.c_str());
    QCOMPARE(ReadFile(path), Vcd(generated.capture));
    QVERIFY(ReadFile(dir.filePath("a.gtkw")).find("[dumpfile] \"" + path.toStdString() + "\"") != std::string::npos);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

QTEST_GUILESS_MAIN(ExportFormatsTest)
#include "ExportFormatsTest.moc"
