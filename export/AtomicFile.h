#pragma once
// A file that appears whole or not at all. The bytes go to a temporary file created exclusively in
// the target's folder (so the final rename stays on one file system); Commit() flushes it to disk
// and renames it over the target. A file not committed is removed when the object goes away.

#include <string>
#include <string_view>

namespace veldran {

class CAtomicFile {
public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file for target. 0 or the errno of the failure.
    [[nodiscard]] int Create(const std::string& target);
    // Appends bytes; after a failure further appends do nothing and Error() tells the first errno.
    void Append(std::string_view bytes);
    [[nodiscard]] int Error() const { return m_nError; }
    // Flushes, closes and renames over the target; 0 or an errno (then nothing has changed).
    [[nodiscard]] int Commit();
    // Removes the temporary file without touching the target.
    void Discard();

private:
    std::string m_strTarget;
    std::string m_strTemp;
    int m_fd = -1;
    int m_nError = 0;
};

// The errno text of a failure, for a message.
[[nodiscard]] std::string ErrorText(int error);

} // namespace veldran
