// One full repaint of the sixteen traces and the cursor markers at a 1920 × 1080 client area with
// the 1023-sample window. Prints the median of many repaints in milliseconds.

#include "document/CaptureDocument.h"
#include "tests/common/ListingBuilder.h"
#include "view/VeldranView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    for (int n = 0; n <= 4; ++n)
        qputenv(QStringLiteral("VELDRAN_COM%1").arg(n).toLatin1(), "/nonexistent/veldran-bench-tty");
    QApplication app(argc, argv);

    // A busy capture: every channel toggles at its own rate, so most samples draw an edge.
    veldran::CCaptureSession session;
    veldran::CVELDRANDoc& document = session.Document();
    const int count = 5000;
    veldran::test::Load(document, veldran::test::DataTokens(veldran::test::CellsOf(
                                      count, [](int s, int ch) { return (s / (ch % 4 + 1)) % 2; })));

    veldran::CVELDRANView view(session);
    view.resize(1920, 1080);
    view.show();
    session.OpenCapture();
    QCoreApplication::processEvents();
    session.Contract();
    session.Contract();
    session.Contract();
    session.SetCursors(2500, 2400);
    QCoreApplication::processEvents();

    QWidget* form = view.Form();
    // Every repaint must really paint all sixteen traces: count their paint events.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    for (int k = 0; k < 16; ++k)
        view.Trace(k).installEventFilter(&counter);
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        form->repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    const double tracePaintsPerRepaint = double(counter.paints) / double(times.size());
    std::vector<double> traceTimes;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer timer;
        timer.start();
        for (int k = 0; k < 16; ++k)
            view.Trace(k).repaint();
        traceTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(traceTimes.begin(), traceTimes.end());
    {
        QImage image(view.Trace(0).size(), QImage::Format_ARGB32_Premultiplied);
        std::vector<double> paintTimes;
        for (int i = 0; i < 50; ++i) {
            QElapsedTimer timer;
            timer.start();
            for (int k = 0; k < 16; ++k) {
                QPainter painter(&image);
                view.Trace(k).Paint(painter, image.size());
            }
            paintTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(paintTimes.begin(), paintTimes.end());
        std::printf("16 traces into an image: median %.3f ms\n", paintTimes[paintTimes.size() / 2]);
    }
    std::printf("16 traces alone: median %.3f ms\n", traceTimes[traceTimes.size() / 2]);
    {
        for (int k = 0; k < 16; ++k)
            view.Trace(k).hide();
        std::vector<double> rest;
        for (int i = 0; i < 100; ++i) {
            QElapsedTimer timer;
            timer.start();
            form->repaint();
            rest.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(rest.begin(), rest.end());
        std::printf("the form without its traces: median %.3f ms\n", rest[rest.size() / 2]);
        for (int k = 0; k < 16; ++k)
            view.Trace(k).show();
    }
    std::printf("view repaint, 1920x1080, window %d, %d traces: median %.3f ms, p90 %.3f ms (%zu repaints, %.1f trace paints each)\n",
                session.Window(), 16, times[times.size() / 2], times[times.size() * 9 / 10], times.size(),
                tracePaintsPerRepaint);
    return 0;
}
