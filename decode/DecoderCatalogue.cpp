#include "decode/DecoderCatalogue.h"

#include "decode/DecoderLibrary.h"
#include "decode/OptionValue.h"

#include <libsigrokdecode/libsigrokdecode.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace veldran {
namespace {

std::vector<std::string> Strings(const GSList* list)
{
    std::vector<std::string> strings;
    for (const GSList* l = list; l; l = l->next)
        strings.emplace_back(static_cast<const char*>(l->data));
    return strings;
}

std::vector<DecoderChannelInfo> Channels(const GSList* list)
{
    std::vector<DecoderChannelInfo> channels;
    for (const GSList* l = list; l; l = l->next) {
        const auto* channel = static_cast<const srd_channel*>(l->data);
        channels.push_back({channel->id, channel->name, channel->desc});
    }
    return channels;
}

std::vector<DecoderOptionInfo> Options(const GSList* list)
{
    std::vector<DecoderOptionInfo> options;
    for (const GSList* l = list; l; l = l->next) {
        const auto* option = static_cast<const srd_decoder_option*>(l->data);
        DecoderOptionInfo info;
        info.strId = option->id;
        info.strDescription = option->desc;
        info.kind = decoding::OptionKindOf(option->def);
        info.strDefault = decoding::OptionValueText(option->def);
        for (const GSList* v = option->values; v; v = v->next)
            info.allowed.push_back(decoding::OptionValueText(static_cast<GVariant*>(v->data)));
        options.push_back(std::move(info));
    }
    return options;
}

// Each class is an id and a description.
std::vector<AnnotationClassInfo> Classes(const GSList* list)
{
    std::vector<AnnotationClassInfo> classes;
    for (const GSList* l = list; l; l = l->next) {
        const auto* pair = static_cast<char* const*>(l->data);
        classes.push_back({pair[0], pair[1]});
    }
    return classes;
}

std::vector<AnnotationRowInfo> Rows(const GSList* list)
{
    std::vector<AnnotationRowInfo> rows;
    for (const GSList* l = list; l; l = l->next) {
        const auto* row = static_cast<const srd_decoder_annotation_row*>(l->data);
        AnnotationRowInfo info{row->id, row->desc, {}};
        for (const GSList* c = row->ann_classes; c; c = c->next)
            info.classes.push_back(GPOINTER_TO_INT(c->data));
        rows.push_back(std::move(info));
    }
    return rows;
}

// The decoders that time their signal say so by refusing to decode without a sample rate; their
// source is the only place that tells.
bool RaisesWithoutSampleRate(const std::string& id, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        std::ifstream source(folder + "/" + id + "/pd.py");
        if (!source)
            continue;
        const std::string text{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
        return text.find("raise SamplerateError") != std::string::npos;
    }
    return false;
}

} // namespace

namespace decoding {

DecoderInfo DescribeDecoder(const srd_decoder& decoder, const std::vector<std::string>& folders)
{
    DecoderInfo info;
    info.strId = decoder.id;
    info.strName = decoder.name;
    info.strLongName = decoder.longname;
    info.strDescription = decoder.desc;
    info.channels = Channels(decoder.channels);
    info.optionalChannels = Channels(decoder.opt_channels);
    info.options = Options(decoder.options);
    info.classes = Classes(decoder.annotations);
    info.rows = Rows(decoder.annotation_rows);
    info.inputs = Strings(decoder.inputs);
    info.outputs = Strings(decoder.outputs);
    info.bNeedsSampleRate = RaisesWithoutSampleRate(info.strId, folders);
    return info;
}

} // namespace decoding

const DecoderOptionInfo* DecoderInfo::FindOption(const std::string& id) const
{
    const auto found = std::find_if(options.begin(), options.end(), [&](const auto& option) { return option.strId == id; });
    return found == options.end() ? nullptr : &*found;
}

const DecoderChannelInfo* DecoderInfo::FindChannel(const std::string& id) const
{
    for (const auto* list : {&channels, &optionalChannels})
        for (const DecoderChannelInfo& channel : *list)
            if (channel.strId == id)
                return &channel;
    return nullptr;
}

int DecoderInfo::RowOfClass(int cls) const
{
    for (size_t row = 0; row < rows.size(); ++row)
        if (std::find(rows[row].classes.begin(), rows[row].classes.end(), cls) != rows[row].classes.end())
            return static_cast<int>(row);
    return -1;
}

const DecoderInfo* DecoderCatalogue::Find(const std::string& id) const
{
    const auto found = std::lower_bound(decoders.begin(), decoders.end(), id,
                                        [](const DecoderInfo& decoder, const std::string& key) { return decoder.strId < key; });
    return found != decoders.end() && found->strId == id ? &*found : nullptr;
}

const DecoderCatalogue& InstalledDecoders()
{
    static const DecoderCatalogue catalogue = [] {
        DecoderCatalogue read;
        decoding::CLibraryLock library;
        read.strError = library.StartError();
        for (const DecoderInfo* decoder : library.AllDecoders())
            read.decoders.push_back(*decoder);
        std::sort(read.decoders.begin(), read.decoders.end(),
                  [](const DecoderInfo& a, const DecoderInfo& b) { return a.strId < b.strId; });
        return read;
    }();
    return catalogue;
}

const DecoderInfo* FindInstalledDecoder(const std::string& id)
{
    decoding::CLibraryLock library;
    return library.Decoder(id);
}

} // namespace veldran
