#include "app/ExportCommand.h"

#include "document/CaptureDocument.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"
#include "i18n/MessageText.h"
#include "session/CaptureSession.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace veldran {
namespace {

// The filters of the save dialog, in the order of ExportFormat.
const std::pair<ExportFormat, const char*> kFilters[] = {
    {ExportFormat::Vcd, text::kExportFilterVcd},
    {ExportFormat::Csv, text::kExportFilterCsv},
    {ExportFormat::SigrokSession, text::kExportFilterSigrok},
};

} // namespace

ExportCommand::ExportCommand(const CCaptureSession& session, QWidget* dialogParent)
    : m_session(session)
    , m_document(session.Document())
    , m_prompt(DefaultPrompt(dialogParent))
{
}

ExportCommand::PathPrompt ExportCommand::DefaultPrompt(QWidget* parent)
{
    return [parent](const QString& proposed) {
        QStringList filters;
        for (const auto& [format, filter] : kFilters)
            filters << Tr(filter);
        QFileDialog dialog(parent, QString(), proposed);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(QStringLiteral("vcd"));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& filter) {
            const qsizetype index = filters.indexOf(filter);
            dialog.setDefaultSuffix(QString::fromLatin1(ExportSuffix(kFilters[index < 0 ? 0 : index].first)).mid(1));
        });
        Choice choice;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return choice;
        choice.path = dialog.selectedFiles().first();
        const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
        choice.format = kFilters[index < 0 ? 0 : index].first;
        // A name typed with another format's suffix asks for that format.
        if (const auto typed = ExportFormatFromPath(QFile::encodeName(choice.path).toStdString()))
            choice.format = *typed;
        return choice;
    };
}

bool ExportCommand::CanExport() const
{
    return m_document.IsDataReady() && m_document.ReadableSampleCount() > 0;
}

ExportableCapture ExportCommand::CurrentCapture() const
{
    ExportableCapture capture;
    capture.nSampleCount = m_document.ReadableSampleCount();
    capture.pSamples = m_document.Samples().data();
    for (size_t ch = 0; ch < capture.strNames.size(); ++ch)
        capture.strNames[ch] = m_session.Names()[ch].toStdString();
    capture.annotations = m_session.Annotations();
    // 1.0 s is the clock-period table's OFF.
    if (m_session.ClockPeriod() != 1.0)
        capture.dClockPeriod = m_session.ClockPeriod();
    return capture;
}

void ExportCommand::OnFileExport()
{
    if (!CanExport())
        return;
    QString proposed = QFile::decodeName(m_document.GetPathName().c_str());
    proposed = proposed.isEmpty() ? ShownTitle(m_document.GetTitle())
                                  : QFileInfo(proposed).path() + QLatin1Char('/') + QFileInfo(proposed).completeBaseName();
    const Choice choice = m_prompt(proposed + QString::fromLatin1(ExportSuffix(ExportFormat::Vcd)));
    if (choice.path.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const ExportResult result = ExportCapture(QFile::encodeName(choice.path).toStdString(), choice.format, CurrentCapture());
    QGuiApplication::restoreOverrideCursor();
    if (!result)
        ShowAppMessage(result.message);
}

} // namespace veldran
