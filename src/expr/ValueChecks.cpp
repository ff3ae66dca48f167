// findEmptyOperand: the empty places that a value road would silently compute without.
#include "expr/ValueChecks.h"

#include "base/UiText.h"
#include "base/Utf8Text.h"
#include "expr/MarkupChars.h"
#include "expr/ParseLimits.h"

#include <vector>

namespace quorvel::expr {

namespace {

using markup::isClosing;
using markup::isOpening;

bool opensPlace(char32_t c) {
    return isOpening(c) || c == U',' || c == U';';
}

bool closesPlace(char32_t c) {
    return isClosing(c) || c == U',' || c == U';';
}

// Whether the "(" at index i opens a tab call. The name in front of it is taken whole: the argument check
// has refused any longer name that ends in "tab".
bool opensTab(std::u32string_view s, std::size_t i) {
    return s[i] == U'(' && i >= 3 && asciiLower(toUtf8(s.substr(i - 3, 3))) == "tab";
}

// Index of the character in front of the first empty argument, list item or bracket group, or npos.
std::size_t firstEmptyPlace(std::u32string_view s) {
    struct Open {
        bool tab = false;
        int argument = 0;
    };
    std::vector<Open> open;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (isOpening(c))
            open.push_back({opensTab(s, i), 0});
        else if (isClosing(c) && !open.empty())
            open.pop_back();
        else if (c == U',' && !open.empty())
            ++open.back().argument;
        if (i + 1 == s.size() || !opensPlace(c) || !closesPlace(s[i + 1])) continue;
        // An index of tab is left out when it is not written.
        const bool tabIndex =
            !open.empty() && open.back().tab && open.back().argument < 2 && c != U';' && s[i + 1] != U';';
        if (!tabIndex) return i;
    }
    return std::u32string_view::npos;
}

std::string emptyOperandMessage(int gbkPosition, std::u32string_view sign, bool before) {
    return fillTemplate(before ? UI_TEXT("表达式里第%1位的'%2'前面缺少运算对象，请修改！")
                               : UI_TEXT("表达式里第%1位的'%2'后面缺少运算对象，请修改！"),
                        {std::to_string(gbkPosition), toUtf8(sign)});
}

} // namespace

std::optional<CheckFailure> findEmptyOperand(std::string_view markup) {
    const std::u32string s = toCodePoints(markup);
    std::size_t index = firstEmptyPlace(s);
    std::size_t length = 1;
    bool before = false;
    for (const detail::MissingOperand& missing : detail::missingOperands(markup)) {
        if (index != std::u32string::npos && missing.index >= index) continue;
        index = missing.index;
        length = static_cast<std::size_t>(missing.length);
        before = missing.before;
    }
    if (index == std::u32string::npos) return std::nullopt;
    const int gbk = gbkPosition(s, index);
    return CheckFailure{CheckKind::EmptyOperand,
                        gbk,
                        static_cast<int>(index) + 1,
                        emptyOperandMessage(gbk, std::u32string_view(s).substr(index, length), before),
                        {}};
}

} // namespace quorvel::expr
