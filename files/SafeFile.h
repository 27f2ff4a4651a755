#pragma once
// Opening the program's files without surprises: a file to read must be a regular file and the
// open never waits (a named pipe or a device would hold the program until something writes to it),
// and a file to write is first created under a new, unused name beside its target, so an existing
// name, a symbolic link planted there included, is never written through.

#include <string>

namespace veldran {

// Opens path for reading. Returns the descriptor, or −1 with errno set: EISDIR for a folder,
// EINVAL for anything else that is not a regular file (a pipe, a device, a socket).
[[nodiscard]] int OpenRegularFile(const std::string& path);

// Creates a new empty file, readable and writable by the owner only, in the folder of target and
// named after it; the creation fails rather than open anything that exists. Returns the descriptor
// and the file's name in tempPath, or −1 with errno set. Renaming tempPath over target then
// replaces the target, a link of that name included.
[[nodiscard]] int CreateTempBeside(const std::string& target, std::string& tempPath);

} // namespace veldran
