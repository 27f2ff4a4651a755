// The readouts of the timing-diagram view as a user reads them: every text whole in the font the
// form really gets, the two cursor labels never printed over each other, the X − Y distance from
// the cursor values, and readouts that follow a new capture and the position strip.

#include "CaptureFixture.h"
#include "ViewProbe.h"
#include "tests/common/MessageRecorder.h"
#include "tests/common/TestEnvironment.h"

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"
#include "link/ClockPeriods.h"
#include "resources/Ids.h"
#include "view/FormLayout.h"
#include "link/InstrumentLink.h"
#include "view/VeldranView.h"

#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <map>
#include <vector>

using namespace veldran;
using namespace veldran::test;

namespace {

// The controls of the information row and the counters above it, left to right.
const int kReadouts[] = {ids::kLabelXPos, ids::kEditX,      ids::kLabelYPos,  ids::kEditY,    ids::kLabelXY,
                         ids::kXYDistance, ids::kLabelXData, ids::kXPosData, ids::kWindowText, ids::kLeftPos,
                         ids::kRightPos};

// Where a label's text lies in the form: one line of the font, centred in the label's height, from
// the left of its contents (or centred) as far as the text reaches.
QRect LabelTextRect(const QLabel& label)
{
    const QRect contents = label.contentsRect().translated(label.pos());
    const int width = label.fontMetrics().horizontalAdvance(label.text());
    const int height = label.fontMetrics().height();
    const int top = contents.center().y() - height / 2;
    if (label.alignment() & Qt::AlignHCenter)
        return QRect(contents.center().x() - width / 2, top, width, height);
    return QRect(contents.x(), top, width, height);
}

// A line edit shows its whole text when the picture with the caret at the start equals the one
// with the caret at the end: a text that does not fit scrolls to keep the caret in view.
bool LineEditShowsWholeText(QLineEdit& edit)
{
    edit.clearFocus(); // no caret in either picture
    const int keep = edit.cursorPosition();
    edit.setCursorPosition(0);
    const QImage atStart = edit.grab().toImage();
    edit.setCursorPosition(static_cast<int>(edit.text().size()));
    const QImage atEnd = edit.grab().toImage();
    edit.setCursorPosition(keep);
    return atStart == atEnd;
}

} // namespace

class ViewReadoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<CCaptureSession> m_session;
    CVELDRANDoc* m_document = nullptr;
    std::unique_ptr<CVELDRANView> m_view;
    std::unique_ptr<CInstrumentLink> m_link;

    CVELDRANView& Open(int count, const LevelFunction& level = DividerLevel)
    {
        LoadCapture(*m_document, count, level);
        m_session->OpenCapture();
        QCoreApplication::processEvents(); // the traces get their scale at their first paint
        return *m_view;
    }

    QString Text(int id) const { return ControlText(*m_view, id); }
    void SetCursors(int x, int y) { test::SetCursors(*m_view, x, y); }

    // A capture of 12000 samples in the widest window, the cursors set and the form painted.
    CVELDRANView& ShowCursorsInTheWidestWindow(int x, int y)
    {
        CVELDRANView& view = Open(12000);
        for (int n = 0; n < 3; ++n)
            m_session->Contract();
        SetCursors(x, y);
        view.Form()->repaint();
        return view;
    }

    // The form as it is painted now, child controls included.
    QImage RenderForm() const { return m_view->Form()->grab().toImage(); }

    QLabel* Label(int id) const { return qobject_cast<QLabel*>(m_view->GetDlgItem(id)); }

    // Where the readouts stand now, by control id.
    std::map<int, QRect> Readouts() const
    {
        std::map<int, QRect> placed;
        for (const int id : kReadouts)
            placed[id] = m_view->GetDlgItem(id)->geometry();
        return placed;
    }

    // A capture of count samples at the widest zoom window and a clock period, as a user sets it.
    void Show(int count, int clockIndex)
    {
        Open(count);
        for (int n = 0; n < 3; ++n)
            m_session->Contract();
        ChooseClockPeriod(*m_session, clockIndex);
        QCoreApplication::processEvents();
    }

    // Each readout's text whole in its control, inside the form, and no other control over it;
    // the counters clear of the position strip.
    void VerifyEveryReadoutWhole()
    {
        CVELDRANView& view = *m_view;
        const QRect form = view.Form()->rect();
        std::vector<std::pair<int, QRect>> texts;
        for (const int id : kReadouts) {
            QWidget* control = view.GetDlgItem(id);
            QVERIFY(control && control->isVisible());
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                QVERIFY2(LineEditShowsWholeText(*edit), qPrintable(edit->text()));
                texts.emplace_back(id, control->geometry());
            } else {
                auto* label = qobject_cast<QLabel*>(control);
                QVERIFY2(label->contentsRect().width() >= LabelTextRect(*label).width(), qPrintable(label->text()));
                texts.emplace_back(id, LabelTextRect(*label));
            }
            QVERIFY2(form.contains(texts.back().second),
                     qPrintable(QStringLiteral("%1 at %2..%3 in a form of %4").arg(id).arg(texts.back().second.left()).arg(texts.back().second.right()).arg(form.width())));
        }
        texts.emplace_back(ids::kSpinX, view.GetDlgItem(ids::kSpinX)->geometry());
        texts.emplace_back(ids::kSpinY, view.GetDlgItem(ids::kSpinY)->geometry());
        for (const auto& [id, rect] : texts)
            for (const auto& [other, otherRect] : texts)
                QVERIFY2(id == other || !rect.intersects(otherRect),
                         qPrintable(QStringLiteral("%1 and %2 overlap").arg(id).arg(other)));
        // The counters end before the position strip begins and start after it ends.
        const QRect strip = view.PositionStripRect();
        QVERIFY(LabelTextRect(*Label(ids::kLeftPos)).right() < strip.left());
        QVERIFY(LabelTextRect(*Label(ids::kRightPos)).left() > strip.right());
    }

