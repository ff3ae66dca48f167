#pragma once

#include "base/UiText.h"

#include <cstdint>
#include <string_view>

namespace quorvel::expr {

// Why an evaluation gave no value, for the reasons that have a message of their own. Most undefined
// values (a pole, outside a domain, a name without value) have none: the caller's own message says it.
enum class UndefinedReason : std::uint8_t {
    None,
    NotNatural, // fac, c or p of a number that shows no natural number
};

// The message of a reason; empty for None.
[[nodiscard]] constexpr std::string_view undefinedMessage(UndefinedReason reason) {
    switch (reason) {
    case UndefinedReason::NotNatural:
        return UI_TEXT("输入有误");
    case UndefinedReason::None:
        break;
    }
    return {};
}

} // namespace quorvel::expr
