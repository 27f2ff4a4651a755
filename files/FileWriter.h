#pragma once
// The one way the program replaces a file (a capture, an export, the settings, the print picture).
// The new content goes to a temporary file created beside the target, without a name where the file
// system allows (O_TMPFILE), is flushed to disk and takes the target's name only when whole; the
// folder is flushed too. A crash, a full disk or a signal leaves the old file or the new one, never
// a mix, and no temporary file (files/StopSignals.h for the programs without a window).
// - A symbolic link the user named is followed: the file it points to is replaced, the link stays.
//   Not so a link of another user in a folder anyone may write with the sticky bit (/tmp): that is
//   refused with kErrorLinkNotFollowed and nothing is written (files/SafeFile.h).
// - A name too long for a temporary name beside it fails at Create (ENAMETOOLONG).
// - The target's permissions are kept; a new file gets 0666 less the umask.
// - A target the user may not write stays as it is, although its folder would allow replacing it.
// - The temporary name is always a new one (O_EXCL): a name planted there, a link included, is
//   never opened.
// - On any failure the target is untouched and no temporary file is left.

#include <string>
#include <string_view>

namespace veldran {

class CFileWriter {
public:
    // Where a failure happened, for a message that says which step went wrong.
    enum class EStep { Create, Write, Replace };

    CFileWriter() = default;
    ~CFileWriter();
    CFileWriter(const CFileWriter&) = delete;
    CFileWriter& operator=(const CFileWriter&) = delete;

    // Creates the temporary file for target. 0 or the errno of the failure.
    [[nodiscard]] int Create(const std::string& target);
    // Appends bytes; after a failure further appends do nothing and Error() tells the first errno.
    void Append(std::string_view bytes);
    [[nodiscard]] int Error() const { return m_nError; }
    [[nodiscard]] EStep FailedStep() const { return m_step; }
    // Flushes, closes and renames over the target; 0 or an errno (then nothing has changed).
    [[nodiscard]] int Commit();
    // Removes the temporary file without touching the target.
    void Discard();

private:
    int Fail(EStep step, int error);

    std::string m_strTarget;
    std::string m_strTemp; // empty while the new file has no name
    int m_fd = -1;
    int m_nSignalSlot = -1; // where the stop-signal handler finds m_strTemp
    int m_nError = 0;
    EStep m_step = EStep::Create;
};

// Replaces path with bytes as CFileWriter does. 0 or an errno; step tells where it failed.
[[nodiscard]] int ReplaceFileContents(const std::string& path, std::string_view bytes,
                                      CFileWriter::EStep* step = nullptr);

// The errno text of a failure, for a message.
[[nodiscard]] std::string ErrorText(int error);

} // namespace veldran
