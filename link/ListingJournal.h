#pragma once
// The journal of a listing as it arrives, so that a hang-up, a crash or a power cut late in a long
// listing loses nothing received. Plain C++ and POSIX, no Qt; the window's reception and
// veldran-capture both keep one.
//
// The journal is one file in the user's state folder ($XDG_STATE_HOME/veldran, else
// ~/.local/state/veldran): a first line naming the format and its version ("VELDRAN-LISTING-JOURNAL 1"),
// then the listing's bytes exactly as they came, appended batch by batch. The bytes reach the disk
// (fdatasync) when a batch arrives and the last sync is older than the sync interval, and when the
// journal is closed: at most the last few seconds of a listing are lost to a power cut.
//
// A journal exists from the first byte of a listing until its capture is kept in a file or let go;
// whoever finds one at the start offers it (ReadListingJournal). One listing is journaled at a time:
// while a reception holds the journal (an advisory lock), another reception goes without one and
// a recovery is refused.

#include <chrono>
#include <cstddef>
#include <string>

namespace veldran {

// The journal's first line, its newline included.
inline constexpr char kListingJournalHeader[] = "VELDRAN-LISTING-JOURNAL 1\n";

// Where the journal lives; empty when neither XDG_STATE_HOME nor HOME is set.
[[nodiscard]] std::string ListingJournalPath();

class CListingJournal {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kSyncInterval{3};

    explicit CListingJournal(std::string path = ListingJournalPath(), std::chrono::milliseconds syncInterval = kSyncInterval);
    // Closes the journal (synced); the file stays.
    ~CListingJournal();
    CListingJournal(const CListingJournal&) = delete;
    CListingJournal& operator=(const CListingJournal&) = delete;

    // Starts a new journal (an earlier one is replaced), its folder created if need be. 0 or the
    // errno of the failure (EWOULDBLOCK: another reception holds the journal); after a failure the
    // listing is received without one.
    [[nodiscard]] int Open();
    // Appends one batch; syncs when the last sync is older than the interval. A failed write
    // closes the journal (Error() tells why); the file then holds the bytes before it.
    void Append(const unsigned char* pBytes, std::size_t nBytes, Clock::time_point now = Clock::now());
    // Syncs and closes; the file stays for a recovery.
    void Close();
    // Closes and deletes the file this journal wrote since its last Open, if any (a journal left
    // by another run stays): the listing was kept in a file or let go.
    void Remove();

    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }
    [[nodiscard]] int Error() const { return m_nError; }
    [[nodiscard]] const std::string& Path() const { return m_strPath; }

private:
    void Sync(Clock::time_point now);

    std::string m_strPath;
    std::chrono::milliseconds m_syncInterval;
    int m_fd = -1;
    int m_nError = 0;
    bool m_bWritten = false; // the file at m_strPath is this journal's
    bool m_bUnsynced = false;
    Clock::time_point m_lastSync{};
};

enum class EJournalRead {
    Read,       // bytes holds the listing's bytes (possibly none)
    Missing,    // no journal
    Busy,       // a reception is writing it right now
    NotJournal, // the file does not begin with the journal's first line
    Failed,     // could not be read (error: the errno)
};

// Reads the journal at path: the listing's bytes after its first line.
[[nodiscard]] EJournalRead ReadListingJournal(const std::string& path, std::string& bytes, int* error = nullptr);

// Deletes the journal at path unless a reception holds it. True when no journal is left.
bool RemoveListingJournal(const std::string& path);

} // namespace veldran
