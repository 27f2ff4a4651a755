// veldran-convert-picture: the part of veldran-convert that draws a picture of the view (.svg,
// .png, .pdf). veldran-convert runs it for those outputs with its own arguments, so that the
// converter itself links no Qt; it needs no display (Qt's offscreen platform draws the text).

#include "annotations/SidecarFile.h"
#include "convert/ConvertArguments.h"
#include "document/CaptureFile.h"
#include "export/ExportNames.h"
#include "files/FileWriter.h"
#include "files/OutputPath.h"
#include "i18n/CliText.h"
#include "picture/PictureFile.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWrittenIncomplete = 5;
// The window's widest zoom window: the samples a picture shows when --to is not given.
constexpr int64_t kWidestWindow = 1023;

int Fail(const std::string& text)
{
    std::fprintf(stderr, "veldran-convert: %s\n", text.c_str());
    return kExitFailure;
}

// The markers and the buses' values at X, from the annotations kept beside the capture.
void Annotate(veldran::ViewPictureModel& model, const veldran::CaptureAnnotations& annotations)
{
    for (const veldran::Marker& marker : annotations.markers)
        model.markers.push_back({marker.nSample, QString::fromStdString(marker.strLabel), QColor::fromRgb(marker.nColour)});
    for (const veldran::Bus& bus : annotations.buses)
        model.buses.push_back({QString::fromStdString(bus.strName),
                               QString::fromStdString(veldran::FormatBusValue(veldran::BusValue(bus, model.store, model.nX),
                                                                              bus.Width(), bus.eRadix))});
}

// The picture's model: the cell's names as the window shows them, the cursors on the first sample.
veldran::ViewPictureModel Model(const veldran::CVELDRANDoc& document, const veldran::PictureRequest& request,
                                int64_t first, int64_t last, std::optional<uint64_t> clockFs,
                                const veldran::CaptureAnnotations& annotations)
{
    veldran::ViewPictureModel model;
    model.store = {document.Samples().data(), document.ReadableSampleCount()};
    model.nCell = request.nCell;
    model.nFirst = first;
    model.nLast = last;
    for (int row = 0; row < 16; ++row) {
        const int channel = 16 * request.nCell + row;
        const std::string& name = document.ChannelNames()[static_cast<size_t>(channel)];
        model.names[static_cast<size_t>(row)] =
            QString::fromStdString(name.find_first_not_of(' ') == std::string::npos ? veldran::ChannelLabel(channel) : name);
    }
    model.nX = first;
    model.nY = first;
    model.dClockPeriod = clockFs ? static_cast<double>(*clockFs) / 1e15 : 1.0;
    Annotate(model, annotations);
    return model;
}

// Qt's own notes (a runtime folder not set, a font substituted) are no business of the user's.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "veldran-convert: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    const veldran::ConvertArguments args =
        veldran::ParseConvertArguments(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (!args.strError.empty() || !args.picture) {
        std::fputs(veldran::CliUsageError("veldran-convert", args.strError).c_str(), stderr);
        return kExitUsage;
    }
    if (veldran::SameFile(args.strInput, args.strOutput))
        return Fail(args.strOutput + ": is the input file; choose another output name");
    if (const int error = veldran::CheckOutputFile(args.strOutput))
        return Fail("cannot write " + args.strOutput + ": " + veldran::ErrorText(error));

    veldran::CVELDRANDoc document;
    const veldran::CaptureLoad loaded = veldran::LoadCaptureFile(document, args.strInput);
    if (!loaded || loaded.result != veldran::LoadResult::Loaded)
        return Fail(veldran::CliCaptureRefused(args.strInput, loaded.bRead, loaded.messages));
    for (const veldran::Message& message : loaded.messages)
        std::fprintf(stderr, "veldran-convert: %s: %s\n", args.strInput.c_str(), veldran::CliLine(message).c_str());

    const veldran::PictureRequest& request = *args.picture;
    const int64_t count = document.ReadableSampleCount();
    const int64_t first = request.nFrom.value_or(0);
    const int64_t last = request.nTo.value_or(std::min(first + kWidestWindow - 1, count - 1));
    if (count == 0 || first > last || last >= count || last - first + 1 > veldran::kPictureMaxSamples) {
        const auto number = [](int64_t n) { return std::to_string(n); };
        std::fputs(veldran::CliUsageError("veldran-convert",
                                          veldran::CliText(veldran::Message(
                                              veldran::text::kCliBadPictureRange,
                                              {number(first), number(last), number(count - 1),
                                               number(veldran::kPictureMaxSamples)})))
                       .c_str(),
                   stderr);
        return kExitUsage;
    }

    // A sidecar that cannot be used is said, and the picture is drawn without it.
    const veldran::SidecarRead sidecar = veldran::ReadSidecar(veldran::SidecarPath(args.strInput), count);
    if (sidecar.message)
        std::fprintf(stderr, "veldran-convert: %s\n", veldran::CliLine(*sidecar.message).c_str());

    // Text needs a platform; without a display the offscreen one draws it.
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(KeepQtQuiet);
    QGuiApplication application(argc, argv);
    const auto format = veldran::PictureFormatFromPath("." + request.strFormat);
    const veldran::ExportResult result =
        veldran::WriteViewPicture(args.strOutput, *format, QSize(request.nWidth, request.nHeight),
                                  Model(document, request, first, last, args.nClockFs, sidecar.annotations));
    if (!result)
        return Fail("cannot write " + result.strError);
    return loaded.messages.empty() ? 0 : kExitWrittenIncomplete;
}
