#pragma once

#include <string>

namespace quorvel::i18n {

enum class Language { Chinese, English };

// The locale variables, as the environment gives them (empty when unset).
struct LocaleEnvironment {
    std::string language; // LANGUAGE: a list of languages separated by ':'
    std::string lcAll;
    std::string lcMessages;
    std::string lang;
};

// Chinese is the source and the default: English only when the messages' locale (LC_ALL, else
// LC_MESSAGES, else LANG) is a real one and the first of LANGUAGE's entries that is English or Chinese, or
// without such an entry the locale itself, is English. The C and POSIX locales ignore LANGUAGE, as gettext
// does.
[[nodiscard]] Language languageFor(const LocaleEnvironment& environment);
[[nodiscard]] LocaleEnvironment processEnvironment();

// Installs the texts of language into the application, replacing the earlier choice: the program's
// English catalogue, or for Chinese the Chinese texts of Qt's own dialogs. False when the catalogue could
// not be loaded (the texts stay Chinese).
bool useLanguage(Language language);
[[nodiscard]] Language currentLanguage();

} // namespace quorvel::i18n
