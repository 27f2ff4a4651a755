// Pictures of the view as a user gets them from veldran-convert: SVG that an XML reader takes, of
// the size asked, holding the sixteen names as text and the same bytes every time; a PDF that
// pdftotext reads the names from; a PNG of the size asked whose traces are drawn in the view's
// colours; the markers and bus values of the capture's sidecar file; and the command line's errors
// for what a picture cannot show.

#include "annotations/SidecarFile.h"
#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/PeerProcess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace veldran;

namespace {

const QString kProgram = QStringLiteral(VELDRAN_CONVERT);

QProcessEnvironment English()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELDRAN_LANG"), QStringLiteral("en"));
    environment.remove(QStringLiteral("DISPLAY"));
    return environment;
}

// The names of cell 2 (channels 16–31): Korean, blanks, and the default label for one left empty.
ChannelNames Names()
{
    ChannelNames names;
    for (int ch = 0; ch < kChannelCount; ++ch)
        names[static_cast<size_t>(ch)] = "net" + std::to_string(ch);
    names[16] = "데이터 버스";
    names[17] = "clock in";
    names[18] = "";
    return names;
}

QStringList CellTwoNames()
{
    QStringList names{QStringLiteral("데이터 버스"), QStringLiteral("clock in"), QStringLiteral("CH B02")};
    for (int ch = 19; ch < 32; ++ch)
        names << QStringLiteral("net%1").arg(ch);
    return names;
}

// The texts of an SVG picture.
QStringList SvgTexts(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return texts;
}

} // namespace

class PictureTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_capture;

    QString Path(const QString& name) const { return m_folder.filePath(name); }

    test::ProcessRun Convert(const QStringList& arguments) const
    {
        return test::RunProcess(kProgram, QStringList{m_capture} + arguments, English());
    }

