// stripBlanks and toFunctionForm: infix operators are rewritten into keyword calls, class by class.
#include "base/Utf8Text.h"
#include "expr/MarkupChars.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <array>
#include <string_view>
#include <vector>

namespace quorvel::expr {

std::string stripBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

namespace {

using markup::isClosing;
using markup::isOpening;
using markup::isSpecial;

constexpr int kNone = -1;

// Operator classes, tightest first; each is rewritten completely before the next one is looked at.
enum class OpClass { Factorial, Multiplicative, Sign, Additive, Order, Equality };

// The text is held as a doubly linked list of characters, so that a rewrite (insert "kw(" before the left
// operand, turn the operator into ",", insert ")" behind the right operand) costs only the operand scans.
// When every bracket of the text has a partner, the scans jump over whole bracket groups: a rewrite
// keeps every pair matched, because its operands are then balanced themselves.
class Rewriter {
public:
    // When missing is given, every operator whose operand comes out empty is recorded there.
    explicit Rewriter(std::u32string_view text, std::vector<detail::MissingOperand>* missing = nullptr)
        : missing_(missing) {
        cells_.reserve(text.size() + text.size() / 2 + 16);
        for (char32_t c : text) {
            const int index = static_cast<int>(cells_.size());
            cells_.push_back({c, index - 1, kNone, kNone, false});
            if (index > 0) cells_[static_cast<std::size_t>(index) - 1].next = index;
        }
        head_ = cells_.empty() ? kNone : 0;
        markExponentSigns(text);
        matchBrackets();
    }

    // False when the work budget ran out.
    bool run() {
        for (OpClass cls : {OpClass::Factorial, OpClass::Multiplicative, OpClass::Sign, OpClass::Additive,
                            OpClass::Order, OpClass::Equality}) {
            for (int cur = head_; cur != kNone; cur = next(cur)) {
                if (++work_ > detail::kWorkBudget) return false;
                if (const std::u32string_view kw = operatorKeyword(cls, cur); !kw.empty())
                    rewrite(cls, cur, kw);
            }
        }
        return work_ <= detail::kWorkBudget;
    }

    std::string text() const {
        std::string out;
        out.reserve(cells_.size());
        for (int cur = head_; cur != kNone; cur = next(cur))
            appendUtf8(out, ch(cur));
        return out;
    }

private:
    struct Cell {
        char32_t c;
        int prev;
        int next;
        int partner; // the matching bracket while the text is balanced
        bool exponentSign = false;
    };

    Cell& cell(int i) { return cells_[static_cast<std::size_t>(i)]; }
    const Cell& cell(int i) const { return cells_[static_cast<std::size_t>(i)]; }
    char32_t ch(int i) const { return cell(i).c; }
    int next(int i) const { return cell(i).next; }
    int prev(int i) const { return cell(i).prev; }
    char32_t prevChar(int i) const { return prev(i) == kNone ? U'\0' : ch(prev(i)); }

    void matchBrackets() {
        std::vector<int> open;
        balanced_ = true;
        for (int i = head_; i != kNone; i = next(i)) {
            if (isOpening(ch(i))) {
                open.push_back(i);
            } else if (isClosing(ch(i))) {
                if (open.empty()) {
                    balanced_ = false;
                    return;
                }
                cell(i).partner = open.back();
                cell(open.back()).partner = i;
                open.pop_back();
            }
        }
        balanced_ = open.empty();
    }

    int insertBefore(int pos, char32_t c) {
        const int index = static_cast<int>(cells_.size());
        const int before = prev(pos);
        cells_.push_back({c, before, pos, kNone, false});
        if (before == kNone)
            head_ = index;
        else
            cell(before).next = index;
        cell(pos).prev = index;
        return index;
    }

    int insertAfter(int pos, char32_t c) {
        const int index = static_cast<int>(cells_.size());
        const int after = next(pos);
        cells_.push_back({c, pos, after, kNone, false});
        if (after != kNone) cell(after).prev = index;
        cell(pos).next = index;
        return index;
    }

    void unlink(int pos) {
        const int before = prev(pos);
        const int after = next(pos);
        if (before == kNone)
            head_ = after;
        else
            cell(before).next = after;
        if (after != kNone) cell(after).prev = before;
    }

    static bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
    // What may stand inside a name next to a number: letters, digits, "_", "." and any other character
    // that is no operator, separator or bracket.
    static bool isWordChar(char32_t c) {
        if (c >= 0x80) return !isSpecial(c);
        return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || isDigit(c) || c == U'_' || c == U'.';
    }

