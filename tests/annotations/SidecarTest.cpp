// The sidecar file beside a capture: what it keeps across a write and a read (Korean text, line
// breaks and tabs, sections this version does not know), damage refused whole with its line,
// markers and buses that do not fit the capture dropped with the rest kept, limits, and failures.

#include "annotations/SidecarFile.h"
#include "files/FileWriter.h"
#include "tests/annotations/AnnotationsFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace veldran;

namespace {

constexpr int64_t kSamples = test::kSamples;

CaptureAnnotations Sample()
{
    CaptureAnnotations annotations;
    annotations.buses.push_back({"데이터 버스", {15, 14, 13, 12, 11, 10, 9, 8}, ERadix::Hex});
    annotations.buses.push_back({"a\tb\\c", {0, 47, 3}, ERadix::Signed});
    annotations.buses.push_back({"글자", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Ascii});
    Marker start;
    start.nSample = 0;
    start.strLabel = "시작\t점";
    start.strNote = "첫 줄\n둘째 줄\r\n\t들여 쓴 줄 \\n 그대로";
    start.nColour = 0x00A0FF;
    Marker last;
    last.nSample = kSamples - 1;
    last.strLabel = std::string(64, 'x');
    annotations.markers = {start, last};
    annotations.extras.push_back({"decoders", {"uart D0 9600 8N1", "", "[not a header]", "bus\tlooks like a record", "\tmore"}});
    annotations.extras.push_back({"이름 없는 절", {}});
    return annotations;
}

std::string Source(const std::optional<Message>& message)
{
    return message ? SourceText(*message) : std::string();
}

} // namespace

class SidecarTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    std::string Path(const char* name) const { return (m_dir.path() + '/' + name).toStdString(); }

    std::string Written(const char* name, const std::string& bytes) const
    {
        const std::string path = Path(name);
        if (ReplaceFileContents(path, bytes) != 0)
            qFatal("cannot write %s", path.c_str());
        return path;
    }

