// Receiving state listings byte by byte and in batches, as the serial engine delivers them: the
// tokens and counts that reach the document, the parse at the end, the abort and cancel paths, and
// a batch handled whole before a cancel or the quiet timer can end the reception.

#include "link/Reception.h"

#include "SessionWatcher.h"

#include "resources/Strings.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"

#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdint>

using namespace veldran;
using veldran::test::SessionWatcher;

namespace {

uint16_t CellValue(int line, int cell)
{
    return static_cast<uint16_t>(line * 0x1357 + cell * 0x2461 + 5);
}

std::string Listing(int lines)
{
    std::vector<test::Cells> cells;
    for (int i = 0; i < lines; ++i)
        cells.push_back({CellValue(i, 0), CellValue(i, 1), CellValue(i, 2)});
    return test::ListingText(cells);
}

void Feed(CReception& reception, const std::string& bytes)
{
    for (char c : bytes)
        reception.OnSerialChar(static_cast<unsigned char>(c), 1);
}

void PostClick(QWidget* button)
{
    const QPointF pos = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(pos);
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, pos, global, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
}

QPushButton* CancelButton(CReception& reception)
{
    return reception.TransferDialog()->findChild<QPushButton*>(QStringLiteral("1037"));
}


} // namespace

class ReceptionTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void noPortShowsMessage();
    void loadOpensDialogAndChangesNothingYet();
    void stateThenSilence();
    void quietTimerEndsReception();
    void listingGivesSamples_data();
    void listingGivesSamples();
    void incompleteLastLineIsNotCounted();
    void damagedLineKeepsTheRestInStep();
    void firstTokenMustBeState_data();
    void firstTokenMustBeState();
    void separatorsAndHighBytesEndTokens();
    void progressWrapsAndCarriesOver();
    void cancelBeforeFirstByte();
    void cancelDuringListing();
    void bytesWhileIdleOnlyBlankBuffer();
    void longRunStaysInBuffer();
    void cancelDuringABatchTakesEffectAfterIt();
    void lateQuietTimerWaitsForTheLastByte();
    void progressStepsForEveryTokenOfABatch();
    void batchSplitAnywhereGivesSameCapture_data();
    void batchSplitAnywhereGivesSameCapture();
    void batchIsHandledBeforeAnyOtherEvent();
    void batchFromAPortOpenedAgainIsDropped();

private:
    std::unique_ptr<SessionWatcher> m_view;
    CVELDRANDoc* m_doc = nullptr;
    std::unique_ptr<CReception> m_reception;
    std::unique_ptr<test::MessageRecorder> m_messages;
};

void ReceptionTest::init()
{
    CReception::ResetProgramState();
    m_messages = std::make_unique<test::MessageRecorder>();
    m_view = std::make_unique<SessionWatcher>();
    m_doc = &m_view->session.Document();
    m_reception = std::make_unique<CReception>(*m_view, m_view->session, &m_view->mainWindow);
}

void ReceptionTest::cleanup()
{
    m_reception.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_doc = nullptr;
    m_view.reset();
    m_messages.reset();
}

void ReceptionTest::noPortShowsMessage()
{
    m_view->portOpen = false;
    m_reception->OnLoad();
    QCOMPARE(m_messages->Last(), std::string(text::kNoConnection));
    QVERIFY(!m_reception->TransferDialog());
    QVERIFY(!m_reception->IsReceiving());
    QVERIFY(m_view->calls.isEmpty());
    QVERIFY(m_view->mainWindow.isEnabled());
    QCOMPARE(m_doc->Tokens().size(), size_t(CVELDRANDoc::kFreshTokenCount));
}

void ReceptionTest::loadOpensDialogAndChangesNothingYet()
{
    // A listing shown before: live, seven lines counted.
    m_view->session.ShowArrivingListing();
    m_view->session.AppendListingToken("STATE");
    m_view->session.ListingLines(7, "0007");
    m_view->calls.clear();
    m_reception->OnLoad();
    QCOMPARE(m_view->calls, QStringList{"PurgePort"});
    QVERIFY(m_reception->IsReceiving());
    QVERIFY(m_reception->TransferDialog());
    QVERIFY(m_reception->TransferDialog()->isVisible());
    QVERIFY(!m_view->mainWindow.isEnabled());
    // What is shown is dropped by the first byte, not by LOAD.
    QCOMPARE(m_doc->Tokens(), TokenList{"STATE"});
    QCOMPARE(m_view->sampleCount(), 7);
    QVERIFY(m_view->liveData());
    QVERIFY(!m_reception->QuietTimerActive()); // waits without limit for the first byte
    QCOMPARE(m_reception->PendingTokenLength(), size_t(0));
}

