#include "decode/DecodeSession.h"

#include "decode/OptionValue.h"

#include <libsigrokdecode/libsigrokdecode.h>

#include <algorithm>
#include <memory>

namespace veldran::decoding {
namespace {

using VariantTable = std::unique_ptr<GHashTable, decltype(&g_hash_table_unref)>;

VariantTable NewVariantTable()
{
    return {g_hash_table_new_full(g_str_hash, g_str_equal, g_free, reinterpret_cast<GDestroyNotify>(g_variant_unref)),
            &g_hash_table_unref};
}

VariantTable OptionTable(const PlannedDecoder& planned)
{
    VariantTable table = NewVariantTable();
    for (const auto& [id, value] : planned.pSetting->options)
        g_hash_table_insert(table.get(), g_strdup(id.c_str()), OptionValue(*planned.pInfo->FindOption(id), value));
    return table;
}

VariantTable ChannelTable(const PlannedDecoder& planned)
{
    VariantTable table = NewVariantTable();
    for (const auto& [id, channel] : planned.channels)
        g_hash_table_insert(table.get(), g_strdup(id.c_str()), g_variant_ref_sink(g_variant_new_int32(channel)));
    return table;
}

} // namespace

CDecodeSession::CDecodeSession(CLibraryLock& library, CAnnotationStore& store) : m_library(library), m_store(store) {}

CDecodeSession::~CDecodeSession()
{
    if (m_pSession)
        srd_session_destroy(m_pSession);
}

Message CDecodeSession::Failure(const char* form, std::vector<std::string> args)
{
    Message message(form, std::move(args));
    for (std::string& line : m_library.TakeErrorLog())
        message.Then(Message::AsIs(std::move(line), MessageIcon::Exclamation));
    return message;
}

std::optional<Message> CDecodeSession::MakeInstance(const PlannedDecoder& planned)
{
    const VariantTable options = OptionTable(planned);
    srd_decoder_inst* instance = srd_inst_new(m_pSession, planned.pInfo->strId.c_str(), options.get());
    if (!instance)
        return Failure(text::kDecodeSessionFailed, {planned.pInfo->strId});
    if (!planned.channels.empty() && srd_inst_channel_set_all(instance, ChannelTable(planned).get()) != SRD_OK)
        return Failure(text::kDecodeSessionFailed, {instance->inst_id});
    m_instances.push_back(instance);
    return std::nullopt;
}

std::optional<Message> CDecodeSession::Start(const DecodePlan& plan)
{
    m_library.ForgetErrorLog();
    if (srd_session_new(&m_pSession) != SRD_OK)
        return Failure(text::kDecodeSessionFailed, {plan.stacks.front().front().pInfo->strId});
    std::vector<CAnnotationStore::Decoder> decoders;
    for (const std::vector<PlannedDecoder>& stack : plan.stacks) {
        for (const PlannedDecoder& planned : stack) {
            if (auto failed = MakeInstance(planned))
                return failed;
            if (&planned != &stack.front() &&
                srd_inst_stack(m_pSession, m_instances[m_instances.size() - 2], m_instances.back()) != SRD_OK)
                return Failure(text::kDecodeSessionFailed, {m_instances.back()->inst_id});
            decoders.push_back({planned.pInfo, m_instances.back()->inst_id});
        }
    }
    m_store.SetDecoders(std::move(decoders));
    // The library hands the sample rate to the instances that exist, so they come first.
    if (plan.nSampleRateHz &&
        srd_session_metadata_set(m_pSession, SRD_CONF_SAMPLERATE, g_variant_new_uint64(*plan.nSampleRateHz)) != SRD_OK)
        return Failure(text::kDecodeSessionFailed, {m_instances.front()->inst_id});
    srd_pd_output_callback_add(m_pSession, SRD_OUTPUT_ANN, &CDecodeSession::OnAnnotation, this);
    if (srd_session_start(m_pSession) != SRD_OK)
        return Failure(text::kDecodeSessionFailed, {m_instances.front()->inst_id});
    return std::nullopt;
}

bool CDecodeSession::Send(int64_t start, int64_t end, const std::vector<uint8_t>& packed)
{
    return srd_session_send(m_pSession, static_cast<uint64_t>(start), static_cast<uint64_t>(end), packed.data(),
                            static_cast<uint64_t>(end - start) * 6, 6) == SRD_OK;
}

void CDecodeSession::OnAnnotation(srd_proto_data* data, void* session)
{
    auto& self = *static_cast<CDecodeSession*>(session);
    const auto found = std::find(self.m_instances.begin(), self.m_instances.end(), data->pdo->di);
    if (found == self.m_instances.end())
        return;
    const auto* annotation = static_cast<const srd_proto_data_annotation*>(data->data);
    size_t count = 0;
    while (annotation->ann_text && annotation->ann_text[count])
        ++count;
    std::lock_guard<std::mutex> guard(self.m_storeGuard);
    self.m_store.Add(static_cast<int64_t>(data->start_sample), static_cast<int64_t>(data->end_sample),
                     static_cast<int>(found - self.m_instances.begin()), annotation->ann_class, annotation->ann_text, count);
}

} // namespace veldran::decoding
