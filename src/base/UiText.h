#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a Chinese text of the interface for the translation catalogue (scripts/update-translations
// collects every UI_TEXT and uiText literal); its value is the text itself. The windows translate it where
// they show it, so the core layers stay free of Qt and their texts stay the Chinese source.
#define UI_TEXT(text) text

namespace quorvel {

// pattern with each %1 … %9 replaced by that argument. A composed message is built from one template that
// the catalogue holds whole, so the windows can translate it and put the same arguments into the
// translation.
[[nodiscard]] std::string fillTemplate(std::string_view pattern,
                                       std::initializer_list<std::string_view> args);

} // namespace quorvel
