// veldran-analyze listing as a user runs it: bus values in every radix at samples worked out by
// hand, the time column, the range, the table to read in either language, the buses of the
// capture's sidecar file, and clear refusals of a wrong command line or a damaged sidecar.

#include "annotations/SidecarFile.h"
#include "tests/common/ByteStreamCapture.h"
#include "tests/common/PeerProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace veldran;

namespace {

constexpr int kSamples = 100;

QProcessEnvironment Language(const char* language)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELDRAN_LANG"), QLatin1String(language));
    return environment;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The CSV rows by their sample number; the header under -1.
QMap<int, QByteArray> Rows(const QByteArray& csv)
{
    QMap<int, QByteArray> rows;
    const QList<QByteArray> lines = csv.split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray line = lines[i].chopped(1); // each ends in CR LF
        rows.insert(i == 0 ? -1 : line.left(line.indexOf(',')).toInt(), line);
    }
    return rows;
}

} // namespace

class ListingCommandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    QString m_capture;

    test::ProcessRun Run(QStringList arguments, const char* language = "en") const
    {
        return test::RunProcess(QStringLiteral(VELDRAN_ANALYZE), QStringList{"listing", m_capture} + arguments, Language(language));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_capture = m_folder.filePath(QStringLiteral("stream.vxr"));
        QVERIFY(test::SaveByteStreamCapture(kSamples, QFile::encodeName(m_capture).toStdString()));
    }

    void init() { QFile::remove(QString::fromStdString(SidecarPath(m_capture.toStdString()))); }

    // Bus D7..D0 is 0x80 | the stream's byte while D7 is high: sample 0 'V' with D7 (0xD6), 3 'D'
    // (0x44), 7 ' ' (0x20), 9 '~' (0x7E), 11 0x01 with D7 (0x81), 22 '~' with D7 (0xFE).
    void radixes_data()
    {
        QTest::addColumn<QStringList>("radix");
        QTest::addColumn<QByteArrayList>("values"); // at samples 0, 3, 7, 9, 11, 22
        QTest::newRow("default hex") << QStringList{} << QByteArrayList{"D6", "44", "20", "7E", "81", "FE"};
        QTest::newRow("hex") << QStringList{"--radix", "hex"} << QByteArrayList{"D6", "44", "20", "7E", "81", "FE"};
        QTest::newRow("unsigned") << QStringList{"--radix=unsigned"} << QByteArrayList{"214", "68", "32", "126", "129", "254"};
        QTest::newRow("signed") << QStringList{"--radix", "signed"} << QByteArrayList{"-42", "68", "32", "126", "-127", "-2"};
        QTest::newRow("ascii") << QStringList{"--radix", "ascii"} << QByteArrayList{".", "D", "\" \"", "~", ".", "."};
        QTest::newRow("binary") << QStringList{"--radix", "binary"}
                                << QByteArrayList{"11010110", "01000100", "00100000", "01111110", "10000001", "11111110"};
    }
    void radixes()
    {
        QFETCH(QStringList, radix);
        QFETCH(QByteArrayList, values);
        const test::ProcessRun run = Run(QStringList{"--bus", "BYTE=D7..D0", "--csv"} + radix);
        QVERIFY2(run.nExitCode == 0 && run.stdErr.isEmpty(), run.stdErr.constData());
        const QMap<int, QByteArray> rows = Rows(run.stdOut);
        QCOMPARE(rows.size(), kSamples + 1);
        QCOMPARE(rows.value(-1), QByteArray("sample,BYTE"));
        const int samples[] = {0, 3, 7, 9, 11, 22};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(rows.value(samples[i]), QByteArray::number(samples[i]) + ',' + values[i]);
    }

    // Buses in the order given, the time of each sample, both ends of the range listed.
    void clockAndRange()
    {
        const test::ProcessRun run = Run({"--bus", "LOW=D3..D0", "--bus", "BYTE=strobe,D6..D0", "--from", "20", "--to=22",
                                          "--clock", "40ns", "--csv"});
        QCOMPARE(run.nExitCode, 0);
        QCOMPARE(run.stdOut, QByteArray("sample,time_s,LOW,BYTE\r\n"
                                        "20,0.0000008,0,A0\r\n"
                                        "21,0.00000084,0,B0\r\n"
                                        "22,0.00000088,E,FE\r\n"));
        const test::ProcessRun last = Run({"--bus", "TOP=D7", "--from", "99", "--csv"});
        QCOMPARE(last.stdOut, QByteArray("sample,TOP\r\n99,0\r\n"));
    }

    // Right-aligned columns under their heads; the time with the decimals of the period on every row.
    void table()
    {
        const QStringList arguments{"--bus", "BYTE=D7..D0", "--from", "9", "--to", "11", "--clock", "40ns"};
        const test::ProcessRun english = Run(arguments);
        QCOMPARE(english.nExitCode, 0);
        QCOMPARE(english.stdOut, QByteArray("sample    time (s)  BYTE\n"
                                            "     9  0.00000036    7E\n"
                                            "    10  0.00000040    FF\n"
                                            "    11  0.00000044    81\n"));
        // Hangul takes two columns of a terminal.
        const test::ProcessRun korean = Run(arguments, "ko");
        QCOMPARE(korean.stdOut, QString("샘플번호    시간(초)  BYTE\n"
                                        "       9  0.00000036    7E\n"
                                        "      10  0.00000040    FF\n"
                                        "      11  0.00000044    81\n").toUtf8());
        const test::ProcessRun wide = Run({"--bus", "S=D7..D0", "--radix", "signed", "--to", "0"});
        QCOMPARE(wide.stdOut, QByteArray("sample     S\n     0   -42\n"));
    }

    // Without --bus the sidecar's buses, in their own radixes; --bus takes their place.
    void sidecarBuses()
    {
        CaptureAnnotations annotations;
        annotations.buses = {{"SC", {7, 6, 5, 4, 3, 2, 1, 0}, ERadix::Unsigned}, {"TOP", {7}, ERadix::Binary}};
        annotations.markers = {{5, "start", "", 0x00FF00}};
        QVERIFY(!WriteSidecar(SidecarPath(m_capture.toStdString()), annotations));
        const test::ProcessRun run = Run({"--from", "21", "--to", "23", "--csv"});
        QVERIFY2(run.nExitCode == 0 && run.stdErr.isEmpty(), run.stdErr.constData());
        QCOMPARE(run.stdOut, QByteArray("sample,SC,TOP\r\n21,176,1\r\n22,254,1\r\n23,127,0\r\n"));
        QCOMPARE(Run({"--bus", "B=D1..D0", "--to", "0", "--csv"}).stdOut, QByteArray("sample,B\r\n0,2\r\n"));
    }

    // A sidecar read in part lists what is left and says what was dropped; a damaged one, or no bus
    // at all, refuses the listing.
    void sidecarProblems()
    {
        const QString sidecar = QString::fromStdString(SidecarPath(m_capture.toStdString()));
        QVERIFY(WriteFile(sidecar, "veldran-annotations 1\nbus\tGOOD\thex\tD3,D2,D1,D0\nbus\tBAD\thex\tD48\n"));
        const test::ProcessRun partly = Run({"--to", "1", "--csv"});
        QCOMPARE(partly.nExitCode, 0);
        QCOMPARE(partly.stdOut, QByteArray("sample,GOOD\r\n0,6\r\n1,5\r\n"));
        QVERIFY2(partly.stdErr.startsWith("veldran-analyze: Part of the annotation file") && partly.stdErr.contains("BAD"),
                 partly.stdErr.constData());

        QVERIFY(WriteFile(sidecar, "veldran-annotations 1\nbus\tGOOD\thex\tD3,D2,D1,D0\nnonsense\n"));
        const test::ProcessRun damaged = Run({"--csv"});
        QCOMPARE(damaged.nExitCode, 2);
        QVERIFY(damaged.stdOut.isEmpty());
        QVERIFY2(damaged.stdErr.contains("is damaged at line 3"), damaged.stdErr.constData());
        const test::ProcessRun korean = Run({"--csv"}, "ko");
        QVERIFY2(korean.stdErr.contains("3번째 줄이 손상되었습니다"), korean.stdErr.constData());

        QVERIFY(QFile::remove(sidecar));
        const test::ProcessRun none = Run({});
        QCOMPARE(none.nExitCode, 2);
        QVERIFY2(none.stdErr.contains("no buses to list: give --bus NAME=CHANNELS") && none.stdErr.contains(sidecar.toUtf8()),
                 none.stdErr.constData());
    }
};

QTEST_GUILESS_MAIN(ListingCommandTest)
#include "ListingCommandTest.moc"