private slots:
    void initTestCase() { test::MapSerialPorts(); }

    void init()
    {
        m_messages = std::make_unique<MessageRecorder>();
        m_session = std::make_unique<CCaptureSession>();
        m_document = &m_session->Document();
        m_view = std::make_unique<CVELDRANView>(*m_session);
        m_link = std::make_unique<CInstrumentLink>(*m_session, m_view.get());
        m_view->resize(1900, 900);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }

    void cleanup()
    {
        m_link.reset();
        m_view.reset();
        m_document = nullptr;
        m_session.reset();
        m_messages.reset();
    }

    void everyReadoutIsWholeInTheFormFont_data()
    {
        QTest::addColumn<int>("clockIndex");
        QTest::newRow("clock OFF") << 0;
        QTest::newRow("100 ms") << 1;
        QTest::newRow("500 us") << 8;
        QTest::newRow("40 ns") << ClockPeriodCount() - 1;
    }
    void everyReadoutIsWholeInTheFormFont()
    {
        QFETCH(int, clockIndex);
        // The form's Korean face is stood in for by NanumGothic, wider than the template's font.
        QVERIFY2(QFontInfo(m_view->Form()->font()).family().contains(QStringLiteral("Nanum")),
                 qPrintable(QFontInfo(m_view->Form()->font()).family()));

        // A long capture, the widest zoom window, both cursors far out and a clock period.
        CVELDRANView& view = Open(12000, [](int sample, int channel) { return (sample >> (channel % 8)) & 1; });
        for (int n = 0; n < 3; ++n)
            m_session->Contract();
        QCOMPARE(m_session->Window(), 1023);
        SetCursors(11321, 10884);
        ChooseClockPeriod(*m_session, clockIndex);
        view.Form()->repaint();
        QCOMPARE(Text(ids::kWindowText), QStringLiteral("WINDOW : 1023"));
        QVERIFY(Text(ids::kXPosData).size() == 52); // three cell words, two blanks between

        VerifyEveryReadoutWhole();
        if (QTest::currentTestFailed())
            return;

        // The cursor labels over the traces: "X= 11321" and "Y= 10884", whole.
        for (const int id : {ids::kXCursorLabel, ids::kYCursorLabel}) {
            QLabel* label = Label(id);
            QVERIFY(label->isVisible());
            QVERIFY2(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(label->text()));
        }
        QCOMPARE(Label(ids::kXCursorLabel)->text(), QStringLiteral("X= 11321"));
    }

    // A window too narrow for the row on one line (1920x1080 at factor 2 leaves the view 958
    // pixels) breaks it in two rather than scrolling sideways; widened again, the row is back on
    // one line exactly where it was.
    void aNarrowViewPutsTheRowOnTwoLines_data()
    {
        QTest::addColumn<QSize>("narrow");
        QTest::addColumn<bool>("scrollsDown");
        QTest::newRow("958x446, as at factor 2") << QSize(958, 446) << false;
        QTest::newRow("800x600") << QSize(800, 600) << false;
        // Lower than sixteen readable traces and two lines of readouts: the form scrolls down
        // rather than squeeze the traces.
        QTest::newRow("958x300") << QSize(958, 300) << true;
    }
    void aNarrowViewPutsTheRowOnTwoLines()
    {
        QFETCH(QSize, narrow);
        QFETCH(bool, scrollsDown);
        Show(12000, 8);
        SetCursors(11321, 10884);
        m_view->Form()->repaint();
        const std::map<int, QRect> wide = Readouts();
        QCOMPARE(wide.at(ids::kWindowText).y(), wide.at(ids::kEditX).y());

        m_view->resize(narrow);
        QCoreApplication::processEvents();
        m_view->Form()->repaint();
        QCOMPARE(m_view->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(m_view->verticalScrollBar()->maximum() > 0, scrollsDown);
        const std::map<int, QRect> broken = Readouts();
        QVERIFY(broken.at(ids::kXPosData).y() > broken.at(ids::kEditX).bottom());
        QCOMPARE(broken.at(ids::kWindowText).y(), broken.at(ids::kXPosData).y());
        VerifyEveryReadoutWhole();
        if (QTest::currentTestFailed())
            return;
        // The cursor lines end above the counters and the row.
        const QRect strip = m_view->PositionStripRect();
        QVERIFY(m_view->GetDlgItem(ids::kXCursorLine)->geometry().bottom() < strip.top());
        QVERIFY(m_view->GetDlgItem(ids::kTraceFirst + 15)->geometry().bottom() < strip.top());
        QVERIFY(m_view->Trace(0).height() >= m_view->Form()->fontMetrics().height() + 5);

        m_view->resize(1900, 900);
        QCoreApplication::processEvents();
        QVERIFY(Readouts() == wide);
    }

    void aLargerFontWidensTheRowAgain()
    {
        Open(100);
        QWidget* edit = m_view->GetDlgItem(ids::kXPosData);
        QWidget* window = m_view->GetDlgItem(ids::kWindowText);
        const int width = edit->width();
        QFont font = m_view->Form()->font();
        font.setPointSize(font.pointSize() * 2);
        m_view->Form()->setFont(font);
        QTRY_VERIFY(edit->width() > width * 3 / 2);
        QVERIFY(window->x() >= edit->x() + edit->width());
    }

    void theRowFollowsTheCaptureShown_data()
    {
        QTest::addColumn<int>("smallCount");
        QTest::addColumn<int>("largeCount");
        QTest::addColumn<int>("smallClock");
        QTest::addColumn<int>("largeClock");
        QTest::addColumn<bool>("backByNewFile");
        QTest::addColumn<QList<int>>("widened");
        const int fastest = ClockPeriodCount() - 1;
        const QList<int> longerNumbers{ids::kEditX, ids::kEditY, ids::kXYDistance, ids::kLeftPos, ids::kRightPos};
        QTest::newRow("500 to 200,000 samples") << 500 << 200000 << 8 << 8 << false << longerNumbers;
        // OFF reads a negative distance in microseconds of whole seconds: the longest texts.
        QTest::newRow("40 ns to clock OFF") << 12000 << 12000 << fastest << 0 << false << QList<int>{ids::kXYDistance};
        QTest::newRow("both at once") << 500 << 200000 << fastest << 0 << false << longerNumbers;
        QTest::newRow("200,000 samples, then New File") << 1 << 200000 << 8 << 8 << true << longerNumbers;
    }
    void theRowFollowsTheCaptureShown()
    {
        QFETCH(int, smallCount);
        QFETCH(int, largeCount);
        QFETCH(int, smallClock);
        QFETCH(int, largeClock);
        QFETCH(bool, backByNewFile);
        QFETCH(QList<int>, widened);

        Show(smallCount, smallClock);
        const std::map<int, QRect> small = Readouts();
        // Never less than the template gives.
        const FormLayout plain = ComputeFormLayout(m_view->Form()->width(), m_view->Form()->height());
        for (const auto& [id, rect] : plain.placements) {
            if (!small.count(id) || id == ids::kRightPos) // the right counter keeps to the form's edge
                continue;
            const QRect now = small.at(id);
            QVERIFY2(now.x() >= rect.x() && now.width() >= rect.width(),
                     qPrintable(QStringLiteral("%1: %2 wide at %3, the template %4 at %5").arg(id).arg(now.width())
                                    .arg(now.x()).arg(rect.width()).arg(rect.x())));
        }

        // A larger capture, or a period with longer texts: the readouts that need it grow, the
        // controls to their right move along, and the widest texts are whole.
        Show(largeCount, largeClock);
        const std::map<int, QRect> large = Readouts();
        for (const int id : widened)
            QVERIFY2(large.at(id).width() > small.at(id).width(),
                     qPrintable(QStringLiteral("%1 stays %2 wide").arg(id).arg(small.at(id).width())));
        QVERIFY(large.at(ids::kWindowText).x() > small.at(ids::kWindowText).x());
        const int last = largeCount - 1;
        for (const auto& [x, y] : {std::pair{last, 0}, std::pair{0, last}}) {
            SetCursors(x, y);
            m_view->Form()->repaint();
            VerifyEveryReadoutWhole();
            if (QTest::currentTestFailed())
                return;
        }

        // Back to the smaller capture: the row is as narrow as before, not kept at its widest.
        if (backByNewFile)
            m_session->ClearCapture();
        else
            Show(smallCount, smallClock);
        QCoreApplication::processEvents();
        const std::map<int, QRect> again = Readouts();
        for (const auto& [id, rect] : small)
            QVERIFY2(again.at(id) == rect, qPrintable(QStringLiteral("%1 is %2 wide at %3, was %4 at %5").arg(id)
                                                          .arg(again.at(id).width()).arg(again.at(id).x())
                                                          .arg(rect.width()).arg(rect.x())));
    }

    void cursorLabelsNeverOverprint_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("together at 5") << 5 << 5;
        QTest::newRow("together at 9876") << 9876 << 9876;
        QTest::newRow("one sample apart") << 9876 << 9877;
    }
    void cursorLabelsNeverOverprint()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        ShowCursorsInTheWidestWindow(x, y);
        QLabel* xLabel = Label(ids::kXCursorLabel);
        QLabel* yLabel = Label(ids::kYCursorLabel);
        QVERIFY(yLabel->isVisible());
        if (x == y)
            QCOMPARE(yLabel->text(), QString::asprintf("XY=%04d", y));
        // Where the labels overlap, the form shows exactly the Y label's own picture: the X text
        // does not show through it.
        const QRect shared = xLabel->geometry().intersected(yLabel->geometry());
        QVERIFY(x != y || shared.width() > 20);
        if (shared.isEmpty())
            return;
        const QImage form = RenderForm().copy(shared);
        const QImage own = yLabel->grab().toImage().copy(shared.translated(-yLabel->pos()));
        QCOMPARE(form.convertToFormat(QImage::Format_RGB32), own.convertToFormat(QImage::Format_RGB32));
    }

    // Cursors on different samples a pixel or a few apart: both labels are read whole, each within
    // the two labels' width of its own line, and neither leaves the trace area, at its edges too.
    void cursorLabelsApartStayReadable_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("one pixel apart") << 300 << 301;
        QTest::newRow("Y left of X") << 305 << 300;
        QTest::newRow("at the left edge") << 0 << 2;
        QTest::newRow("at the right edge") << 11999 << 11996;
        QTest::newRow("forty samples apart") << 600 << 640;
    }
    void cursorLabelsApartStayReadable()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        CVELDRANView& view = ShowCursorsInTheWidestWindow(x, y);
        const QWidget& trace = view.Trace(0);
        const int areaLeft = trace.x() + 82;
        const int areaRight = trace.x() + trace.width() - 2;
        QLabel* xLabel = Label(ids::kXCursorLabel);
        QLabel* yLabel = Label(ids::kYCursorLabel);
        QCOMPARE(xLabel->text(), QString::asprintf("X= %04d", x));
        QCOMPARE(yLabel->text(), QString::asprintf("Y= %04d", y));
        QVERIFY(xLabel->isVisible() && yLabel->isVisible());
        QVERIFY2(!xLabel->geometry().intersects(yLabel->geometry()),
                 qPrintable(QStringLiteral("X label at %1, Y label at %2, %3 wide")
                                .arg(xLabel->x()).arg(yLabel->x()).arg(xLabel->width())));
        const std::pair<QLabel*, int> labels[] = {{xLabel, ids::kXCursorLine}, {yLabel, ids::kYCursorLine}};
        for (const auto& [label, lineId] : labels) {
            QVERIFY(label->x() >= areaLeft && label->x() + label->width() <= areaRight);
            QVERIFY(qAbs(label->geometry().center().x() - view.GetDlgItem(lineId)->x()) <= 2 * label->width());
        }
        // The left cursor's label is the left one.
        QCOMPARE(xLabel->x() < yLabel->x(), x < y);
    }

    void distanceComesFromTheCursorValues_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<int>("clockIndex");
        QTest::addColumn<QString>("distance");
        QTest::newRow("fractions at 500 us") << "4.25" << "12" << 8 << "-3500.0000us";
        QTest::newRow("fractions add up to a sample") << "4.5" << "2.75" << 7 << "1.0000ms";
        QTest::newRow("whole samples") << "40" << "10" << 7 << "0.0300s";
        QTest::newRow("a quarter apart is no sample") << "3.25" << "3" << 8 << "0.0000us";
    }
    void distanceComesFromTheCursorValues()
    {
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(int, clockIndex);
        QFETCH(QString, distance);
        CVELDRANView& view = Open(100);
        ChooseClockPeriod(*m_session, clockIndex);
        for (const auto& [edit, value] : {std::pair{&EditX(view), x}, std::pair{&EditY(view), y}}) {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, value);
            QCOMPARE(edit->text(), value);
        }
        QCOMPARE(Text(ids::kXYDistance), distance);
    }

    void aNewCaptureRefreshesTheReadouts()
    {
        // Both cursors stay at 0 throughout; the readouts must still follow each new capture.
        CVELDRANView& view = Open(3000, [](int, int channel) { return channel < 16 ? 1 : 0; });
        for (int n = 0; n < 3; ++n)
            m_session->Contract();
        SetCursors(0, 0);
        view.Form()->repaint();
        QCOMPARE(Text(ids::kXPosData), QStringLiteral("1111111111111111  0000000000000000  0000000000000000"));
        const int pixelAt1023 = XCursorPixel(view);

        // Another capture opened: the value field shows its words, the markers the 16-sample window.
        Open(50, [](int, int channel) { return channel >= 32 ? 1 : 0; });
        view.Form()->repaint();
        QCOMPARE(m_session->Window(), 16);
        QCOMPARE(Text(ids::kXPosData), QStringLiteral("0000000000000000  0000000000000000  1111111111111111"));
        const int pixelAt16 = 82 + static_cast<int>(view.Trace(0).m_fPixelsPerSample + 3.0f);
        QVERIFY(pixelAt16 != pixelAt1023);
        QCOMPARE(XCursorPixel(view), pixelAt16);
        QCOMPARE(m_view->GetDlgItem(ids::kXCursorLine)->x(), pixelAt16);

        // New File: no data, and the distance and markers of an empty capture.
        ChooseClockPeriod(*m_session, 8);
        m_session->ClearCapture();
        view.Form()->repaint();
        QCOMPARE(Text(ids::kXPosData), QStringLiteral("No Data ..."));
        QCOMPARE(Text(ids::kXYDistance), QStringLiteral("0.0000us"));
        QCOMPARE(Text(ids::kLeftPos), QStringLiteral("(0000/0000)"));
        QCOMPARE(Label(ids::kXCursorLabel)->text(), QStringLiteral("X= 0000"));
    }

    void countersAndStripComeFromTheSameValues_data()
    {
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("cursor");
        QTest::newRow("fewer samples than before") << 19 << 0;
        QTest::newRow("more samples than before") << 4321 << 4000;
        QTest::newRow("a count of six digits") << 123456 << 49;
    }
    void countersAndStripComeFromTheSameValues()
    {
        QFETCH(int, samples);
        QFETCH(int, cursor);
        CVELDRANView& view = Open(50);
        SetCursors(cursor % 50, 0);
        // What a cancelled or aborted reception leaves: another sample count, the same window.
        m_session->ListingLines(samples, {});
        view.Form()->repaint();
        const int total = m_session->SampleCount();
        const int last = std::min(view.Trace(0).m_nEnd - 1, total - 1);
        QCOMPARE(Text(ids::kLeftPos), QString::asprintf("(%04d/%04d)", view.Trace(0).m_nStart, total - 1));
        QCOMPARE(Text(ids::kRightPos), QString::asprintf("(%04d/%04d)", last, total - 1));
        // Once the paint is over, counters of more digits get the room they need.
        QCoreApplication::processEvents();
        view.Form()->repaint();
        VerifyEveryReadoutWhole();
    }
};

QTEST_MAIN(ViewReadoutTest)
#include "ViewReadoutTest.moc"
