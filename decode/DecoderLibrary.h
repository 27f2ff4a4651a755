#pragma once
// libsigrokdecode is one per process: an embedded Python started once, a table of loaded decoders
// and a log. This holds it: started on first use, used under one lock by one caller at a time,
// with its error log collected for the caller that holds the lock. Private to decode/.

#include "decode/DecoderCatalogue.h"

#include <mutex>
#include <string>
#include <vector>

struct srd_decoder;

namespace veldran::decoding {

// Holds the library for its lifetime; the library is started (once per process) by the first.
class CLibraryLock {
public:
    CLibraryLock();
    ~CLibraryLock();
    CLibraryLock(const CLibraryLock&) = delete;
    CLibraryLock& operator=(const CLibraryLock&) = delete;

    // Empty when the library runs; otherwise its words on why it did not start.
    [[nodiscard]] const std::string& StartError() const;

    // The decoder with this id, loaded on first use and described once; nullptr for an id that
    // names no installed decoder. The description lives as long as the process.
    [[nodiscard]] const DecoderInfo* Decoder(const std::string& id);
    // Every installed decoder, by id.
    [[nodiscard]] std::vector<const DecoderInfo*> AllDecoders();

    // The error lines the library logged since the last call (a decoder's Python traceback).
    [[nodiscard]] std::vector<std::string> TakeErrorLog();
    void ForgetErrorLog();

private:
    std::unique_lock<std::mutex> m_lock;
};

// A decoder's description from the library's record of it (the files in `folders` tell whether it
// needs a sample rate).
[[nodiscard]] DecoderInfo DescribeDecoder(const srd_decoder& decoder, const std::vector<std::string>& folders);

} // namespace veldran::decoding
