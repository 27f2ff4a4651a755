#pragma once
// A decoding run: the request checked against the installed decoders, then the capture fed to
// libsigrokdecode in chunks and its annotations collected. Runs on the caller's thread and blocks
// until done; the decoders call back on threads of their own, which only append to the run's
// store under its lock, so nothing here touches a window. No Qt.
//
//   std::atomic<bool> cancel{false};               // set from another thread to stop between chunks
//   veldran::DecodeControl control;
//   control.pCancel = &cancel;
//   control.onProgress = [](int64_t sent, int64_t total) { ... };   // from the caller's thread
//   veldran::DecodeOutcome outcome = veldran::RunDecode(request, control);
//   if (outcome.error) show(*outcome.error);       // what was wrong, as a message of the program
//   else for (i < outcome.annotations.Count()) ...

#include "decode/AnnotationStore.h"
#include "decode/DecodeRequest.h"
#include "resources/Message.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

namespace veldran {

struct DecodeControl {
    const std::atomic<bool>* pCancel = nullptr; // read between chunks
    std::function<void(int64_t nSent, int64_t nTotal)> onProgress; // after each chunk
    int64_t nChunkSamples = 65536;
};

struct DecodeOutcome {
    CAnnotationStore annotations; // in the order the decoders gave them
    std::optional<Message> error;  // set: nothing (or, after a decoder failed, part) was decoded, and why
    bool bCancelled = false;
    int64_t nSamplesSent = 0;
};

// Checks the request without running anything: a stack at least, every decoder known, stackable on
// the one below,
// its options known and of the right kind and value, its required channels given and naming
// channels of the capture, and a sample rate for a decoder that needs one. It loads the decoders
// it names, so it waits while a run holds the library.
[[nodiscard]] std::optional<Message> CheckDecodeRequest(const DecodeRequest& request);

// Checks, then decodes. One run at a time per process (the decoder library is process-wide);
// a second caller waits for the first to end.
[[nodiscard]] DecodeOutcome RunDecode(const DecodeRequest& request, const DecodeControl& control = {});

} // namespace veldran
