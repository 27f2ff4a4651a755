// The measurements panel follows the X and Y cursors, the selected channel, the clock period and
// the capture shown, on a small capture: channel 0 a clock of 8 samples (rising at 4, 12, 20 …),
// channel 1 one pulse high from 10 to 12.

#include "tests/view/CaptureFixture.h"

#include "view/MeasurePanel.h"

#include <QTest>

using namespace veldran;
using Row = MeasurePanel::ERow;

namespace {

int Level(int sample, int channel)
{
    if (channel == 0)
        return (sample / 4) % 2;
    return channel == 1 && sample >= 10 && sample < 13 ? 1 : 0;
}

} // namespace

class MeasurePanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CCaptureSession> m_session;
    std::unique_ptr<MeasurePanel> m_panel;

    QString Figures(std::initializer_list<Row> rows) const
    {
        QStringList shown;
        for (Row row : rows)
            shown << m_panel->Value(row) + QLatin1Char('|') + m_panel->Samples(row);
        return shown.join(QLatin1Char(' '));
    }

private slots:
    void init()
    {
        m_session = std::make_unique<CCaptureSession>();
        test::LoadCapture(m_session->Document(), 40, Level);
        m_session->OpenCapture();
        m_panel = std::make_unique<MeasurePanel>(*m_session);
        m_session->SetClockPeriod(3, 1e-6);
    }

    void cleanup()
    {
        m_panel.reset();
        m_session.reset();
    }

    void followsTheXCursorAndTheSelectedChannel()
    {
        m_session->SetCursors(5, 20);
        QCOMPARE(m_panel->Value(Row::Channel), QStringLiteral("D0  name 0"));
        QCOMPARE(Figures({Row::Level, Row::Width, Row::Period, Row::Frequency, Row::Duty}),
                 QStringLiteral("1| 4 µs|4 8 µs|8 125 kHz| 50.0 %|"));
        QCOMPARE(Figures({Row::Delta, Row::Inverse, Row::Rising, Row::Falling, Row::Edges}),
                 QStringLiteral("-15 µs|-15 66.67 kHz| 2| 2| 4|"));
        // Before the first edge there is no pulse to measure.
        m_session->SetCursors(1, 1);
        QCOMPARE(Figures({Row::Width, Row::Period, Row::Duty}), QStringLiteral("—|— —|— —|"));
        QCOMPARE(Figures({Row::Delta, Row::Inverse, Row::Edges}), QStringLiteral("0 s|0 —| 0|"));

        m_session->SetCursors(11, 0);
        m_session->SelectChannel(1);
        QCOMPARE(m_panel->Value(Row::Channel), QStringLiteral("D1  name 1"));
        QCOMPARE(Figures({Row::Level, Row::Width, Row::Period, Row::Duty}), QStringLiteral("1| 3 µs|3 —|— —|"));
        QCOMPARE(Figures({Row::Rising, Row::Falling}), QStringLiteral("1| 0|"));
    }

    void followsTheClockAndTheCapture()
    {
        m_session->SetCursors(5, 20);
        m_session->SetClockPeriod(0, 1.0);
        QCOMPARE(Figures({Row::Width, Row::Frequency, Row::Delta, Row::Inverse}), QStringLiteral("|4 —| |-15 —|"));
        m_session->ClearCapture();
        for (int r = 0; r < static_cast<int>(Row::Count); ++r)
            QVERIFY(m_panel->Value(Row(r)).isEmpty() && m_panel->Samples(Row(r)).isEmpty());
        test::LoadCapture(m_session->Document(), 40, Level);
        m_session->OpenCapture();
        QCOMPARE(Figures({Row::Level, Row::Edges}), QStringLiteral("0| 0|"));
    }
};

QTEST_MAIN(MeasurePanelTest)
#include "MeasurePanelTest.moc"
