#pragma once
// The most recently opened or saved capture files, newest first, kept with the per-user settings.

#include <QString>
#include <QStringList>

namespace veldran {

class RecentFileList {
public:
    explicit RecentFileList(int size = 4) : m_nSize(size) {}

    // Moves the file to the front; the oldest falls off when the list is full. False when it was
    // at the front already: the list is unchanged.
    bool Add(const QString& path);
    void Remove(int index);
    [[nodiscard]] const QStringList& Files() const { return m_files; }
    [[nodiscard]] int Size() const { return m_nSize; }

    // Per-user settings, section "Recent File List", values File1 … File4.
    void ReadList();
    void WriteList() const;

private:
    int m_nSize;
    QStringList m_files;
};

} // namespace veldran
