#include "decode/DecoderLibrary.h"

#include <libsigrokdecode/libsigrokdecode.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <memory>

namespace veldran::decoding {
namespace {

struct LibraryState {
    std::mutex use;               // one caller at a time
    std::string strStartError;
    bool bStarted = false;
    bool bAllLoaded = false;
    std::vector<std::string> folders; // where the decoders live
    std::map<std::string, std::unique_ptr<DecoderInfo>> described;
    std::mutex logGuard; // the log arrives on the decoders' threads
    std::vector<std::string> errorLog;
};

LibraryState& State()
{
    static LibraryState state;
    return state;
}

// The library's own words go to the holder of the lock rather than to standard error: a decoder's
// exception becomes part of the message that says the run failed.
int CollectLog(void*, int level, const char* format, va_list args)
{
    if (level > SRD_LOG_ERR)
        return SRD_OK;
    char line[4096];
    const int length = std::vsnprintf(line, sizeof line, format, args);
    // Python's traceback ends in a line break, which the message puts between its lines itself.
    for (size_t end = std::min(sizeof line - 1, static_cast<size_t>(std::max(length, 0))); end > 0 && line[end - 1] == '\n'; --end)
        line[end - 1] = '\0';
    LibraryState& state = State();
    std::lock_guard<std::mutex> guard(state.logGuard);
    if (state.errorLog.size() < 64)
        state.errorLog.emplace_back(line);
    return SRD_OK;
}

void Start(LibraryState& state)
{
    state.bStarted = true;
    srd_log_callback_set(CollectLog, nullptr);
    srd_log_loglevel_set(SRD_LOG_ERR);
    if (const int result = srd_init(nullptr); result != SRD_OK) {
        state.strStartError = std::string("srd_init: ") + srd_strerror(result);
        return;
    }
    GSList* paths = srd_searchpaths_get();
    for (GSList* l = paths; l; l = l->next)
        state.folders.emplace_back(static_cast<const char*>(l->data));
    g_slist_free_full(paths, g_free);
}

bool IsDecoderId(const std::string& id)
{
    if (id.empty() || id.size() > 64)
        return false;
    for (const char c : id)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

const DecoderInfo* Describe(LibraryState& state, const srd_decoder& decoder)
{
    auto& slot = state.described[decoder.id];
    if (!slot)
        slot = std::make_unique<DecoderInfo>(DescribeDecoder(decoder, state.folders));
    return slot.get();
}

} // namespace

CLibraryLock::CLibraryLock() : m_lock(State().use)
{
    if (!State().bStarted)
        Start(State());
}

CLibraryLock::~CLibraryLock() = default;

const std::string& CLibraryLock::StartError() const
{
    return State().strStartError;
}

const DecoderInfo* CLibraryLock::Decoder(const std::string& id)
{
    LibraryState& state = State();
    if (!state.strStartError.empty() || !IsDecoderId(id))
        return nullptr;
    if (const auto known = state.described.find(id); known != state.described.end())
        return known->second.get();
    const srd_decoder* decoder = srd_decoder_get_by_id(id.c_str());
    if (!decoder && srd_decoder_load(id.c_str()) == SRD_OK)
        decoder = srd_decoder_get_by_id(id.c_str());
    ForgetErrorLog(); // an id that names no decoder is said by the caller, not by Python's import error
    return decoder ? Describe(state, *decoder) : nullptr;
}

std::vector<const DecoderInfo*> CLibraryLock::AllDecoders()
{
    LibraryState& state = State();
    std::vector<const DecoderInfo*> all;
    if (!state.strStartError.empty())
        return all;
    if (!state.bAllLoaded) {
        state.bAllLoaded = true;
        srd_decoder_load_all();
        ForgetErrorLog();
    }
    for (const GSList* l = srd_decoder_list(); l; l = l->next)
        all.push_back(Describe(state, *static_cast<const srd_decoder*>(l->data)));
    return all;
}

std::vector<std::string> CLibraryLock::TakeErrorLog()
{
    LibraryState& state = State();
    std::lock_guard<std::mutex> guard(state.logGuard);
    std::vector<std::string> log;
    log.swap(state.errorLog);
    return log;
}

void CLibraryLock::ForgetErrorLog()
{
    const std::vector<std::string> forgotten = TakeErrorLog();
}

} // namespace veldran::decoding
