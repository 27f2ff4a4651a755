#pragma once
// One libsigrokdecode session for a planned run: the decoder instances with their options and
// channels, stacked as planned, their annotations added to a store as they arrive. Private to
// decode/; used while the library lock is held.

#include "decode/AnnotationStore.h"
#include "decode/DecodePlan.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct srd_session;
struct srd_decoder_inst;
struct srd_proto_data;

namespace veldran::decoding {

class CDecodeSession {
public:
    // The annotations go to `store`, which must outlive the session.
    CDecodeSession(CLibraryLock& library, CAnnotationStore& store);
    ~CDecodeSession();
    CDecodeSession(const CDecodeSession&) = delete;
    CDecodeSession& operator=(const CDecodeSession&) = delete;

    // Makes the instances and starts them; the reason when the library refuses.
    [[nodiscard]] std::optional<Message> Start(const DecodePlan& plan);
    // Sends samples [start, end) packed 6 bytes a sample; false when a decoder failed (its
    // exception is in the library's log once the session has ended its threads).
    [[nodiscard]] bool Send(int64_t start, int64_t end, const std::vector<uint8_t>& packed);

private:
    static void OnAnnotation(srd_proto_data* data, void* session);
    [[nodiscard]] std::optional<Message> MakeInstance(const PlannedDecoder& planned);
    [[nodiscard]] Message Failure(const char* form, std::vector<std::string> args);

    CLibraryLock& m_library;
    CAnnotationStore& m_store;
    srd_session* m_pSession = nullptr;
    std::vector<srd_decoder_inst*> m_instances; // the store's decoder order
    std::mutex m_storeGuard;                    // annotations arrive on the decoders' threads
};

} // namespace veldran::decoding
