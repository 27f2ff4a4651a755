#include "app/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace veldran {
namespace {

constexpr const char* kSection = "Recent File List";

QString Canonical(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace

bool RecentFileList::Add(const QString& path)
{
    const QString file = Canonical(path);
    if (!m_files.isEmpty() && m_files.first() == file)
        return false;
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > m_nSize)
        m_files.removeLast();
    return true;
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

void RecentFileList::ReadList()
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    m_files.clear();
    for (int i = 1; i <= m_nSize; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty())
            m_files << file;
    }
}

void RecentFileList::WriteList() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= m_nSize; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_files.size())
            settings.setValue(key, m_files.at(i - 1));
        else
            settings.remove(key);
    }
}

} // namespace veldran
