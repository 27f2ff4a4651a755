#include "document/CapturePrefetch.h"

#include <system_error>

#include <sys/stat.h>

namespace veldran {

bool CCapturePrefetch::SFileIdentity::operator==(const SFileIdentity& other) const
{
    return nDevice == other.nDevice && nInode == other.nInode && nSize == other.nSize
        && nModifiedSec == other.nModifiedSec && nModifiedNsec == other.nModifiedNsec;
}

CCapturePrefetch::~CCapturePrefetch()
{
    Discard();
}

std::optional<CCapturePrefetch::SFileIdentity> CCapturePrefetch::Identify(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    SFileIdentity identity;
    identity.nDevice = st.st_dev;
    identity.nInode = st.st_ino;
    identity.nSize = static_cast<unsigned long long>(st.st_size);
    identity.nModifiedSec = st.st_mtim.tv_sec;
    identity.nModifiedNsec = st.st_mtim.tv_nsec;
    return identity;
}

void CCapturePrefetch::Start(const std::string& path)
{
    Discard();
    // A pipe, a device or a missing file is the normal open's to report, on its own thread.
    const std::optional<SFileIdentity> identity = Identify(path);
    if (!identity)
        return;
    m_strPath = path;
    m_identity = *identity;
    m_pDocument = std::make_unique<CVELDRANDoc>();
    try {
        m_thread = std::thread(&CCapturePrefetch::Run, this);
    } catch (const std::system_error&) {
        m_pDocument.reset(); // no thread: the file is opened where it always was
    }
}

void CCapturePrefetch::Run()
{
    m_pDocument->SetStatusTextHandler([this](const std::string& text) { m_statusTexts.push_back(text); });
    m_load = LoadCaptureFile(*m_pDocument, m_strPath);
    m_pDocument->SetStatusTextHandler(nullptr);
}

std::optional<CaptureLoad> CCapturePrefetch::TakeInto(CVELDRANDoc& doc, const std::string& path)
{
    if (!m_thread.joinable() || path != m_strPath) {
        Discard();
        return std::nullopt;
    }
    m_thread.join();
    // The file changed after it was read ahead: what was read is not what the user opens now.
    const std::optional<SFileIdentity> now = Identify(path);
    if (!now || !(*now == m_identity)) {
        Discard();
        return std::nullopt;
    }
    doc.AdoptCapture(std::move(*m_pDocument));
    for (const std::string& text : m_statusTexts)
        doc.ShowStatusText(text.c_str());
    CaptureLoad load = std::move(m_load);
    Discard();
    return load;
}

void CCapturePrefetch::Discard()
{
    if (m_thread.joinable())
        m_thread.join();
    m_pDocument.reset();
    m_statusTexts.clear();
    m_strPath.clear();
    m_load = CaptureLoad();
}

} // namespace veldran
