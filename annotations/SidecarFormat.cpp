#include "annotations/SidecarFormat.h"

#include "analysis/ChannelRef.h"

#include <algorithm>
#include <array>

namespace veldran {
namespace {

constexpr std::string_view kHeaderWord = "veldran-annotations ";

void AppendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        // A carriage return is always written escaped; one as it is means the line was damaged.
        if (text[i] == '\r')
            return std::nullopt;
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t at = text.find(separator);
        fields.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return fields;
        text.remove_prefix(at + 1);
    }
}

// A whole number of 1 to 18 digits (so it fits an int64_t), nothing else.
std::optional<int64_t> ParseCount(std::string_view text)
{
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Why reading stopped: a damaged line, or a limit crossed on a line.
enum class EStop { None, Damaged, OverLimit };

class SidecarParser {
public:
    SidecarParser(int64_t sampleCount) : m_nSampleCount(sampleCount) {}

    // Reads one line (without its line feed) of the file; false to stop.
    EStop Line(std::string_view line)
    {
        if (line.size() > kMaxSidecarLineBytes)
            return EStop::OverLimit;
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            return EStop::None;
        if (line.front() == '\t') {
            if (!m_pSection)
                return EStop::Damaged;
            m_pSection->lines.emplace_back(line.substr(1));
            return EStop::None;
        }
        m_pSection = nullptr;
        const std::vector<std::string_view> fields = Split(line, '\t');
        if (fields[0] == "bus" && fields.size() == 4)
            return Bus(fields);
        if (fields[0] == "marker" && fields.size() == 5)
            return Marker(fields);
        if (fields[0] == "section" && fields.size() == 2)
            return Section(fields[1]);
        return EStop::Damaged;
    }

    CaptureAnnotations m_annotations;
    size_t m_nMarkersDropped = 0;
    size_t m_nLabelsCut = 0;
    std::vector<std::string> m_droppedBuses;

private:
    EStop Bus(const std::vector<std::string_view>& fields)
    {
        if (++m_nBusesRead > kMaxBuses)
            return EStop::OverLimit;
        veldran::Bus bus;
        std::optional<std::string> name = Unescaped(fields[1]);
        const std::optional<ERadix> radix = ParseRadix(fields[2]);
        if (!name || !radix)
            return EStop::Damaged;
        bus.strName = std::move(*name);
        bus.eRadix = *radix;
        std::array<bool, kChannelCount> used{};
        bool unknown = false;
        for (const std::string_view id : Split(fields[3], ',')) {
            const std::optional<int64_t> channel = id.size() >= 2 && id[0] == 'D' ? ParseCount(id.substr(1)) : std::nullopt;
            if (!channel)
                return EStop::Damaged;
            if (*channel >= kChannelCount) {
                unknown = true;
                continue;
            }
            if (used[*channel])
                return EStop::Damaged;
            used[*channel] = true;
            bus.channels.push_back(static_cast<int>(*channel));
        }
        if (unknown)
            m_droppedBuses.push_back(bus.strName);
        else
            m_annotations.buses.push_back(std::move(bus));
        return EStop::None;
    }

    EStop Marker(const std::vector<std::string_view>& fields)
    {
        if (++m_nMarkersRead > kMaxMarkers)
            return EStop::OverLimit;
        veldran::Marker marker;
        const std::optional<int64_t> sample = ParseCount(fields[1]);
        const std::optional<uint32_t> colour = ParseColour(fields[2]);
        std::optional<std::string> label = Unescaped(fields[3]);
        std::optional<std::string> note = Unescaped(fields[4]);
        if (!sample || !colour || !label || !note)
            return EStop::Damaged;
        if (note->size() > kMaxNoteBytes)
            return EStop::OverLimit;
        if (*sample >= m_nSampleCount) {
            ++m_nMarkersDropped;
            return EStop::None;
        }
        if (CodePointCount(*label) > kMaxLabelCodePoints) {
            *label = std::string(FirstCodePoints(*label, kMaxLabelCodePoints));
            ++m_nLabelsCut;
        }
        marker.nSample = *sample;
        marker.nColour = *colour;
        marker.strLabel = std::move(*label);
        marker.strNote = std::move(*note);
        m_annotations.markers.push_back(std::move(marker));
        return EStop::None;
    }

    EStop Section(std::string_view nameField)
    {
        std::optional<std::string> name = Unescaped(nameField);
        if (!name)
            return EStop::Damaged;
        m_annotations.extras.push_back({std::move(*name), {}});
        m_pSection = &m_annotations.extras.back();
        return EStop::None;
    }

    int64_t m_nSampleCount;
    size_t m_nBusesRead = 0;
    size_t m_nMarkersRead = 0;
    ExtraSection* m_pSection = nullptr; // the section whose lines follow, if any
};

std::string_view FirstLine(std::string_view bytes)
{
    std::string_view line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

std::optional<Message> HeaderProblem(std::string_view bytes, const std::string& path)
{
    const std::string_view header = FirstLine(bytes);
    if (header == kSidecarHeader)
        return std::nullopt;
    Message damaged(text::kSidecarDamaged, {path, MessageNumber(1)});
    if (header.substr(0, kHeaderWord.size()) == kHeaderWord)
        return damaged.Then(Message(text::kSidecarUnknownVersion, {std::string(header.substr(kHeaderWord.size(), 32))}));
    return damaged.Then(Message(text::kSidecarBadHeader, {kSidecarHeader}));
}

Message DroppedMessage(const SidecarParser& parser, int64_t sampleCount, const std::string& path)
{
    Message message(text::kSidecarPartlyUsed, {path});
    if (parser.m_nMarkersDropped)
        message.Then(Message(text::kSidecarMarkersDropped,
                             {MessageNumber(static_cast<long long>(parser.m_nMarkersDropped)), MessageNumber(sampleCount)}));
    if (!parser.m_droppedBuses.empty()) {
        std::string names;
        for (const std::string& name : parser.m_droppedBuses)
            names += (names.empty() ? "" : ", ") + name;
        message.Then(Message(text::kSidecarBusesDropped, {names}));
    }
    if (parser.m_nLabelsCut)
        message.Then(Message(text::kSidecarLabelsCut,
                             {MessageNumber(static_cast<long long>(parser.m_nLabelsCut)), MessageNumber(kMaxLabelCodePoints)}));
    return message;
}

} // namespace

Message AnnotationLimitsMessage()
{
    return Message(text::kAnnotationLimits,
                   {MessageNumber(kMaxMarkers), MessageNumber(kMaxBuses), MessageNumber(kMaxNoteBytes),
                    MessageNumber(kMaxSidecarLineBytes), MessageNumber(kMaxSidecarBytes)});
}

SidecarRead ParseSidecarText(std::string_view bytes, int64_t sampleCount, const std::string& path)
{
    if (std::optional<Message> problem = HeaderProblem(bytes, path))
        return {{}, std::move(problem)};
    SidecarParser parser(sampleCount);
    size_t start = bytes.find('\n');
    for (long long lineNumber = 2; start != std::string_view::npos && start + 1 < bytes.size(); ++lineNumber) {
        const size_t end = bytes.find('\n', start + 1);
        const std::string_view line = bytes.substr(start + 1, end == std::string_view::npos ? end : end - start - 1);
        const EStop stop = start + 1 + line.size() > kMaxSidecarBytes ? EStop::OverLimit : parser.Line(line);
        if (stop == EStop::Damaged)
            return {{}, Message(text::kSidecarDamaged, {path, MessageNumber(lineNumber)})};
        if (stop == EStop::OverLimit)
            return {{}, Message(text::kSidecarOverLimit, {path, MessageNumber(lineNumber)}).Then(AnnotationLimitsMessage())};
        start = end;
    }
    SidecarRead read{std::move(parser.m_annotations), std::nullopt};
    if (parser.m_nMarkersDropped || !parser.m_droppedBuses.empty() || parser.m_nLabelsCut)
        read.message = DroppedMessage(parser, sampleCount, path);
    return read;
}

std::string SidecarText(const CaptureAnnotations& annotations)
{
    std::string out = kSidecarHeader;
    out += '\n';
    for (const Bus& bus : annotations.buses) {
        out += "bus\t";
        AppendEscaped(out, bus.strName);
        out += '\t';
        out += RadixName(bus.eRadix);
        out += '\t';
        for (size_t i = 0; i < bus.channels.size(); ++i)
            out += (i ? "," : "") + ChannelId(bus.channels[i]);
        out += '\n';
    }
    for (const Marker& marker : annotations.markers) {
        out += "marker\t" + std::to_string(marker.nSample) + '\t' + ColourText(marker.nColour) + '\t';
        AppendEscaped(out, marker.strLabel);
        out += '\t';
        AppendEscaped(out, marker.strNote);
        out += '\n';
    }
    for (const ExtraSection& section : annotations.extras) {
        out += "section\t";
        AppendEscaped(out, section.strName);
        out += '\n';
        for (const std::string& line : section.lines) {
            for (std::string_view piece : Split(line, '\n')) {
                while (!piece.empty() && piece.back() == '\r')
                    piece.remove_suffix(1);
                out += '\t';
                out += piece;
                out += '\n';
            }
        }
    }
    return out;
}

bool WithinSidecarLimits(const CaptureAnnotations& annotations, std::string_view text)
{
    if (annotations.markers.size() > kMaxMarkers || annotations.buses.size() > kMaxBuses || text.size() > kMaxSidecarBytes)
        return false;
    for (const Marker& marker : annotations.markers)
        if (marker.strNote.size() > kMaxNoteBytes || marker.nSample < 0)
            return false;
    for (const Bus& bus : annotations.buses) {
        std::array<bool, kChannelCount> used{};
        if (bus.channels.empty() || bus.channels.size() > kMaxBusWidth)
            return false;
        for (const int channel : bus.channels) {
            if (channel < 0 || channel >= kChannelCount || used[channel])
                return false;
            used[channel] = true;
        }
    }
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        if (end - start > kMaxSidecarLineBytes)
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace veldran
