#pragma once
// The capture as comma-separated values: a header row (sample index, the time when the clock is
// set, then the 48 channel names) and one row of 0/1 columns per sample. Lines end in CR LF and
// fields are quoted where RFC 4180 asks for it, so spreadsheets open it as it is.

#include "export/ExportCapture.h"
#include "export/ExportOutput.h"

#include <string>

namespace veldran {

void WriteCsv(const ExportableCapture& capture, ExportOutput& output);

// A field as written: quoted (with doubled quotes inside) when it holds a comma, a quote, a line
// break or blanks at either end; as it is otherwise.
[[nodiscard]] std::string CsvField(const std::string& text);

inline constexpr const char* kCsvSampleHeader = "Sample";
inline constexpr const char* kCsvTimeHeader = "Time (s)";

} // namespace veldran
