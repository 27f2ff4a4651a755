#pragma once
// How a value change dump and its GTKWave save file carry what the user added to a capture. In the
// dump each bus is a vector beside the 48 wires ("$var wire 8 ~0 DATA [7:0] $end"), its first
// channel the most significant bit, with a value change ("b01000001 ~0") only where the bus's value
// changes. In the save file each bus is a group named as the bus, holding its vector in hex and
// then its channels; the markers are GTKWave's named markers A, B, … under their labels. GTKWave
// 3.3 has 26 named markers: the first 26 markers of the capture are written, the rest left out.

#include "annotations/Bus.h"
#include "export/ExportCapture.h"
#include "export/ExportNames.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veldran {

inline constexpr size_t kGtkwNamedMarkers = 26;

// The buses' values as the dump writes them, sample after sample.
class CVcdBusValues {
public:
    explicit CVcdBusValues(const std::vector<Bus>& buses) : m_buses(buses), m_values(buses.size()) {}

    // The buses' $var lines, each under its name as a VCD reference (BusVcdNames).
    void AppendDeclarations(const std::vector<std::string>& names, std::string& out) const;
    // Each bus's value in a sample (48 levels, each 0 or 1): all of them for the first, then only
    // those that changed since the last written.
    void AppendValues(const uint8_t* levels, bool bAll, std::string& out);

private:
    const std::vector<Bus>& m_buses;
    std::vector<uint64_t> m_values;
};

// A wire's line in the save file: a wire renamed for the dump shows the name the user gave, as its
// alias.
[[nodiscard]] std::string GtkwWireLine(const std::string& textName, const std::string& vcdName);

// A bus's group as the save file names it: its name as an alias is written (GtkwAlias), or its name
// in the dump when that leaves nothing but blanks.
[[nodiscard]] std::string GtkwGroupName(const std::string& busName, const std::string& vcdName);

// The save file's groups, one a bus, after the wires; busNames as BusVcdNames gives them.
void AppendGtkwBusGroups(const std::vector<Bus>& buses, const std::vector<std::string>& busNames,
                         const ExportNames& textNames, const ExportNames& vcdNames, std::string& out);

// The named markers' times in GTKWave's time (" t0 t1 …", for the end of the zoom line), and their
// labels (one "[markername]" line each).
[[nodiscard]] std::string GtkwMarkerTimes(const ExportableCapture& capture);
void AppendGtkwMarkerNames(const ExportableCapture& capture, std::string& out);

} // namespace veldran
