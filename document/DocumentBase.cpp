#include "document/DocumentBase.h"

namespace veldran {

void DocumentBase::SetTitle(const std::string& title)
{
    m_strTitle = title;
    NotifyChange();
}

void DocumentBase::SetPathName(const std::string& path)
{
    m_strPathName = path;
    const auto slash = path.find_last_of('/');
    SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
}

void DocumentBase::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    NotifyChange();
}

void DocumentBase::NotifyChange()
{
    if (m_onChange)
        m_onChange();
}

} // namespace veldran