void ReceptionTest::stateThenSilence()
{
    m_reception->OnLoad();
    Feed(*m_reception, "STATE\r\n");
    QCOMPARE(m_doc->Tokens(), TokenList{"STATE"});
    QCOMPARE(CReception::Progress(), 10);
    QCOMPARE(m_reception->TransferDialog()->ProgressPosition(), 10);
    QCOMPARE(m_view->sampleCount(), 0);
    QVERIFY(m_view->liveData());
    QVERIFY(m_reception->QuietTimerActive());

    m_reception->OnTimer(CReception::kQuietTimer);
    QVERIFY(m_doc->IsDataReady());
    QCOMPARE(m_doc->SampleCount(), 0);
    const QStringList expected{"PurgePort", "captureCleared", "captureReplaced"};
    QCOMPARE(m_view->calls, expected);
    QVERIFY(!m_reception->IsReceiving());
    QVERIFY(!m_reception->TransferDialog());
    QVERIFY(!m_reception->QuietTimerActive());
    QVERIFY(m_view->mainWindow.isEnabled());
    QVERIFY(m_messages->messages.empty());
}

void ReceptionTest::quietTimerEndsReception()
{
    QCOMPARE(m_reception->QuietInterval(), CReception::kQuietMs);
    m_reception->SetQuietInterval(60);
    m_reception->OnLoad();
    Feed(*m_reception, Listing(2));
    QVERIFY(!m_doc->IsDataReady());
    QTRY_VERIFY_WITH_TIMEOUT(m_doc->IsDataReady(), 5000);
    QCOMPARE(m_doc->SampleCount(), 2);
    QVERIFY(!m_reception->IsReceiving());
    QVERIFY(m_view->mainWindow.isEnabled());
}

void ReceptionTest::listingGivesSamples_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("one line") << 1;
    QTest::newRow("three lines") << 3;
    QTest::newRow("forty lines") << 40;
}

void ReceptionTest::listingGivesSamples()
{
    QFETCH(int, lines);
    m_reception->OnLoad();
    Feed(*m_reception, Listing(lines));
    QCOMPARE(m_view->sampleCount(), lines);
    QCOMPARE(m_doc->SampleCount(), lines);
    char last[16];
    std::snprintf(last, sizeof last, "%04d", lines - 1);
    QCOMPARE(m_view->xPosData(), std::string(text::kDataInTransfer) + last);
    QCOMPARE(m_doc->Tokens().size(), size_t(12 + 4 * lines));

    m_reception->OnTimer(CReception::kQuietTimer);
    QVERIFY(m_messages->messages.empty());
    QCOMPARE(m_doc->SampleCount(), lines);
    QCOMPARE(m_doc->Samples().size(), size_t(lines) * kChannelCount);
    for (int i = 0; i < lines; ++i)
        for (int ch = 0; ch < kChannelCount; ++ch)
            QCOMPARE(int(m_doc->Level(i, ch)), (CellValue(i, ch / 16) >> (ch % 16)) & 1);
}

// The parse drops a line that stopped short; the view must not go on counting it, or it would
// read a sample record the store does not hold.
void ReceptionTest::incompleteLastLineIsNotCounted()
{
    m_reception->OnLoad();
    Feed(*m_reception, Listing(3) + "0003 " + test::CellToken(1) + "\r\n");
    QCOMPARE(m_view->sampleCount(), 4);
    m_reception->OnTimer(CReception::kQuietTimer);
    QCOMPARE(m_messages->Last(), std::string(text::kTransmissionError));
    QCOMPARE(m_doc->SampleCount(), 3);
    QCOMPARE(m_view->sampleCount(), 3);
    QVERIFY(m_doc->IsDataReady());
}

// A blank turned into a digit on line 2 joins its line number to nothing but a stray digit, and a
// blank lost on line 4 joins cells 2 and 3: one sample per line, every cell that stands in its place
// as sent, the joined ones read as invalid data, and a note for the status bar naming line 2.
void ReceptionTest::damagedLineKeepsTheRestInStep()
{
    std::vector<Message> notes;
    QObject::connect(&m_view->session, &CCaptureSession::noteAnnounced, [&notes](const Message& note) { notes.push_back(note); });
    std::string bytes = Listing(6);
    bytes[bytes.find("\n0002 ") + 5] = '1';
    bytes.erase(bytes.find("\n0004 ") + 1 + 4 + 2 + 16 + 1 + 16, 1);
    m_reception->OnLoad();
    Feed(*m_reception, bytes);
    m_reception->OnTimer(CReception::kQuietTimer);
    QVERIFY(m_messages->messages.empty());
    QCOMPARE(m_doc->SampleCount(), 6);
    QCOMPARE(m_view->sampleCount(), 6);
    for (int line = 0; line < 6; ++line)
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const int level = line == 4 && ch >= 16 ? 0 : (CellValue(line, ch / 16) >> (ch % 16)) & 1;
            QCOMPARE(int(m_doc->Level(line, ch)), level);
        }
    QCOMPARE(notes.size(), size_t(1));
    QCOMPARE(notes.front(), Message(text::kListingDamaged, {"2", "2"}));
}

