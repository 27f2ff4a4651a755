// A trace drawn into an image: the square wave's colours and edges at the right columns.

#include "view/TraceStatic.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <memory>
#include <vector>

using namespace veldran;

namespace {

// A 164 × 40 trace: the trace area runs from x = 82 to 162 (80 pixels), so a window of 16
// samples gives 5 pixels per sample; the high level is at y = 9, the low level at y = 27.
constexpr QSize kClient(164, 40);
const QColor kBackground(200, 200, 200);

QImage Render(CTraceStatic& trace)
{
    QImage image(kClient, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    trace.Paint(painter, kClient);
    return image;
}

// Gives the trace these levels to read when it paints.
void Show(CTraceStatic& trace, std::vector<uint8_t> levels)
{
    auto held = std::make_shared<std::vector<uint8_t>>(std::move(levels));
    trace.SetLevels(static_cast<int>(held->size()), [held](int sample) { return (*held)[static_cast<size_t>(sample)]; });
}

CTraceStatic& WithLevels(CTraceStatic& trace, std::initializer_list<int> levels)
{
    Show(trace, std::vector<uint8_t>(levels.begin(), levels.end()));
    return trace;
}

// The widget as it paints itself (through its kept picture), and the same trace drawn directly
// over the widget's background, in one format.
QImage Grabbed(CTraceStatic& trace)
{
    return trace.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage DrawnDirectly(CTraceStatic& trace)
{
    // At the screen's scale factor, as the widget paints itself.
    const qreal ratio = trace.devicePixelRatioF();
    QImage image(trace.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(trace.palette().color(trace.backgroundRole()));
    QPainter painter(&image);
    painter.setFont(trace.font());
    trace.Paint(painter, trace.size());
    return image;
}

} // namespace

class TraceRenderTest : public QObject {
    Q_OBJECT

private slots:
    void squareWaveColours()
    {
        CTraceStatic trace;
        trace.SetWindow(16, 8, 0, 16);
        const QImage image = Render(WithLevels(trace, {0, 1, 1, 0}));
        QCOMPARE(trace.m_fPixelsPerSample, 5.0f);
        QCOMPARE(trace.m_rcTrace.left(), 82);

        // Sample 0 low (blue), samples 1 and 2 high (red), sample 3 low again.
        QCOMPARE(image.pixelColor(84, 27), QColor(0, 0, 255));
        QCOMPARE(image.pixelColor(84, 9), QColor(Qt::white));
        QCOMPARE(image.pixelColor(89, 9), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(94, 9), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(94, 27), QColor(Qt::white));
        QCOMPARE(image.pixelColor(99, 27), QColor(0, 0, 255));
        // Rising edge at x(1) = 87 and falling edge at x(3) = 97, black between the levels.
        QCOMPARE(image.pixelColor(87, 18), QColor(Qt::black));
        QCOMPARE(image.pixelColor(97, 18), QColor(Qt::black));
        // No edge between the two equal high samples.
        QCOMPARE(image.pixelColor(92, 18), QColor(Qt::white));
        // Past the end of the capture the trace area stays blank.
        for (int x = 103; x < 161; ++x) {
            QCOMPARE(image.pixelColor(x, 9), QColor(Qt::white));
            QCOMPARE(image.pixelColor(x, 27), QColor(Qt::white));
        }
    }

    void windowStartsInsideTheCapture()
    {
        CTraceStatic trace;
        trace.SetWindow(16, 8, 2, 18);
        // The window starts at sample 2 (high after a low): its first sample has no edge, so the
        // only black in the column of x(0) is the trace area's frame line itself.
        const QImage image = Render(WithLevels(trace, {0, 0, 1, 1, 0}));
        QCOMPARE(image.pixelColor(84, 9), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(92, 18), QColor(Qt::black)); // falling edge at x(2) = 92
        QCOMPARE(image.pixelColor(94, 27), QColor(0, 0, 255));
    }

    void framesAndLabel()
    {
        CTraceStatic trace;
        trace.SetLabel(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
        const QImage image = Render(trace);
        // Outer frame at x = 2 and the trace area's frame at x = 82.
        QCOMPARE(image.pixelColor(2, 20), QColor(Qt::black));
        QCOMPARE(image.pixelColor(82, 30), QColor(Qt::black));
        QCOMPARE(image.pixelColor(161, 30), QColor(Qt::black));
        // A long label runs into the trace area but never past the outer frame.
        bool inked = false;
        for (int x = 3; x < 80; ++x)
            for (int y = 3; y < 20; ++y)
                inked = inked || image.pixelColor(x, y) == QColor(Qt::black);
        QVERIFY(inked);
        for (int y = 0; y < kClient.height(); ++y) {
            QCOMPARE(image.pixelColor(162, y), kBackground);
            QCOMPARE(image.pixelColor(1, y), kBackground);
        }
    }

    void labelStartsInsideTheFrame_data()
    {
        QTest::addColumn<QString>("label");
        QTest::newRow("Korean") << QStringLiteral("가나다라");
        QTest::newRow("capital first") << QStringLiteral("MOSI");
        QTest::newRow("leading blank") << QStringLiteral(" CH  A00");
        QTest::newRow("slanted letter first") << QStringLiteral("VWXY");
    }
    void labelStartsInsideTheFrame()
    {
        QFETCH(QString, label);
        CTraceStatic empty;
        const QImage frameOnly = Render(empty);
        CTraceStatic named;
        named.SetLabel(label);
        const QImage withLabel = Render(named);
        // The name changes no pixel of the frame line (x = 2, y = 2) nor the clear pixel inside it.
        int inked = 0;
        for (int y = 0; y < kClient.height(); ++y) {
            for (int x = 0; x < 82; ++x) {
                if (withLabel.pixel(x, y) == frameOnly.pixel(x, y))
                    continue;
                ++inked;
                QVERIFY2(x >= 4 && y >= 3, qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(inked > 0);
    }

    void emptyTraceDrawsOnlyTheFrames()
    {
        CTraceStatic trace;
        const QImage image = Render(trace);
        for (int x = 83; x < 161; ++x)
            for (int y = 3; y < 37; ++y)
                QCOMPARE(image.pixelColor(x, y), QColor(Qt::white));
    }

    // Every change the picture depends on shows in the next paint, pixel for pixel as drawn directly.
    void keptPictureFollowsEveryChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("a sample added") << "sample";
        QTest::newRow("samples cleared") << "clear";
        QTest::newRow("levels appended") << "append";
        QTest::newRow("window moved") << "window";
        QTest::newRow("label") << "label";
        QTest::newRow("size") << "size";
        QTest::newRow("font") << "font";
        QTest::newRow("window holding more than its width (drawn afresh)") << "overfull";
    }

    void keptPictureFollowsEveryChange()
    {
        QFETCH(QString, change);
        CTraceStatic trace;
        trace.resize(400, 60);
        trace.SetLabel(QStringLiteral("CLK"));
        std::vector<uint8_t> levels;
        for (int i = 0; i < 40; ++i)
            levels.push_back(uint8_t(i / 3 % 2));
        Show(trace, levels);
        trace.SetWindow(32, 0, 0, 32);
        const QImage before = Grabbed(trace);
        QCOMPARE(before, DrawnDirectly(trace));

        if (change == QLatin1String("sample")) {
            levels.insert(levels.end(), 8, 1);
            Show(trace, levels);
            trace.SetWindow(32, 0, 16, 48);
        } else if (change == QLatin1String("clear")) {
            trace.ClearSamples();
        } else if (change == QLatin1String("append")) {
            Show(trace, {1, 0, 1, 0});
            QCOMPARE(trace.SampleCount(), 4);
            QCOMPARE(int(trace.Level(2)), 1);
            QCOMPARE(int(trace.Level(4)), 0); // beyond the count: low, never read
        } else if (change == QLatin1String("window")) {
            trace.SetWindow(32, 0, 5, 37);
        } else if (change == QLatin1String("label")) {
            trace.SetLabel(QStringLiteral("DATA"));
        } else if (change == QLatin1String("size")) {
            trace.resize(300, 48);
        } else if (change == QLatin1String("font")) {
            QFont font = trace.font();
            font.setPointSize(font.pointSize() + 6);
            trace.setFont(font);
        } else if (change == QLatin1String("overfull")) {
            trace.SetWindow(16, 0, 0, 40);
        }
        const QImage after = Grabbed(trace);
        QVERIFY(after != before);
        QCOMPARE(after, DrawnDirectly(trace));
        // Painted again with nothing changed, the kept picture gives the same pixels.
        QCOMPARE(Grabbed(trace), after);
    }

    void windowBookkeeping()
    {
        CTraceStatic trace;
        QCOMPARE(trace.m_fPixelsPerSample, 0.0f); // no scale before the first paint
        Render(trace);
        trace.SetWindow(64, 0, 68, 132);
        QCOMPARE(trace.m_nMiddle, 100);
        QCOMPARE(trace.m_fPixelsPerSample, 80.0f / 64.0f);
        QVERIFY(trace.IsInWindow(68));
        QVERIFY(trace.IsInWindow(131));
        QVERIFY(!trace.IsInWindow(132));
        QVERIFY(!trace.IsInWindow(67));
    }
};

QTEST_MAIN(TraceRenderTest)
#include "TraceRenderTest.moc"
