#pragma once
// Opening the capture named on the command line while the windows are being built. The file is
// read and parsed into a document of its own on another thread; the user-interface thread then
// takes the result where it would have opened the file, with the status texts the open would have
// shown and the load's messages for it to show. Start-up then costs the longer of the two, not both.

#include "document/CaptureDocument.h"
#include "document/CaptureFile.h"

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace veldran {

class CCapturePrefetch {
public:
    CCapturePrefetch() = default;
    ~CCapturePrefetch();
    CCapturePrefetch(const CCapturePrefetch&) = delete;
    CCapturePrefetch& operator=(const CCapturePrefetch&) = delete;

    // Starts opening path, when it names a regular file; anything else is left to the normal open.
    void Start(const std::string& path);

    // When this very file (the same path, unchanged since Start) was opened ahead: waits for that
    // open, passes its status texts to doc's handler, moves the capture into doc and returns what
    // LoadCaptureFile returned, messages and all, for the caller to show as after its own open.
    // nullopt: nothing was prepared for this file; the caller opens it. Either way the prepared
    // capture is gone afterwards.
    [[nodiscard]] std::optional<CaptureLoad> TakeInto(CVELDRANDoc& doc, const std::string& path);

private:
    struct SFileIdentity {
        unsigned long long nDevice = 0, nInode = 0, nSize = 0;
        long long nModifiedSec = 0, nModifiedNsec = 0;
        bool operator==(const SFileIdentity& other) const;
    };
    [[nodiscard]] static std::optional<SFileIdentity> Identify(const std::string& path);
    void Run();
    void Discard();

    std::string m_strPath;
    SFileIdentity m_identity;
    std::thread m_thread;
    // Written by the thread until it is joined; read only after.
    std::unique_ptr<CVELDRANDoc> m_pDocument;
    std::vector<std::string> m_statusTexts;
    CaptureLoad m_load;
};

} // namespace veldran
