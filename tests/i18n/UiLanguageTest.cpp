// The language the program speaks, from VELDRAN_LANG and the locale variables as a desktop sets them.

#include "i18n/UiLanguage.h"

#include <QTest>

#include <cstdlib>

using namespace veldran;

Q_DECLARE_METATYPE(veldran::UiLanguage)

class UiLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void followsTheEnvironment_data()
    {
        QTest::addColumn<QString>("veldranLang");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<UiLanguage>("expected");
        const auto ko = UiLanguage::Korean;
        const auto en = UiLanguage::English;
        // Nothing set is the C locale.
        QTest::newRow("nothing set") << "" << "" << "" << "" << "" << ko;
        QTest::newRow("Korean desktop") << "" << "" << "" << "" << "ko_KR.UTF-8" << ko;
        QTest::newRow("English desktop") << "" << "" << "" << "" << "en_US.UTF-8" << en;
        QTest::newRow("British, no region codeset") << "" << "" << "" << "" << "en_GB" << en;
        QTest::newRow("bare language") << "" << "" << "" << "" << "en" << en;
        QTest::newRow("locale with modifier") << "" << "" << "" << "" << "en_IE.UTF-8@euro" << en;
        QTest::newRow("C locale") << "" << "" << "" << "" << "C" << ko;
        QTest::newRow("POSIX locale") << "" << "" << "" << "" << "POSIX" << ko;
        QTest::newRow("C.UTF-8 over English") << "" << "" << "C.UTF-8" << "" << "en_US.UTF-8" << ko;
        QTest::newRow("other language") << "" << "" << "" << "" << "de_DE.UTF-8" << ko;
        // LC_ALL before LC_MESSAGES before LANG.
        QTest::newRow("LC_ALL English over LANG Korean") << "" << "" << "en_GB.UTF-8" << "" << "ko_KR.UTF-8" << en;
        QTest::newRow("LC_ALL Korean over LC_MESSAGES English")
            << "" << "" << "ko_KR.UTF-8" << "en_US.UTF-8" << "en_US.UTF-8" << ko;
        QTest::newRow("LC_MESSAGES English over LANG Korean") << "" << "" << "" << "en_US.UTF-8" << "ko_KR.UTF-8" << en;
        QTest::newRow("LC_MESSAGES Korean over LANG English") << "" << "" << "" << "ko_KR.UTF-8" << "en_US.UTF-8" << ko;
        // LANGUAGE before the locale, also under the C locale and with no locale at all, as the
        // README promises (the C library would ignore it there).
        QTest::newRow("LANGUAGE English first") << "" << "en:ko" << "" << "" << "ko_KR.UTF-8" << en;
        QTest::newRow("LANGUAGE Korean first") << "" << "ko:en" << "" << "" << "en_US.UTF-8" << ko;
        QTest::newRow("LANGUAGE Korean with region") << "" << "ko_KR" << "" << "" << "en_US.UTF-8" << ko;
        QTest::newRow("LANGUAGE falls back to English") << "" << "de:en" << "" << "" << "de_DE.UTF-8" << en;
        QTest::newRow("LANGUAGE without ours, locale decides") << "" << "de:fr" << "" << "" << "en_US.UTF-8" << en;
        QTest::newRow("LANGUAGE with empty entries") << "" << "::en" << "" << "" << "de_DE.UTF-8" << en;
        QTest::newRow("LANGUAGE under C") << "" << "en" << "C" << "" << "ko_KR.UTF-8" << en;
        QTest::newRow("LANGUAGE with no locale") << "" << "en_US:en" << "" << "" << "" << en;
        QTest::newRow("LANGUAGE under C.UTF-8") << "" << "en_US:en" << "C.UTF-8" << "" << "" << en;
        QTest::newRow("LANGUAGE Korean under C") << "" << "ko" << "POSIX" << "" << "en_US.UTF-8" << ko;
        QTest::newRow("LANGUAGE of other languages under C") << "" << "de:fr" << "C.UTF-8" << "" << "" << ko;
        // VELDRAN_LANG overrides everything; anything but ko or en is ignored.
        QTest::newRow("VELDRAN_LANG en under C") << "en" << "" << "C" << "" << "" << en;
        QTest::newRow("VELDRAN_LANG ko on an English desktop") << "ko" << "en" << "en_US.UTF-8" << "" << "" << ko;
        QTest::newRow("VELDRAN_LANG in capitals") << "EN" << "" << "" << "" << "ko_KR.UTF-8" << en;
        QTest::newRow("VELDRAN_LANG unknown") << "fr" << "" << "" << "" << "en_US.UTF-8" << en;
        QTest::newRow("VELDRAN_LANG unknown, Korean") << "xx" << "" << "" << "" << "ko_KR.UTF-8" << ko;
    }

    void followsTheEnvironment()
    {
        QFETCH(QString, veldranLang);
        QFETCH(QString, language);
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QFETCH(UiLanguage, expected);
        const LanguageEnvironment env{veldranLang.toStdString(), language.toStdString(), lcAll.toStdString(),
                                      lcMessages.toStdString(), lang.toStdString()};
        QCOMPARE(ChooseUiLanguage(env), expected);
    }

    void readsTheProcessEnvironment()
    {
        qputenv("VELDRAN_LANG", "en");
        qputenv("LANGUAGE", "de:en");
        qputenv("LC_ALL", "");
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", "ko_KR.UTF-8");
        const LanguageEnvironment env = ProcessLanguageEnvironment();
        QCOMPARE(env.veldranLang, std::string("en"));
        QCOMPARE(env.language, std::string("de:en"));
        QCOMPARE(env.lcAll, std::string());
        QCOMPARE(env.lcMessages, std::string());
        QCOMPARE(env.lang, std::string("ko_KR.UTF-8"));
        qunsetenv("VELDRAN_LANG");
        QCOMPARE(ChooseUiLanguage(ProcessLanguageEnvironment()), UiLanguage::English);
        qputenv("LANGUAGE", "ko");
        QCOMPARE(ChooseUiLanguage(ProcessLanguageEnvironment()), UiLanguage::Korean);
    }
};

QTEST_GUILESS_MAIN(UiLanguageTest)
#include "UiLanguageTest.moc"
