#pragma once
// Checks on a file the program is about to write, made before any work that a late failure would
// waste (a listing received from the instrument, a capture read and converted).

#include <string>

namespace veldran {

// 0, or ENAMETOOLONG when the name, or the temporary name the writer gives the new file beside it,
// is longer than the folder's file system allows (NAME_MAX), or the path longer than PATH_MAX.
[[nodiscard]] int CheckOutputName(const std::string& path);

// Why the writer would refuse path, found before the work: 0, kErrorLinkNotFollowed for a link of
// another user in a shared folder (files/SafeFile.h), or ENAMETOOLONG as above.
[[nodiscard]] int CheckOutputFile(const std::string& path);

// Whether a and b both exist and are the same file, under any name (a link, another path).
[[nodiscard]] bool SameFile(const std::string& a, const std::string& b);

} // namespace veldran
