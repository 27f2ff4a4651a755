// The markers in the window: their lines over the traces only where the window shows their sample
// (and nothing at all on the form otherwise), and the markers panel's rows, whose click puts X on
// the marker and whose Delete key deletes it.

#include "CaptureFixture.h"
#include "ViewProbe.h"

#include "analysis/MeasureTexts.h"
#include "link/ClockPeriods.h"
#include "view/MarkerLines.h"
#include "view/MarkerPanel.h"
#include "view/VeldranView.h"

#include <QImage>
#include <QTest>
#include <QTreeWidget>

using namespace veldran;
using Column = MarkerPanel::EColumn;

namespace {

constexpr uint32_t kInside = 0x00C000;
constexpr uint32_t kOutside = 0xC000C0;

Marker MarkerAt(int64_t sample, const char* label, uint32_t colour, const char* note = "")
{
    Marker marker;
    marker.nSample = sample;
    marker.strLabel = label;
    marker.strNote = note;
    marker.nColour = colour;
    return marker;
}

// The columns of the picture that hold a pixel of exactly this colour.
QList<int> ColumnsOf(const QImage& picture, uint32_t colour)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFFu) == colour) {
                columns << x;
                break;
            }
    return columns;
}

} // namespace

class MarkerViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CCaptureSession> m_session;
    std::unique_ptr<CVELDRANView> m_view;

    QImage Grab() const
    {
        m_view->Form()->repaint();
        return m_view->Form()->grab().toImage();
    }
    MarkerLines& Lines() const { return *m_view->Form()->findChild<MarkerLines*>(); }

private slots:
    void init()
    {
        m_session = std::make_unique<CCaptureSession>();
        m_view = std::make_unique<CVELDRANView>(*m_session);
        m_view->resize(1200, 800);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        test::LoadCapture(m_session->Document(), 300, test::DividerLevel);
        m_session->OpenCapture();
        QCoreApplication::processEvents();
    }

    void cleanup()
    {
        m_view.reset();
        m_session.reset();
    }

    void linesShowOnlyInsideTheWindow()
    {
        test::SetCursors(*m_view, 9, 0);
        const QImage plain = Grab();
        QVERIFY(!Lines().isVisible());
        // A marker outside the 16-sample window changes no pixel of the form.
        m_session->AddMarker(MarkerAt(200, "far", kOutside));
        QVERIFY(Lines().Lines().empty());
        QCOMPARE(Grab(), plain);

        m_session->AddMarker(MarkerAt(5, "near", kInside));
        const std::vector<MarkerLines::Line> lines = Lines().Lines();
        QCOMPARE(lines.size(), size_t(1));
        QCOMPARE(lines[0].label, QStringLiteral("near"));
        // Its line stands where the X cursor stands on the same sample, down all sixteen traces.
        test::SetCursors(*m_view, 5, 0);
        QCOMPARE(lines[0].x, test::XCursorPixel(*m_view));
        test::SetCursors(*m_view, 9, 0);
        const QImage marked = Grab();
        QVERIFY(ColumnsOf(marked, kInside).contains(lines[0].x));
        int painted = 0;
        for (int y = 0; y < marked.height(); ++y)
            painted += (marked.pixel(lines[0].x, y) & 0xFFFFFFu) == kInside ? 1 : 0;
        const int traces = m_view->Trace(15).geometry().bottom() - m_view->Trace(0).y();
        QVERIFY2(painted > traces - 40, qPrintable(QStringLiteral("%1 of %2").arg(painted).arg(traces)));
        QVERIFY(ColumnsOf(marked, kOutside).isEmpty());

        // Without the marker in the window the form is drawn as before, and without any marker too.
        m_session->RemoveMarker(0);
        QCOMPARE(Grab(), plain);
        m_session->RemoveMarker(0);
        QVERIFY(!Lines().isVisible());
        QCOMPARE(Grab(), plain);

        // The window follows X to the far marker: now only that one is drawn.
        m_session->AddMarker(MarkerAt(5, "near", kInside));
        m_session->AddMarker(MarkerAt(200, "far", kOutside));
        test::SetCursors(*m_view, 201, 0);
        const QImage moved = Grab();
        QVERIFY(ColumnsOf(moved, kInside).isEmpty());
        QVERIFY(!ColumnsOf(moved, kOutside).isEmpty());
    }

    void panelRowsFollowTheMarkersAndMoveX()
    {
        MarkerPanel panel(*m_session);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        m_session->AddMarker(MarkerAt(250, "burst", 0x112233, "first line\nsecond line"));
        m_session->AddMarker(MarkerAt(40, "start", 0x445566));
        QCOMPARE(panel.Rows()->topLevelItemCount(), 2);
        QCOMPARE(panel.Text(0, Column::Sample), QStringLiteral("40"));
        QCOMPARE(panel.Text(0, Column::Label), QStringLiteral("start"));
        QCOMPARE(panel.Text(1, Column::Note), QStringLiteral("first line"));
        // The time column shows while a clock period is set.
        QVERIFY(panel.Rows()->isColumnHidden(static_cast<int>(Column::Time)));
        test::ChooseClockPeriod(*m_session, 3);
        QVERIFY(!panel.Rows()->isColumnHidden(static_cast<int>(Column::Time)));
        QCOMPARE(panel.Text(1, Column::Time),
                 QString::fromStdString(TimeText(250 * ClockPeriodSeconds(3).value_or(0.0))));

        // A click on a row puts X on its marker and brings the window there.
        m_session->SetCursors(0, 7);
        QTreeWidget* rows = panel.Rows();
        const QRect second = rows->visualItemRect(rows->topLevelItem(1));
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(m_session->XCursor(), 250);
        QCOMPARE(m_session->YCursor(), 7);
        QVERIFY(m_view->Trace(0).IsInWindow(250));

        // Delete deletes the current row's marker only.
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_Delete);
        QCOMPARE(m_session->Markers().size(), size_t(1));
        QCOMPARE(m_session->Markers()[0].strLabel, std::string("start"));
        QCOMPARE(rows->topLevelItemCount(), 1);
    }
};

QTEST_MAIN(MarkerViewTest)
#include "MarkerViewTest.moc"