    // Marks the "+" and "-" that sit in the exponent of a number literal ("1e-5", "2.5E+3"): digits with an
    // optional point, "e" or "E", the sign, digits, and no word character on either side. Rewrites only
    // insert around whole operands, so a mark made on the typed text stays right.
    void markExponentSigns(std::u32string_view text) {
        const std::size_t n = text.size();
        for (std::size_t i = 1; i + 1 < n; ++i) {
            if ((text[i] != U'-' && text[i] != U'+') || (text[i - 1] != U'e' && text[i - 1] != U'E'))
                continue;
            std::size_t end = i + 1;
            while (end < n && isDigit(text[end]))
                ++end;
            if (end == i + 1 || (end < n && isWordChar(text[end]))) continue;
            std::size_t begin = i - 1;
            bool digits = false;
            while (begin > 0 && (isDigit(text[begin - 1]) || text[begin - 1] == U'.')) {
                digits = digits || isDigit(text[begin - 1]);
                --begin;
            }
            if (!digits || (begin > 0 && isWordChar(text[begin - 1]))) continue;
            cells_[i].exponentSign = true;
            i = end - 1;
        }
    }

    // A "-" directly behind "_" belongs to a name (a subscript with a minus sign), and the sign of a number's
    // exponent to the number: never an operator, never a delimiter.
    bool isWordSign(int i) const { return (ch(i) == U'-' && prevChar(i) == U'_') || cell(i).exponentSign; }

    std::u32string_view operatorKeyword(OpClass cls, int i) const {
        const char32_t c = ch(i);
        switch (cls) {
        case OpClass::Factorial:
            return c == U'!' ? U"fac" : U"";
        case OpClass::Multiplicative:
            switch (c) {
            case U'*':
                return U"muw";
            case U'·':
                return U"mud";
            case U'×':
                return U"mul";
            case U'/':
                return U"div";
            case U'%':
                return U"mod";
            default:
                return U"";
            }
        case OpClass::Sign: {
            if (c != U'-' && c != U'+' && c != U'±') return U"";
            const char32_t before = prevChar(i);
            const bool signPlace = prev(i) == kNone || before == U',' || before == U';' || before == U' ' ||
                                   before == U'=' || before == U'>' || before == U'<' || before == U'*' ||
                                   before == U'/' || before == U'%' || isOpening(before) ||
                                   (isSpecial(before) && before != U'±');
            if (!signPlace) return U"";
            return c == U'-' ? U"mus" : c == U'+' ? U"pos" : U"pom";
        }
        case OpClass::Additive:
            if (c == U'+') return isWordSign(i) ? U"" : U"add";
            if (c == U'-' && !isWordSign(i)) return U"sub";
            return c == U'±' ? U"aoc" : U"";
        case OpClass::Order: {
            if (c != U'>' && c != U'<') return U"";
            const bool withEquals = next(i) != kNone && ch(next(i)) == U'=';
            if (c == U'>') return withEquals ? U"ges" : U"gts";
            return withEquals ? U"les" : U"lts";
        }
        case OpClass::Equality:
            switch (c) {
            case U'=':
                return U"eql";
            case U'≠':
                return U"nes";
            case U'≡':
                return U"usu";
            case U'≈':
                return U"app";
            case U'→':
                return U"inc";
            case U'⊥':
                return U"upr";
            case U'∥':
                return U"par";
            case U'≌':
                return U"res";
            case U'∽':
                return U"gru";
            default:
                return U"";
            }
        }
        return U"";
    }

    static bool isCommonDelimiter(char32_t c) {
        return c == U',' || c == U';' || c == U' ' || c == U'>' || c == U'<' || c == U'=' || isSpecial(c);
    }

    bool isLeftDelimiter(OpClass cls, int i) const {
        const char32_t c = ch(i);
        switch (cls) {
        case OpClass::Factorial:
            if (c == U'-') return !isWordSign(i);
            return isCommonDelimiter(c) || (c == U'+' && !isWordSign(i)) || c == U'*' || c == U'/' ||
                   c == U'%';
        case OpClass::Multiplicative:
        case OpClass::Additive:
            if (c == U'-') // a leading minus is taken into the operand and rewritten as a sign later
                return prev(i) != kNone && prevChar(i) != U'(' && !isWordSign(i);
            return isCommonDelimiter(c) || (c == U'+' && !isWordSign(i));
        case OpClass::Order:
        case OpClass::Equality:
            return c == U',' || c == U';' || isSpecial(c);
        case OpClass::Sign:
            break;
        }
        return false;
    }

    bool isRightDelimiter(OpClass cls, int i) const {
        const char32_t c = ch(i);
        switch (cls) {
        case OpClass::Multiplicative:
        case OpClass::Additive:
            if (c == U'-') return !isWordSign(i);
            return isCommonDelimiter(c) || (c == U'+' && !isWordSign(i)) || c == U'*' || c == U'/';
        case OpClass::Sign:
            if (c == U'-') return !isWordSign(i);
            return isCommonDelimiter(c) || (c == U'+' && !isWordSign(i)) || c == U'*' || c == U'/' ||
                   c == U'%';
        case OpClass::Order:
        case OpClass::Equality:
            return c == U',' || c == U';' || c == U' ' || isSpecial(c);
        case OpClass::Factorial:
            break;
        }
        return false;
    }

