// The decode library on its own: its catalogue against sigrok-cli's description of the same
// decoders, every reason a request is refused (and that a refused run decodes nothing), a run's
// annotations, progress and cancel, a decoder's Python exception, two runs from two threads, and
// the store's string table and its measure.

#include "decode/AnnotationStore.h"
#include "decode/DecodeRun.h"
#include "decode/DecoderCatalogue.h"
#include "tests/common/PeerProcess.h"
#include "tests/common/ProtocolWaves.h"

#include <QRegularExpression>
#include <QTest>

#include <thread>

using namespace veldran;
using namespace veldran::test;

Q_DECLARE_METATYPE(veldran::DecodeRequest)

namespace {

constexpr uint64_t kMicrosecond = 1000000000; // femtoseconds

struct UartCapture {
    std::vector<uint8_t> levels;
    std::vector<uint8_t> bytes;
    DecodeRequest request;

    UartCapture(int count, std::optional<uint64_t> clockFs = kMicrosecond)
    {
        CWaves waves(1);
        waves.Hold(20);
        for (int i = 0; i < count; ++i) {
            bytes.push_back(static_cast<uint8_t>(i * 37 + 11));
            AppendUartByte(waves, 0, bytes.back(), 10.0, Parity::None);
            waves.Hold(3);
        }
        waves.Hold(30);
        levels = waves.Levels();
        request.capture.store = {levels.data(), waves.Count()};
        request.capture.nClockFs = clockFs;
        request.capture.names[4] = "Bus Rx";
        request.stacks.push_back({{"uart", {{"baudrate", "100000"}}, {{"rx", "D0"}}}});
    }
};

// The rx-data texts of a run, in order.
QStringList DataTexts(const CAnnotationStore& store)
{
    QStringList texts;
    for (const DecodedAnnotation& annotation : store.Annotations())
        if (store.ClassId(annotation) == "rx-data")
            texts << QString::fromStdString(std::string(store.Text(annotation, 0)));
    return texts;
}

QStringList Hex(const std::vector<uint8_t>& bytes)
{
    QStringList texts;
    for (const uint8_t byte : bytes)
        texts << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    return texts;
}

// sigrok-cli --show of a decoder, in the catalogue's terms: "- id: ..." lines by section.
QMap<QString, QStringList> SigrokSections(const QByteArray& shown)
{
    QMap<QString, QStringList> sections;
    QString section;
    for (const QString& line : QString::fromUtf8(shown).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char(':')) && !line.startsWith(QLatin1Char('-')))
            section = line.chopped(1);
        else if (line.startsWith(QLatin1String("- ")))
            sections[section] << line.mid(2);
        else if (line.contains(QLatin1String(": ")) && !line.startsWith(QLatin1Char('-')))
            sections[line.section(QStringLiteral(": "), 0, 0)] << line.section(QStringLiteral(": "), 1);
    }
    return sections;
}

// An option value as sigrok-cli shows it: strings in quotes, numbers as numbers.
QString ShownValue(const DecoderOptionInfo& option, const std::string& value)
{
    if (option.kind == DecoderOptionKind::Text)
        return QStringLiteral("'%1'").arg(QString::fromStdString(value));
    if (option.kind == DecoderOptionKind::Number)
        return QString::number(std::stod(value), 'f', 1);
    return QString::fromStdString(value);
}

QStringList CatalogueSections(const DecoderInfo& decoder, const QString& section)
{
    QStringList lines;
    const auto s = [](const std::string& text) { return QString::fromStdString(text); };
    if (section == QLatin1String("Annotation classes"))
        for (const AnnotationClassInfo& cls : decoder.classes)
            lines << s(cls.strId) + ": " + s(cls.strDescription);
    if (section == QLatin1String("Annotation rows"))
        for (const AnnotationRowInfo& row : decoder.rows) {
            QStringList classes;
            for (const int cls : row.classes)
                classes << s(decoder.classes[static_cast<size_t>(cls)].strId);
            lines << s(row.strId) + " (" + s(row.strDescription) + "): " + classes.join(QStringLiteral(", "));
        }
    for (const auto& [name, channels] : {std::pair{"Required channels", &decoder.channels}, std::pair{"Optional channels", &decoder.optionalChannels}})
        if (section == QLatin1String(name))
            for (const DecoderChannelInfo& channel : *channels)
                lines << s(channel.strId) + " (" + s(channel.strName) + "): " + s(channel.strDescription);
    if (section == QLatin1String("Options"))
        for (const DecoderOptionInfo& option : decoder.options) {
            QStringList values;
            for (const std::string& allowed : option.allowed)
                values << ShownValue(option, allowed);
            values << "default " + ShownValue(option, option.strDefault);
            lines << s(option.strId) + ": " + s(option.strDescription) + " (" + values.join(QStringLiteral(", ")) + ")";
        }
    return lines;
}

} // namespace

class DecodeLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void catalogueAsSigrokShowsIt_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("needsSampleRate");
        QTest::newRow("uart") << "uart" << true;
        QTest::newRow("i2c") << "i2c" << false;
        QTest::newRow("spi") << "spi" << false;
        QTest::newRow("midi, stacked") << "midi" << false;
    }
    void catalogueAsSigrokShowsIt()
    {
        QFETCH(QString, id);
        QFETCH(bool, needsSampleRate);
        const DecoderCatalogue& catalogue = InstalledDecoders();
        QVERIFY2(catalogue.strError.empty(), catalogue.strError.c_str());
        QVERIFY(catalogue.decoders.size() > 50);
        const DecoderInfo* decoder = catalogue.Find(id.toStdString());
        QVERIFY(decoder);
        QCOMPARE(FindInstalledDecoder(id.toStdString())->strLongName, decoder->strLongName);
        QCOMPARE(decoder->bNeedsSampleRate, needsSampleRate);

        const ProcessRun shown = RunProcess(QStringLiteral("sigrok-cli"), {"-P", id, "--show"});
        if (!shown.bStarted)
            QSKIP("sigrok-cli is missing: scripts/install-deps.sh installs it");
        const QMap<QString, QStringList> sections = SigrokSections(shown.stdOut);
        QCOMPARE(sections.value("ID"), QStringList{id});
        QCOMPARE(sections.value("Name"), QStringList{QString::fromStdString(decoder->strName)});
        QCOMPARE(sections.value("Long name"), QStringList{QString::fromStdString(decoder->strLongName)});
        QCOMPARE(sections.value("Description"), QStringList{QString::fromStdString(decoder->strDescription)});
        QCOMPARE(sections.value("Possible decoder input IDs").join(','), QString::fromStdString(decoder->inputs.front()));
        for (const char* section : {"Annotation classes", "Annotation rows", "Required channels", "Optional channels", "Options"})
            QCOMPARE(CatalogueSections(*decoder, section), sections.value(section));
        QVERIFY(!catalogue.Find("no_such_decoder"));
        QVERIFY(!FindInstalledDecoder("../uart"));
    }

    // Each way a request can be wrong, found before anything runs.
    void refusedRequests_data()
    {
        QTest::addColumn<QList<DecoderStack>>("stacks");
        QTest::addColumn<bool>("clock");
        QTest::addColumn<QString>("expected"); // the screen text, or empty for a request that runs
        const DecoderSetting uart{"uart", {}, {{"rx", "D0"}}};
        QTest::newRow("runs") << QList<DecoderStack>{{uart}} << true << QString();
        QTest::newRow("user name, any case") << QList<DecoderStack>{{{"uart", {}, {{"rx", "bus rx"}}}}} << true << QString();
        QTest::newRow("no stack") << QList<DecoderStack>{} << true << text::kDecodeNoDecoder;
        QTest::newRow("empty stack") << QList<DecoderStack>{{uart}, {}} << true << text::kDecodeNoDecoder;
        QTest::newRow("unknown decoder") << QList<DecoderStack>{{{"uartx", {}, {}}}} << true << text::kDecodeUnknownDecoder;
        QTest::newRow("unknown option") << QList<DecoderStack>{{{"uart", {{"speed", "1"}}, {}}}} << true << text::kDecodeUnknownOption;
        QTest::newRow("integer") << QList<DecoderStack>{{{"uart", {{"baudrate", "9600.5"}}, {}}}} << true << text::kDecodeOptionNotInteger;
        QTest::newRow("number") << QList<DecoderStack>{{{"uart", {{"stop_bits", "one"}}, {}}}} << true << text::kDecodeOptionNotNumber;
        QTest::newRow("not allowed") << QList<DecoderStack>{{{"uart", {{"data_bits", "4"}}, {}}}} << true << text::kDecodeOptionNotAllowed;
        QTest::newRow("allowed number, other spelling")
            << QList<DecoderStack>{{{"uart", {{"stop_bits", "1.50"}, {"data_bits", "+7"}}, {{"rx", "D0"}}}}} << true << QString();
        QTest::newRow("twice") << QList<DecoderStack>{{{"uart", {{"baudrate", "1"}, {"baudrate", "2"}}, {}}}} << true << text::kDecodeRepeatedSetting;
        QTest::newRow("unknown channel") << QList<DecoderStack>{{{"uart", {}, {{"rxd", "D0"}}}}} << true << text::kDecodeUnknownChannel;
        QTest::newRow("missing channel") << QList<DecoderStack>{{{"i2c", {}, {{"scl", "D0"}}}}} << true << text::kDecodeMissingChannel;
        QTest::newRow("no such capture channel") << QList<DecoderStack>{{{"uart", {}, {{"rx", "D48"}}}}} << true << text::kDecodeNotCaptureChannel;
        QTest::newRow("channels above") << QList<DecoderStack>{{uart, {"midi", {}, {{"rx", "D1"}}}}} << true << text::kDecodeStackedChannels;
        QTest::newRow("not stackable") << QList<DecoderStack>{{uart, {"eeprom24xx", {}, {}}}} << true << text::kDecodeNotStackable;
        QTest::newRow("needs a decoder below") << QList<DecoderStack>{{{"midi", {}, {}}}} << true << text::kDecodeNeedsDecoderBelow;
        QTest::newRow("clock OFF, uart") << QList<DecoderStack>{{uart}} << false << text::kDecodeNeedsClock;
        QTest::newRow("clock OFF, i2c runs") << QList<DecoderStack>{{{"i2c", {}, {{"scl", "D0"}, {"sda", "D1"}}}}} << false << QString();
    }
    void refusedRequests()
    {
        QFETCH(QList<DecoderStack>, stacks);
        QFETCH(bool, clock);
        QFETCH(QString, expected);
        UartCapture capture(3, clock ? std::optional<uint64_t>(kMicrosecond) : std::nullopt);
        capture.request.stacks.assign(stacks.begin(), stacks.end());
        const std::optional<Message> checked = CheckDecodeRequest(capture.request);
        QCOMPARE(checked ? QString::fromUtf8(checked->id) : QString(), expected);
        const DecodeOutcome outcome = RunDecode(capture.request);
        QCOMPARE(outcome.error ? QString::fromUtf8(outcome.error->id) : QString(), expected);
        if (!expected.isEmpty()) {
            QCOMPARE(outcome.nSamplesSent, 0);
            QCOMPARE(outcome.annotations.Count(), size_t(0));
        }
    }

    void runsWithProgressAndCancel()
    {
        UartCapture capture(40);
        std::vector<int64_t> progress;
        DecodeControl control;
        control.nChunkSamples = 1000;
        control.onProgress = [&](int64_t sent, int64_t total) {
            QCOMPARE(total, capture.request.capture.store.nCount);
            progress.push_back(sent);
        };
        const DecodeOutcome whole = RunDecode(capture.request, control);
        QVERIFY(!whole.error && !whole.bCancelled);
        QCOMPARE(DataTexts(whole.annotations), Hex(capture.bytes));
        QCOMPARE(whole.nSamplesSent, capture.request.capture.store.nCount);
        QCOMPARE(progress.size(), size_t((whole.nSamplesSent + 999) / 1000));
        QCOMPARE(progress.back(), whole.nSamplesSent);
        const DecodedAnnotation& first = whole.annotations.At(0);
        QCOMPARE(whole.annotations.DecoderId(first), std::string("uart"));
        QCOMPARE(whole.annotations.DecoderInstance(first), std::string("uart-1"));
        QCOMPARE(whole.annotations.RowName(first), std::string_view("RX"));
        QCOMPARE(whole.annotations.ClassName(first), std::string("RX start bits"));
        QCOMPARE(first.nStart, 20);

        // Cancelled after the second chunk: what came before is kept, nothing after is sent.
        std::atomic<bool> cancel{false};
        control.pCancel = &cancel;
        control.onProgress = [&](int64_t sent, int64_t) { cancel = sent >= 2000; };
        const DecodeOutcome part = RunDecode(capture.request, control);
        QVERIFY(part.bCancelled && !part.error);
        QCOMPARE(part.nSamplesSent, 2000);
        const QStringList partTexts = DataTexts(part.annotations);
        QVERIFY(!partTexts.isEmpty() && partTexts.size() < static_cast<qsizetype>(capture.bytes.size()));
        QCOMPARE(partTexts, Hex(capture.bytes).mid(0, partTexts.size()));
    }

    // Python's exception reaches the message, with the decoder named.
    void pythonException()
    {
        UartCapture capture(3);
        capture.request.stacks = {{{"uart", {{"baudrate", "0"}}, {{"rx", "D0"}}}}};
        const DecodeOutcome outcome = RunDecode(capture.request);
        QVERIFY(outcome.error);
        QCOMPARE(outcome.error->id, text::kDecodeSessionFailed);
        const std::string said = SourceText(*outcome.error);
        QVERIFY2(said.find("ZeroDivisionError") != std::string::npos && said.find("uart-1") != std::string::npos, said.c_str());
        // The library is usable after it.
        QCOMPARE(DataTexts(RunDecode(UartCapture(3).request).annotations), Hex(UartCapture(3).bytes));
    }

    // A decoder that raises while it decodes (spi wants MISO or MOSI besides its clock): the run
    // stops there, and the message names the decoder with the exception from its thread.
    void decoderRaisesWhileDecoding()
    {
        UartCapture capture(3);
        capture.request.stacks = {{{"spi", {}, {{"clk", "D0"}}}}};
        DecodeControl control;
        control.nChunkSamples = 100;
        const DecodeOutcome outcome = RunDecode(capture.request, control);
        QVERIFY(outcome.error);
        QCOMPARE(outcome.error->id, text::kDecodeDecoderFailed);
        QCOMPARE(outcome.error->args, (std::vector<std::string>{"spi-1", "0"}));
        const std::string said = SourceText(*outcome.error);
        QVERIFY2(said.find("ChannelError") != std::string::npos && said.find("MISO or MOSI") != std::string::npos, said.c_str());
        QCOMPARE(outcome.nSamplesSent, 0);
        QCOMPARE(outcome.annotations.Count(), size_t(0));
    }

    // Runs from two threads take turns with the one library.
    void twoThreads()
    {
        const UartCapture one(30);
        const UartCapture two(50);
        DecodeOutcome first;
        std::thread other([&] { first = RunDecode(one.request); });
        const DecodeOutcome second = RunDecode(two.request);
        other.join();
        QCOMPARE(DataTexts(first.annotations), Hex(one.bytes));
        QCOMPARE(DataTexts(second.annotations), Hex(two.bytes));
    }

    void storeInternsTexts()
    {
        const DecoderInfo* uart = FindInstalledDecoder("uart");
        QVERIFY(uart);
        CAnnotationStore store;
        store.SetDecoders({{uart, "uart-1"}});
        const char* const bit[] = {"Start bit", "Start", "S"};
        for (int i = 0; i < 10000; ++i) {
            const std::string value = std::to_string(i / 2 % 256);
            const char* const data[] = {value.c_str()};
            store.Add(10000 - i, 10001 - i, 0, i % 2 ? 2 : 0, i % 2 ? bit : data, i % 2 ? 3 : 1);
        }
        QCOMPARE(store.Count(), size_t(10000));
        QCOMPARE(store.DistinctTexts(), size_t(256 + 3));
        QVERIFY2(store.BytesUsed() < 1024 * 1024, std::to_string(store.BytesUsed()).c_str());
        QCOMPARE(store.Text(store.At(1), 2), std::string_view("S"));
        QCOMPARE(store.Text(store.At(1), 3), std::string_view());
        QCOMPARE(store.Text(store.At(254), 0), std::string_view("127"));
        QCOMPARE(store.RowId(store.At(0)), std::string_view("rx-data"));

        // Long texts count in the measure.
        const size_t before = store.BytesUsed();
        const std::string long_(200, 'x');
        for (int i = 0; i < 100; ++i) {
            const std::string text = long_ + std::to_string(i);
            const char* const texts[] = {text.c_str()};
            store.Add(0, 1, 0, 0, texts, 1);
        }
        QVERIFY(store.BytesUsed() >= before + 100 * 200);

        // A copy interns into its own table: a known text adds no text, the original is untouched.
        CAnnotationStore copy;
        copy = store;
        store.Clear();
        const char* const again[] = {"Start bit"};
        copy.Add(5, 6, 0, 0, again, 1);
        QCOMPARE(copy.DistinctTexts(), size_t(256 + 3 + 100));
        QCOMPARE(copy.Text(copy.At(copy.Count() - 1), 0), std::string_view("Start bit"));
        QCOMPARE(store.Count(), size_t(0));
        store = std::move(copy);

        store.SortByStart();
        for (size_t i = 1; i < store.Count(); ++i)
            QVERIFY(store.At(i - 1).nStart <= store.At(i).nStart);
        // Those that start together keep their order: the long texts, added in order, at sample 0.
        QCOMPARE(store.Text(store.At(1), 0), std::string_view(long_ + "1"));
    }
};

QTEST_GUILESS_MAIN(DecodeLibraryTest)
#include "DecodeLibraryTest.moc"
