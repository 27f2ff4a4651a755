#include "export/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {
namespace {

// The target a path stands for: exporting over a symbolic link replaces the file it points to.
std::string ResolvedTarget(const std::string& path)
{
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            std::string target = resolved;
            std::free(resolved);
            return target;
        }
    }
    return path;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string ErrorText(int error)
{
    return std::strerror(error);
}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

int CAtomicFile::Create(const std::string& target)
{
    Discard();
    m_strTarget = ResolvedTarget(target);
    struct stat st {};
    if (::stat(m_strTarget.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return m_nError = EISDIR;
        // A file the user may not write stays as it is, although its folder would allow replacing it.
        if (::access(m_strTarget.c_str(), W_OK) != 0)
            return m_nError = errno;
    }
    const mode_t mode = ::stat(m_strTarget.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        std::string temp = FolderOf(m_strTarget) + "/.veldran-export-" + suffix;
        // O_EXCL: never write into a file that some other program made under the same name.
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::fchmod(fd, mode);
            m_fd = fd;
            m_strTemp = std::move(temp);
            m_nError = 0;
            return 0;
        }
        if (errno != EEXIST)
            return m_nError = errno;
    }
    return m_nError = EEXIST;
}

void CAtomicFile::Append(std::string_view bytes)
{
    if (m_fd < 0 && m_nError == 0)
        m_nError = EBADF;
    while (m_nError == 0 && !bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            m_nError = errno;
        else
            bytes.remove_prefix(static_cast<size_t>(n));
    }
}

int CAtomicFile::Commit()
{
    if (m_fd < 0)
        return m_nError ? m_nError : EBADF;
    if (m_nError == 0 && ::fsync(m_fd) != 0)
        m_nError = errno;
    if (::close(m_fd) != 0 && m_nError == 0)
        m_nError = errno;
    m_fd = -1;
    if (m_nError == 0 && ::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
        m_nError = errno;
    if (m_nError != 0) {
        Discard();
        return m_nError;
    }
    m_strTemp.clear();
    // Make the rename itself durable; a failure here no longer endangers either version.
    const int dir = ::open(FolderOf(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

void CAtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_strTemp.empty()) {
        ::unlink(m_strTemp.c_str());
        m_strTemp.clear();
    }
}

} // namespace veldran
