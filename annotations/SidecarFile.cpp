#include "annotations/SidecarFile.h"

#include "files/FileWriter.h"
#include "files/SafeFile.h"

#include <cerrno>
#include <unistd.h>

namespace veldran {
namespace {

// Up to one byte more than a sidecar may hold, so that a longer file is seen to be one. 0 or an
// errno.
int ReadBytes(const std::string& path, std::string& bytes)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return errno;
    int error = 0;
    char block[65536];
    while (bytes.size() <= kMaxSidecarBytes) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        if (got <= 0)
            break;
        bytes.append(block, static_cast<size_t>(got));
    }
    ::close(fd);
    return error;
}

} // namespace

std::string SidecarPath(const std::string& capturePath)
{
    return capturePath + ".veldran";
}

SidecarRead ReadSidecar(const std::string& path, int64_t sampleCount)
{
    std::string bytes;
    if (const int error = ReadBytes(path, bytes)) {
        if (error == ENOENT)
            return {};
        return {{}, Message(text::kCannotReadAnnotations, {path, ErrorText(error)})};
    }
    return ParseSidecarText(bytes, sampleCount, path);
}

std::optional<Message> WriteSidecar(const std::string& path, const CaptureAnnotations& annotations)
{
    const std::string text = SidecarText(annotations);
    if (!WithinSidecarLimits(annotations, text))
        return Message(text::kCannotSaveAnnotations, {path}).Then(AnnotationLimitsMessage());
    if (const int error = ReplaceFileContents(path, text))
        return Message(text::kCannotSaveAnnotations, {path, ErrorText(error)});
    return std::nullopt;
}

} // namespace veldran
