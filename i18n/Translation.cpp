#include "i18n/Translation.h"

#include "resources/Strings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

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

} // namespace veldran
