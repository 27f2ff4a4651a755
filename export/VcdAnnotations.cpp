#include "export/VcdAnnotations.h"

#include "export/VcdWriter.h"

namespace veldran {
namespace {

// GTKWave's trace flags: hex, binary, right-justified, and a group's first and last line.
constexpr const char* kGtkwHexFlags = "@22\n";
constexpr const char* kGtkwBinaryFlags = "@28\n";
constexpr const char* kGtkwGroupBegin = "@800200\n";
constexpr const char* kGtkwGroupEnd = "@1000200\n";

uint64_t ValueOf(const Bus& bus, const uint8_t* levels)
{
    uint64_t value = 0;
    for (const int channel : bus.channels)
        value = value << 1 | levels[channel];
    return value;
}

std::string VectorRange(const Bus& bus)
{
    return "[" + std::to_string(bus.Width() - 1) + ":0]";
}

// The markers GTKWave is given: those within the capture, at most kGtkwNamedMarkers of them.
std::vector<const Marker*> NamedMarkers(const ExportableCapture& capture)
{
    std::vector<const Marker*> markers;
    for (const Marker& marker : capture.annotations.markers)
        if (marker.nSample >= 0 && marker.nSample < capture.nSampleCount && markers.size() < kGtkwNamedMarkers)
            markers.push_back(&marker);
    return markers;
}

} // namespace

void CVcdBusValues::AppendDeclarations(const std::vector<std::string>& names, std::string& out) const
{
    for (size_t i = 0; i < m_buses.size(); ++i)
        out += "$var wire " + std::to_string(m_buses[i].Width()) + ' ' + VcdBusIdentifier(i) + ' ' + names[i] + ' ' +
               VectorRange(m_buses[i]) + " $end\n";
}

void CVcdBusValues::AppendValues(const uint8_t* levels, bool bAll, std::string& out)
{
    for (size_t i = 0; i < m_buses.size(); ++i) {
        const uint64_t value = ValueOf(m_buses[i], levels);
        if (!bAll && value == m_values[i])
            continue;
        m_values[i] = value;
        out += 'b' + FormatBusValue(value, m_buses[i].Width(), ERadix::Binary) + ' ' + VcdBusIdentifier(i) + '\n';
    }
}

std::string GtkwWireLine(const std::string& textName, const std::string& vcdName)
{
    const std::string wire = std::string(kVcdScope) + '.' + vcdName + '\n';
    return textName == vcdName ? wire : "+{" + GtkwAlias(textName) + "} " + wire;
}

std::string GtkwGroupName(const std::string& busName, const std::string& vcdName)
{
    const std::string alias = GtkwAlias(busName);
    return alias.find_first_not_of(' ') == std::string::npos ? vcdName : alias;
}

void AppendGtkwBusGroups(const std::vector<Bus>& buses, const std::vector<std::string>& busNames,
                         const ExportNames& textNames, const ExportNames& vcdNames, std::string& out)
{
    const std::string scope = std::string(kVcdScope) + '.';
    for (size_t i = 0; i < buses.size(); ++i) {
        const std::string group = '-' + GtkwGroupName(buses[i].strName, busNames[i]) + '\n';
        out += kGtkwGroupBegin + group;
        out += kGtkwHexFlags + scope + busNames[i] + VectorRange(buses[i]) + '\n';
        out += kGtkwBinaryFlags;
        for (const int channel : buses[i].channels)
            out += GtkwWireLine(textNames[static_cast<size_t>(channel)], vcdNames[static_cast<size_t>(channel)]);
        out += kGtkwGroupEnd + group;
    }
}

std::string GtkwMarkerTimes(const ExportableCapture& capture)
{
    std::string times;
    for (const Marker* marker : NamedMarkers(capture))
        times += ' ' + std::to_string(GtkwaveTime(capture, marker->nSample));
    return times;
}

void AppendGtkwMarkerNames(const ExportableCapture& capture, std::string& out)
{
    char letter = 'A';
    for (const Marker* marker : NamedMarkers(capture)) {
        if (!marker->strLabel.empty())
            out += std::string("[markername] ") + letter + GtkwAlias(marker->strLabel) + '\n';
        ++letter;
    }
}

} // namespace veldran