void ReceptionTest::firstTokenMustBeState_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("aborts");
    QTest::newRow("word with T, then a line number") << QByteArray("Timing 0001 0101010101010101\r\n") << true;
    QTest::newRow("lower-case state") << QByteArray("state listing\r\n") << true;
    QTest::newRow("STATE with more letters") << QByteArray("STATES\r\n") << true;
    QTest::newRow("T word before STATE") << QByteArray("TRIGGERED STATE\r\n") << false;
    QTest::newRow("leading separators") << QByteArray("\r\n\r\n  STATE\r\n") << false;
}

void ReceptionTest::firstTokenMustBeState()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, aborts);
    m_reception->OnLoad();
    Feed(*m_reception, bytes.toStdString());
    if (!aborts) {
        QCOMPARE(m_doc->Tokens(), TokenList{"STATE"});
        QVERIFY(m_reception->IsReceiving());
        QVERIFY(m_messages->messages.empty());
        return;
    }
    QCOMPARE(m_messages->messages.size(), size_t(1));
    QCOMPARE(m_messages->Last(), std::string(text::kTransferAbort));
    QVERIFY(!m_reception->IsReceiving());
    QVERIFY(!m_reception->TransferDialog());
    QVERIFY(!m_reception->QuietTimerActive());
    QVERIFY(m_view->mainWindow.isEnabled());
    QVERIFY(m_doc->Tokens().empty());
    QCOMPARE(m_reception->PendingTokenLength(), size_t(0));
    // The rest of the instrument's listing is dropped.
    Feed(*m_reception, Listing(2));
    QVERIFY(m_doc->Tokens().empty());
    QCOMPARE(m_messages->messages.size(), size_t(1));
    QVERIFY(!m_reception->QuietTimerActive());
}

void ReceptionTest::separatorsAndHighBytesEndTokens()
{
    m_reception->OnLoad();
    Feed(*m_reception, "STATE\r");
    QCOMPARE(m_doc->Tokens(), TokenList{"STATE"});
    Feed(*m_reception, "\n"); // an empty token: dropped, but the line is still alive
    QCOMPARE(m_doc->Tokens().size(), size_t(1));
    QCOMPARE(CReception::Progress(), 10);
    QVERIFY(m_reception->QuietTimerActive());

    // 0xB0 ends "LIST" like a blank; a four-character token counts as a line.
    Feed(*m_reception, "LIST\xB0ING\x7F~!X,Y\r\n");
    QCOMPARE(m_doc->Tokens(), (TokenList{"STATE", "LIST", "ING\x7F~", "X", "Y"}));
    QCOMPARE(m_view->sampleCount(), 1);
    QCOMPARE(m_doc->SampleCount(), 1);
    QCOMPARE(m_view->xPosData(), std::string(text::kDataInTransfer) + "LIST");
}

void ReceptionTest::progressWrapsAndCarriesOver()
{
    m_reception->OnLoad();
    Feed(*m_reception, "STATE a1 a2 a3 a4 a5 a6 a7 a8 a9 ");
    QCOMPARE(m_reception->TransferDialog()->ProgressPosition(), 100);
    Feed(*m_reception, "a10 ");
    QCOMPARE(CReception::Progress(), 0);
    QCOMPARE(m_reception->TransferDialog()->ProgressPosition(), 0);
    Feed(*m_reception, "a11 a12 ");
    QCOMPARE(CReception::Progress(), 20);
    m_reception->OnTimer(CReception::kQuietTimer);
    m_messages->Clear(); // the short parse complains; not what this test is about

    m_reception->OnLoad();
    QCOMPARE(m_reception->TransferDialog()->ProgressPosition(), 0);
    Feed(*m_reception, "STATE ");
    QCOMPARE(CReception::Progress(), 30);
    QCOMPARE(m_reception->TransferDialog()->ProgressPosition(), 30);
}

