// Feeds arbitrary captures to the export writers: up to 32 samples with levels of any byte value,
// 48 names of arbitrary bytes, a clock period (round or with femtosecond detail) or none, and up to
// 3 buses and 31 markers (labels of arbitrary bytes, samples within the capture or past it). Each
// format must hold the capture as it went in, read back as its peer reads it:
// - the dump is ASCII; its header parses into words (one $var of six tokens a wire, names that are
//   single words, distinct identifiers); its comment gives back every name that was renamed; its
//   timescale times the step is the period exactly; it replays to the levels (any non-zero byte is
//   1) with one timestamp a sample's end; each bus is a vector whose value, written only when it
//   changes, is always its channels' levels;
// - the GTKWave save file lists the 48 wires in order, renamed ones under an alias that nothing in
//   the name can end early, and zooms to show the whole capture; then a group a bus holding its
//   vector and its wires; the first 26 markers within the capture are named markers at their time;
// - the CSV parses (RFC 4180) into the names and one row a sample with its index, its exact time
//   and its levels;
// - the sigrok session's files hold the names, a rate and the levels (the zip around them is
//   libzip's, and costs more than all the rest here).

#include "resources/Utf8.h"

#include "export/CsvWriter.h"
#include "export/ExportNames.h"
#include "export/ExportTime.h"
#include "export/SigrokSessionWriter.h"
#include "export/VcdAnnotations.h"
#include "export/VcdWriter.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace veldran;

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

constexpr int kMaxSamples = 32;
constexpr uint64_t kFsPerSecond = 1'000'000'000'000'000ULL;