private slots:
    void roundTrip()
    {
        const std::string capture = Path("capture.vxr");
        const std::string path = SidecarPath(capture);
        QCOMPARE(path, capture + ".veldran");
        const CaptureAnnotations annotations = Sample();
        QCOMPARE(Source(WriteSidecar(path, annotations)), std::string());
        const SidecarRead read = ReadSidecar(path, kSamples);
        QCOMPARE(Source(read.message), std::string());
        QVERIFY(read.annotations == annotations);
        // One record a line, channels in D-form whatever the user named them.
        const std::string text = SidecarText(annotations);
        QVERIFY(text.rfind("veldran-annotations 1\nbus\t데이터 버스\thex\tD15,D14,D13,D12,D11,D10,D9,D8\n", 0) == 0);
        QVERIFY(text.find("bus\ta\\tb\\\\c\tsigned\tD0,D47,D3\n") != std::string::npos);
        QVERIFY(text.find("marker\t0\t#00A0FF\t시작\\t점\t첫 줄\\n둘째 줄\\r\\n\\t들여 쓴 줄 \\\\n 그대로\n") != std::string::npos);
    }

    void unknownSectionsKeptAsTheyAre()
    {
        // A file of a later version: a section this one does not read, kept byte for byte.
        const std::string bytes = "veldran-annotations 1\n"
                                  "bus\tADDR\tunsigned\tD3,D2,D1,D0\n"
                                  "marker\t5\t#ff0000\tedge\t\n"
                                  "section\tdecoders\n"
                                  "\ti2c sda=D1 scl=D2\n"
                                  "\t\n"
                                  "\t\tindented \\n not an escape\n"
                                  "section\tviews\n";
        const SidecarRead read = ReadSidecar(Written("later.veldran", bytes), kSamples);
        QCOMPARE(Source(read.message), std::string());
        QCOMPARE(read.annotations.extras.size(), size_t{2});
        QCOMPARE(read.annotations.extras[0].lines,
                 (std::vector<std::string>{"i2c sda=D1 scl=D2", "", "\tindented \\n not an escape"}));
        std::string expected = bytes;
        expected.replace(expected.find("#ff0000"), 7, "#FF0000");
        QCOMPARE(SidecarText(read.annotations), expected);
    }

    void crlfAndEmptyLinesRead()
    {
        const SidecarRead read = ReadSidecar(
            Written("crlf.veldran", "veldran-annotations 1\r\n\r\nmarker\t3\t#010203\tA\tB\r\n"), kSamples);
        QCOMPARE(Source(read.message), std::string());
        QCOMPARE(read.annotations.markers.size(), size_t{1});
        QCOMPARE(read.annotations.markers[0].strNote, std::string("B"));
        QCOMPARE(read.annotations.markers[0].nColour, uint32_t{0x010203});
    }

    void damageRefusedWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason"); // the source text that follows, if any
        const QByteArray good = "veldran-annotations 1\nbus\tB\thex\tD1,D0\nsection\tkept\n\tline\n";
        QTest::newRow("empty file") << QByteArray() << 1 << "첫 줄이 \"veldran-annotations 1\"이어야 합니다.";
        QTest::newRow("other file") << QByteArray("VELDRAN 1.0\n") << 1 << "첫 줄이 \"veldran-annotations 1\"이어야 합니다.";
        QTest::newRow("later version") << QByteArray("veldran-annotations 2\n") << 1
                                       << "이 프로그램이 모르는 판(2)의 주석 파일입니다.";
        QTest::newRow("bad colour") << good + "marker\t1\t#12345G\tL\tN\n" << 5 << "";
        QTest::newRow("negative sample") << good + "marker\t-1\t#123456\tL\tN\n" << 5 << "";
        QTest::newRow("missing field") << good + "marker\t1\t#123456\tL\n" << 5 << "";
        QTest::newRow("bad escape") << good + "marker\t1\t#123456\tL\\q\tN\n" << 5 << "";
        QTest::newRow("escape cut off") << good + "marker\t1\t#123456\tL\tN\\\n" << 5 << "";
        QTest::newRow("carriage return not escaped") << good + "marker\t1\t#123456\tL\rM\tN\n" << 5 << "";
        QTest::newRow("unknown radix") << "veldran-annotations 1\nbus\tB\toctal\tD1\n" + good.mid(22) << 2 << "";
        QTest::newRow("channel not in D-form") << QByteArray("veldran-annotations 1\n\nbus\tB\thex\tD1,clk\n") << 3 << "";
        QTest::newRow("channel twice") << QByteArray("veldran-annotations 1\nbus\tB\thex\tD1,D1\n") << 2 << "";
        QTest::newRow("no channels") << QByteArray("veldran-annotations 1\nbus\tB\thex\t\n") << 2 << "";
        QTest::newRow("section line without a section") << QByteArray("veldran-annotations 1\n\torphan\n") << 2 << "";
        QTest::newRow("section line after a record") << good + "bus\tC\thex\tD2\n\tlate\n" << 6 << "";
        QTest::newRow("unknown record") << good + "group\tX\n" << 5 << "";
    }
    void damageRefusedWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const std::string path = Written("damaged.veldran", bytes.toStdString());
        const SidecarRead read = ReadSidecar(path, kSamples);
        QVERIFY(read.annotations.Empty());
        Message expected(text::kSidecarDamaged, {path, MessageNumber(line)});
        std::string text = SourceText(expected);
        if (!reason.isEmpty())
            text += "\n" + reason.toStdString();
        QCOMPARE(Source(read.message), text);
    }

    void whatDoesNotFitDroppedRestKept()
    {
        const std::string path = Written("partly.veldran", "veldran-annotations 1\n"
                                                           "bus\tLOW\thex\tD1,D0\n"
                                                           "bus\tWIDE\thex\tD48,D0\n"
                                                           "bus\t넓은\tbinary\tD99\n"
                                                           "marker\t7\t#000000\tlast\t\n"
                                                           "marker\t8\t#000000\tpast the end\t\n"
                                                           "marker\t900000000000\t#000000\tfar\t\n"
                                                           "section\tkept\n\tline\n");
        const SidecarRead read = ReadSidecar(path, kSamples);
        QCOMPARE(read.annotations.buses.size(), size_t{1});
        QCOMPARE(read.annotations.buses[0].strName, std::string("LOW"));
        QCOMPARE(read.annotations.markers.size(), size_t{1});
        QCOMPARE(read.annotations.markers[0].nSample, int64_t{7});
        QCOMPARE(read.annotations.extras.size(), size_t{1});
        QCOMPARE(Source(read.message), "주석 파일 " + path + "의 일부를 쓰지 않았습니다.\n"
                                        "캡처 밖에 있는 마커 2개를 버렸습니다 (캡처는 샘플 8개).\n"
                                        "캡처에 없는 채널을 쓰는 버스를 버렸습니다: WIDE, 넓은");
    }

    void longLabelsCutWhenRead()
    {
        std::string label;
        for (int i = 0; i < 70; ++i)
            label += "가";
        const std::string path = Written("labels.veldran", "veldran-annotations 1\nmarker\t1\t#000000\t" + label + "\t\n");
        const SidecarRead read = ReadSidecar(path, kSamples);
        QCOMPARE(read.annotations.markers.size(), size_t{1});
        QCOMPARE(read.annotations.markers[0].strLabel, label.substr(0, 64 * 3));
        QCOMPARE(Source(read.message), "주석 파일 " + path + "의 일부를 쓰지 않았습니다.\n"
                                        "마커 이름 1개가 너무 길어 64자로 줄였습니다.");
    }

    void missingFileSilentUnreadableReported()
    {
        const SidecarRead missing = ReadSidecar(Path("none.vxr.veldran"), kSamples);
        QVERIFY(missing.annotations.Empty());
        QVERIFY(!missing.message);
        const std::string folder = m_dir.path().toStdString();
        const SidecarRead folderRead = ReadSidecar(folder, kSamples);
        QVERIFY(folderRead.message);
        QCOMPARE(folderRead.message->id, text::kCannotReadAnnotations);
    }

    void limitsRefusedWhenRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QByteArray markers = "veldran-annotations 1\n";
        for (size_t i = 0; i <= kMaxMarkers; ++i)
            markers += "marker\t1\t#000000\t\t\n";
        QTest::newRow("one marker too many") << markers << int(kMaxMarkers) + 2;
        QByteArray buses = "veldran-annotations 1\n";
        for (size_t i = 0; i <= kMaxBuses; ++i)
            buses += "bus\tB\thex\tD48\n"; // dropped ones count too
        QTest::newRow("one bus too many") << buses << int(kMaxBuses) + 2;
        QTest::newRow("line too long") << "veldran-annotations 1\nsection\ts\n\t" + QByteArray(kMaxSidecarLineBytes, 'x') + "\n" << 3;
        QTest::newRow("note too long") << "veldran-annotations 1\nmarker\t1\t#000000\t\t" + QByteArray(kMaxNoteBytes + 1, 'n') << 2;
        QByteArray huge = "veldran-annotations 1\nsection\ts\n";
        const QByteArray line = "\t" + QByteArray(1022, 'x') + "\n";
        while (size_t(huge.size()) <= kMaxSidecarBytes)
            huge += line;
        // The line that holds the first byte beyond the limit: lines of 1024 bytes after 32 of
        // the first two lines.
        QTest::newRow("file too long") << huge << int(3 + (kMaxSidecarBytes - 32) / 1024);
    }
    void limitsRefusedWhenRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        const std::string path = Written("limits.veldran", bytes.toStdString());
        const SidecarRead read = ReadSidecar(path, kSamples);
        QVERIFY(read.annotations.Empty());
        QVERIFY(read.message);
        QCOMPARE(*read.message, Message(text::kSidecarOverLimit, {path, MessageNumber(line)}).Then(AnnotationLimitsMessage()));
    }

    void limitsRefusedWhenWrittenOldFileKept()
    {
        const std::string path = Path("kept.veldran");
        QVERIFY(!WriteSidecar(path, Sample()));
        CaptureAnnotations tooMany;
        tooMany.markers.resize(kMaxMarkers + 1);
        CaptureAnnotations badBus;
        badBus.buses.push_back({"B", {3, 3}, ERadix::Hex});
        for (const CaptureAnnotations& refused : {tooMany, badBus}) {
            const std::optional<Message> message = WriteSidecar(path, refused);
            QVERIFY(message);
            QCOMPARE(*message, Message(text::kCannotSaveAnnotations, {path}).Then(AnnotationLimitsMessage()));
            QVERIFY(ReadSidecar(path, kSamples).annotations == Sample());
        }
        const std::string nowhere = Path("no such folder/x.veldran");
        const std::optional<Message> failed = WriteSidecar(nowhere, Sample());
        QVERIFY(failed);
        QCOMPARE(*failed, Message(text::kCannotSaveAnnotations, {nowhere, ErrorText(ENOENT)}));
    }

    void markerLabelAndNoteLimits()
    {
        Marker marker;
        std::string label;
        for (int i = 0; i < 64; ++i)
            label += "가";
        QVERIFY(!SetMarkerLabel(marker, label));
        QCOMPARE(marker.strLabel, label);
        const std::optional<Message> refused = SetMarkerLabel(marker, label + "a");
        QVERIFY(refused);
        QCOMPARE(SourceText(*refused), std::string("마커 이름은 64자까지 쓸 수 있습니다."));
        QCOMPARE(marker.strLabel, label);
        QVERIFY(!SetMarkerNote(marker, std::string(kMaxNoteBytes, 'n')));
        QVERIFY(SetMarkerNote(marker, std::string(kMaxNoteBytes + 1, 'n')));
        QCOMPARE(marker.strNote.size(), kMaxNoteBytes);
    }
};

QTEST_GUILESS_MAIN(SidecarTest)
#include "SidecarTest.moc"
