// The input checks of the formula editor, with their messages.
#include "expr/Validation.h"

#include "base/Utf8Text.h"
#include "expr/Keyword.h"
#include "expr/MarkupChars.h"
#include "expr/ParseLimits.h"

#include <string>
#include <vector>

namespace quorvel::expr {

namespace {

using markup::isClosing;
using markup::isOpening;

// The text as whole characters with the GBK byte position of each (1-based; one past the end included).
struct Positioned {
    explicit Positioned(std::string_view utf8) : chars(toCodePoints(utf8)) {
        pos.reserve(chars.size() + 1);
        int p = 1;
        for (char32_t c : chars) {
            pos.push_back(p);
            p += gbkWidth(c);
        }
        pos.push_back(p);
    }
    std::u32string chars;
    std::vector<int> pos;
};

bool fail(MessageSink& sink, bool quiet, const std::string& message) {
    if (!quiet) sink.show(message, "错误", MessageIcon::Error);
    return false;
}

std::string str(char32_t c) {
    std::string out;
    appendUtf8(out, c);
    return out;
}

std::string num(int n) {
    return std::to_string(n);
}

bool isEmptyPair(char32_t c, char32_t d) {
    return (c == U'(' && d == U')') || (c == U'[' && d == U']') || (c == U'{' && d == U'}');
}

char32_t closerOf(char32_t open) {
    return open == U'(' ? U')' : open == U'[' ? U']' : U'}';
}

// Characters that end the name in front of a "(".
bool endsName(char32_t c) {
    switch (c) {
    case U'+':
    case U'-':
    case U'*':
    case U'/':
    case U'%':
    case U'>':
    case U'<':
    case U'=':
    case U',':
    case U';':
    case U' ':
        return true;
    default:
        return markup::isBracket(c) || markup::isSpecial(c);
    }
}

bool allowedBehindClosing(char32_t c) {
    switch (c) {
    case U'+':
    case U'-':
    case U'*':
    case U'/':
    case U')':
    case U']':
    case U'}':
    case U'%':
    case U'=':
    case U'>':
    case U'<':
    case U' ':
    case U'!':
    case U';':
    case U',':
        return true;
    default:
        return markup::isGbkSymbolRow(c);
    }
}

// Whether a keyword takes count arguments: the count of its list, or for "f" (in all three lists) any of
// one, two and three.
bool takesArguments(std::string_view name, int listCount, int count) {
    if (name == "f") return count >= 1 && count <= 3;
    return count == listCount;
}

// The count texts of one construct: behind "keyword(" up to the next ",", and for two counts the text
// from there up to the following ",". A missing comma gives an empty text.
bool checkCountsOf(MessageSink& sink, std::string_view text, bool quiet, std::string_view opener,
                   detail::Counted construct, int counts) {
    for (std::size_t at = text.find(opener); at != std::string_view::npos; at = text.find(opener, at + 1)) {
        std::size_t from = at + opener.size();
        for (int k = 0; k < counts; ++k) {
            const std::size_t comma = text.find(',', from);
            const std::string_view count =
                comma == std::string_view::npos ? std::string_view() : text.substr(from, comma - from);
            if (!naturalNumberText(sink, count, quiet))
                return fail(sink, quiet, detail::notNaturalMessage(construct));
            if (const auto value = detail::readCount(count); value && *value > detail::countLimit(construct))
                return fail(sink, quiet, detail::tooManyMessage(construct));
            if (comma == std::string_view::npos) break;
            from = comma + 1;
        }
    }
    return true;
}

} // namespace

bool naturalNumberText(MessageSink& sink, std::string_view text, bool quiet) {
    for (char c : text)
        if (c < '0' || c > '9') return fail(sink, quiet, "输入有误");
    return true;
}

bool checkBrackets(MessageSink& sink, std::string_view text, bool quiet) {
    const Positioned t(text);
    const std::u32string& s = t.chars;
    for (char32_t fullWidth : {U'（', U'）'}) {
        if (const std::size_t at = s.find(fullWidth); at != std::u32string::npos)
            return fail(sink, quiet,
                        "表达式中第" + num(t.pos[at]) + "位置的括号为中文输入法下的括号，请修改！");
    }
    int depth = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        const int p = t.pos[i];
        if (i + 1 < s.size()) {
            const char32_t d = s[i + 1];
            if (isEmptyPair(c, d))
                return fail(sink, quiet,
                            "表达式中第" + num(p) + "位置的" + str(c) + "和第" + num(p + 1) + "位置的" +
                                str(d) + "中的内容为空，请修改！");
            if (isClosing(c) && isOpening(d))
                return fail(sink, quiet,
                            "表达式中第" + num(p) + "位置的" + str(c) + "和第" + num(p + 1) + "位置的" +
                                str(d) + "中间没有运算符，请修改！");
        }
        if (isOpening(c))
            ++depth;
        else if (isClosing(c) && --depth < 0)
            return fail(sink, quiet,
                        "表达式前面找不到能与第" + num(p) + "位的" + str(c) + "匹配的左括号，请修改！");
    }
    if (depth != 0) return fail(sink, quiet, "左括号和右括号的数目不等，请修改！");
    // Balanced now: pair the brackets and compare the kinds, opening brackets from left to right.
    std::vector<std::size_t> partner(s.size(), 0);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isOpening(s[i])) {
            open.push_back(i);
        } else if (isClosing(s[i])) {
            partner[open.back()] = i;
            open.pop_back();
        }
    }
    for (std::size_t i = 0; i < s.size(); ++i)
        if (isOpening(s[i]) && s[partner[i]] != closerOf(s[i]))
            return fail(sink, quiet, str(s[i]) + "和" + str(s[partner[i]]) + "不匹配，请修改！");
    return true;
}

