#include "picture/PictureFile.h"

#include "files/FileWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cctype>

namespace veldran {
namespace {

QByteArray Svg(QSize size, const ViewPictureModel& model)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("VELDRAN"));
    QPainter painter(&generator);
    PaintViewPicture(painter, QSizeF(size), model);
    painter.end();
    // The generator gives the size in millimetres at its resolution; a picture for a page or a
    // browser is asked for in pixels, so the root element says so.
    QByteArray svg = buffer.data();
    const int root = svg.indexOf("<svg ");
    const int width = svg.indexOf("width=\"", root);
    const int heightEnd = svg.indexOf('"', svg.indexOf("height=\"", width) + 8);
    if (root < 0 || width < 0 || heightEnd < 0 || heightEnd > svg.indexOf('>', root))
        return {};
    return svg.replace(width, heightEnd + 1 - width,
                       QStringLiteral("width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()).toUtf8());
}

QByteArray Png(QSize size, const ViewPictureModel& model)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintViewPicture(painter, QSizeF(size), model);
    painter.end();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

// One page of exactly the picture's size, in points, without margins.
QByteArray Pdf(QSize size, const ViewPictureModel& model)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("VELDRAN"));
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    PaintViewPicture(painter, QSizeF(size), model);
    painter.end();
    return buffer.data();
}

} // namespace

std::optional<EPictureFormat> PictureFormatFromPath(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    std::string suffix(path.substr(dot + 1));
    for (char& c : suffix)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (suffix == "svg")
        return EPictureFormat::Svg;
    if (suffix == "png")
        return EPictureFormat::Png;
    if (suffix == "pdf")
        return EPictureFormat::Pdf;
    return std::nullopt;
}

std::optional<QByteArray> RenderViewPicture(EPictureFormat format, QSize size, const ViewPictureModel& model)
{
    if (size.width() < kPictureMinSide || size.height() < kPictureMinSide || size.width() > kPictureMaxSide ||
        size.height() > kPictureMaxSide)
        return std::nullopt;
    switch (format) {
    case EPictureFormat::Svg: return Svg(size, model);
    case EPictureFormat::Png: return Png(size, model);
    case EPictureFormat::Pdf: return Pdf(size, model);
    }
    return std::nullopt;
}

ExportResult WriteViewPicture(const std::string& path, EPictureFormat format, QSize size, const ViewPictureModel& model)
{
    const auto failed = [&path](const std::string& cause) {
        const std::string error = path + ": " + cause;
        return ExportResult{false, error, Message(text::kCannotExport, {error})};
    };
    const std::optional<QByteArray> bytes = RenderViewPicture(format, size, model);
    if (!bytes || bytes->isEmpty())
        return failed("a picture of " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                      " cannot be made (" + std::to_string(kPictureMinSide) + " to " + std::to_string(kPictureMaxSide) +
                      " a side)");
    CFileWriter file;
    if (const int error = file.Create(path))
        return failed(ErrorText(error));
    file.Append(std::string_view(bytes->constData(), static_cast<size_t>(bytes->size())));
    if (const int error = file.Error() ? file.Error() : file.Commit())
        return failed(ErrorText(error));
    return {true, {}, {}};
}

} // namespace veldran