    // First cell of the left operand of the operator at op; op itself when the operand is empty.
    int leftOperandStart(OpClass cls, int op) {
        int start = op;
        int depth = 0;
        for (int cur = prev(op); cur != kNone; cur = prev(cur)) {
            ++work_;
            const char32_t c = ch(cur);
            if (isClosing(c)) {
                if (balanced_) {
                    cur = cell(cur).partner; // the group lies inside the operand as a whole
                } else {
                    ++depth;
                }
            } else if (isOpening(c)) {
                if (--depth < 0) break;
            } else if (depth <= 0 && isLeftDelimiter(cls, cur)) {
                break;
            }
            start = cur;
        }
        return start;
    }

    // Last cell of the right operand that begins behind last; last itself when the operand is empty.
    int rightOperandEnd(OpClass cls, int last) {
        int end = last;
        int depth = 0;
        for (int cur = next(last); cur != kNone; cur = next(cur)) {
            ++work_;
            const char32_t c = ch(cur);
            if (isOpening(c)) {
                if (balanced_) {
                    cur = cell(cur).partner;
                } else {
                    ++depth;
                }
            } else if (isClosing(c)) {
                if (--depth < 0) break;
            } else if (depth <= 0 && isRightDelimiter(cls, cur)) {
                break;
            }
            end = cur;
        }
        return end;
    }

    int insertKeywordBefore(int pos, std::u32string_view kw) {
        for (char32_t c : kw)
            insertBefore(pos, c);
        return insertBefore(pos, U'(');
    }

    void pair(int open, int close) {
        cell(open).partner = close;
        cell(close).partner = open;
    }

    // Operators are never inserted, so op is the index of the operator's character in the text.
    void noteMissing(int op, int length, bool before) {
        if (missing_) missing_->push_back({static_cast<std::size_t>(op), length, before});
    }

    void rewrite(OpClass cls, int op, std::u32string_view kw) {
        switch (cls) {
        case OpClass::Factorial: { // operand! -> fac(operand)
            const int start = leftOperandStart(cls, op);
            if (start == op) noteMissing(op, 1, true);
            const int open = insertKeywordBefore(start, kw);
            cell(op).c = U')';
            pair(open, op);
            return;
        }
        case OpClass::Sign: { // -operand -> mus(operand)
            const int end = rightOperandEnd(cls, op);
            if (end == op) noteMissing(op, 1, false);
            for (char32_t c : kw)
                insertBefore(op, c);
            cell(op).c = U'(';
            pair(op, insertAfter(end, U')'));
            return;
        }
        default: { // a op b -> kw(a,b)
            const bool twoChars = cls == OpClass::Order && next(op) != kNone && ch(next(op)) == U'=';
            const int opLast = twoChars ? next(op) : op;
            const int start = leftOperandStart(cls, op);
            int end = rightOperandEnd(cls, opLast);
            if (start == op) noteMissing(op, twoChars ? 2 : 1, true);
            if (end == opLast) noteMissing(op, twoChars ? 2 : 1, false);
            if (twoChars) {
                unlink(opLast);
                if (end == opLast) end = op;
            }
            const int open = insertKeywordBefore(start, kw);
            cell(op).c = U',';
            pair(open, insertAfter(end, U')'));
            return;
        }
        }
    }

    std::vector<Cell> cells_;
    std::vector<detail::MissingOperand>* missing_ = nullptr;
    int head_ = kNone;
    bool balanced_ = true;
    long long work_ = 0;
};

} // namespace

namespace detail {

std::string rewriteOperators(std::string_view text, std::string& refusal) {
    refusal.clear();
    if (text.size() > kMaxFormBytes) {
        refusal = tooComplexMessage();
        return {};
    }
    Rewriter rewriter(toCodePoints(text));
    const bool done = rewriter.run();
    std::string out = done ? rewriter.text() : std::string();
    if (!done || out.size() > kMaxFormBytes) {
        refusal = tooComplexMessage();
        return {};
    }
    return out;
}

std::vector<MissingOperand> missingOperands(std::string_view text) {
    std::vector<MissingOperand> missing;
    if (text.size() > kMaxFormBytes) return missing;
    Rewriter rewriter(toCodePoints(text), &missing);
    if (!rewriter.run()) missing.clear();
    return missing;
}

} // namespace detail

std::string toFunctionForm(std::string_view text, std::string* refusal) {
    if (refusal) refusal->clear();
    std::string form;
    std::string problem = detail::limitRefusal(text, &form);
    if (problem.empty()) return form;
    if (refusal) *refusal = std::move(problem);
    return {};
}

} // namespace quorvel::expr