void ReceptionTest::cancelBeforeFirstByte()
{
    const TokenList tokens{"0000", "1111111111111111", "0000000000000000", "1010101010101010"};
    test::Load(*m_doc, tokens);
    m_view->session.OpenCapture();
    m_view->calls.clear();
    const std::vector<uint8_t> samples = m_doc->Samples();

    m_reception->OnLoad();
    QTest::mouseClick(CancelButton(*m_reception), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!m_reception->IsReceiving());
    QVERIFY(!m_reception->TransferDialog());
    QVERIFY(m_view->mainWindow.isEnabled());
    // The capture shown stays whole: its tokens (what Save writes), its count and its samples.
    QCOMPARE(m_doc->Tokens(), tokens);
    QVERIFY(m_doc->HoldsLoadedTokens());
    QCOMPARE(m_view->sampleCount(), 1);
    QCOMPARE(m_doc->SampleCount(), 1);
    QVERIFY(m_doc->IsDataReady());
    QCOMPARE(m_doc->Samples(), samples);
    QCOMPARE(m_view->calls, QStringList{"PurgePort"});
    QVERIFY(m_messages->messages.empty());
}

void ReceptionTest::cancelDuringListing()
{
    m_reception->OnLoad();
    Feed(*m_reception, Listing(2));
    QTest::mouseClick(CancelButton(*m_reception), Qt::LeftButton);

    QVERIFY(!m_reception->IsReceiving());
    QVERIFY(!m_reception->QuietTimerActive());
    QVERIFY(m_view->mainWindow.isEnabled());
    QCOMPARE(m_doc->Tokens().size(), size_t(12 + 8));
    // The lines received are the capture, as the quiet end would have made them.
    QCOMPARE(m_view->sampleCount(), 2);
    QCOMPARE(m_doc->SampleCount(), 2);
    QVERIFY(m_doc->IsDataReady());
    QVERIFY(m_doc->IsModified());
    QCOMPARE(int(m_doc->Level(1, 0)), int(CellValue(1, 0) & 1));
    QCOMPARE(m_view->calls, (QStringList{"PurgePort", "captureCleared", "captureReplaced"}));
    Feed(*m_reception, "0002 1111111111111111\r\n");
    QCOMPARE(m_doc->Tokens().size(), size_t(12 + 8));
    QCOMPARE(m_reception->PendingTokenLength(), size_t(0));
}

void ReceptionTest::bytesWhileIdleOnlyBlankBuffer()
{
    Feed(*m_reception, "STATE 0001 ABC");
    QCOMPARE(m_reception->PendingTokenLength(), size_t(0));
    QVERIFY(m_view->calls.isEmpty());
    QCOMPARE(m_doc->Tokens().size(), size_t(CVELDRANDoc::kFreshTokenCount));
    QCOMPARE(CReception::Progress(), 0);
    QVERIFY(!m_reception->QuietTimerActive());
}

// Noise on the line can make a run of any length; the token keeps its first 31 characters and
// the reception goes on undisturbed.
void ReceptionTest::longRunStaysInBuffer()
{
    m_reception->OnLoad();
    Feed(*m_reception, "STATE " + std::string(40, '1') + " 0007\r\n");
    QCOMPARE(m_doc->Tokens(), (TokenList{"STATE", std::string(31, '1'), "0007"}));
    QVERIFY(m_reception->StateSeen());
    QVERIFY(m_reception->IsReceiving());
    QCOMPARE(m_view->sampleCount(), 1);
    QVERIFY(m_reception->TransferDialog());
}

void FeedBatch(CReception& reception, const std::string& bytes, const std::atomic<bool>* pStopped = nullptr)
{
    reception.OnSerialBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), pStopped);
}

void ReceptionTest::batchSplitAnywhereGivesSameCapture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("listing of two lines") << QByteArray::fromStdString(Listing(2));
    QTest::newRow("noise, long run, T words")
        << QByteArray("\xB0\r\nTITLE STATE " + QByteArray(40, '7') + " Tx 0001\xFF" + QByteArray(16, '1') + "\r\n");
    QTest::newRow("not a listing") << QByteArray("LISTING 0001 0002\r\n");
}

// Bytes handed over in batches have the effects they have one by one, wherever a batch ends.
void ReceptionTest::batchSplitAnywhereGivesSameCapture()
{
    QFETCH(QByteArray, bytes);
    const std::string text = bytes.toStdString();
    m_reception->OnLoad();
    Feed(*m_reception, text);
    const TokenList expected = m_doc->Tokens();
    const int samples = m_view->sampleCount();
    const bool receiving = m_reception->IsReceiving();
    const size_t boxes = m_messages->messages.size();
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        m_messages->Clear();
        m_reception->OnLoad();
        FeedBatch(*m_reception, text.substr(0, cut));
        FeedBatch(*m_reception, text.substr(cut));
        QCOMPARE(m_doc->Tokens(), expected);
        QCOMPARE(m_view->sampleCount(), samples);
        QCOMPARE(m_reception->IsReceiving(), receiving);
        QCOMPARE(m_messages->messages.size(), boxes);
        QCOMPARE(m_reception->QuietTimerActive(), receiving);
    }
}

