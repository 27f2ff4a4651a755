#pragma once
// Whether a text holds Korean letters: the mark of a text left in Korean in the English face.

#include <QRegularExpression>
#include <QString>

namespace veldran::test {

inline bool HasHangul(const QString& text)
{
    // Jamo, compatibility jamo and the syllables.
    static const QRegularExpression hangul(
        QStringLiteral("[\\x{1100}-\\x{11FF}\\x{3130}-\\x{318F}\\x{AC00}-\\x{D7AF}]"));
    return text.contains(hangul);
}

} // namespace veldran::test
