#include "export/SigrokSessionWriter.h"

#include "export/ExportNames.h"
#include "export/ExportTime.h"

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace veldran {
namespace {

// Samples per chunk: the size sigrok's own writer tends to use, a whole number of samples.
constexpr int kSamplesPerChunk = (4 << 20) / kSigrokUnitSize;

struct ZipDeleter {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

std::string PackedSamples(const ExportableCapture& capture, int first, int count)
{
    std::string packed(static_cast<size_t>(count) * kSigrokUnitSize, '\0');
    const uint8_t* sample = capture.pSamples + static_cast<size_t>(first) * kExportChannelCount;
    auto* unit = reinterpret_cast<uint8_t*>(packed.data());
    for (int i = 0; i < count; ++i, sample += kExportChannelCount, unit += kSigrokUnitSize)
        for (int ch = 0; ch < kExportChannelCount; ++ch)
            unit[ch / 8] |= static_cast<uint8_t>((sample[ch] != 0) << (ch % 8));
    return packed;
}

std::string ZipError(zip_t* archive)
{
    return std::string("zip: ") + zip_strerror(archive);
}

// Deflate's fastest level: samples that change little compress well at any level, and the default
// level spends several times as long as writing the whole capture file on such runs.
constexpr zip_uint32_t kCompressionLevel = 1;

// Adds a copy of bytes under name; the archive frees the copy when it is written.
bool AddEntry(zip_t* archive, const char* name, const void* bytes, size_t size)
{
    void* copy = std::malloc(size == 0 ? 1 : size);
    if (!copy)
        return false;
    std::memcpy(copy, bytes, size);
    zip_source_t* source = zip_source_buffer(archive, copy, size, 1);
    if (!source) {
        std::free(copy);
        return false;
    }
    const zip_int64_t index = zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, kCompressionLevel) == 0;
}

} // namespace

std::string KeyFileValue(const std::string& text)
{
    std::string out;
    const size_t firstKept = text.find_first_not_of(' ');
    const size_t lastKept = text.find_last_not_of(' ');
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c == ' ' && (firstKept == std::string::npos || i < firstKept || i > lastKept))
            out += "\\s";
        else
            out += c;
    }
    return out;
}

std::string SigrokMetadata(const ExportableCapture& capture)
{
    std::string out = "# sigrok session written by VELDRAN\n[global]\n\n[device 1]\n";
    out += "capturefile=logic-1\n";
    out += "total probes=" + std::to_string(kExportChannelCount) + "\n";
    // The peers need a rate (sigrok-cli divides by it), and sigrok counts it in whole hertz. Without
    // a clock the samples are only numbered: they get 1 Hz, one second a sample, as the dump counts
    // them. A period longer than 2 s gets 1 Hz as well. The file says where the rate is nominal.
    const uint64_t rate = capture.dClockPeriod ? SampleRateHz(*PeriodFemtoseconds(*capture.dClockPeriod)) : 0;
    if (!capture.dClockPeriod)
        out += "# Clock OFF: the samples are numbered, not timed. The sample rate of 1 Hz is nominal:\n"
               "# one second stands for one sample, as in the value change dump.\n";
    else if (rate == 0)
        out += "# Clock period " + PeriodText(*PeriodFemtoseconds(*capture.dClockPeriod)) +
               ": longer than the whole hertz sigrok counts in. The sample rate of 1 Hz is nominal.\n";
    out += "samplerate=" + std::to_string(std::max<uint64_t>(rate, 1)) + "\n";
    out += "total analog=0\n";
    const ExportNames names = TextNames(capture);
    for (int ch = 0; ch < kExportChannelCount; ++ch)
        out += "probe" + std::to_string(ch + 1) + "=" + KeyFileValue(names[static_cast<size_t>(ch)]) + "\n";
    out += "unitsize=" + std::to_string(kSigrokUnitSize) + "\n";
    return out;
}

std::vector<SigrokEntry> SigrokSessionEntries(const ExportableCapture& capture)
{
    std::vector<SigrokEntry> entries{{"version", "2"}, {"metadata", SigrokMetadata(capture)}};
    const int total = capture.pSamples ? capture.nSampleCount : 0;
    for (int first = 0, chunk = 1; first < total; first += kSamplesPerChunk, ++chunk) {
        const int count = std::min(kSamplesPerChunk, total - first);
        entries.push_back({"logic-1-" + std::to_string(chunk), PackedSamples(capture, first, count)});
    }
    return entries;
}

std::optional<std::string> SigrokSessionBytes(const ExportableCapture& capture, std::string* error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    if (!buffer) {
        *error = std::string("zip: ") + zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    std::unique_ptr<zip_t, ZipDeleter> archive(zip_open_from_source(buffer, ZIP_TRUNCATE, &zipError));
    if (!archive) {
        *error = std::string("zip: ") + zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        zip_source_free(buffer);
        return std::nullopt;
    }
    // The archive is built in memory and read back from there once it is closed, so the buffer
    // is kept beyond the archive.
    zip_source_keep(buffer);
    zip_error_fini(&zipError);

    bool ok = true;
    for (const SigrokEntry& entry : SigrokSessionEntries(capture))
        ok = ok && AddEntry(archive.get(), entry.name.c_str(), entry.bytes.data(), entry.bytes.size());
    if (!ok || zip_close(archive.get()) != 0) {
        *error = ZipError(archive.get());
        zip_source_free(buffer);
        return std::nullopt;
    }
    archive.release(); // closed: zip_close freed it

    std::optional<std::string> bytes;
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && zip_source_open(buffer) == 0) {
        std::string read(static_cast<size_t>(stat.size), '\0');
        if (zip_source_read(buffer, read.data(), read.size()) == static_cast<zip_int64_t>(read.size()))
            bytes = std::move(read);
        zip_source_close(buffer);
    }
    if (!bytes)
        *error = std::string("zip: ") + zip_error_strerror(zip_source_error(buffer));
    zip_source_free(buffer);
    return bytes;
}

} // namespace veldran
