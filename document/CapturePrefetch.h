#pragma once
// Opening the capture named on the command line while the windows are being built. The file is
// read and parsed into a document of its own on another thread; the user-interface thread then
// takes the result where it would have opened the file, with the boxes and status texts the
// open would have shown, in the same order. Start-up then costs the longer of the two, not both.

#include "document/CaptureDocument.h"
#include "resources/UserMessages.h"

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
    // open, shows its boxes through this thread's message handler and its status texts through
    // doc's handler, moves the capture into doc and returns what LoadCaptureFile returned.
    // nullopt: nothing was prepared for this file; the caller opens it. Either way the prepared
    // capture is gone afterwards.
    [[nodiscard]] std::optional<bool> TakeInto(CVELDRANDoc& doc, const std::string& path);

private:
    struct SFileIdentity {
        unsigned long long nDevice = 0, nInode = 0, nSize = 0;
        long long nModifiedSec = 0, nModifiedNsec = 0;
        bool operator==(const SFileIdentity& other) const;
    };
    // What the open showed: a box, or a status text.
    struct SShown {
        bool bStatusText = false;
        UserMessage message;
    };
    class CRecorder;

    [[nodiscard]] static std::optional<SFileIdentity> Identify(const std::string& path);
    void Run();
    void Discard();

    std::string m_strPath;
    SFileIdentity m_identity;
    std::thread m_thread;
    // Written by the thread until it is joined; read only after.
    std::unique_ptr<CVELDRANDoc> m_pDocument;
    std::vector<SShown> m_shown;
    bool m_bLoaded = false;
};

} // namespace veldran
