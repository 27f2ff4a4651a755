#pragma once
// Opening the program's files without surprises: a file to read must be a regular file and the
// open never waits (a named pipe or a device would hold the program until something writes to it),
// and a file to write is first created without a name, or under a new, unused one, beside its
// target, so an existing name, a symbolic link planted there included, is never written through.

#include <cstddef>
#include <string>

namespace veldran {

// Opens path for reading. Returns the descriptor, or −1 with errno set: EISDIR for a folder,
// EINVAL for anything else that is not a regular file (a pipe, a device, a socket).
[[nodiscard]] int OpenRegularFile(const std::string& path);

// The folder of the file path names: "." for a bare name, "/" for a name at the root.
[[nodiscard]] std::string FolderOf(const std::string& path);

// What a temporary name adds to its target's name: a dot before it, a dot and six letters after.
inline constexpr std::size_t kTempNameExtra = 8;

// Creates a new empty file, readable and writable by the owner only, in the folder of target and
// named after it; the creation fails rather than open anything that exists. Returns the descriptor
// and the file's name in tempPath, or −1 with errno set. Renaming tempPath over target then
// replaces the target, a link of that name included.
[[nodiscard]] int CreateTempBeside(const std::string& target, std::string& tempPath);

// Creates a new file without a name in the folder of target (O_TMPFILE), to be given one by
// LinkBeside when it is complete; until then no signal, crash or power loss can leave it behind.
// Returns the descriptor, or −1 where the file system or the system cannot do this.
[[nodiscard]] int OpenUnnamedBeside(const std::string& target);
// Gives the unnamed file fd a new, unused name beside target, as CreateTempBeside would choose
// it. 0 and the name in tempPath, or an errno.
[[nodiscard]] int LinkBeside(int fd, const std::string& target, std::string& tempPath);

// Not an errno (those end at 4095): the target is a symbolic link that the writer does not follow.
inline constexpr int kErrorLinkNotFollowed = 4096;

// Whether a symbolic link at path may be followed to write the file it points to. As the kernel's
// fs.protected_symlinks rule has it, whoever runs the program: in a folder anyone may write that
// has the sticky bit (/tmp), only a link of this user or of the folder's owner is followed; such a
// link planted by another user would have the program overwrite a file of the planter's choosing.
// Every link of a chain is checked. 0, or kErrorLinkNotFollowed.
[[nodiscard]] int CheckLinkMayBeFollowed(const std::string& path);

} // namespace veldran
