// The pattern search: the next and previous matches from the active cursor without wrapping, no
// match, a refused pattern, and the count of the matches on its worker thread, finished, cancelled
// and dropped with its capture. Channel 0 rises at 4, 12, 20, 28 and 36 of 40 samples.

#include "tests/common/MessageRecorder.h"
#include "tests/view/CaptureFixture.h"

#include "analysis/PatternErrorText.h"
#include "i18n/MessageText.h"
#include "view/PatternSearch.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace veldran;
using Direction = PatternSearch::EDirection;

namespace {

int Clock(int sample, int channel)
{
    return channel == 0 ? (sample / 4) % 2 : 0;
}

} // namespace

class PatternSearchTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CCaptureSession> m_session;
    std::unique_ptr<PatternSearch> m_search;
    std::unique_ptr<QSignalSpy> m_status;

    void Open(int count)
    {
        test::LoadCapture(m_session->Document(), count, Clock);
        m_session->OpenCapture();
    }

    [[nodiscard]] bool Counted(qint64 atOrBefore, qint64 total)
    {
        QSignalSpy counted(&m_search->Counter(), &MatchCounter::counted);
        if (!counted.wait(10000))
            return false;
        return counted.at(0).at(0).toLongLong() == atOrBefore && counted.at(0).at(1).toLongLong() == total;
    }

private slots:
    void init()
    {
        m_session = std::make_unique<CCaptureSession>();
        m_search = std::make_unique<PatternSearch>(*m_session);
        m_status = std::make_unique<QSignalSpy>(m_search.get(), &PatternSearch::statusChanged);
        Open(40);
    }

    void cleanup()
    {
        m_status.reset();
        m_search.reset();
        m_session.reset();
    }

    void stepsFromTheActiveCursorWithoutWrapping()
    {
        const QString pattern = QStringLiteral("D0=r");
        QCOMPARE(m_search->Find(pattern, Direction::Next), std::optional<int64_t>(4));
        QCOMPARE(m_search->Find(pattern, Direction::Next), std::optional<int64_t>(12));
        QCOMPARE(m_session->XCursor(), 12);
        QVERIFY(Counted(2, 5));
        QCOMPARE(m_status->last().at(0).toString(), QStringLiteral("일치 2 / 5"));
        QCOMPARE(m_search->Find(pattern, Direction::Previous), std::optional<int64_t>(4));
        QVERIFY(Counted(1, 5));
        // Nothing before the first match: the cursor stays, the status bar says so.
        QCOMPARE(m_search->Find(pattern, Direction::Previous), std::nullopt);
        QCOMPARE(m_session->XCursor(), 4);
        QCOMPARE(m_status->last().at(0).toString(), MessageText(Message(text::kSearchNoPrevious, {"4"})));
        // Nor past the last one: no wrap to the first.
        m_session->SetCursors(36, 0);
        QCOMPARE(m_search->Find(pattern, Direction::Next), std::nullopt);
        QCOMPARE(m_session->XCursor(), 36);
        QCOMPARE(m_status->last().at(0).toString(), MessageText(Message(text::kSearchNoNext, {"36"})));
        // The Y cursor, when active, is the one that moves.
        m_session->SetActiveCursor(CCaptureSession::ECursor::Y);
        QSignalSpy revealed(m_session.get(), &CCaptureSession::sampleRevealRequested);
        QCOMPARE(m_search->Find(QStringLiteral("D0=f"), Direction::Next), std::optional<int64_t>(8));
        QCOMPARE(m_session->XCursor(), 36);
        QCOMPARE(m_session->YCursor(), 8);
        // The window is asked to show Y, which it would not follow of itself.
        QCOMPARE(revealed.count(), 1);
        QCOMPARE(revealed.last().at(0).toInt(), 8);
    }

    void aRefusedPatternIsSaidAndMovesNothing()
    {
        test::MessageRecorder boxes;
        m_session->SetCursors(5, 9);
        QSignalSpy moved(m_session.get(), &CCaptureSession::cursorsMoved);
        const QString pattern = QStringLiteral("D0=r, D99=1");
        QCOMPARE(m_search->Find(pattern, Direction::Next), std::nullopt);
        const auto parsed = CPattern::Parse(pattern.toStdString(), ChannelNames{});
        QVERIFY(std::holds_alternative<PatternError>(parsed));
        const PatternError& error = std::get<PatternError>(parsed);
        QCOMPARE(error.strTerm, std::string("D99=1"));
        QCOMPARE(boxes.messages.size(), size_t{1});
        QCOMPARE(boxes.messages.front().text, MessageText(PatternErrorMessage(error)).toStdString());
        QVERIFY(boxes.messages.front().text.find("D99=1") != std::string::npos);
        QCOMPARE(moved.count(), 0);
        QVERIFY(!m_search->Counter().IsCounting());
    }

    // A count of a million samples runs beside the event loop, which keeps turning; a cancel, a
    // new count or a new capture drops the count under way, and no result of it arrives later.
    void countsOffTheWindowsThreadAndCancels()
    {
        Open(1000000);
        int longestGapMs = 0;
        QElapsedTimer sinceTick;
        QTimer ticks;
        ticks.setInterval(5);
        connect(&ticks, &QTimer::timeout, [&] {
            longestGapMs = std::max(longestGapMs, static_cast<int>(sinceTick.restart()));
        });
        QElapsedTimer took;
        took.start();
        QCOMPARE(m_search->Find(QStringLiteral("D0=r"), Direction::Next), std::optional<int64_t>(4));
        const qint64 findMs = took.elapsed();
        sinceTick.start();
        ticks.start();
        QVERIFY(Counted(1, 125000));
        qInfo("find %lld ms, copy and count %lld ms, longest pause of the event loop %d ms", findMs,
              took.elapsed() - findMs, longestGapMs);
        QVERIFY2(longestGapMs < 250, qPrintable(QString::number(longestGapMs)));

        QSignalSpy cancelled(&m_search->Counter(), &MatchCounter::cancelled);
        QSignalSpy counted(&m_search->Counter(), &MatchCounter::counted);
        m_search->Find(QStringLiteral("D0=f"), Direction::Next);
        m_search->Counter().Cancel();
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(m_status->last().at(0).toString(), MessageText(Message(text::kSearchCountCancelled)));
        m_search->Find(QStringLiteral("D0=f"), Direction::Next);
        m_session->ClearCapture();
        QCOMPARE(cancelled.count(), 2);
        QTest::qWait(200);
        QCOMPARE(counted.count(), 0);
    }
};

QTEST_MAIN(PatternSearchTest)
#include "PatternSearchTest.moc"
