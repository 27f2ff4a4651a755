#include "decode/DecodePlan.h"

#include "analysis/ChannelRef.h"
#include "decode/OptionValue.h"

#include <algorithm>

namespace veldran::decoding {
namespace {

template <typename Items>
std::string JoinedIds(const Items& items)
{
    std::vector<std::string> ids;
    for (const auto& item : items)
        ids.push_back(item.strId);
    return JoinedWords(ids);
}

std::optional<Message> RepeatedKey(const DecoderSetting& setting)
{
    std::vector<std::string> keys;
    for (const auto& option : setting.options)
        keys.push_back(option.first);
    for (const auto& channel : setting.channels)
        keys.push_back(channel.first);
    std::sort(keys.begin(), keys.end());
    const auto twice = std::adjacent_find(keys.begin(), keys.end());
    if (twice != keys.end())
        return Message(text::kDecodeRepeatedSetting, {setting.strDecoder, *twice});
    return std::nullopt;
}

std::optional<Message> CheckOptions(const DecoderInfo& decoder, const DecoderSetting& setting)
{
    for (const auto& [id, value] : setting.options) {
        const DecoderOptionInfo* option = decoder.FindOption(id);
        if (!option)
            return Message(text::kDecodeUnknownOption, {decoder.strId, id, JoinedIds(decoder.options)});
        if (auto wrong = CheckOptionValue(decoder, *option, value))
            return wrong;
    }
    return std::nullopt;
}

std::optional<Message> MapChannels(const DecoderInfo& decoder, const DecoderSetting& setting, const ChannelNames& names,
                                   PlannedDecoder& planned)
{
    for (const auto& [id, given] : setting.channels) {
        if (!decoder.FindChannel(id)) {
            std::vector<std::string> ids;
            for (const auto* list : {&decoder.channels, &decoder.optionalChannels})
                for (const DecoderChannelInfo& channel : *list)
                    ids.push_back(channel.strId);
            return Message(text::kDecodeUnknownChannel, {decoder.strId, id, JoinedWords(ids)});
        }
        const std::optional<int> channel = ParseChannel(given, names);
        if (!channel)
            return Message(text::kDecodeNotCaptureChannel, {decoder.strId, id, given});
        planned.channels.emplace_back(id, *channel);
    }
    for (const DecoderChannelInfo& required : decoder.channels) {
        const bool given = std::any_of(planned.channels.begin(), planned.channels.end(),
                                       [&](const auto& channel) { return channel.first == required.strId; });
        if (!given)
            return Message(text::kDecodeMissingChannel, {decoder.strId, required.strId, required.strId});
    }
    return std::nullopt;
}

bool Takes(const DecoderInfo& upper, const std::vector<std::string>& given)
{
    return std::any_of(upper.inputs.begin(), upper.inputs.end(),
                       [&](const std::string& input) { return std::find(given.begin(), given.end(), input) != given.end(); });
}

// Where the decoder sits: on the capture's channels, or on the decoder below.
std::optional<Message> CheckPlace(const DecoderInfo& decoder, const DecoderSetting& setting, const DecoderInfo* below)
{
    if (!below)
        return Takes(decoder, {"logic"}) ? std::nullopt
                                         : std::optional<Message>(Message(text::kDecodeNeedsDecoderBelow, {decoder.strId, JoinedWords(decoder.inputs)}));
    if (!setting.channels.empty())
        return Message(text::kDecodeStackedChannels, {decoder.strId});
    if (!Takes(decoder, below->outputs))
        return Message(text::kDecodeNotStackable, {decoder.strId, below->strId, below->strId, JoinedWords(below->outputs),
                                                   decoder.strId, JoinedWords(decoder.inputs)});
    return std::nullopt;
}

std::optional<Message> PlanDecoder(CLibraryLock& library, const DecoderSetting& setting, const DecodeRequest& request,
                                   const DecoderInfo* below, PlannedDecoder& planned)
{
    planned.pSetting = &setting;
    planned.pInfo = library.Decoder(setting.strDecoder);
    if (!planned.pInfo)
        return Message(text::kDecodeUnknownDecoder, {setting.strDecoder});
    const DecoderInfo& decoder = *planned.pInfo;
    if (auto wrong = RepeatedKey(setting))
        return wrong;
    if (auto wrong = CheckPlace(decoder, setting, below))
        return wrong;
    if (auto wrong = CheckOptions(decoder, setting))
        return wrong;
    if (!below)
        if (auto wrong = MapChannels(decoder, setting, request.capture.names, planned))
            return wrong;
    return std::nullopt;
}

} // namespace

std::optional<uint64_t> SampleRateOf(std::optional<uint64_t> clockFs)
{
    constexpr uint64_t kFemtosecondsPerSecond = 1000000000000000ULL;
    if (!clockFs || *clockFs == 0 || *clockFs > 2 * kFemtosecondsPerSecond)
        return std::nullopt;
    return (kFemtosecondsPerSecond + *clockFs / 2) / *clockFs;
}

std::optional<Message> PlanDecode(CLibraryLock& library, const DecodeRequest& request, DecodePlan& plan)
{
    plan = {};
    if (!library.StartError().empty())
        return Message(text::kDecodeLibraryFailed).Then(Message::AsIs(library.StartError(), MessageIcon::Exclamation));
    if (request.stacks.empty() || std::any_of(request.stacks.begin(), request.stacks.end(), [](const auto& s) { return s.empty(); }))
        return Message(text::kDecodeNoDecoder);
    plan.nSampleRateHz = SampleRateOf(request.capture.nClockFs);
    for (const DecoderStack& stack : request.stacks) {
        std::vector<PlannedDecoder>& planned = plan.stacks.emplace_back();
        for (const DecoderSetting& setting : stack) {
            const DecoderInfo* below = planned.empty() ? nullptr : planned.back().pInfo;
            if (auto wrong = PlanDecoder(library, setting, request, below, planned.emplace_back()))
                return wrong;
            if (planned.back().pInfo->bNeedsSampleRate && !plan.nSampleRateHz)
                return Message(text::kDecodeNeedsClock, {setting.strDecoder});
        }
    }
    if (request.capture.store.nCount <= 0)
        return Message(text::kDecodeNoSamples);
    return std::nullopt;
}

} // namespace veldran::decoding
