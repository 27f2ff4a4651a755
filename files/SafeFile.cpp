#include "files/SafeFile.h"

#include <cerrno>
#include <climits>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldran {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

int OpenRegularFile(const std::string& path)
{
    // Non-blocking, so that opening a pipe with no writer returns at once; the type is checked on
    // what was opened, not on the name, which could change in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error = EINVAL;
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    // Reads of a regular file never block anyway; the flag is dropped so they behave as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

namespace {

constexpr int kMaxLinksFollowed = 40; // the kernel's own limit

// A hidden name beside target, so that a file manager does not show the half-written file; the
// six X stand for the random part.
std::string TempPattern(const std::string& target)
{
    const size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".XXXXXX";
}

} // namespace

int CreateTempBeside(const std::string& target, std::string& tempPath)
{
    const std::string pattern = TempPattern(target);
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // mkstemp creates with O_CREAT | O_EXCL: it never opens an existing name, a link included.
    const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    tempPath.assign(buffer.data());
    return fd;
}

int OpenUnnamedBeside(const std::string& target)
{
    const int fd = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    // The name is given through /proc (linkat with AT_EMPTY_PATH needs a privilege); without it
    // the file could never be named.
    struct stat self {};
    if (::stat(("/proc/self/fd/" + std::to_string(fd)).c_str(), &self) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int LinkBeside(int fd, const std::string& target, std::string& tempPath)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const std::string source = "/proc/self/fd/" + std::to_string(fd);
    std::string name = TempPattern(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[6] = {};
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
            return errno ? errno : EIO;
        for (size_t n = 0; n < sizeof random; ++n)
            name[name.size() - sizeof random + n] = kLetters[random[n] % (sizeof kLetters - 1)];
        // linkat never replaces a name that exists, a planted link included.
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tempPath = name;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

int CheckLinkMayBeFollowed(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinksFollowed; ++hop) {
        struct stat link {};
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return 0;
        const std::string folder = FolderOf(current);
        struct stat shared {};
        if (::stat(folder.c_str(), &shared) == 0 && (shared.st_mode & S_ISVTX) && (shared.st_mode & S_IWOTH)
            && link.st_uid != ::geteuid() && link.st_uid != shared.st_uid)
            return kErrorLinkNotFollowed;
        char next[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), next, sizeof next);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof next))
            return 0;
        current = next[0] == '/' ? std::string(next, static_cast<size_t>(n))
                                 : folder + "/" + std::string(next, static_cast<size_t>(n));
    }
    return 0; // a loop: the writer's own steps report it
}

} // namespace veldran
