// No Korean text of the program escapes the English catalogue: every string literal with Hangul in
// the program's sources is a catalogue entry, unless it goes into a file (those never change with
// the language) or names a font of the dialog templates. A text added anywhere, by anyone, without
// its entry fails here by name.

#include "tests/common/Hangul.h"

#include "i18n/Translation.h"
#include "resources/Strings.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>

#include <algorithm>

using namespace veldran;
using test::HasHangul;

namespace {

struct Literal {
    QString text;
    int line;
};

// The string literals of a C++ source, adjacent ones joined as the compiler joins them; comments
// and character literals are skipped.
std::vector<Literal> StringLiterals(const QByteArray& source)
{
    std::vector<Literal> literals;
    int line = 1;
    bool joining = false;
    qsizetype i = 0;
    const qsizetype n = source.size();
    while (i < n) {
        const char c = source.at(i);
        if (c == '\n') {
            ++line;
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && source.at(i + 1) == '/') {
            while (i < n && source.at(i) != '\n')
                ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && source.at(i + 1) == '*') {
            i += 2;
            while (i + 1 < n && !(source.at(i) == '*' && source.at(i + 1) == '/'))
                line += source.at(i++) == '\n';
            i += 2;
            continue;
        }
        if (c == '\'') {
            for (++i; i < n && source.at(i) != '\''; ++i)
                i += source.at(i) == '\\';
            ++i;
            joining = false;
            continue;
        }
        if (c == '"') {
            QByteArray bytes;
            for (++i; i < n && source.at(i) != '"'; ++i) {
                if (source.at(i) == '\\' && i + 1 < n) {
                    const char e = source.at(++i);
                    bytes += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                } else {
                    bytes += source.at(i);
                }
            }
            ++i;
            const QString text = QString::fromUtf8(bytes);
            if (joining && !literals.empty())
                literals.back().text += text;
            else
                literals.push_back({text, line});
            joining = true;
            continue;
        }
        if (c != ' ' && c != '\t' && c != '\\' && c != '\r')
            joining = false;
        ++i;
    }
    return literals;
}

} // namespace

class CatalogueCoverageTest : public QObject {
    Q_OBJECT

private slots:
    void everyKoreanLiteralIsInTheCatalogue()
    {
        QVERIFY(UseUiLanguage(UiLanguage::English));
        QTranslator catalogue;
        QVERIFY(catalogue.load(QString::fromLatin1(kEnglishCatalogue)));
        // Texts that go into files, and the font faces the dialog templates name.
        const QSet<QString> notTranslated{QString::fromUtf8(filetext::kSettingsTitle),
                                          QString::fromUtf8(filetext::kProcessing),
                                          QStringLiteral("굴림"), QStringLiteral("굴림체"), QStringLiteral("체")};
        const QString root = QStringLiteral(VELDRAN_SOURCE_DIR);
        QStringList missing;
        int korean = 0;
        for (const char* folder : {"app", "controls", "document", "i18n", "link", "print", "resources", "view"}) {
            QDirIterator files(root + QLatin1Char('/') + QLatin1String(folder), {"*.cpp", "*.h"}, QDir::Files,
                               QDirIterator::Subdirectories);
            while (files.hasNext()) {
                const QString path = files.next();
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                for (const Literal& literal : StringLiterals(file.readAll())) {
                    if (!HasHangul(literal.text) || notTranslated.contains(literal.text))
                        continue;
                    ++korean;
                    // A literal is covered whole, or line by line (the command table holds a
                    // prompt and its tool tip in one string, shown apart).
                    const auto known = [&catalogue](const QString& text) {
                        return !HasHangul(text) ||
                               !catalogue.translate(kTranslationContext, text.toUtf8().constData()).isEmpty();
                    };
                    const QStringList lines = literal.text.split(QLatin1Char('\n'));
                    if (!known(literal.text) && !std::all_of(lines.begin(), lines.end(), known))
                        missing << QStringLiteral("%1:%2: %3").arg(path.mid(root.size() + 1)).arg(literal.line).arg(literal.text);
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no English entry for:\n") + missing.join('\n')));
        // The scan itself found the program's texts (the table of screen texts alone has dozens).
        QVERIFY2(korean >= 40, qPrintable(QString::number(korean)));
    }

    // One Korean text has one English text: a text entered twice in the catalogue would take
    // whichever translation the catalogue keeps, wherever it is shown.
    void everyTextIsInTheCatalogueOnce()
    {
        QFile file(QStringLiteral(VELDRAN_SOURCE_DIR "/resources/veldran_en.ts"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString catalogue = QString::fromUtf8(file.readAll());
        static const QRegularExpression source(QStringLiteral("<source>(.*?)</source>"),
                                               QRegularExpression::DotMatchesEverythingOption);
        QSet<QString> seen;
        for (auto it = source.globalMatch(catalogue); it.hasNext();) {
            const QString text = it.next().captured(1);
            QVERIFY2(!seen.contains(text), qPrintable(text));
            seen.insert(text);
        }
        QVERIFY(seen.size() > 300);
    }

    void theScanReadsLiteralsAsTheCompilerDoes()
    {
        const QByteArray source = "// \"주석\"\n/* \"주석\" */ f('\"', \"가\" \"나\\n\"\n \"다\\\"\"); g(\"라\");";
        const std::vector<Literal> literals = StringLiterals(source);
        QCOMPARE(literals.size(), size_t(2));
        QCOMPARE(literals[0].text, QStringLiteral("가나\n다\""));
        QCOMPARE(literals[0].line, 2);
        QCOMPARE(literals[1].text, QStringLiteral("라"));
    }
};

QTEST_GUILESS_MAIN(CatalogueCoverageTest)
#include "CatalogueCoverageTest.moc"
