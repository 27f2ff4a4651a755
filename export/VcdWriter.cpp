#include "export/VcdWriter.h"

#include "export/ExportNames.h"
#include "export/ExportTime.h"
#include "export/VcdAnnotations.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace veldran {
namespace {

#ifndef VELDRAN_VERSION
#define VELDRAN_VERSION ""
#endif

void AppendTimestamp(std::string& out, uint64_t time)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, time);
    out += '#';
    out.append(digits, result.ptr);
    out += '\n';
}

void AppendChange(std::string& out, uint8_t level, int channel)
{
    out += level ? '1' : '0';
    out += VcdIdentifier(channel);
    out += '\n';
}

void WriteHeader(const ExportableCapture& capture, const ExportNames& textNames, const ExportNames& vcdNames,
                 const CVcdBusValues& buses, const VcdTimescale& scale, std::string& out)
{
    out += "$version VELDRAN " VELDRAN_VERSION " $end\n";
    out += "$comment\n  " + std::to_string(capture.nSampleCount) + " samples of 48 channels.\n";
    if (capture.dClockPeriod)
        out += "  Clock period " + PeriodText(*PeriodFemtoseconds(*capture.dClockPeriod)) + ": " +
               std::to_string(scale.nStep) + " time units per sample.\n";
    else
        out += "  Clock OFF: one time unit per sample; the timescale is nominal.\n";
    out += "$end\n";
    // Readers take single ASCII words as names, and GTKWave a dump of ASCII only; the names the user
    // gave are kept here, escaped.
    bool anyRenamed = false;
    for (int ch = 0; ch < kExportChannelCount; ++ch) {
        const auto k = static_cast<size_t>(ch);
        if (textNames[k] == vcdNames[k])
            continue;
        if (!anyRenamed)
            out += "$comment\n  Channel names as given, by wire:\n";
        anyRenamed = true;
        out += "  " + vcdNames[k] + " = " + VcdCommentName(textNames[k]) + "\n";
    }
    if (anyRenamed)
        out += "$end\n";
    out += "$timescale " + std::to_string(scale.nMultiplier) + " " + scale.unit + " $end\n";
    out += std::string("$scope module ") + kVcdScope + " $end\n";
    for (int ch = 0; ch < kExportChannelCount; ++ch) {
        out += "$var wire 1 ";
        out += VcdIdentifier(ch);
        out += ' ' + vcdNames[static_cast<size_t>(ch)] + " $end\n";
    }
    buses.AppendDeclarations(BusVcdNames(capture.annotations.buses, vcdNames), out);
    out += "$upscope $end\n$enddefinitions $end\n";
}

VcdTimescale TimescaleOf(const ExportableCapture& capture)
{
    if (!capture.dClockPeriod)
        return {};
    return ChooseTimescale(*PeriodFemtoseconds(*capture.dClockPeriod));
}

} // namespace

void WriteVcd(const ExportableCapture& capture, ExportOutput& output)
{
    const ExportNames textNames = TextNames(capture);
    const VcdTimescale scale = TimescaleOf(capture);
    std::string& out = output.Text();
    CVcdBusValues buses(capture.annotations.buses);
    WriteHeader(capture, textNames, VcdNames(textNames), buses, scale, out);

    if (capture.nSampleCount < 1 || !capture.pSamples) {
        AppendTimestamp(out, 0);
        output.Finish();
        return;
    }
    const uint8_t* sample = capture.pSamples;
    uint8_t levels[kExportChannelCount];
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        levels[ch] = sample[ch] != 0;
    out += "#0\n$dumpvars\n";
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        AppendChange(out, levels[ch], ch);
    buses.AppendValues(levels, true, out);
    out += "$end\n";
    // The lines of one sample are put together on the stack and appended at once: a timestamp
    // and at most 48 changes of three characters.
    char lines[24 + kExportChannelCount * 3];
    char identifier[kExportChannelCount];
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        identifier[ch] = VcdIdentifier(ch);
    for (int i = 1; i < capture.nSampleCount; ++i) {
        sample += kExportChannelCount;
        if (std::memcmp(sample, levels, kExportChannelCount) == 0)
            continue; // the common case of a quiet sample, for levels of exactly 0 and 1
        char* end = lines;
        *end++ = '#';
        end = std::to_chars(end, lines + 23, static_cast<uint64_t>(i) * scale.nStep).ptr;
        *end++ = '\n';
        const char* const stampEnd = end;
        for (int ch = 0; ch < kExportChannelCount; ++ch) {
            const uint8_t level = sample[ch] != 0;
            if (level == levels[ch])
                continue;
            levels[ch] = level;
            end[0] = static_cast<char>('0' + level);
            end[1] = identifier[ch];
            end[2] = '\n';
            end += 3;
        }
        if (end != stampEnd) {
            out.append(lines, end);
            buses.AppendValues(levels, false, out); // a bus changes only with one of its channels
        }
        output.Spill();
    }
    AppendTimestamp(out, static_cast<uint64_t>(capture.nSampleCount) * scale.nStep);
    output.Finish();
}

