#include "expr/ParseLimits.h"

#include "base/UiText.h"

#include <algorithm>
#include <vector>

namespace quorvel::expr::detail {

std::string tooLongMessage() {
    return fillTemplate(UI_TEXT("表达式的长度超过了%1个字节，请修改！"), {std::to_string(kMaxTextBytes)});
}

std::string tooDeepMessage() {
    return fillTemplate(UI_TEXT("表达式中括号的嵌套超过了%1层，请修改！"), {std::to_string(kMaxNesting)});
}

std::string tooDeepOperationsMessage() {
    return fillTemplate(UI_TEXT("表达式中运算的嵌套超过了%1层，请修改！"), {std::to_string(kMaxNesting)});
}

std::string tooComplexMessage() {
    return UI_TEXT("表达式过于复杂，无法转换，请修改！");
}

std::string notNaturalMessage(Counted construct) {
    switch (construct) {
    case Counted::Matrix:
        return UI_TEXT("您输入的矩阵的行数或列数不是自然数，请修改！");
    case Counted::Range:
        return UI_TEXT("您输入的行列式的行数或列数不是自然数，请修改！");
    case Counted::Lak:
        return UI_TEXT("您输入的多行表达式中的行数不是自然数，请修改！");
    case Counted::Con:
        break;
    }
    return UI_TEXT("您输入的条件表达式中的个数不是自然数，请修改！");
}

std::string tooManyMessage(Counted construct) {
    const std::string limit = std::to_string(countLimit(construct));
    switch (construct) {
    case Counted::Matrix:
        return fillTemplate(UI_TEXT("您输入的矩阵的行数或列数超过了%1，请修改！"), {limit});
    case Counted::Range:
        return fillTemplate(UI_TEXT("您输入的行列式的行数或列数超过了%1，请修改！"), {limit});
    case Counted::Lak:
        return fillTemplate(UI_TEXT("您输入的多行表达式中的行数超过了%1，请修改！"), {limit});
    case Counted::Con:
        break;
    }
    return fillTemplate(UI_TEXT("您输入的条件表达式中的个数超过了%1，请修改！"), {limit});
}

std::string countMismatchMessage(Counted construct) {
    switch (construct) {
    case Counted::Matrix:
        return UI_TEXT("您输入的矩阵的元素个数与行数和列数不符，请修改！");
    case Counted::Range:
        return UI_TEXT("您输入的行列式的元素个数与行数和列数不符，请修改！");
    case Counted::Lak:
        return UI_TEXT("您输入的多行表达式中的行数与实际写出的行数不符，请修改！");
    case Counted::Con:
        break;
    }
    return UI_TEXT("您输入的条件表达式中的个数与实际写出的条件个数不符，请修改！");
}

long long countLimit(Counted construct) {
    return construct == Counted::Matrix || construct == Counted::Range ? kMaxMatrixSide : kMaxListItems;
}

std::optional<long long> readCount(std::string_view text) {
    if (text.empty()) return std::nullopt;
    constexpr long long kSaturated = 1'000'000'000;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(kSaturated, value * 10 + (c - '0'));
    }
    return value;
}

