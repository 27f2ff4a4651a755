// The capture session: a listing's road through it, a file opened into it, and the view state it
// keeps, each checked by what it announces and what a reader finds afterwards.

#include "session/CaptureSession.h"

#include "resources/Strings.h"
#include "tests/common/ListingBuilder.h"

#include <QSignalSpy>
#include <QTest>

using namespace veldran;
using namespace veldran::test;

class CaptureSessionTest : public QObject {
    Q_OBJECT

private slots:
    void aListingClearsOnceCountsAndReplaces()
    {
        CCaptureSession session;
        Receive(session.Document(), Listing({{1, 2, 3}}));
        session.OpenCapture();
        QSignalSpy cleared(&session, &CCaptureSession::captureCleared);
        QSignalSpy lines(&session, &CCaptureSession::linesReceived);
        QSignalSpy replaced(&session, &CCaptureSession::captureReplaced);

        session.BeginListing();
        QVERIFY(session.HasCapture()); // nothing shown changes before the first bytes
        QCOMPARE(cleared.count(), 0);
        const TokenList listing = Listing({{0x0001, 0x8000, 0xFFFF}, {0, 0, 1}});
        for (size_t n = 0; n < listing.size(); ++n) {
            session.ShowArrivingListing();
            session.AppendListingToken(listing[n]);
        }
        QCOMPARE(cleared.count(), 1);
        QVERIFY(session.IsLiveData());
        QVERIFY(!session.HasCapture());
        session.ListingLines(2, "0001");
        QCOMPARE(lines.count(), 1);
        QCOMPARE(session.SampleCount(), 2);
        QCOMPARE(session.ValueText().Untranslated(), std::string(text::kDataInTransfer) + "0001");

        session.FinishListing(2);
        QCOMPARE(replaced.count(), 1);
        QVERIFY(session.HasCapture());
        QVERIFY(session.Document().IsModified());
        QCOMPARE(session.CellWordsAt(0), "0000000000000001  1000000000000000  1111111111111111");
        QCOMPARE(session.CellWordsAt(2), "");
        QCOMPARE(int(session.Document().Level(1, 32)), 1);
    }

    void cellWordsComeFromTheSamplesWhereTheTokensAreGone()
    {
        CCaptureSession session;
        Receive(session.Document(), Listing({{0x00FF, 0, 0x8001}}));
        session.OpenCapture();
        session.Document().BeginListing(); // a reception begun: the tokens go, the samples stay
        QCOMPARE(session.CellWordsAt(0), "0000000011111111  0000000000000000  1000000000000001");
        QCOMPARE(session.CellWordsAt(-1), "");
    }

    void openingACaptureTakesItsNamesAndStartsOver()
    {
        CCaptureSession session;
        session.Contract();
        session.SetClockPeriod(7, 0.001);
        session.SetCursors(4, 2);
        veldran::ChannelNames fileNames;
        fileNames[3] = "클럭";
        Load(session.Document(), DataTokens({{0, 0, 0}, {0, 0, 0}}), fileNames);
        QSignalSpy opened(&session, &CCaptureSession::captureOpened);
        session.OpenCapture();
        QCOMPARE(opened.count(), 1);
        QCOMPARE(session.Name(3), QStringLiteral("클럭"));
        QCOMPARE(session.Window(), 16);
        QCOMPARE(session.ClockPeriod(), 1.0);
        QCOMPARE(session.ClockIndex(), 0);
        QCOMPARE(session.XCursor(), 0);
        QCOMPARE(session.SampleCount(), 2);
        QVERIFY(!session.IsLiveData());
    }

    void viewStateStepsAndAnnouncesChanges()
    {
        CCaptureSession session;
        QCOMPARE(session.Name(47), QStringLiteral(" CH  C15"));
        QSignalSpy windows(&session, &CCaptureSession::windowChanged);
        for (int n = 0; n < 4; ++n)
            session.Contract();
        QCOMPARE(session.Window(), 1023);
        QCOMPARE(windows.count(), 3); // no window after the largest
        session.Expand();
        QCOMPARE(session.Window(), 256);

        QCOMPARE(session.Cell(), 0);
        session.SelectNextCell();
        session.SelectNextCell();
        session.SelectNextCell();
        QCOMPARE(session.Cell(), 0);

        QSignalSpy moved(&session, &CCaptureSession::cursorsMoved);
        session.SetCursors(5, 1);
        session.SetCursors(5, 1);
        QCOMPARE(moved.count(), 1);

        QSignalSpy clock(&session, &CCaptureSession::clockPeriodChanged);
        session.SetClockPeriod(3, 0.5);
        session.SetClockPeriod(99, std::nullopt); // outside the table: the period stays
        QCOMPARE(session.ClockPeriod(), 0.5);
        QCOMPARE(clock.count(), 2);

        session.Document().SetModifiedFlag(false);
        CCaptureSession::ChannelNames names = session.Names();
        names[0] = QStringLiteral("ADDR0");
        session.SetNames(names);
        QCOMPARE(session.Name(0), QStringLiteral("ADDR0"));
        QVERIFY(session.Document().IsModified());
    }

    void clearingForgetsTheCaptureAndSaysNoData()
    {
        CCaptureSession session;
        Receive(session.Document(), Listing({{0, 0, 0}}));
        session.Document().SetPathName("/tmp/x.vxr");
        session.OpenCapture();
        session.SetCursors(1, 1);
        session.ClearCapture();
        QVERIFY(!session.HasCapture());
        QCOMPARE(session.SampleCount(), 0);
        QCOMPARE(session.XCursor(), 0);
        QVERIFY(session.Document().GetPathName().empty());
        QCOMPARE(session.ValueText().Untranslated(), std::string(text::kNoData));
    }

    void aParseThatCannotReadACellSaysSoInTheValueField()
    {
        CCaptureSession session;
        QSignalSpy value(&session, &CCaptureSession::valueTextChanged);
        Load(session.Document(), TokenList{"0000", "00000000000000x0", "0000000000000000", "0000000000000000"});
        QVERIFY(value.count() >= 1);
        QCOMPARE(std::string(session.ValueText().source), std::string(text::kInvalidData));
    }
};

QTEST_GUILESS_MAIN(CaptureSessionTest)
#include "CaptureSessionTest.moc"
