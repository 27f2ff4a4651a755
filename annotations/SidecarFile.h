#pragma once
// The sidecar file that keeps a capture's annotations beside it: "capture.vxr.veldran" for
// "capture.vxr". The capture file itself never changes for them. Written through CFileWriter, so a
// failed save leaves the old sidecar as it was.

#include "annotations/SidecarFormat.h"

#include <optional>
#include <string>

namespace veldran {

[[nodiscard]] std::string SidecarPath(const std::string& capturePath);

// The annotations of the sidecar at path for a capture of sampleCount samples. A missing file is
// no annotations and no message; one that cannot be read, is damaged or holds more than the limits
// gives no annotations and its message; one that reads with things dropped or cut gives the rest
// and a message saying what (SidecarFormat.h).
[[nodiscard]] SidecarRead ReadSidecar(const std::string& path, int64_t sampleCount);

// Replaces the sidecar at path with the annotations; nothing, or why it failed (then the file is
// as it was). Annotations that would not read back as they are (SidecarFormat.h) are refused.
[[nodiscard]] std::optional<Message> WriteSidecar(const std::string& path, const CaptureAnnotations& annotations);

} // namespace veldran
