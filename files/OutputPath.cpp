#include "files/OutputPath.h"

#include "files/SafeFile.h"

#include <cerrno>
#include <climits>

#include <sys/stat.h>
#include <unistd.h>

namespace veldran {

int CheckOutputName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t nameLength = slash == std::string::npos ? path.size() : path.size() - slash - 1;
    // The limit of the file system the folder is on; the usual one where the folder cannot tell.
    const long folderLimit = ::pathconf(FolderOf(path).c_str(), _PC_NAME_MAX);
    const size_t nameMax = folderLimit > 0 ? static_cast<size_t>(folderLimit) : NAME_MAX;
    if (nameLength + kTempNameExtra > nameMax || path.size() + kTempNameExtra >= PATH_MAX)
        return ENAMETOOLONG;
    return 0;
}

int CheckOutputFile(const std::string& path)
{
    if (const int refused = CheckLinkMayBeFollowed(path))
        return refused;
    return CheckOutputName(path);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev
        && sa.st_ino == sb.st_ino;
}

} // namespace veldran