// Takes the input from the front; zeros once it runs out.
class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    uint64_t Number(int bytes)
    {
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = (value << 8) | Byte();
        return value;
    }
    std::string Text(size_t length)
    {
        std::string text;
        while (text.size() < length && m_at < m_size)
            text += static_cast<char>(m_data[m_at++]);
        return text;
    }
    // What is left, as level bytes repeated as often as needed (all zero when nothing is left).
    std::vector<uint8_t> Levels(size_t count) const
    {
        std::vector<uint8_t> levels(count, 0);
        if (m_at < m_size)
            for (size_t i = 0; i < count; ++i)
                levels[i] = m_data[m_at + i % (m_size - m_at)];
        return levels;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

struct Capture {
    std::vector<uint8_t> samples;
    ExportableCapture capture;
    uint64_t periodFs = 0; // as the writers take it; 0: clock OFF
    ExportNames textNames; // the names as the text formats carry them
};

Capture MakeCapture(Input& in)
{
    Capture made;
    const uint8_t flags = in.Byte();
    if (flags & 1) {
        uint64_t fs = 0;
        if (flags & 2) { // a round period: 1..1000 of a power of ten femtoseconds
            fs = in.Number(2) % 1000 + 1;
            for (int power = in.Byte() % 19; power > 0 && fs <= 3'600 * kFsPerSecond / 10; --power)
                fs *= 10;
        } else {
            fs = in.Number(8) % (3'600 * kFsPerSecond) + 1;
        }
        made.capture.dClockPeriod = static_cast<double>(fs) / 1e15;
    }
    const int count = static_cast<int>(in.Number(2) % kMaxSamples) + 1;
    for (std::string& name : made.capture.strNames)
        name = in.Text(in.Byte() % 24);
    if (flags & 4)
        for (int bus = in.Byte() % 4; bus > 0; --bus) {
            Bus made_bus{in.Text(in.Byte() % 12), {}, ERadix::Hex};
            std::vector<bool> used(kExportChannelCount);
            for (int width = in.Byte() % 8 + 1; width > 0; --width) {
                int channel = in.Byte() % kExportChannelCount;
                while (used[static_cast<size_t>(channel)])
                    channel = (channel + 1) % kExportChannelCount;
                used[static_cast<size_t>(channel)] = true;
                made_bus.channels.push_back(channel);
            }
            made.capture.annotations.buses.push_back(made_bus);
        }
    if (flags & 8)
        for (int marker = in.Byte() % 32; marker > 0; --marker)
            made.capture.annotations.markers.push_back({in.Byte() % (count + 2), in.Text(in.Byte() % 10), "", 0});
    made.samples = in.Levels(static_cast<size_t>(count) * kExportChannelCount);
    made.capture.nSampleCount = count;
    made.capture.pSamples = made.samples.data();
    if (made.capture.dClockPeriod) {
        const std::optional<uint64_t> fs = PeriodFemtoseconds(*made.capture.dClockPeriod);
        Require(fs.has_value());
        made.periodFs = *fs;
    }
    made.textNames = TextNames(made.capture);
    return made;
}

bool Level(const Capture& made, int sample, int channel)
{
    return made.samples[static_cast<size_t>(sample) * kExportChannelCount + static_cast<size_t>(channel)] != 0;
}

// The name a comment line `word = "…"` gives, its escapes undone.
std::string UnescapeCommentName(const std::string& quoted)
{
    Require(quoted.size() >= 2 && quoted.front() == '"' && quoted.back() == '"');
    std::string name;
    for (size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            Require(quoted[i] != '"');
            name += quoted[i];
            continue;
        }
        const char kind = quoted[++i];
        if (kind == '"' || kind == '\\') {
            name += kind;
            continue;
        }
        const size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : kind == 'U' ? 8 : 0;
        Require(digits != 0 && i + digits < quoted.size());
        const uint32_t code = static_cast<uint32_t>(std::stoul(quoted.substr(i + 1, digits), nullptr, 16));
        if (kind == 'x')
            name += static_cast<char>(code);
        else
            AppendUtf8(name, code);
        i += digits;
    }
    return name;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool IsWord(const std::string& text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

uint64_t UnitFs(const std::string& unit)
{
    static const std::map<std::string, uint64_t> units{{"s", kFsPerSecond}, {"ms", kFsPerSecond / 1000},
        {"us", kFsPerSecond / 1'000'000}, {"ns", 1'000'000}, {"ps", 1000}, {"fs", 1}};
    const auto found = units.find(unit);
    Require(found != units.end());
    return found->second;
}

struct DumpWires {
    std::vector<std::string> names; // by channel
    std::vector<std::string> busNames; // by bus
    uint64_t nMultiplier = 0;
};

// A bus's value in the levels, as the dump writes it: its first channel first.
std::string BusBits(const Bus& bus, const uint8_t* levels)
{
    std::string bits;
    for (const int channel : bus.channels)
        bits += levels[channel] ? '1' : '0';
    return bits;
}

// The dump as GTKWave's reader takes it: words separated by anything up to a blank.
DumpWires CheckVcd(const Capture& made, const std::string& vcd)
{
    for (const char c : vcd)
        Require(static_cast<unsigned char>(c) < 0x7F && (static_cast<unsigned char>(c) >= 0x20 || c == '\n'));
    const size_t definitionsEnd = vcd.find("$enddefinitions $end\n");
    Require(definitionsEnd != std::string::npos);
    const ExportNames& textNames = made.textNames;

    // The renamed wires in the comment, by wire name.
    std::map<std::string, std::string> given;
    for (const std::string& line : Split(vcd.substr(0, definitionsEnd), '\n')) {
        const size_t equals = line.find(" = \"");
        if (line.rfind("  ", 0) != 0 || equals == std::string::npos)
            continue;
        Require(given.emplace(line.substr(2, equals - 2), UnescapeCommentName(line.substr(equals + 3))).second);
    }

    std::vector<std::string_view> words;
    words.reserve(vcd.size() / 3);
    size_t start = std::string::npos;
    for (size_t i = 0; i <= vcd.size(); ++i) {
        const bool blank = i == vcd.size() || static_cast<unsigned char>(vcd[i]) <= ' ';
        if (!blank && start == std::string::npos)
            start = i;
        else if (blank && start != std::string::npos) {
            words.push_back(std::string_view(vcd).substr(start, i - start));
            start = std::string::npos;
        }
    }

    DumpWires wires;
    int channelOf[128];
    std::fill(std::begin(channelOf), std::end(channelOf), -1);
    uint8_t levels[kExportChannelCount] = {};
    const std::vector<Bus>& buses = made.capture.annotations.buses;
    std::map<std::string, size_t> busOf; // by identifier
    std::vector<std::string> busBits(buses.size());
    int64_t time = -1;
    uint64_t step = 0;
    int samples = 0;
    bool inData = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (!inData && (word == "$comment" || word == "$version")) {
            while (words[i] != "$end")
                ++i;
        } else if (word == "$timescale") {
            Require(i + 3 < words.size() && words[i + 3] == "$end");
            const std::string_view multiplier = words[i + 1];
            Require(multiplier == "1" || multiplier == "10" || multiplier == "100");
            wires.nMultiplier = multiplier.size() == 1 ? 1 : multiplier.size() == 2 ? 10 : 100;
            const uint64_t unitFs = UnitFs(std::string(words[i + 2])) * wires.nMultiplier;
            step = made.periodFs ? made.periodFs / unitFs : 1;
            // The timescale and the step give the period exactly.
            Require(made.periodFs ? step * unitFs == made.periodFs : unitFs == kFsPerSecond);
            i += 3;
        } else if (word == "$var" && i + 6 < words.size() && words[i + 5][0] == '[') {
            // A bus: "$var wire WIDTH ~N NAME [WIDTH-1:0] $end", in the order of the buses.
            const size_t bus = wires.busNames.size();
            Require(bus < buses.size() && words[i + 1] == "wire" && words[i + 6] == "$end");
            const std::string width = std::to_string(buses[bus].Width());
            Require(words[i + 2] == width && words[i + 5] == "[" + std::to_string(buses[bus].Width() - 1) + ":0]");
            const std::string id(words[i + 3]);
            Require(id.size() > 1 && id[0] == '~' && busOf.emplace(id, bus).second && IsWord(std::string(words[i + 4])));
            wires.busNames.emplace_back(words[i + 4]);
            i += 6;
        } else if (word == "$var") {
            Require(i + 5 < words.size() && words[i + 1] == "wire" && words[i + 2] == "1" && words[i + 5] == "$end");
            const std::string_view id = words[i + 3];
            const std::string name(words[i + 4]);
            Require(id.size() == 1 && id != "#" && id != "$" && IsWord(name));
            Require(channelOf[static_cast<unsigned char>(id[0])] < 0);
            channelOf[static_cast<unsigned char>(id[0])] = static_cast<int>(wires.names.size());
            const std::string& text = textNames[wires.names.size()];
            // A renamed wire is in the comment with the name given, any other has that name.
            Require(given.count(name) ? given[name] == text && text != name : text == name);
            wires.names.push_back(name);
            i += 5;
        } else if (word == "$enddefinitions") {
            Require(wires.names.size() == size_t(kExportChannelCount) && step != 0 && wires.busNames.size() == buses.size());
            std::set<std::string> references(wires.names.begin(), wires.names.end());
            references.insert(wires.busNames.begin(), wires.busNames.end());
            Require(references.size() == wires.names.size() + wires.busNames.size());
            inData = true;
        } else if (inData && word[0] == '#') {
            int64_t next = 0;
            for (const char digit : word.substr(1)) {
                Require(std::isdigit(static_cast<unsigned char>(digit)) && next < INT64_MAX / 10);
                next = next * 10 + (digit - '0');
            }
            Require(next > time && (next == 0) == (time < 0) && static_cast<uint64_t>(next) % step == 0);
            for (int64_t t = time < 0 ? next : time; t < next; t += static_cast<int64_t>(step), ++samples) {
                for (int ch = 0; ch < kExportChannelCount; ++ch)
                    Require(samples < made.capture.nSampleCount && levels[ch] == Level(made, samples, ch));
                for (size_t bus = 0; bus < buses.size(); ++bus)
                    Require(busBits[bus] == BusBits(buses[bus], levels));
            }
            time = next;
        } else if (inData && word[0] == 'b' && i + 1 < words.size() && busOf.count(std::string(words[i + 1]))) {
            // A bus's value, after its channels' changes at that time, and only when it changes.
            const size_t bus = busOf[std::string(words[++i])];
            const std::string bits(word.substr(1));
            Require(bits != busBits[bus] && bits == BusBits(buses[bus], levels));
            busBits[bus] = bits;
        } else if (inData && (word[0] == '0' || word[0] == '1') && word.size() == 2) {
            const int channel = channelOf[static_cast<unsigned char>(word[1])];
            Require(channel >= 0);
            levels[channel] = word[0] == '1';
        } else {
            Require(word == "$end" || (inData ? word == "$dumpvars"
                                              : word == "$scope" || word == "module" || word == kVcdScope ||
                                                    word == "$upscope"));
        }
    }
    Require(samples == made.capture.nSampleCount);
    Require(static_cast<uint64_t>(time) == static_cast<uint64_t>(made.capture.nSampleCount) * step);
    Require(GtkwaveEndTime(made.capture) == static_cast<uint64_t>(time) * wires.nMultiplier);
    return wires;
}

void CheckGtkw(const Capture& made, const DumpWires& wires, const std::string& gtkw)
{
    const ExportNames& textNames = made.textNames;
    size_t channel = 0;
    bool zoomed = false;
    const std::string scope = std::string(kVcdScope) + ".";
    const std::vector<std::string> lines = Split(gtkw, '\n');
    // The named markers: the first 26 within the capture, at their time, under their labels.
    std::string times;
    std::vector<std::string> markerNames;
    char letter = 'A';
    for (const Marker& marker : made.capture.annotations.markers) {
        if (marker.nSample >= made.capture.nSampleCount || letter > 'Z')
            continue;
        times += ' ' + std::to_string(GtkwaveTime(made.capture, marker.nSample));
        if (!marker.strLabel.empty())
            markerNames.push_back("[markername] " + std::string(1, letter) + GtkwAlias(marker.strLabel));
        ++letter;
    }
    Require(std::search(lines.begin(), lines.end(), markerNames.begin(), markerNames.end()) != lines.end());
    size_t groupLines = 0;
    for (std::string line : lines) {
        if (channel == size_t(kExportChannelCount)) {
            groupLines += !line.empty();
            continue;
        }
        if (line[0] == '*') {
            Require(line.size() > times.size() && line.compare(line.size() - times.size(), times.size(), times) == 0 &&
                    line.compare(line.size() - times.size() - 3, 3, " -1") == 0);
            // 2^-zoom time units in 200 pixels: the capture fits in the pixels the zoom is for, and
            // fills at least half of them unless it is shorter than the closest zoom.
            const double zoom = std::stod(line.substr(1));
            const double shown = std::exp2(-zoom) * kGtkwFitWidth / 200.0;
            const auto end = static_cast<double>(GtkwaveEndTime(made.capture));
            Require(shown >= end && (zoom == 0.0 || shown <= 2 * end));
            zoomed = true;
        }
        std::string alias;
        if (line.rfind("+{", 0) == 0) {
            const size_t close = line.find('}');
            alias = line.substr(2, close - 2);
            line = line.substr(close + 1);
            Require(line.rfind(' ' + scope, 0) == 0);
            line = line.substr(1);
            for (const char c : alias)
                Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        }
        if (line.rfind(scope, 0) != 0)
            continue;
        Require(channel < wires.names.size() && line == scope + wires.names[channel]);
        const std::string& text = textNames[channel];
        Require(alias.empty() == (text == wires.names[channel]));
        // Where the name holds nothing an alias cannot, the alias is the name.
        bool plain = true;
        for (const char c : text)
            plain = plain && static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && c != '}';
        Require(alias.empty() || !plain || alias == text);
        ++channel;
    }
    Require(channel == size_t(kExportChannelCount) && zoomed);
    // Each group: its first line and name, the vector in hex, the wires in binary, its last line
    // and name.
    size_t expectedLines = 0;
    for (const Bus& bus : made.capture.annotations.buses)
        expectedLines += 7 + bus.channels.size();
    Require(groupLines == expectedLines);
    size_t at = lines.size() - 1 - expectedLines;
    for (size_t bus = 0; bus < wires.busNames.size(); ++bus) {
        const Bus& made_bus = made.capture.annotations.buses[bus];
        const std::string name = '-' + GtkwGroupName(made_bus.strName, wires.busNames[bus]);
        Require(lines[at] == "@800200" && lines[at + 1] == name && lines[at + 2] == "@22" && lines[at + 4] == "@28");
        Require(lines[at + 3] == scope + wires.busNames[bus] + "[" + std::to_string(made_bus.Width() - 1) + ":0]");
        at += 5;
        for (const int member : made_bus.channels) {
            const std::string& line = lines[at++];
            Require(line.size() >= wires.names[static_cast<size_t>(member)].size() + scope.size() &&
                    line.compare(line.size() - scope.size() - wires.names[static_cast<size_t>(member)].size(), std::string::npos,
                                 scope + wires.names[static_cast<size_t>(member)]) == 0);
        }
        Require(lines[at] == "@1000200" && lines[at + 1] == name);
        at += 2;
    }
}

// The fields of the CSV's rows, as RFC 4180 reads them.
std::vector<std::vector<std::string>> ParseCsv(const std::string& csv)
{
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
                field += csv[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            Require(field.empty() && !wasQuoted);
            quoted = wasQuoted = true;
        } else if (c == ',' || c == '\r') {
            rows.back().push_back(field);
            field.clear();
            wasQuoted = false;
            if (c == '\r') {
                Require(i + 1 < csv.size() && csv[++i] == '\n');
                rows.emplace_back();
            }
        } else {
            Require(c != '\n' && !wasQuoted);
            field += c;
        }
    }
    Require(!quoted && field.empty() && rows.back().empty());
    rows.pop_back();
    return rows;
}

// "12.5" × 10^15, exactly.
unsigned __int128 Femtoseconds(const std::string& seconds)
{
    const size_t point = seconds.find('.');
    unsigned __int128 fs = 0;
    for (const char c : seconds.substr(0, point)) {
        Require(std::isdigit(static_cast<unsigned char>(c)));
        fs = fs * 10 + static_cast<unsigned>(c - '0');
    }
    fs *= kFsPerSecond;
    if (point != std::string::npos) {
        const std::string fraction = seconds.substr(point + 1);
        Require(!fraction.empty() && fraction.size() <= 15 && fraction.back() != '0');
        uint64_t scale = kFsPerSecond;
        for (const char c : fraction) {
            Require(std::isdigit(static_cast<unsigned char>(c)));
            scale /= 10;
            fs += static_cast<unsigned>(c - '0') * scale;
        }
    }
    return fs;
}

void CheckCsv(const Capture& made, const std::string& csv)
{
    const std::vector<std::vector<std::string>> rows = ParseCsv(csv);
    Require(rows.size() == static_cast<size_t>(made.capture.nSampleCount) + 1);
    const size_t skip = made.periodFs ? 2 : 1;
    const ExportNames& textNames = made.textNames;
    Require(rows[0].size() == skip + kExportChannelCount && rows[0][0] == kCsvSampleHeader);
    Require(!made.periodFs || rows[0][1] == kCsvTimeHeader);
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        Require(rows[0][skip + static_cast<size_t>(ch)] == textNames[static_cast<size_t>(ch)]);
    for (int i = 0; i < made.capture.nSampleCount; ++i) {
        const std::vector<std::string>& row = rows[static_cast<size_t>(i) + 1];
        Require(row.size() == skip + kExportChannelCount && row[0] == std::to_string(i));
        Require(!made.periodFs || Femtoseconds(row[1]) == static_cast<unsigned __int128>(i) * made.periodFs);
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            Require(row[skip + static_cast<size_t>(ch)] == (Level(made, i, ch) ? "1" : "0"));
    }
}

// A key file's value with its escapes undone.
std::string KeyFileText(const std::string& value)
{
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            text += value[i];
            continue;
        }
        Require(i + 1 < value.size());
        const char c = value[++i];
        const std::map<char, char> escapes{{'s', ' '}, {'n', '\n'}, {'t', '\t'}, {'r', '\r'}, {'\\', '\\'}};
        Require(escapes.count(c) != 0);
        text += escapes.at(c);
    }
    return text;
}

