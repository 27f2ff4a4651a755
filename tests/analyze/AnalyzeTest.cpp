// veldran-analyze as a user runs it: each command's answer as JSON (nulls included) and as lines,
// its exit status, and clear errors for a wrong command line, a bad pattern or an unreadable file.

#include "tests/common/ListingBuilder.h"
#include "tests/common/PeerProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace veldran;

namespace {

const QString kProgram = QStringLiteral(VELDRAN_ANALYZE);
constexpr int kSamples = 100;

QProcessEnvironment Language(const char* language)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELDRAN_LANG"), QLatin1String(language));
    return environment;
}

// The capture: D0 ("clk") is high for 3 of every 10 samples, starting high; D1 is high at the first
// and the last sample only; D2 is always low; D3 rises once, at 50.
int Level(int channel, int n)
{
    switch (channel) {
    case 0: return n % 10 < 3;
    case 1: return n == 0 || n == kSamples - 1;
    case 3: return n >= 50;
    default: return 0;
    }
}

bool WriteCaptureFile(const QString& path)
{
    std::vector<test::Cells> cells(kSamples);
    for (int n = 0; n < kSamples; ++n)
        for (int channel = 0; channel < 4; ++channel)
            cells[static_cast<size_t>(n)][0] |= static_cast<unsigned>(Level(channel, n)) << channel;
    ChannelNames names;
    names[0] = "clk";
    names[5] = "clock in";
    return test::SaveListing(cells, names, QFile::encodeName(path).toStdString());
}

} // namespace

class AnalyzeTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_capture;

    test::ProcessRun Run(QStringList arguments, const char* language = "en") const
    {
        arguments.replaceInStrings(QStringLiteral("IN"), m_capture);
        return test::RunProcess(kProgram, arguments, Language(language));
    }

    // The one JSON object a run printed, its keys in the order given.
    static QJsonObject Json(const test::ProcessRun& run, const QStringList& keys)
    {
        const QJsonDocument document = QJsonDocument::fromJson(run.stdOut);
        if (!document.isObject())
            return {};
        QStringList order;
        for (const QString& key : keys)
            order << QString::number(run.stdOut.indexOf('"' + key.toUtf8() + '"'));
        QStringList sorted = order;
        std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        return order == sorted && document.object().keys().size() == keys.size() ? document.object() : QJsonObject{};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_capture = m_folder.filePath(QStringLiteral("bus.vxr"));
        QVERIFY(WriteCaptureFile(m_capture));
    }

    void manual()
    {
        const test::ProcessRun run = Run({QStringLiteral("--help")});
        QCOMPARE(run.nExitCode, 0);
        for (const char* part : {"SYNOPSIS\n", "EXIT STATUS\n", "find IN.vxr PATTERN", "--between X Y", "--clock PERIOD"})
            QVERIFY2(run.stdOut.contains(part), part);
    }

    // A match at either end is found from the default start; --from is never a match itself.
    void find_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<int>("exit");
        QTest::newRow("first, at sample 0") << QStringList{"D1=1"} << "match" << QVariant(0) << 0;
        QTest::newRow("--from 0") << QStringList{"D1=h", "--from", "0"} << "match" << QVariant(99) << 0;
        QTest::newRow("--previous, at the last") << QStringList{"d1=1", "--previous"} << "match" << QVariant(99) << 0;
        QTest::newRow("--previous --from") << QStringList{"D1=1", "--previous", "--from=99"} << "match" << QVariant(0) << 0;
        QTest::newRow("user name, edge") << QStringList{"clk=f,D3=1", "--from", "60"} << "match" << QVariant(63) << 0;
        QTest::newRow("bus") << QStringList{"D3..D0=0b1001"} << "match" << QVariant(50) << 0;
        QTest::newRow("none") << QStringList{"D2=1"} << "match" << QVariant::fromValue(nullptr) << 1;
        QTest::newRow("none after") << QStringList{"D1=1", "--from", "99"} << "match" << QVariant::fromValue(nullptr) << 1;
        QTest::newRow("--count") << QStringList{"clk=r", "--count"} << "count" << QVariant(9) << 0;
        QTest::newRow("--count none") << QStringList{"D2=h", "--count"} << "count" << QVariant(0) << 1;
        QTest::newRow("--all") << QStringList{"D1=1", "--all"} << "matches" << QVariant(QVariantList{0, 99}) << 0;
        QTest::newRow("--all none") << QStringList{"D2=1", "--all"} << "matches" << QVariant(QVariantList{}) << 1;
    }
    void find()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, key);
        QFETCH(QVariant, expected);
        QFETCH(int, exit);
        const test::ProcessRun run = Run(QStringList{"find", "IN"} + arguments + QStringList{"--json"});
        QCOMPARE(run.nExitCode, exit);
        QVERIFY2(run.stdErr.isEmpty(), run.stdErr.constData());
        const QJsonObject json = Json(run, {key});
        QVERIFY2(json.contains(key), run.stdOut.constData());
        QCOMPARE(json.value(key).toVariant(), expected);
        QVERIFY2(!run.stdOut.contains(".0"), run.stdOut.constData());

        // The same answer to read, in either language.
        const test::ProcessRun text = Run(QStringList{"find", "IN"} + arguments);
        QCOMPARE(text.nExitCode, exit);
        if (key == "match")
            QCOMPARE(text.stdOut, expected.isNull() ? QByteArray("no match\n") : "match " + QByteArray::number(expected.toInt()) + "\n");
        const test::ProcessRun korean = Run(QStringList{"find", "IN"} + arguments, "ko");
        if (key == "match" && !expected.isNull())
            QCOMPARE(korean.stdOut, QString("일치 %1\n").arg(expected.toInt()).toUtf8());
    }

    // The pulse of D0 around 15: falling edge at 13, rising at 20, falling at 23.
    void measure()
    {
        const QStringList keys{"level", "width", "period", "duty", "frequency_hz", "width_s", "period_s"};
        for (const QStringList& clock : {QStringList{}, QStringList{"--clock=OFF"}}) {
            const test::ProcessRun run = Run(QStringList{"measure", "IN", "clk", "--at", "15", "--json"} + clock);
            QCOMPARE(run.nExitCode, 0);
            QCOMPARE(run.stdOut, QByteArray("{\"level\": 0, \"width\": 7, \"period\": 10, \"duty\": 0.3, \"frequency_hz\": null, "
                                            "\"width_s\": null, \"period_s\": null}\n"));
            QVERIFY(!Json(run, keys).isEmpty());
        }
        const test::ProcessRun timed = Run({"measure", "IN", "D0", "--at", "15", "--clock", "40ns", "--json"});
        QCOMPARE(timed.nExitCode, 0);
        const QJsonObject json = Json(timed, keys);
        QCOMPARE(json.value("width_s").toDouble(), 7 * 40e-9);
        QCOMPARE(json.value("period_s").toDouble(), 10 * 40e-9);
        QCOMPARE(json.value("frequency_hz").toDouble(), 1 / (10 * 40e-9));
        // Each double reads back as the number the program had, not a rounded one.
        QCOMPARE(QByteArray::number(json.value("width_s").toDouble(), 'g', 17),
                 QByteArray::number(7.0 * 40e6 / 1e15, 'g', 17));
        const test::ProcessRun lines = Run({"measure", "IN", "D0", "--at", "15", "--clock", "40ns"});
        QVERIFY2(lines.stdOut.contains("width 7 samples (280 ns)\n") && lines.stdOut.contains("duty 30%\n") &&
                     lines.stdOut.contains("frequency 2.5 MHz\n"), lines.stdOut.constData());

        // D3 rises once: before it there is no e0, after it no e1; the level is the sample's.
        const test::ProcessRun before = Run({"measure", "IN", "D3", "--at", "10", "--clock", "1us", "--json"});
        QCOMPARE(before.stdOut, QByteArray("{\"level\": 0, \"width\": null, \"period\": null, \"duty\": null, "
                                           "\"frequency_hz\": null, \"width_s\": null, \"period_s\": null}\n"));
        const test::ProcessRun after = Run({"measure", "IN", "D3", "--at", "99", "--json"});
        QCOMPARE(Json(after, keys).value("level").toInt(), 1);
        QVERIFY(Json(after, keys).value("width").isNull());
        QCOMPARE(Run({"measure", "IN", "D3", "--at", "99"}).stdOut, QByteArray("level 1\nwidth none\nperiod none\nduty none\nfrequency none\n"));
    }

    // Edges e with min < e <= max: D0 rises at 10, 20 and falls at 13, 23 within (5, 25].
    void edges()
    {
        for (const QStringList& between : {QStringList{"5", "25"}, QStringList{"25", "5"}}) {
            const test::ProcessRun run = Run(QStringList{"edges", "IN", "clk", "--between"} + between + QStringList{"--json"});
            QCOMPARE(run.nExitCode, 0);
            QCOMPARE(run.stdOut, QByteArray("{\"rising\": 2, \"falling\": 2, \"total\": 4}\n"));
        }
        QCOMPARE(Run({"edges", "IN", "D0", "--between", "10", "13", "--json"}).stdOut,
                 QByteArray("{\"rising\": 0, \"falling\": 1, \"total\": 1}\n"));
        QCOMPARE(Run({"edges", "IN", "D3", "--between", "0", "99"}).stdOut, QByteArray("rising 1\nfalling 0\ntotal 1\n"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("nothing") << QStringList{} << QByteArray("name a command: find, measure, edges");
        QTest::newRow("unknown command") << QStringList{"seek", "IN", "D0=1"} << QByteArray("unknown command: seek");
        QTest::newRow("no pattern") << QStringList{"find", "IN"} << QByteArray("the find command needs CAPTURE PATTERN");
        QTest::newRow("too many") << QStringList{"find", "IN", "D0=1", "x"} << QByteArray("too many arguments: x");
        QTest::newRow("unknown channel in pattern") << QStringList{"find", "IN", "D0=1,D48=1"}
                                                    << QByteArray("Search pattern term \"D48=1\": unknown channel.");
        QTest::newRow("bad value") << QStringList{"find", "IN", "clk=x"} << QByteArray("term \"clk=x\": bad value");
        QTest::newRow("too wide") << QStringList{"find", "IN", "D1..D0=4"} << QByteArray("term \"D1..D0=4\": the value is wider");
        QTest::newRow("empty term") << QStringList{"find", "IN", "D0=1,"} << QByteArray("search pattern has an empty term");
        QTest::newRow("--count --all") << QStringList{"find", "IN", "D0=1", "--count", "--all"} << QByteArray("--count and --all cannot");
        QTest::newRow("--from past the end") << QStringList{"find", "IN", "D0=1", "--from", "100"}
                                             << QByteArray("sample 100 is outside the capture (samples 0..99)");
        QTest::newRow("--from not a number") << QStringList{"find", "IN", "D0=1", "--from", "-1"} << QByteArray("--from: '-1' is not a sample");
        QTest::newRow("option of another") << QStringList{"find", "IN", "D0=1", "--clock", "40ns"} << QByteArray("unknown option --clock");
        QTest::newRow("no --at") << QStringList{"measure", "IN", "D0"} << QByteArray("the measure command needs --at N");
        QTest::newRow("--at past the end") << QStringList{"measure", "IN", "D0", "--at", "100"} << QByteArray("sample 100 is outside");
        QTest::newRow("unknown channel") << QStringList{"measure", "IN", "clock", "--at", "1"} << QByteArray("unknown channel: clock");
        QTest::newRow("bad clock") << QStringList{"measure", "IN", "D0", "--at", "1", "--clock", "40"} << QByteArray("'40' is not a time");
        QTest::newRow("--clock twice") << QStringList{"measure", "IN", "D0", "--at", "1", "--clock", "1us", "--clock=2us"}
                                       << QByteArray("--clock");
        QTest::newRow("no --between") << QStringList{"edges", "IN", "D0"} << QByteArray("the edges command needs --between X Y");
        QTest::newRow("one sample") << QStringList{"edges", "IN", "D0", "--between", "5"} << QByteArray("--between needs a value");
        QTest::newRow("unreadable") << QStringList{"find", "missing.vxr", "D0=1"} << QByteArray("cannot read missing.vxr: ");
        QTest::newRow("listing: --to past the end") << QStringList{"listing", "IN", "--bus", "B=D0", "--to", "100"}
                                                    << QByteArray("sample 100 is outside the capture (samples 0..99)");
        QTest::newRow("listing: --from past the end") << QStringList{"listing", "IN", "--bus", "B=D0", "--from", "100"} << QByteArray("sample 100 is outside");
        QTest::newRow("listing: reversed") << QStringList{"listing", "IN", "--bus", "B=D0", "--from", "5", "--to", "4"}
                                           << QByteArray("The first sample 5 comes after the last sample 4.");
        QTest::newRow("listing: negative") << QStringList{"listing", "IN", "--bus", "B=D0", "--to", "-1"} << QByteArray("--to: '-1' is not a sample");
        QTest::newRow("listing: --to twice") << QStringList{"listing", "IN", "--bus", "B=D0", "--to", "1", "--to", "2"} << QByteArray("--to");
        QTest::newRow("listing: unknown radix") << QStringList{"listing", "IN", "--bus", "B=D0", "--radix", "octal"}
                                                << QByteArray("--radix 'octal': use hex, unsigned, signed, ascii or binary");
        QTest::newRow("listing: radix without bus") << QStringList{"listing", "IN", "--radix", "hex"} << QByteArray("--radix applies only to the buses given with --bus");
        QTest::newRow("listing: no equals") << QStringList{"listing", "IN", "--bus", "D7..D0"} << QByteArray("Bus definition \"D7..D0\" has no '='");
        QTest::newRow("listing: unknown channel") << QStringList{"listing", "IN", "--bus", "B=D48"} << QByteArray("Bus definition part \"D48\": unknown channel.");
        QTest::newRow("listing: --bus without value") << QStringList{"listing", "IN", "--bus"} << QByteArray("--bus needs a value");
        QTest::newRow("listing: option of another") << QStringList{"listing", "IN", "--bus", "B=D0", "--json"} << QByteArray("unknown option --json");
        QTest::newRow("listing: no capture") << QStringList{"listing"} << QByteArray("the listing command needs CAPTURE");
        QTest::newRow("--csv on find") << QStringList{"find", "IN", "D0=1", "--csv"} << QByteArray("unknown option --csv");
        QTest::newRow("listing: too many") << QStringList{"listing", "IN", "extra", "--bus", "B=D0"} << QByteArray("too many arguments: extra");
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const test::ProcessRun run = Run(arguments);
        QCOMPARE(run.nExitCode, 2);
        QVERIFY(run.stdOut.isEmpty());
        QVERIFY2(run.stdErr.startsWith("veldran-analyze: ") && run.stdErr.contains(message), run.stdErr.constData());
    }

    // What the user reads in Korean; a file that is no capture is refused as veldran-convert
    // refuses it.
    void messages()
    {
        const test::ProcessRun korean = Run({"find", "IN", "D0=1,D48=1"}, "ko");
        QCOMPARE(korean.nExitCode, 2);
        QVERIFY2(korean.stdErr.contains("검색 패턴의 항 \"D48=1\": 알 수 없는 채널입니다."), korean.stdErr.constData());

        const QString text = m_folder.filePath(QStringLiteral("notes.vxr"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a capture\n") > 0);
        file.close();
        const test::ProcessRun analyze = Run({"edges", text, "D0", "--between", "0", "1"});
        const test::ProcessRun convert = test::RunProcess(QStringLiteral(VELDRAN_CONVERT), {text, m_folder.filePath("out.vcd")}, Language("en"));
        QCOMPARE(analyze.nExitCode, 2);
        QVERIFY2(analyze.stdErr.contains("not a VELDRAN capture file"), analyze.stdErr.constData());
        QCOMPARE(analyze.stdErr.mid(analyze.stdErr.indexOf(':')), convert.stdErr.mid(convert.stdErr.indexOf(':')));
    }
};

QTEST_GUILESS_MAIN(AnalyzeTest)
#include "AnalyzeTest.moc"