bool checkArguments(MessageSink& sink, std::string_view text, bool quiet) {
    const std::u32string s = toCodePoints(text);
    // Arguments of each "(": the commas whose innermost enclosing round bracket it is, plus one. Square and
    // curly brackets are no levels here.
    std::vector<int> commas(s.size(), 0);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == U'(')
            open.push_back(i);
        else if (s[i] == U')' && !open.empty())
            open.pop_back();
        else if (s[i] == U',' && !open.empty())
            ++commas[open.back()];
    }
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] != U'(') continue;
        std::size_t start = i;
        while (start > 0 && !endsName(s[start - 1]))
            --start;
        if (start == i) continue; // a bracket group
        const std::string name = asciiLower(toUtf8(std::u32string_view(s).substr(start, i - start)));
        const int listCount = findKeyword(name);
        if (listCount == 0) return fail(sink, quiet, "没有" + name + "这个运算符，请修改！");
        if (!takesArguments(name, listCount, commas[i] + 1))
            return fail(sink, quiet, "函数" + name + "的参数数目不正确，请修改！");
    }
    return true;
}

bool checkCommas(MessageSink& sink, std::string_view text, bool quiet) {
    const Positioned t(text);
    const std::u32string& s = t.chars;
    if (s.empty()) return true;
    if (s.front() == U',') return fail(sink, quiet, "第一位不能有逗号，请修改！");
    if (s.back() == U',') return fail(sink, quiet, "最后一位不能有逗号，请修改！");
    int depth = 0;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (isOpening(s[i]))
            ++depth;
        else if (isClosing(s[i]))
            --depth;
        else if (s[i] == U',' && depth == 0)
            return fail(sink, quiet, "表达式里第" + num(t.pos[i]) + "位的','不应该存在，请修改！");
    }
    return true;
}

bool checkAfterBrackets(MessageSink& sink, std::string_view text, bool quiet) {
    const Positioned t(text);
    const std::u32string& s = t.chars;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if (isClosing(s[i]) && !allowedBehindClosing(s[i + 1]))
            return fail(sink, quiet, "输入的表达式在" + num(t.pos[i]) + "位置起有误,请修改！");
    return true;
}

bool checkCounts(MessageSink& sink, std::string_view text, bool quiet) {
    return checkCountsOf(sink, text, quiet, "matrix(", detail::Counted::Matrix, 2) &&
           checkCountsOf(sink, text, quiet, "range(", detail::Counted::Range, 2) &&
           checkCountsOf(sink, text, quiet, "lak(", detail::Counted::Lak, 1) &&
           checkCountsOf(sink, text, quiet, "con(", detail::Counted::Con, 1);
}

bool checkLimits(MessageSink& sink, std::string_view text, bool quiet) {
    if (text.size() > kMaxTextBytes) return fail(sink, quiet, detail::tooLongMessage());
    int depth = 0;
    for (char c : text) {
        if (c == '(' || c == '[' || c == '{') {
            if (++depth > kMaxNesting) return fail(sink, quiet, detail::tooDeepMessage());
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}

bool validate(MessageSink& sink, std::string_view text, bool quiet) {
    return checkLimits(sink, text, quiet) && checkBrackets(sink, text, quiet) &&
           checkArguments(sink, text, quiet) && checkCommas(sink, text, quiet) &&
           checkAfterBrackets(sink, text, quiet) && checkCounts(sink, text, quiet);
}

} // namespace quorvel::expr
