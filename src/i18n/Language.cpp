#include "i18n/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace quorvel::i18n {

namespace {

enum class Choice { None, Chinese, English };

// The language of one locale or LANGUAGE entry ("en_GB.UTF-8", "zh", "fr").
Choice choiceOf(std::string_view name) {
    const std::string_view code = name.substr(0, name.find_first_of("_.@"));
    if (code == "en") return Choice::English;
    if (code == "zh") return Choice::Chinese;
    return Choice::None;
}

bool isPlainLocale(std::string_view locale) {
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

Language current = Language::Chinese;
QTranslator* installed = nullptr;

} // namespace

Language languageFor(const LocaleEnvironment& environment) {
    const std::string& locale = !environment.lcAll.empty()        ? environment.lcAll
                                : !environment.lcMessages.empty() ? environment.lcMessages
                                                                  : environment.lang;
    if (isPlainLocale(locale)) return Language::Chinese;
    std::string_view list = environment.language;
    while (!list.empty()) {
        const std::size_t end = list.find(':');
        const Choice choice = choiceOf(list.substr(0, end));
        if (choice != Choice::None) return choice == Choice::English ? Language::English : Language::Chinese;
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return choiceOf(locale) == Choice::English ? Language::English : Language::Chinese;
}

LocaleEnvironment processEnvironment() {
    return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")};
}

bool useLanguage(Language language) {
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    current = Language::Chinese;
    auto translator = std::make_unique<QTranslator>();
    const bool loaded =
        language == Language::English
            ? translator->load(QStringLiteral(":/i18n/quorvel_en.qm"))
            : translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                               QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded) return false;
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
    current = language;
    return true;
}

Language currentLanguage() {
    return current;
}

} // namespace quorvel::i18n
