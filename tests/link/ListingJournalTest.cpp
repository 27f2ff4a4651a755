// Nothing received is lost: the window's reception journals a listing's bytes as they arrive and
// deletes the journal when the reception is cancelled or the capture let go; at the next start the
// journal is offered and, taken, shown as a received capture that may be incomplete.

#include "link/ListingRecovery.h"
#include "link/Reception.h"

#include "SessionWatcher.h"

#include "resources/Strings.h"
#include "tests/common/FileBytes.h"
#include "tests/common/ListingBuilder.h"
#include "tests/common/MessageRecorder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace veldran;
using veldran::test::SessionWatcher;

namespace {

test::Cells LineCells(int line)
{
    return {static_cast<uint16_t>(line * 7 + 1), static_cast<uint16_t>(line * 3), static_cast<uint16_t>(0xA5A5 ^ line)};
}

std::string Listing(int lines)
{
    std::vector<test::Cells> cells;
    for (int i = 0; i < lines; ++i)
        cells.push_back(LineCells(i));
    return test::ListingText(cells);
}

void FeedBatch(CReception& reception, const std::string& bytes)
{
    reception.OnSerialBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

} // namespace

class ListingJournalTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bytesAreJournaledAsTheyArrive();
    void cancelKeepsTheJournalOfWhatItKept();
    void interruptedListingIsOfferedAndShown();
    void declinedListingIsDeleted();

private:
    [[nodiscard]] std::string JournalPath() const { return m_state.path().toStdString() + "/veldran/listing.journal"; }
    [[nodiscard]] std::string Journaled() const { return test::ReadFileBytes(QString::fromStdString(JournalPath())).toStdString(); }
    [[nodiscard]] bool JournalExists() const { return QFile::exists(QString::fromStdString(JournalPath())); }

    QTemporaryDir m_state;
    std::unique_ptr<test::MessageRecorder> m_messages;
    std::unique_ptr<SessionWatcher> m_view;
    std::unique_ptr<CReception> m_reception;
};

void ListingJournalTest::initTestCase()
{
    QVERIFY(m_state.isValid());
    qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
}

void ListingJournalTest::init()
{
    QFile::remove(QString::fromStdString(JournalPath()));
    m_messages = std::make_unique<test::MessageRecorder>();
    m_view = std::make_unique<SessionWatcher>();
    m_reception = std::make_unique<CReception>(*m_view, m_view->session, &m_view->mainWindow);
}

void ListingJournalTest::cleanup()
{
    m_reception.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_view.reset();
    m_messages.reset();
}

// Each batch is in the journal once it was handled, before the listing ends; the ended listing
// keeps its journal until the capture is let go.
void ListingJournalTest::bytesAreJournaledAsTheyArrive()
{
    const std::string listing = Listing(40);
    const std::size_t half = listing.size() / 2 + 3; // inside a word
    m_reception->OnLoad();
    QVERIFY(!JournalExists());
    FeedBatch(*m_reception, listing.substr(0, half));
    QCOMPARE(Journaled(), kListingJournalHeader + listing.substr(0, half));
    FeedBatch(*m_reception, listing.substr(half));
    QCOMPARE(Journaled(), kListingJournalHeader + listing);

    m_reception->OnTimer(CReception::kQuietTimer);
    QCOMPARE(m_view->sampleCount(), 40);
    QVERIFY(JournalExists());
    m_reception->LetGoOfJournal();
    QVERIFY(!JournalExists());
}

// A cancel that keeps whole lines leaves an unsaved capture, journal and all; one that kept
// nothing (the header only) leaves no journal behind.
void ListingJournalTest::cancelKeepsTheJournalOfWhatItKept()
{
    m_reception->OnLoad();
    FeedBatch(*m_reception, Listing(5));
    m_reception->TransferDialog()->m_bCancelled = true;
    m_reception->OnTimer(0);
    QCOMPARE(m_view->sampleCount(), 5);
    QVERIFY(JournalExists());

    m_reception->OnLoad();
    FeedBatch(*m_reception, Listing(0));
    QVERIFY(JournalExists());
    m_reception->TransferDialog()->m_bCancelled = true;
    m_reception->OnTimer(0);
    QCOMPARE(m_view->sampleCount(), 0);
    QVERIFY(!JournalExists());
}

// A listing cut inside its sixth line, with its third line damaged: five samples, the damaged one
// kept in step, shown as a modified received capture with the recovered warning.
void ListingJournalTest::interruptedListingIsOfferedAndShown()
{
    std::string listing = Listing(6);
    const std::size_t third = listing.find("0002 ");
    QVERIFY(third != std::string::npos);
    listing.erase(third + 9, 1); // a byte lost in the first word of the third line
    listing.resize(listing.size() - 20);
    {
        CListingJournal journal;
        QCOMPARE(journal.Open(), 0);
        journal.Append(reinterpret_cast<const unsigned char*>(listing.data()), listing.size());
    } // the process ended here

    int asked = 0;
    std::vector<Message> reported;
    QVERIFY(OfferInterruptedListing(m_view->session, JournalPath(), [&asked] { return ++asked > 0; },
                                    [&reported](const Message& message) { reported.push_back(message); }));
    QCOMPARE(asked, 1);
    QCOMPARE(m_view->sampleCount(), 5);
    QVERIFY(m_view->liveData());
    QVERIFY(m_view->session.Document().IsModified());
    const CVELDRANDoc& document = m_view->session.Document();
    for (int sample : {0, 1, 3, 4}) // undamaged lines as sent, after the damaged one too
        for (int ch = 0; ch < kChannelCount; ++ch)
            QCOMPARE(document.Level(sample, ch), (LineCells(sample)[static_cast<size_t>(ch / 16)] >> (ch % 16)) & 1);
    QVERIFY(!reported.empty());
    QCOMPARE(std::string(reported.back().id), std::string(text::kListingRecovered));
    QCOMPARE(reported.back().args, std::vector<std::string>{"5"});
    QVERIFY(JournalExists()); // until the capture is saved or let go
}

void ListingJournalTest::declinedListingIsDeleted()
{
    {
        CListingJournal journal;
        QCOMPARE(journal.Open(), 0);
        const std::string listing = Listing(3);
        journal.Append(reinterpret_cast<const unsigned char*>(listing.data()), listing.size());
    }
    std::vector<Message> reported;
    QVERIFY(!OfferInterruptedListing(m_view->session, JournalPath(), [] { return false; },
                                     [&reported](const Message& message) { reported.push_back(message); }));
    QVERIFY(!JournalExists());
    QCOMPARE(m_view->sampleCount(), 0);
    QVERIFY(reported.empty());
    // No journal: nothing is asked.
    int asked = 0;
    QVERIFY(!OfferInterruptedListing(m_view->session, JournalPath(), [&asked] { return ++asked > 0; },
                                     [](const Message&) {}));
    QCOMPARE(asked, 0);
}

QTEST_MAIN(ListingJournalTest)
#include "ListingJournalTest.moc"
