#include "app/DocumentCommands.h"

#include "app/MainFrame.h"
#include "annotations/SidecarFile.h"
#include "app/RecentFileList.h"
#include "document/CaptureFile.h"
#include "document/CapturePrefetch.h"
#include "i18n/MessageText.h"
#include "i18n/Translation.h"
#include "resources/Strings.h"
#include "session/CaptureSession.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <optional>
#include <string>
#include <vector>

namespace veldran {

DocumentCommands::DocumentCommands(CCaptureSession& session, CMainFrame& frame, RecentFileList& recentFiles)
    : m_session(session)
    , m_document(session.Document())
    , m_frame(frame)
    , m_recentFiles(recentFiles)
    , m_prompts(DefaultPrompts(&frame))
{
}

DocumentCommands::Prompts DocumentCommands::DefaultPrompts(QWidget* parent)
{
    const QString filter = Tr(text::kFileFilter);
    Prompts prompts;
    prompts.openPath = [parent, filter] { return QFileDialog::getOpenFileName(parent, QString(), QString(), filter); };
    prompts.savePath = [parent, filter](const QString& proposed) {
        QFileDialog dialog(parent, QString(), proposed, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("vxr"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                       : QString();
    };
    prompts.saveChanges = [parent](const QString& title) {
        const auto answer = QMessageBox::question(parent, Tr(text::kAppTitle),
                                                  Tr(text::kSaveChanges).replace(QStringLiteral("%s"), title),
                                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return answer == QMessageBox::Yes ? Prompts::Answer::Yes
               : answer == QMessageBox::No ? Prompts::Answer::No
                                           : Prompts::Answer::Cancel;
    };
    return prompts;
}

bool DocumentCommands::SaveModified()
{
    if (!m_document.IsModified())
        return true;
    switch (m_prompts.saveChanges(ShownTitle(m_document.GetTitle()))) {
    case Prompts::Answer::Yes: return OnFileSave();
    case Prompts::Answer::No: return true;
    case Prompts::Answer::Cancel: return false;
    }
    return false;
}

void DocumentCommands::OnFileNew()
{
    if (!SaveModified())
        return;
    m_session.ClearCapture();
    m_document.SetModifiedFlag(false);
    m_unreadSidecar.clear();
}

void DocumentCommands::OnFileOpen()
{
    if (!SaveModified())
        return;
    const QString path = m_prompts.openPath();
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool DocumentCommands::OpenDocumentFile(const QString& path, CCapturePrefetch* prefetch)
{
    const std::string file = QFile::encodeName(path).toStdString();
    // The file is read into a document of its own: the capture shown, its file and the recent list
    // change only for a file that loads. The status texts of its parse follow it.
    CVELDRANDoc read;
    std::vector<std::string> statusTexts;
    read.SetStatusTextHandler([&statusTexts](const char* text) { statusTexts.emplace_back(text ? text : ""); });
    std::optional<CaptureLoad> prepared = prefetch ? prefetch->TakeInto(read, file) : std::nullopt;
    const CaptureLoad load = prepared ? std::move(*prepared) : LoadCaptureFile(read, file);
    const bool loaded = load.bRead && load.result == LoadResult::Loaded;
    if (loaded) {
        m_document.AdoptCapture(std::move(read));
        for (const std::string& text : statusTexts)
            m_document.ShowStatusText(text.c_str());
    }
    if (!ShowReported(load))
        return false;
    if (!loaded)
        return true; // refused: the message said why, and nothing changed
    m_document.SetPathName(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
    m_document.SetModifiedFlag(false);
    RememberFile(path);
    // The buses and markers beside the file: a missing sidecar is none; a damaged one is said once
    // and leaves the capture shown as it is.
    const std::string sidecar = SidecarPath(m_document.GetPathName());
    SidecarRead annotations = ReadSidecar(sidecar, m_document.SampleCount());
    m_unreadSidecar = annotations.message && annotations.annotations.Empty() ? sidecar : std::string();
    m_session.OpenCapture(std::move(annotations.annotations));
    if (annotations.message)
        ShowMessage(*annotations.message);
    return true;
}

void DocumentCommands::OnRecentFile(int index)
{
    const QStringList& files = m_recentFiles.Files();
    if (index < 0 || index >= files.size() || !SaveModified())
        return;
    const QString path = files.at(index);
    if (!OpenDocumentFile(path)) {
        // A file that cannot be read any more leaves the list.
        m_recentFiles.Remove(index);
        m_recentFiles.WriteList();
        m_frame.UpdateRecentFileMenu();
    }
}

bool DocumentCommands::OnFileSave()
{
    const std::string& path = m_document.GetPathName();
    if (path.empty())
        return OnFileSaveAs();
    return DoSave(QFile::decodeName(path.c_str()));
}

bool DocumentCommands::OnFileSaveAs()
{
    QString proposed = QFile::decodeName(m_document.GetPathName().c_str());
    if (proposed.isEmpty())
        proposed = ShownTitle(m_document.GetTitle()) + QString::fromUtf8(text::kFileExtension);
    const QString path = m_prompts.savePath(proposed);
    if (path.isEmpty())
        return false;
    return DoSave(path);
}

bool DocumentCommands::DoSave(const QString& path)
{
    ChannelNames names;
    for (size_t n = 0; n < names.size(); ++n)
        names[n] = m_session.Names()[n].toStdString();
    if (!ShowReported(SaveCaptureFile(m_document, names, QFile::encodeName(path).toStdString())))
        return false;
    m_document.SetPathName(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
    RememberFile(path);
    // The capture is saved; it stays marked as changed until its buses and markers are saved too.
    if (const std::optional<Message> failed = SaveSidecar()) {
        ShowMessage(*failed);
        return false;
    }
    m_document.SetModifiedFlag(false);
    return true;
}

std::optional<Message> DocumentCommands::SaveSidecar()
{
    const std::string sidecar = SidecarPath(m_document.GetPathName());
    const CaptureAnnotations& annotations = m_session.Annotations();
    // With nothing to keep, no sidecar is made, and one that could not be read when the capture was
    // opened stays as it is for the user to mend; one that was read is emptied.
    if (annotations.Empty() && (sidecar == m_unreadSidecar || !QFileInfo::exists(QFile::decodeName(sidecar.c_str()))))
        return std::nullopt;
    if (std::optional<Message> failed = WriteSidecar(sidecar, annotations))
        return failed;
    if (sidecar == m_unreadSidecar)
        m_unreadSidecar.clear();
    return std::nullopt;
}

void DocumentCommands::RememberFile(const QString& path)
{
    // Opening the file opened last changes nothing: the settings file is not written again.
    if (!m_recentFiles.Add(path))
        return;
    m_recentFiles.WriteList();
    m_frame.UpdateRecentFileMenu();
}

} // namespace veldran
