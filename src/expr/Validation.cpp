// The input checks of the formula editor, with their messages.
#include "expr/Validation.h"

#include "base/UiText.h"
#include "base/Utf8Text.h"
#include "expr/Keyword.h"
#include "expr/MarkupChars.h"
#include "expr/ParseLimits.h"
#include "expr/ValueChecks.h"

#include <algorithm>
#include <string>
#include <utility>
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

using Found = std::optional<CheckFailure>;

constexpr const char* kCaption = kCaptionError;
constexpr std::string_view kNotNatural = UI_TEXT("输入有误");

bool isNaturalNumberText(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A fault at the character of index i (0-based) of t.
CheckFailure at(CheckKind check, const Positioned& t, std::size_t i, std::string message) {
    return {check, t.pos[i], static_cast<int>(i) + 1, std::move(message), {}};
}

std::size_t characterStart(std::string_view text, std::size_t offset);

// A fault at the character that starts at byte offset of text (an ASCII byte or a character start). The
// text before it is decoded piece by piece, cut at character starts, so that a fault deep in a long text
// is placed without holding the whole text decoded.
CheckFailure atByte(CheckKind check, std::string_view text, std::size_t offset, std::string message) {
    constexpr std::size_t kPiece = 65536;
    int gbk = 1;
    int chars = 0;
    for (std::size_t from = 0; from < offset;) {
        std::size_t to = std::min(offset, from + kPiece);
        if (to < offset) to = std::max(characterStart(text, to), from + 1);
        for (char32_t c : toCodePoints(text.substr(from, to - from))) {
            gbk += gbkWidth(c);
            ++chars;
        }
        from = to;
    }
    return {check, gbk, chars + 1, std::move(message), {}};
}

// The start of the UTF-8 character that holds byte offset; offset itself when the bytes before it do
// not form a character reaching over it.
std::size_t characterStart(std::string_view text, std::size_t offset) {
    if (offset >= text.size()) return offset;
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if ((byte(offset) & 0xC0) != 0x80) return offset;
    for (std::size_t back = 1; back <= 3 && back <= offset; ++back) {
        const unsigned char b = byte(offset - back);
        if ((b & 0xC0) == 0x80) continue;
        const std::size_t len = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
        return len > back ? offset - back : offset;
    }
    return offset;
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
Found countsFault(std::string_view text, std::string_view opener, detail::Counted construct, int counts) {
    for (std::size_t at = text.find(opener); at != std::string_view::npos; at = text.find(opener, at + 1)) {
        std::size_t from = at + opener.size();
        for (int k = 0; k < counts; ++k) {
            const std::size_t comma = text.find(',', from);
            const std::string_view count =
                comma == std::string_view::npos ? std::string_view() : text.substr(from, comma - from);
            if (!isNaturalNumberText(count)) {
                CheckFailure failure =
                    atByte(CheckKind::Counts, text, from, detail::notNaturalMessage(construct));
                failure.precedingMessage = kNotNatural;
                return failure;
            }
            if (const auto value = detail::readCount(count); value && *value > detail::countLimit(construct))
                return atByte(CheckKind::Counts, text, from, detail::tooManyMessage(construct));
            if (comma == std::string_view::npos) break;
            from = comma + 1;
        }
    }
    return std::nullopt;
}

Found bracketsFault(std::string_view text) {
    constexpr CheckKind kind = CheckKind::Brackets;
    const Positioned t(text);
    const std::u32string& s = t.chars;
    for (char32_t fullWidth : {U'（', U'）'}) {
        if (const std::size_t i = s.find(fullWidth); i != std::u32string::npos)
            return at(kind, t, i,
                      fillTemplate(UI_TEXT("表达式中第%1位置的括号为中文输入法下的括号，请修改！"),
                                   {num(t.pos[i])}));
    }
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        const int p = t.pos[i];
        if (i + 1 < s.size()) {
            const char32_t d = s[i + 1];
            if (isEmptyPair(c, d))
                return at(kind, t, i,
                          fillTemplate(UI_TEXT("表达式中第%1位置的%2和第%3位置的%4中的内容为空，请修改！"),
                                       {num(p), str(c), num(p + 1), str(d)}));
            if (isClosing(c) && isOpening(d))
                return at(kind, t, i,
                          fillTemplate(UI_TEXT("表达式中第%1位置的%2和第%3位置的%4中间没有运算符，请修改！"),
                                       {num(p), str(c), num(p + 1), str(d)}));
        }
        if (isOpening(c)) {
            open.push_back(i);
        } else if (isClosing(c)) {
            if (open.empty())
                return at(kind, t, i,
                          fillTemplate(UI_TEXT("表达式前面找不到能与第%1位的%2匹配的左括号，请修改！"),
                                       {num(p), str(c)}));
            open.pop_back();
        }
    }
    // The outermost opening bracket left without a partner.
    if (!open.empty()) return at(kind, t, open.front(), UI_TEXT("左括号和右括号的数目不等，请修改！"));
    // Balanced now: pair the brackets and compare the kinds, opening brackets from left to right.
    std::vector<std::size_t> partner(s.size(), 0);
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
            return at(kind, t, i,
                      fillTemplate(UI_TEXT("%1和%2不匹配，请修改！"), {str(s[i]), str(s[partner[i]])}));
    return std::nullopt;
}

// Faults are placed at the first character of the name.
Found argumentsFault(std::string_view text) {
    const Positioned t(text);
    const std::u32string& s = t.chars;
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
        if (listCount == 0)
            return at(CheckKind::Arguments, t, start,
                      fillTemplate(UI_TEXT("没有%1这个运算符，请修改！"), {name}));
        if (!takesArguments(name, listCount, commas[i] + 1))
            return at(CheckKind::Arguments, t, start,
                      fillTemplate(UI_TEXT("函数%1的参数数目不正确，请修改！"), {name}));
    }
    return std::nullopt;
}