namespace {

bool isCountMessage(const std::string& refusal) {
    for (Counted c : {Counted::Matrix, Counted::Range, Counted::Lak, Counted::Con})
        if (refusal == notNaturalMessage(c) || refusal == tooManyMessage(c)) return true;
    return false;
}

// A cheap lower bound of the operation nesting, read from the text as typed. Within one bracket level,
// the additive signs between two relations (or commas, semicolons) rewrite into a chain of calls nested
// one per sign, and so do the multiplicative signs between two additive ones. A run beyond the limit
// refuses the text before it is rewritten, with the answer rewriting would give.
bool surelyTooDeep(std::string_view text) {
    struct Run {
        int additive = 0;
        int multiplicative = 0;
    };
    std::vector<Run> runs(1);
    char before = ',';
    for (const char c : text) {
        const bool sign = c == '+' || c == '-' || c == '*' || c == '/' || c == '%';
        if (c == '(' || c == '[' || c == '{') {
            runs.emplace_back();
        } else if (c == ')' || c == ']' || c == '}') {
            if (runs.size() > 1) runs.pop_back();
        } else if (sign) {
            // A sign that may lead its operand (behind a sign, an opening, a separator) or belong to a
            // name or an exponent is not counted; the runs start anew, as the bound must never exceed
            // the depth rewriting gives.
            const bool leading = before == '+' || before == '-' || before == '*' || before == '/' ||
                                 before == '%' || before == '(' || before == '[' || before == '{' ||
                                 before == ',' || before == ';' || before == '=' || before == '<' ||
                                 before == '>' || before == '_' || before == 'e' || before == 'E';
            if (leading) {
                runs.back() = {};
            } else {
                Run& run = runs.back();
                if (c == '+' || c == '-') {
                    run.multiplicative = 0;
                    if (++run.additive > kMaxNesting) return true;
                } else if (++run.multiplicative > kMaxNesting) {
                    return true;
                }
            }
        } else if (c == ',' || c == ';' || c == '=' || c == '<' || c == '>' || c == '!' ||
                   static_cast<unsigned char>(c) >= 0x80) {
            // Relations and the signs of other characters (×, ±, ≠ …) may bind otherwise: start anew.
            runs.back() = {};
        }
        before = c;
    }
    return false;
}

} // namespace

std::string textLimitRefusal(std::string_view markup) {
    if (markup.size() > kMaxTextBytes) return tooLongMessage();
    int depth = 0;
    for (char c : markup) {
        if (c == '(' || c == '[' || c == '{') {
            if (++depth > kMaxNesting) return tooDeepMessage();
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        }
    }
    return {};
}

namespace {

std::string findStructureLimitRefusal(std::string_view markup, std::string* form) {
    if (surelyTooDeep(markup)) return tooDeepOperationsMessage();
    std::string refusal;
    std::string written = rewriteOperators(markup, refusal);
    if (!refusal.empty()) return refusal;
    if (refusal = treeLimitRefusal(written); !refusal.empty()) return refusal;
    // Evaluation expands lak and con, the plotting road from the text as typed, calculations from its
    // function form; both expansions must stay within the limits for every road to agree.
    if (markup.find("lak(") != std::string_view::npos || markup.find("con(") != std::string_view::npos) {
        for (const std::string_view source : {markup, std::string_view(written)}) {
            std::string domain;
            const std::string expanded = expandCalls(domain, source, refusal);
            // A count the construct refuses is no limit of the text: the counts check names it.
            if (isCountMessage(refusal)) continue;
            if (!refusal.empty()) return refusal;
            const std::string expandedForm = rewriteOperators(expanded, refusal);
            if (!refusal.empty()) return refusal;
            if (refusal = treeLimitRefusal(expandedForm); !refusal.empty()) return refusal;
        }
    }
    if (form) *form = std::move(written);
    return {};
}

} // namespace

std::string structureLimitRefusal(std::string_view markup, std::string* form) {
    // Every road checks a text and then converts it, and both need its rewriting, the dearest step for a
    // long text: the answer for the last text is kept.
    struct Answer {
        std::string markup;
        std::string refusal;
        std::string form;
        bool known = false;
    };
    thread_local Answer last;
    if (!last.known || last.markup != markup) {
        last.known = false;
        last.refusal = findStructureLimitRefusal(markup, &last.form);
        last.markup = markup;
        last.known = true;
    }
    if (form && last.refusal.empty()) *form = last.form;
    return last.refusal;
}

std::string limitRefusal(std::string_view markup, std::string* form) {
    if (std::string refusal = textLimitRefusal(markup); !refusal.empty()) return refusal;
    return structureLimitRefusal(markup, form);
}

} // namespace quorvel::expr::detail
