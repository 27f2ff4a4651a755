#include "export/CsvWriter.h"

#include "export/ExportNames.h"
#include "export/ExportTime.h"

#include <charconv>

namespace veldran {

std::string CsvField(const std::string& text)
{
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

void WriteCsv(const ExportableCapture& capture, ExportOutput& output)
{
    const ExportNames names = TextNames(capture);
    const std::optional<uint64_t> periodFs =
        capture.dClockPeriod ? PeriodFemtoseconds(*capture.dClockPeriod) : std::nullopt;
    std::string& out = output.Text();
    out += kCsvSampleHeader;
    if (periodFs)
        out += std::string(",") + kCsvTimeHeader;
    for (const std::string& name : names)
        out += ',' + CsvField(name);
    out += "\r\n";

    // The 48 level columns of a row have a fixed shape: ",0,1,…".
    char levels[kExportChannelCount * 2];
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        levels[ch * 2] = ',';
    const uint8_t* sample = capture.pSamples;
    const int count = sample ? capture.nSampleCount : 0;
    for (int i = 0; i < count; ++i, sample += kExportChannelCount) {
        char index[16];
        out.append(index, std::to_chars(index, index + sizeof index, i).ptr);
        if (periodFs) {
            out += ',';
            AppendSeconds(out, static_cast<uint64_t>(i), *periodFs);
        }
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            levels[ch * 2 + 1] = sample[ch] ? '1' : '0';
        out.append(levels, sizeof levels);
        out += "\r\n";
        output.Spill();
    }
    output.Finish();
}

} // namespace veldran