Found commasFault(std::string_view text) {
    constexpr CheckKind kind = CheckKind::Commas;
    const Positioned t(text);
    const std::u32string& s = t.chars;
    if (s.empty()) return std::nullopt;
    if (s.front() == U',') return at(kind, t, 0, UI_TEXT("第一位不能有逗号，请修改！"));
    if (s.back() == U',') return at(kind, t, s.size() - 1, UI_TEXT("最后一位不能有逗号，请修改！"));
    int depth = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isOpening(s[i]))
            ++depth;
        else if (isClosing(s[i]))
            --depth;
        else if (s[i] == U',' && depth == 0)
            return at(kind, t, i,
                      fillTemplate(UI_TEXT("表达式里第%1位的','不应该存在，请修改！"), {num(t.pos[i])}));
        // A list separator outside every call would split the text into items nothing holds, and
        // all but the first would be lost.
        else if (s[i] == U';' && depth == 0)
            return at(kind, t, i,
                      fillTemplate(UI_TEXT("表达式里第%1位的';'不应该存在，请修改！"), {num(t.pos[i])}));
    }
    return std::nullopt;
}

// Placed at the closing bracket, the position the message names. A factorial sign closes its operand
// like a bracket, so the same characters may follow it: "x!y" or "!x" would otherwise lose an operand.
Found afterBracketsFault(std::string_view text) {
    const Positioned t(text);
    const std::u32string& s = t.chars;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        if ((isClosing(s[i]) || s[i] == U'!') && !allowedBehindClosing(s[i + 1]))
            return at(CheckKind::AfterBrackets, t, i,
                      fillTemplate(UI_TEXT("输入的表达式在%1位置起有误,请修改！"), {num(t.pos[i])}));
    return std::nullopt;
}

struct CountedCall {
    std::string_view opener;
    detail::Counted construct;
    int counts;
};
constexpr CountedCall kCountedCalls[] = {{"matrix(", detail::Counted::Matrix, 2},
                                         {"range(", detail::Counted::Range, 2},
                                         {"lak(", detail::Counted::Lak, 1},
                                         {"con(", detail::Counted::Con, 1}};

// A counted call whose bracket is open while the items are counted.
struct OpenCall {
    const CountedCall* call = nullptr; // null for any other bracket
    std::size_t countAt = 0;           // byte offset of the first count
    long long expected = 0;            // the product of the counts
    int commas = 0;                    // commas outside every inner bracket so far
    long long items = 1;
};

// The product of the counts of a call whose first count starts at from, read as countsFault reads them;
// nothing when one of them does not read.
std::optional<long long> expectedItems(std::string_view text, std::size_t from, int counts) {
    long long product = 1;
    for (int k = 0; k < counts; ++k) {
        const std::size_t comma = text.find(',', from);
        if (comma == std::string_view::npos) return std::nullopt;
        const auto value = detail::readCount(text.substr(from, comma - from));
        if (!value) return std::nullopt;
        product *= *value;
        from = comma + 1;
    }
    return product;
}

