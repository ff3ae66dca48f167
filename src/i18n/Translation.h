#pragma once

#include "base/UiText.h"

#include <QString>

#include <string>
#include <string_view>

namespace quorvel::i18n {

// The one context of the catalogue: a Chinese text means the same wherever it is shown.
inline constexpr const char* kContext = "Quorvel";

// chinese (UTF-8, a literal or a UI_TEXT of a table) in the interface language.
[[nodiscard]] QString uiText(const char* chinese);
[[nodiscard]] inline QString uiText(std::string_view chinese) {
    return uiText(std::string(chinese).c_str());
}

// A message a core layer composed, in the interface language: found whole in the catalogue, or matched
// against its templates (texts with %1 … %9), translated and filled with the arguments, which are
// translated the same way (a field name, a nested message); text the catalogue does not know (file
// names, formula markup, numbers) stays as it is. Messages are rare; keep it off drawing paths.
[[nodiscard]] QString uiMessage(const QString& chinese);
[[nodiscard]] inline QString uiMessage(const std::string& chinese) {
    return uiMessage(QString::fromStdString(chinese));
}

} // namespace quorvel::i18n
