#include "i18n/Translation.h"

#include "resources/Strings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

// The resource initialiser must be named outside any namespace.
static void InitCatalogueResources()
{
    Q_INIT_RESOURCE(catalogues);
}

namespace veldran {
namespace {

struct Catalogues {
    UiLanguage language = UiLanguage::Korean;
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

Catalogues& Installed()
{
    static Catalogues catalogues;
    return catalogues;
}

void Remove(std::unique_ptr<QTranslator>& translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

bool Install(std::unique_ptr<QTranslator>& slot, const QString& path)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    slot = std::move(translator);
    return true;
}

// A screen text with "%d" or "%s" in it, as a pattern that finds the values in a filled-in text.
struct FilledTemplate {
    const char* source;
    QRegularExpression pattern;
    qsizetype nFixedChars; // what the template says besides its values
};

const std::vector<FilledTemplate>& Templates()
{
    static const std::vector<FilledTemplate> templates = [] {
        std::vector<FilledTemplate> list;
        for (const char* source : text::kScreenTexts) {
            const QString text = QString::fromUtf8(source);
            static const QRegularExpression placeholder(QStringLiteral("%[ds%]"));
            if (!text.contains(placeholder))
                continue;
            QString pattern = QStringLiteral("^");
            qsizetype from = 0;
            for (auto it = placeholder.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                pattern += QRegularExpression::escape(text.mid(from, match.capturedStart() - from));
                const QChar kind = match.captured().at(1);
                pattern += kind == QLatin1Char('d') ? QStringLiteral("(-?\\d+)")
                           : kind == QLatin1Char('s') ? QStringLiteral("(.*?)")
                                                      : QStringLiteral("%");
                from = match.capturedEnd();
            }
            pattern += QRegularExpression::escape(text.mid(from)) + QStringLiteral("$");
            list.push_back({source, QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption),
                            QString(text).remove(placeholder).size()});
        }
        // A template that says more is tried first: "원인: %s: %s." would take in every longer
        // reason as its values.
        std::stable_sort(list.begin(), list.end(), [](const FilledTemplate& a, const FilledTemplate& b) {
            return a.nFixedChars > b.nFixedChars;
        });
        return list;
    }();
    return templates;
}

// The translated template with the values put back in their order.
QString Fill(const QString& translated, const QStringList& values)
{
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = translated.at(i);
        if (c == QLatin1Char('%') && i + 1 < translated.size()) {
            const QChar kind = translated.at(i + 1);
            if (kind == QLatin1Char('%')) {
                result += c;
                ++i;
                continue;
            }
            if ((kind == QLatin1Char('d') || kind == QLatin1Char('s')) && next < values.size()) {
                result += values.at(next++);
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

std::optional<QString> TranslateExactly(const QString& text)
{
    const QByteArray source = text.toUtf8();
    const QString translated =
        QCoreApplication::translate(kTranslationContext, source.constData(), kTrialLookup);
    if (translated != text)
        return translated;
    for (const FilledTemplate& entry : Templates()) {
        const QRegularExpressionMatch match = entry.pattern.match(text);
        if (match.hasMatch())
            return Fill(Tr(entry.source), match.capturedTexts().mid(1));
    }
    for (const char* source : text::kScreenTexts) {
        const QString label = QString::fromUtf8(source);
        if (label.endsWith(QLatin1Char(':')) && text.startsWith(label))
            return Tr(source) + text.mid(label.size());
    }
    return std::nullopt;
}

} // namespace

bool UseUiLanguage(UiLanguage language)
{
    static const bool bResources = (InitCatalogueResources(), true);
    (void)bResources;
    Catalogues& installed = Installed();
    Remove(installed.program);
    Remove(installed.qt);
    installed.language = language;
    if (language == UiLanguage::English)
        return Install(installed.program, QString::fromLatin1(kEnglishCatalogue));
    return Install(installed.qt, QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ko.qm"));
}

UiLanguage CurrentUiLanguage()
{
    return Installed().language;
}

QString Tr(const char* source)
{
    return QCoreApplication::translate(kTranslationContext, source);
}

QString Tr(const std::string& source)
{
    return Tr(source.c_str());
}

QString ShownTitle(const std::string& title)
{
    return title == filetext::kUntitled ? Tr(filetext::kUntitled) : QString::fromStdString(title);
}

QString TranslateText(const QString& text)
{
    if (text.isEmpty() || !Installed().program)
        return text;
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList result;
    qsizetype first = 0;
    while (first < lines.size()) {
        // The longest run of lines from here that is one text of the program.
        qsizetype end = lines.size();
        std::optional<QString> translated;
        for (; end > first; --end) {
            translated = TranslateExactly(lines.mid(first, end - first).join(QLatin1Char('\n')));
            if (translated)
                break;
        }
        if (translated) {
            result << *translated;
            first = end;
        } else {
            result << lines.at(first++);
        }
    }
    return result.join(QLatin1Char('\n'));
}

std::string TranslateText(const std::string& text)
{
    return TranslateText(QString::fromStdString(text)).toStdString();
}

} // namespace veldran
