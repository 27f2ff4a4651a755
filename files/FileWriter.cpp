#include "files/FileWriter.h"

#include "files/OutputPath.h"
#include "files/SafeFile.h"
#include "files/StopSignals.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {
namespace {

// The file a path stands for: writing to a symbolic link replaces the file it points to.
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

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string ErrorText(int error)
{
    // The program's own words for its own refusal (text::kLinkNotFollowed in the window's language).
    if (error == kErrorLinkNotFollowed)
        return "a symbolic link of another user in a folder anyone may write; it was not followed";
    return std::strerror(error);
}

CFileWriter::~CFileWriter()
{
    Discard();
}

int CFileWriter::Fail(EStep step, int error)
{
    m_step = step;
    return m_nError = error;
}

int CFileWriter::Create(const std::string& target)
{
    Discard();
    m_nError = 0;
    if (const int refused = CheckLinkMayBeFollowed(target))
        return Fail(EStep::Create, refused);
    m_strTarget = ResolvedTarget(target);
    if (const int tooLong = CheckOutputName(m_strTarget))
        return Fail(EStep::Create, tooLong);
    mode_t mode = NewFileMode();
    struct stat st {};
    if (::stat(m_strTarget.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return Fail(EStep::Create, EISDIR);
        if (::access(m_strTarget.c_str(), W_OK) != 0)
            return Fail(EStep::Create, errno);
        mode = st.st_mode & 07777;
    }
    // Without a name until it is complete where the file system allows; otherwise under a new name
    // that the stop-signal handler knows to remove.
    m_fd = OpenUnnamedBeside(m_strTarget);
    if (m_fd < 0) {
        m_fd = CreateTempBeside(m_strTarget, m_strTemp);
        if (m_fd < 0)
            return Fail(EStep::Create, errno);
        m_nSignalSlot = detail::RememberTemporary(m_strTemp.c_str());
    }
    if (::fchmod(m_fd, mode) != 0)
        return Fail(EStep::Create, errno);
    return 0;
}

void CFileWriter::Append(std::string_view bytes)
{
    if (m_fd < 0 && m_nError == 0)
        Fail(EStep::Write, EBADF);
    while (m_nError == 0 && !bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(EStep::Write, errno);
        else
            bytes.remove_prefix(static_cast<size_t>(n));
    }
}

int CFileWriter::Commit()
{
    if (m_fd < 0)
        return m_nError ? m_nError : Fail(EStep::Write, EBADF);
    if (m_nError == 0 && ::fsync(m_fd) != 0)
        Fail(EStep::Write, errno);
    // From here on a program without a window ends by a stop signal only after its last file.
    if (m_nError == 0)
        detail::BeginReplacing();
    // The unnamed file gets a temporary name: linkat cannot replace a name, rename can.
    if (m_nError == 0 && m_strTemp.empty())
        if (const int error = LinkBeside(m_fd, m_strTarget, m_strTemp))
            Fail(EStep::Replace, error);
    if (::close(m_fd) != 0 && m_nError == 0)
        Fail(EStep::Write, errno);
    m_fd = -1;
    if (m_nError == 0 && ::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
        Fail(EStep::Replace, errno);
    if (m_nError != 0) {
        Discard();
        return m_nError;
    }
    m_strTemp.clear();
    detail::ForgetTemporary(m_nSignalSlot);
    m_nSignalSlot = -1;
    // Make the rename itself durable; a failure here no longer endangers either version.
    const int dir = ::open(FolderOf(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

void CFileWriter::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_strTemp.empty()) {
        ::unlink(m_strTemp.c_str());
        m_strTemp.clear();
    }
    detail::ForgetTemporary(m_nSignalSlot);
    m_nSignalSlot = -1;
}

int ReplaceFileContents(const std::string& path, std::string_view bytes, CFileWriter::EStep* step)
{
    CFileWriter file;
    int error = file.Create(path);
    if (error == 0) {
        file.Append(bytes);
        error = file.Commit();
    }
    if (step)
        *step = file.FailedStep();
    return error;
}

} // namespace veldran
