#pragma once
// The value change dump (IEEE 1364) of a capture, and the GTKWave save file that opens it with all
// 48 traces shown.

#include "export/ExportCapture.h"
#include "export/ExportOutput.h"

#include <string>

namespace veldran {

// 48 one-bit wires in one scope; all levels at #0, then only the changes, and a last timestamp one
// sample after the last sample (readers take a sample to last until the next timestamp).
void WriteVcd(const ExportableCapture& capture, ExportOutput& output);

// The scope the wires are declared in.
inline constexpr const char* kVcdScope = "veldran";

// The GTKWave save file for the dump at vcdPath (absolute), to be stored at savePath (absolute).
[[nodiscard]] std::string GtkwSaveFile(const ExportableCapture& capture, const std::string& vcdPath,
                                       const std::string& savePath);

} // namespace veldran
