#include "link/ListingJournal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {

namespace {

constexpr std::size_t kHeaderLength = sizeof kListingJournalHeader - 1;

std::string StateFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return std::string(state) + "/veldran";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::string(home) + "/.local/state/veldran";
    return {};
}

// Creates the folder and any missing parents, private to the user. 0 or an errno.
int MakeFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (slash == std::string::npos)
            return 0;
    }
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool WriteAll(int fd, const unsigned char* pBytes, std::size_t nBytes)
{
    while (nBytes > 0) {
        const ssize_t written = write(fd, pBytes, nBytes);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        pBytes += written;
        nBytes -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

std::string ListingJournalPath()
{
    const std::string folder = StateFolder();
    return folder.empty() ? std::string() : folder + "/listing.journal";
}

CListingJournal::CListingJournal(std::string path, std::chrono::milliseconds syncInterval)
    : m_strPath(std::move(path))
    , m_syncInterval(syncInterval)
{
}

CListingJournal::~CListingJournal()
{
    Close();
}

int CListingJournal::Open()
{
    Close();
    m_nError = 0;
    if (m_strPath.empty())
        return m_nError = ENOENT;
    const std::string folder = FolderOf(m_strPath);
    if (const int error = MakeFolders(folder))
        return m_nError = error;
    // Not truncated before the lock is held: the journal of a reception still running stays whole.
    const int fd = open(m_strPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return m_nError = errno;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ftruncate(fd, 0) != 0
        || !WriteAll(fd, reinterpret_cast<const unsigned char*>(kListingJournalHeader), kHeaderLength)
        || fdatasync(fd) != 0) {
        m_nError = errno;
        close(fd);
        return m_nError;
    }
    // The folder's entry for the new file reaches the disk once; the bytes follow with each sync.
    const int fdFolder = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fdFolder >= 0) {
        fsync(fdFolder);
        close(fdFolder);
    }
    m_fd = fd;
    m_bWritten = true;
    m_bUnsynced = false;
    m_lastSync = Clock::now();
    return 0;
}

void CListingJournal::Append(const unsigned char* pBytes, std::size_t nBytes, Clock::time_point now)
{
    if (m_fd < 0 || nBytes == 0)
        return;
    if (!WriteAll(m_fd, pBytes, nBytes)) {
        m_nError = errno;
        Close();
        return;
    }
    m_bUnsynced = true;
    if (now - m_lastSync >= m_syncInterval)
        Sync(now);
}

void CListingJournal::Sync(Clock::time_point now)
{
    if (m_fd >= 0 && m_bUnsynced && fdatasync(m_fd) != 0 && !m_nError)
        m_nError = errno;
    m_bUnsynced = false;
    m_lastSync = now;
}

void CListingJournal::Close()
{
    if (m_fd < 0)
        return;
    Sync(Clock::now());
    close(m_fd); // lets go of the lock
    m_fd = -1;
}

void CListingJournal::Remove()
{
    if (m_fd >= 0) {
        // Deleted while the lock is still held, so no one reads it half gone.
        unlink(m_strPath.c_str());
        close(m_fd);
        m_fd = -1;
    } else if (m_bWritten) {
        RemoveListingJournal(m_strPath);
    }
    m_bWritten = false;
}

EJournalRead ReadListingJournal(const std::string& path, std::string& bytes, int* error)
{
    bytes.clear();
    const auto failed = [error](int nError) {
        if (error)
            *error = nError;
        return EJournalRead::Failed;
    };
    if (path.empty())
        return EJournalRead::Missing;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno == ENOENT ? EJournalRead::Missing : failed(errno);
    if (flock(fd, LOCK_SH | LOCK_NB) != 0) {
        const int nError = errno;
        close(fd);
        return nError == EWOULDBLOCK ? EJournalRead::Busy : failed(nError);
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int nError = errno;
            close(fd);
            return failed(nError);
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    if (content.compare(0, kHeaderLength, kListingJournalHeader) != 0)
        return EJournalRead::NotJournal;
    bytes = content.substr(kHeaderLength);
    return EJournalRead::Read;
}

bool RemoveListingJournal(const std::string& path)
{
    if (path.empty())
        return true;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno == ENOENT;
    const bool bFree = flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (bFree)
        unlink(path.c_str());
    close(fd);
    return bFree;
}

} // namespace veldran
