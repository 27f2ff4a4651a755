#pragma once
// A picture of the view written to a file: SVG (text, the same bytes for the same input), PNG at
// the size asked, or PDF on a page of that size. The bytes are made in memory and written through
// the one file writer, so a failed export leaves no partial file and the earlier file as it was.
// Needs a QGuiApplication (the fonts).

#include "export/ExportCapture.h"
#include "picture/PictureLimits.h"
#include "picture/ViewPicture.h"

#include <QSize>

#include <optional>
#include <string>
#include <string_view>

namespace veldran {

enum class EPictureFormat { Svg, Png, Pdf };

// From ".svg", ".png" or ".pdf", any case.
[[nodiscard]] std::optional<EPictureFormat> PictureFormatFromPath(std::string_view path);

// The picture's bytes, or nothing when they could not be made (a size the format cannot hold).
[[nodiscard]] std::optional<QByteArray> RenderViewPicture(EPictureFormat format, QSize size, const ViewPictureModel& model);

[[nodiscard]] ExportResult WriteViewPicture(const std::string& path, EPictureFormat format, QSize size,
                                            const ViewPictureModel& model);

} // namespace veldran