// Whether the items written match the counts, once every count reads: a missing cell, line or condition
// was built as an empty box, one too many was dropped or merged into the last. Items are split at the
// ";" outside every inner bracket, as the tree builder splits them; of several faults the call that
// starts first is named. One pass: each character is looked at once, however deep the calls nest.
Found itemsFault(std::string_view text) {
    std::vector<OpenCall> open;
    std::optional<OpenCall> worst;
    const auto close = [&](const OpenCall& frame) {
        if (frame.call && frame.items != frame.expected && (!worst || frame.countAt < worst->countAt))
            worst = frame;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '[' || c == '{') {
            OpenCall frame;
            for (const CountedCall& call : kCountedCalls) {
                if (c != '(' || !text.substr(0, i + 1).ends_with(call.opener)) continue;
                if (const auto expected = expectedItems(text, i + 1, call.counts))
                    frame = {&call, i + 1, *expected, 0, 1};
            }
            open.push_back(frame);
        } else if (c == ')' || c == ']' || c == '}') {
            if (open.empty()) continue;
            close(open.back());
            open.pop_back();
        } else if (!open.empty() && open.back().call) {
            OpenCall& frame = open.back();
            // The counts come first, and a con's expression before its conditions.
            const int before = frame.call->counts + (frame.call->construct == detail::Counted::Con ? 1 : 0);
            if (c == ',')
                ++frame.commas;
            else if (c == ';' && frame.commas >= before)
                ++frame.items;
        }
    }
    for (const OpenCall& frame : open)
        close(frame);
    if (!worst) return std::nullopt;
    return atByte(CheckKind::Counts, text, worst->countAt,
                  detail::countMismatchMessage(worst->call->construct));
}

// The count texts first, construct by construct, then the items of every call.
Found countsFault(std::string_view text) {
    for (const CountedCall& call : kCountedCalls) {
        if (Found failure = countsFault(text, call.opener, call.construct, call.counts)) return failure;
    }
    return itemsFault(text);
}

// The too long text is placed at the first character beyond the limit, too deep nesting at the first
// bracket beyond it; the limits of the tree have no character of their own.
Found limitsFault(std::string_view text) {
    constexpr CheckKind kind = CheckKind::Limits;
    if (text.size() > kMaxTextBytes)
        return atByte(kind, text, characterStart(text, kMaxTextBytes), detail::tooLongMessage());
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '[' || c == '{') {
            if (++depth > kMaxNesting) return atByte(kind, text, i, detail::tooDeepMessage());
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        }
    }
    if (std::string refusal = detail::structureLimitRefusal(text); !refusal.empty())
        return CheckFailure{kind, 0, 0, std::move(refusal), {}};
    return std::nullopt;
}

bool passes(MessageSink& sink, bool quiet, const Found& failure) {
    if (failure && !quiet) report(sink, *failure);
    return !failure;
}

} // namespace

bool naturalNumberText(MessageSink& sink, std::string_view text, bool quiet) {
    if (isNaturalNumberText(text)) return true;
    if (!quiet) sink.show(std::string(kNotNatural), kCaption, MessageIcon::Error);
    return false;
}

Found findCheckFailure(CheckKind check, std::string_view text) {
    switch (check) {
    case CheckKind::Limits:
        return limitsFault(text);
    case CheckKind::Brackets:
        return bracketsFault(text);
    case CheckKind::Arguments:
        return argumentsFault(text);
    case CheckKind::Commas:
        return commasFault(text);
    case CheckKind::AfterBrackets:
        return afterBracketsFault(text);
    case CheckKind::EmptyOperand:
        return findEmptyOperand(text);
    case CheckKind::TypedNotation:
        return std::nullopt; // not a check of the markup: the rewriting of typed text reports it
    case CheckKind::Counts:
        break;
    }
    return countsFault(text);
}

Found findCheckFailure(std::string_view text) {
    for (CheckKind check : {CheckKind::Limits, CheckKind::Brackets, CheckKind::Arguments, CheckKind::Commas,
                            CheckKind::AfterBrackets, CheckKind::Counts}) {
        if (Found failure = findCheckFailure(check, text)) return failure;
    }
    return std::nullopt;
}

void report(MessageSink& sink, const CheckFailure& failure) {
    if (!failure.precedingMessage.empty()) sink.show(failure.precedingMessage, kCaption, MessageIcon::Error);
    sink.show(failure.message, kCaption, MessageIcon::Error);
}

bool checkBrackets(MessageSink& sink, std::string_view text, bool quiet) {
    return passes(sink, quiet, bracketsFault(text));
}

bool checkArguments(MessageSink& sink, std::string_view text, bool quiet) {
    return passes(sink, quiet, argumentsFault(text));
}

bool checkCommas(MessageSink& sink, std::string_view text, bool quiet) {
    return passes(sink, quiet, commasFault(text));
}

bool checkAfterBrackets(MessageSink& sink, std::string_view text, bool quiet) {
    return passes(sink, quiet, afterBracketsFault(text));
}

bool checkCounts(MessageSink& sink, std::string_view text, bool quiet) {
    return passes(sink, quiet, countsFault(text));
}

bool checkLimits(MessageSink& sink, std::string_view text, bool quiet) {
    return passes(sink, quiet, limitsFault(text));
}

bool validate(MessageSink& sink, std::string_view text, bool quiet) {
    return passes(sink, quiet, findCheckFailure(text));
}

} // namespace quorvel::expr
