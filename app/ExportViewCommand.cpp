#include "app/ExportViewCommand.h"

#include "annotations/Bus.h"
#include "app/PictureSizeDialog.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "picture/PictureFile.h"
#include "resources/Strings.h"
#include "session/CaptureSession.h"
#include "view/VeldranView.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace veldran {
namespace {

// The filters of the save dialog and the suffix each gives a name typed without one.
const std::pair<const char*, const char*> kFilters[] = {
    {text::kPictureFilterSvg, "svg"},
    {text::kPictureFilterPng, "png"},
    {text::kPictureFilterPdf, "pdf"},
};

QString AskPath(QWidget* parent, const QString& proposed)
{
    QStringList filters;
    for (const auto& [filter, suffix] : kFilters)
        filters << Tr(filter);
    QFileDialog dialog(parent, QString(), proposed);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(kFilters[0].second));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& filter) {
        const qsizetype index = std::max<qsizetype>(filters.indexOf(filter), 0);
        dialog.setDefaultSuffix(QString::fromLatin1(kFilters[index].second));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

ExportViewCommand::ExportViewCommand(const CCaptureSession& session, const CVELDRANView& view, QWidget* dialogParent)
    : m_session(session)
    , m_view(view)
    , m_pathPrompt([dialogParent](const QString& proposed) { return AskPath(dialogParent, proposed); })
    , m_sizePrompt([dialogParent](QSize proposed) { return PictureSizeDialog::Ask(proposed, dialogParent); })
{
}

void ExportViewCommand::SetPrompts(PathPrompt path, SizePrompt size)
{
    m_pathPrompt = std::move(path);
    m_sizePrompt = std::move(size);
}

bool ExportViewCommand::CanExport() const
{
    return m_session.HasCapture() && m_session.Store().nCount > 0;
}

ViewPictureModel ExportViewCommand::CurrentPicture() const
{
    ViewPictureModel model;
    model.store = m_session.Store();
    model.nCell = m_session.Cell();
    const CTraceStatic& trace = m_view.Trace(0);
    model.nFirst = trace.m_nStart;
    model.nLast = std::max<int64_t>(trace.m_nStart, std::min<int64_t>(trace.m_nEnd, model.store.nCount) - 1);
    for (size_t row = 0; row < model.names.size(); ++row)
        model.names[row] = m_view.Trace(static_cast<int>(row)).Label();
    model.nX = m_session.XCursor();
    model.nY = m_session.YCursor();
    model.dClockPeriod = m_session.ClockPeriod();
    for (const Marker& marker : m_session.Markers())
        model.markers.push_back({marker.nSample, QString::fromStdString(marker.strLabel),
                                 QColor::fromRgb(static_cast<QRgb>(marker.nColour))});
    const int64_t x = std::clamp<int64_t>(model.nX, 0, std::max<int64_t>(model.store.nCount - 1, 0));
    for (const Bus& bus : m_session.Buses())
        model.buses.push_back({QString::fromStdString(bus.strName),
                               QString::fromStdString(FormatBusValue(BusValue(bus, model.store, x), bus.Width(), bus.eRadix))});
    return model;
}

void ExportViewCommand::OnExportView()
{
    if (!CanExport())
        return;
    const std::string& document = m_session.Document().GetPathName();
    const QString shown = QFile::decodeName(document.c_str());
    const QString proposed = document.empty() ? ShownTitle(m_session.Document().GetTitle())
                                              : QFileInfo(shown).path() + QLatin1Char('/') + QFileInfo(shown).completeBaseName();
    const QString path = m_pathPrompt(proposed + QStringLiteral(".svg"));
    if (path.isEmpty())
        return;
    const std::string encoded = QFile::encodeName(path).toStdString();
    const std::optional<EPictureFormat> format = PictureFormatFromPath(encoded);
    if (!format) {
        ShowAppMessage(Message(text::kPictureUnknownSuffix, {path.toStdString()}));
        return;
    }
    const std::optional<QSize> size = m_sizePrompt(m_size);
    if (!size)
        return;
    m_size = *size;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const ExportResult result = WriteViewPicture(encoded, *format, *size, CurrentPicture());
    QGuiApplication::restoreOverrideCursor();
    if (!result)
        ShowAppMessage(result.message);
}

} // namespace veldran