// Cancel is an ordinary event: pressed while a batch is handled, it ends the reception after that
// batch, which is kept whole; what comes later belongs to no reception.
void ReceptionTest::cancelDuringABatchTakesEffectAfterIt()
{
    m_reception->OnLoad();
    FeedBatch(*m_reception, "STATE LISTING 0000");
    PostClick(CancelButton(*m_reception));
    FeedBatch(*m_reception, " 1111111111111111 0001 ");
    QCOMPARE(m_doc->Tokens(), (TokenList{"STATE", "LISTING", "0000", "1111111111111111", "0001"}));
    QCOMPARE(m_view->sampleCount(), 2);
    QVERIFY(m_reception->IsReceiving());

    QCoreApplication::sendPostedEvents();
    QVERIFY(!m_reception->IsReceiving());
    QVERIFY(!m_reception->TransferDialog());
    QVERIFY(!m_reception->QuietTimerActive());
    QVERIFY(m_view->mainWindow.isEnabled());
    // No line came whole: no capture.
    QVERIFY(!m_doc->IsDataReady());
    QCOMPARE(m_view->sampleCount(), 0);
    FeedBatch(*m_reception, "0002 ");
    QVERIFY(m_doc->Tokens().empty());
    QCOMPARE(m_reception->PendingTokenLength(), size_t(0));
}

// A quiet timer that fires late (the event loop was busy) still counts from the last byte: a batch
// that came meanwhile keeps the reception going.
void ReceptionTest::lateQuietTimerWaitsForTheLastByte()
{
    m_reception->SetQuietInterval(60);
    m_reception->OnLoad();
    FeedBatch(*m_reception, Listing(1));
    QTest::qSleep(100); // the timer is due, but no event runs
    FeedBatch(*m_reception, "0001 " + test::CellToken(CellValue(1, 0)) + " " + test::CellToken(CellValue(1, 1)) + " "
                                + test::CellToken(CellValue(1, 2)) + "\r\n");
    QCoreApplication::processEvents();
    QVERIFY(!m_doc->IsDataReady());
    QTRY_VERIFY_WITH_TIMEOUT(m_doc->IsDataReady(), 5000);
    QCOMPARE(m_doc->SampleCount(), 2);
    QVERIFY(m_messages->messages.empty());
}

// The bar moves one step for every kept token, also when the tokens come in one batch.
void ReceptionTest::progressStepsForEveryTokenOfABatch()
{
    m_reception->OnLoad();
    FeedBatch(*m_reception, "STATE a1 a2 TIME a3\r\n");
    QCOMPARE(CReception::Progress(), 40);
    QCOMPARE(m_reception->TransferDialog()->ProgressPosition(), 40);
}

// A batch is handled whole: an event waiting meanwhile (here another batch) runs after it.
void ReceptionTest::batchIsHandledBeforeAnyOtherEvent()
{
    m_reception->OnLoad();
    QTimer::singleShot(0, [this] { FeedBatch(*m_reception, "0002 C\r\n"); });
    FeedBatch(*m_reception, "STATE A\r\n0001 B ");
    QCOMPARE(m_doc->Tokens(), (TokenList{"STATE", "A", "0001", "B"}));
    QCoreApplication::processEvents();
    QCOMPARE(m_doc->Tokens(), (TokenList{"STATE", "A", "0001", "B", "0002", "C"}));
    QCOMPARE(m_view->sampleCount(), 2);
}

// A batch read from the port before it was opened again is not the new reception's.
void ReceptionTest::batchFromAPortOpenedAgainIsDropped()
{
    m_reception->OnLoad();
    const std::atomic<bool> stopped{true};
    FeedBatch(*m_reception, "STATE LISTING 0001\r\n", &stopped);
    QCOMPARE(m_doc->Tokens().size(), size_t(CVELDRANDoc::kFreshTokenCount)); // as before LOAD
    QVERIFY(m_view->calls.endsWith("PurgePort"));
    QVERIFY(m_reception->IsReceiving());
    FeedBatch(*m_reception, "STATE 0002\r\n");
    QCOMPARE(m_doc->Tokens(), (TokenList{"STATE", "0002"}));
}

QTEST_MAIN(ReceptionTest)
#include "ReceptionTest.moc"