uint64_t GtkwaveTime(const ExportableCapture& capture, int64_t sample)
{
    const VcdTimescale scale = TimescaleOf(capture);
    return static_cast<uint64_t>(sample) * scale.nStep * static_cast<uint64_t>(scale.nMultiplier);
}

uint64_t GtkwaveEndTime(const ExportableCapture& capture)
{
    return GtkwaveTime(capture, capture.nSampleCount);
}

std::string CheckVcdTimes(const ExportableCapture& capture)
{
    const VcdTimescale scale = TimescaleOf(capture);
    const auto count = static_cast<unsigned __int128>(capture.nSampleCount < 0 ? 0 : capture.nSampleCount);
    if (count * scale.nStep * static_cast<unsigned>(scale.nMultiplier) > std::numeric_limits<int64_t>::max())
        return "the capture lasts too long for a value change dump in steps of " +
               std::to_string(scale.nMultiplier) + " " + scale.unit;
    return {};
}

double GtkwZoom(uint64_t endTime)
{
    // GTKWave shows 2^-zoom units of its time in 200 pixels. The zoom is written with six decimals,
    // rounded out by at least one millionth, so that no rounding of the logarithm (an end just past
    // a power of two) hides the last unit.
    const double zoom = -std::log2(static_cast<double>(endTime) * 200.0 / kGtkwFitWidth);
    return zoom > 0.0 ? 0.0 : std::floor(zoom * 1e6 - 1.0) / 1e6;
}

std::string GtkwSaveFile(const ExportableCapture& capture, const std::string& vcdPath, const std::string& savePath)
{
    const ExportNames textNames = TextNames(capture);
    const ExportNames vcdNames = VcdNames(textNames);
    std::string out = "[*] GTKWave save file written by VELDRAN\n";
    out += "[dumpfile] \"" + vcdPath + "\"\n";
    out += "[savefile] \"" + savePath + "\"\n";
    out += "[timestart] 0\n";
    out += "[size] " + std::to_string(kGtkwWindowWidth) + " 900\n";
    // The zoom that shows the whole capture, no primary marker, and the named markers.
    char zoom[64];
    std::snprintf(zoom, sizeof zoom, "*%.6f -1", GtkwZoom(GtkwaveEndTime(capture)));
    out += zoom + GtkwMarkerTimes(capture) + '\n';
    AppendGtkwMarkerNames(capture, out);
    out += "[treeopen] " + std::string(kVcdScope) + ".\n";
    out += "[sst_width] " + std::to_string(kGtkwTreeWidth) + "\n";
    out += "[signals_width] " + std::to_string(kGtkwSignalsWidth) + "\n";
    out += "[sst_expanded] 1\n";
    out += "@28\n"; // one-bit traces, binary, right-justified
    for (size_t ch = 0; ch < vcdNames.size(); ++ch)
        out += GtkwWireLine(textNames[ch], vcdNames[ch]);
    AppendGtkwBusGroups(capture.annotations.buses, BusVcdNames(capture.annotations.buses, vcdNames), textNames,
                        vcdNames, out);
    return out;
}

} // namespace veldran