private slots:
    void initTestCase()
    {
        m_capture = Path(QStringLiteral("bus.vxr"));
        // Channel 16 high for 3 of every 10 samples; the rest counts.
        const auto cells = test::CellsOf(3000, [](int i, int ch) { return ch == 16 ? int(i % 10 < 3) : (i >> (ch % 16)) & 1; });
        QVERIFY(test::SaveListing(cells, Names(), QFile::encodeName(m_capture).toStdString()));
    }

    void svgIsWellFormedOfTheSizeAskedAndTheSameEveryTime()
    {
        const QString first = Path(QStringLiteral("one.svg"));
        const QString second = Path(QStringLiteral("two.svg"));
        for (const QString& out : {first, second}) {
            const test::ProcessRun run = Convert({out, "--cell", "2", "--from", "100", "--to", "163", "--clock", "40ns", "--size", "1200x700"});
            QVERIFY2(run.nExitCode == 0, run.stdErr.constData());
        }
        const QByteArray bytes = test::ReadFileBytes(first);
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(test::ReadFileBytes(second), bytes);

        QXmlStreamReader xml(bytes);
        QStringList texts;
        QString width;
        QString height;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("svg")) {
                width = xml.attributes().value("width").toString();
                height = xml.attributes().value("height").toString();
            } else if (xml.name() == QLatin1String("text")) {
                texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(width, QStringLiteral("1200"));
        QCOMPARE(height, QStringLiteral("700"));
        for (const QString& name : CellTwoNames())
            QVERIFY2(texts.contains(name), qPrintable(name));
        // The axis is in time with a clock: sample 100 at 40 ns is 4 µs.
        QVERIFY2(texts.contains(QStringLiteral("4 µs")), qPrintable(texts.join('|')));
    }

    // At sample 100 (X, the first shown) D16 is high (100 % 10 < 3) and D17 … D23 hold the bits of
    // 100 >> 1 … 100 >> 7: 0, 1, 0, 0, 1, 1, 0. So D23..D16 reads 0x65, 'e', and D19..D16 reads 5.
    void sidecarMarkersAndBusValues()
    {
        CaptureAnnotations annotations;
        annotations.buses = {{"TEXT", {23, 22, 21, 20, 19, 18, 17, 16}, ERadix::Ascii}, {"LOW", {19, 18, 17, 16}, ERadix::Hex}};
        annotations.markers = {{120, "trigger", "", 0x00AA00}, {2000, "far away", "", 0xFF0000}};
        const std::string sidecar = SidecarPath(QFile::encodeName(m_capture).toStdString());
        QVERIFY(!WriteSidecar(sidecar, annotations));
        const QString out = Path(QStringLiteral("annotated.svg"));
        const test::ProcessRun run = Convert({out, "--cell", "2", "--from", "100", "--to", "163"});
        QVERIFY2(run.nExitCode == 0 && run.stdErr.isEmpty(), run.stdErr.constData());
        const QString texts = SvgTexts(test::ReadFileBytes(out)).join(QLatin1Char('|'));
        QVERIFY2(texts.contains(QStringLiteral("trigger")) && !texts.contains(QStringLiteral("far away")), qPrintable(texts));
        QVERIFY2(texts.contains(QStringLiteral("TEXT = e")) && texts.contains(QStringLiteral("LOW = 5")), qPrintable(texts));

        // A damaged sidecar is said; the picture is drawn without it.
        QVERIFY(test::WriteFileBytes(QString::fromStdString(sidecar), "not annotations\n"));
        const test::ProcessRun damaged = Convert({out, "--cell", "2", "--from", "100", "--to", "163"});
        QFile::remove(QString::fromStdString(sidecar));
        QVERIFY2(damaged.nExitCode == 0 && damaged.stdErr.contains("is damaged at line 1"), damaged.stdErr.constData());
        QVERIFY(!SvgTexts(test::ReadFileBytes(out)).join(QLatin1Char('|')).contains(QStringLiteral("trigger")));
    }

    void pdfAndPngHoldTheView()
    {
        const QString pdf = Path(QStringLiteral("view.pdf"));
        const test::ProcessRun run = Convert({pdf, "--cell", "2"});
        QVERIFY2(run.nExitCode == 0, run.stdErr.constData());
        QVERIFY(test::ReadFileBytes(pdf).startsWith("%PDF-"));
        const test::ProcessRun text = test::RunProcess(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(text.bStarted, "pdftotext is missing: scripts/install-deps.sh installs it");
        // pdftotext does not keep the blank between two words of a font substituted for Korean as
        // a blank; each word is the picture's to hold.
        const QString read = QString::fromUtf8(text.stdOut);
        for (const QString& name : CellTwoNames())
            for (const QString& word : name.split(QLatin1Char(' ')))
                QVERIFY2(read.contains(word), qPrintable(word + " not in " + read));

        const QString png = Path(QStringLiteral("view.png"));
        QCOMPARE(Convert({png, "--cell", "2", "--from", "0", "--to", "9", "--size", "800x500"}).nExitCode, 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(800, 500));
        // Ten samples of channel 16, high for the first three: red on the left, blue on the right
        // of its row, and no other colour than the view's on that row's levels.
        int reds = 0;
        int blues = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                reds += pixel == qRgb(255, 0, 0);
                blues += pixel == qRgb(0, 0, 255);
            }
        QVERIFY(reds > 0 && blues > 0);
    }

    void whatAPictureCannotShowIsRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said");
        QTest::newRow("cell 4") << QStringList{"x.svg", "--cell", "4"} << 2 << "the cell is 1, 2 or 3";
        QTest::newRow("past the end") << QStringList{"x.svg", "--from", "2990", "--to", "3000"} << 2 << "holds samples 0..2999";
        QTest::newRow("to before from") << QStringList{"x.svg", "--from", "20", "--to", "10"} << 2 << "cannot be drawn";
        QTest::newRow("too many") << QStringList{"x.svg", "--from", "0", "--to", "20000"} << 2 << "at most 16384";
        QTest::newRow("tiny") << QStringList{"x.png", "--size", "10x10"} << 2 << "from 64x64";
        QTest::newRow("not a picture") << QStringList{"x.vcd", "--cell", "2"} << 2 << "--cell is only for pictures";
    }

    void whatAPictureCannotShowIsRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, said);
        arguments[0] = Path(arguments[0]);
        const test::ProcessRun run = Convert(arguments);
        QCOMPARE(run.nExitCode, status);
        QVERIFY2(QString::fromUtf8(run.stdErr).contains(said), run.stdErr.constData());
        QVERIFY(!QFile::exists(arguments[0]));
    }
};

QTEST_GUILESS_MAIN(PictureTest)
#include "PictureTest.moc"