// The files the session archive is made of (the zip around them is the library's).
void CheckSigrokSession(const Capture& made)
{
    const std::vector<SigrokEntry> entries = SigrokSessionEntries(made.capture);
    Require(entries.size() == 3 && entries[0].name == "version" && entries[0].bytes == "2");
    Require(entries[1].name == "metadata" && entries[2].name == "logic-1-1");

    std::map<std::string, std::string> keys;
    for (const std::string& line : Split(entries[1].bytes, '\n')) {
        if (line.empty() || line[0] == '#' || line[0] == '[')
            continue;
        const size_t equals = line.find('=');
        Require(equals != std::string::npos && keys.emplace(line.substr(0, equals), line.substr(equals + 1)).second);
    }
    Require(keys["total probes"] == "48" && keys["unitsize"] == "6" && keys["capturefile"] == "logic-1");
    Require(std::stoull(keys["samplerate"]) >= 1);
    const ExportNames& textNames = made.textNames;
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        Require(KeyFileText(keys["probe" + std::to_string(ch + 1)]) == textNames[static_cast<size_t>(ch)]);

    const std::string& packed = entries[2].bytes;
    Require(packed.size() == static_cast<size_t>(made.capture.nSampleCount) * kSigrokUnitSize);
    for (int i = 0; i < made.capture.nSampleCount; ++i)
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            Require(((static_cast<uint8_t>(packed[static_cast<size_t>(i * kSigrokUnitSize + ch / 8)]) >> (ch % 8)) & 1) ==
                    Level(made, i, ch));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    const Capture made = MakeCapture(in);
    Require(CheckExportable(made.capture).empty());

    ExportOutput csv;
    WriteCsv(made.capture, csv);
    CheckCsv(made, csv.Text());
    CheckSigrokSession(made);

    if (!CheckVcdTimes(made.capture).empty()) {
        // Only a period of femtosecond detail goes beyond what GTKWave counts.
        Require(ChooseTimescale(made.periodFs).unit == std::string("fs"));
        return 0;
    }
    ExportOutput vcd;
    WriteVcd(made.capture, vcd);
    const DumpWires wires = CheckVcd(made, vcd.Text());
    CheckGtkw(made, wires, GtkwSaveFile(made.capture, "/d/capture.vcd", "/d/capture.gtkw"));
    return 0;
}
