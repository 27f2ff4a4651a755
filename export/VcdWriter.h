#pragma once
// The value change dump (IEEE 1364) of a capture, and the GTKWave save file that opens it with all
// 48 traces shown (a renamed wire under the name given, as its alias) and the whole capture in view;
// the capture's buses and markers come with them as VcdAnnotations.h describes.

#include "export/ExportCapture.h"
#include "export/ExportOutput.h"

#include <cstdint>
#include <string>

namespace veldran {

// 48 one-bit wires and the buses' vectors in one scope; all levels at #0, then only the changes, and a last timestamp one
// sample after the last sample (readers take a sample to last until the next timestamp).
void WriteVcd(const ExportableCapture& capture, ExportOutput& output);

// The scope the wires are declared in.
inline constexpr const char* kVcdScope = "veldran";

// Why the timestamps of an exportable capture (CheckExportable) cannot be written as GTKWave counts
// them (a signed 64-bit count of its timescale's unit), or an empty string. Only a clock period of
// femtosecond detail over a long capture comes near.
[[nodiscard]] std::string CheckVcdTimes(const ExportableCapture& capture);

// The end of the capture in GTKWave's time: the last timestamp times the timescale's multiplier.
[[nodiscard]] uint64_t GtkwaveEndTime(const ExportableCapture& capture);
// The start of a sample in GTKWave's time.
[[nodiscard]] uint64_t GtkwaveTime(const ExportableCapture& capture, int64_t sample);

// The GTKWave window the save file asks for: its width, and those of the hierarchy and signal
// panes; the wave pane gets what is left less about 100 pixels of borders (660 with GTKWave 3.3),
// and the zoom fits the whole capture into kGtkwFitWidth of them, which leaves room for wider
// borders.
inline constexpr int kGtkwWindowWidth = 1200;
inline constexpr int kGtkwTreeWidth = 200;
inline constexpr int kGtkwSignalsWidth = 240;
inline constexpr double kGtkwFitWidth = 600.0;

// The GTKWave save file for the dump at vcdPath (absolute), to be stored at savePath (absolute).
[[nodiscard]] std::string GtkwSaveFile(const ExportableCapture& capture, const std::string& vcdPath,
                                       const std::string& savePath);

} // namespace veldran
