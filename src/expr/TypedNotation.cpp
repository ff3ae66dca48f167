#include "expr/TypedNotation.h"

#include "base/UiText.h"
#include "base/Utf8Text.h"
#include "expr/DeepStack.h"
#include "expr/Keyword.h"
#include "expr/Limits.h"
#include "expr/MarkupChars.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quorvel::expr {

namespace {

// The refusals of the rewriting; positions are GBK bytes of the typed text, counted from 1.
std::string unpairedBarMessage(int at) {
    return fillTemplate(UI_TEXT("表达式里第%1位的'|'没有配对的'|'，请修改！"), {std::to_string(at)});
}
std::string missingOperandMessage(int at, std::u32string_view sign) {
    return fillTemplate(UI_TEXT("表达式里第%1位的'%2'后面缺少运算对象，请修改！"),
                        {std::to_string(at), toUtf8(sign)});
}
std::string notAFunctionMessage(int at, std::u32string_view name) {
    return fillTemplate(UI_TEXT("表达式里第%1位的'%2'不是函数名，不能跟括号；相乘请写成%2*(…)，请修改！"),
                        {std::to_string(at), toUtf8(name)});
}
// The levels of descent a text within the nesting limit can need: brackets, then powers, signs and
// functions without brackets inside them.
constexpr int kDeepLevels = 4 * kMaxNesting + 4;

// Names of other tools and of mainland textbooks, and the keyword each stands for.
constexpr std::array<std::pair<std::u32string_view, std::u32string_view>, 9> kAliases{{
    {U"tan", U"tg"},
    {U"cot", U"ctg"},
    {U"arctan", U"arctg"},
    {U"arccot", U"arcctg"},
    {U"sinh", U"sh"},
    {U"cosh", U"ch"},
    {U"tanh", U"th"},
    {U"pi", U"π"},
    {U"Pi", U"π"},
}};

std::u32string_view canonicalName(std::u32string_view name) {
    for (const auto& [alias, keyword] : kAliases)
        if (alias == name) return keyword;
    return name;
}

// The functions of one argument that may be written without brackets.
bool isPlainFunction(std::u32string_view name) {
    const std::u32string_view canonical = canonicalName(name);
    if (canonical.empty() || canonical.size() > 7) return false;
    for (char32_t c : canonical)
        if (c < U'a' || c > U'z') return false;
    switch (keywordOf(toUtf8(canonical))) {
    case Keyword::Sqrt:
    case Keyword::Abs:
    case Keyword::Sin:
    case Keyword::Cos:
    case Keyword::Tg:
    case Keyword::Ctg:
    case Keyword::Arcsin:
    case Keyword::Arccos:
    case Keyword::Arctg:
    case Keyword::Arcctg:
    case Keyword::Sec:
    case Keyword::Csc:
    case Keyword::Sgn:
    case Keyword::Sh:
    case Keyword::Ch:
    case Keyword::Th:
    case Keyword::Exp:
    case Keyword::Ln:
    case Keyword::Lg:
        return true;
    default:
        return false;
    }
}

bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}
bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// The signs outside ASCII that typed notation reads; every other character outside ASCII may stand in a
// name (Greek letters, Chinese text) as the markup allows.
bool isTypedSign(char32_t c) {
    switch (c) {
    case U'≤':
    case U'≥':
    case U'÷':
    case U'−':
    case U'²':
    case U'³':
    case U'√':
    case U'°':
    case U'∞':
        return true;
    default:
        return markup::isSpecial(c);
    }
}
bool isNameChar(char32_t c) {
    if (c < 0x80) return isAsciiLetter(c) || c == U'_';
    return !isTypedSign(c) && !markup::isGbkSymbolRow(c) && c != U'（' && c != U'）';
}

enum class TokenKind {
    Number,
    Name,
    Open,
    Close,
    Bar,
    Separator,
    Sign,
    Operator,
    Caret,
    Square,
    Cube,
    Root,
    Other,
    End
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::size_t begin = 0; // first code point, after the blanks before it
    std::size_t end = 0;
    std::size_t blanksFrom = 0; // where the blanks before it start
};

// A piece of the result: its characters and, for each, the typed character it comes from.
struct Piece {
    std::u32string text;
    std::vector<int> origin;

    void add(std::u32string_view s, std::size_t from) {
        text += s;
        origin.insert(origin.end(), s.size(), static_cast<int>(from));
    }
    void append(const Piece& other) {
        text += other.text;
        origin.insert(origin.end(), other.origin.begin(), other.origin.end());
    }
};

// What the last operand of a sequence ends with decides whether a product is implied before the next.
enum class OperandEnd { None, Number, Name, Closed };
// How the next operand starts.
enum class OperandStart { Number, Name, Open, Function, Bar };

bool impliesProduct(OperandEnd end, OperandStart start) {
    switch (end) {
    case OperandEnd::Number:
        return start != OperandStart::Number;
    case OperandEnd::Closed:
        return true;
    case OperandEnd::Name:
        // Letters never multiply letters or digits (ab, x1 are names); a name before "(" is a call.
        return start == OperandStart::Function || start == OperandStart::Bar;
    case OperandEnd::None:
        return false;
    }
    return false;
}

// What a power's base is, for the power: e (e^x is the exponential), a bracket group or anything else.
enum class Base { E, Group, Other };

class Rewriter {
public:
    // levelLimit bounds the recursion of the descent (brackets, powers, signs, functions), so that it fits
    // the stack it runs on.
    Rewriter(std::u32string_view text, int levelLimit) : text_(text), levelLimit_(levelLimit) { tokenize(); }

    // The text nests deeper than this stack allows; a deeper stack may read it.
    bool stackTooSmall() const { return stackTooSmall_; }

    TypedRewrite run() {
        Piece out = sequence(false);
        while (!failure_ && peek().kind != TokenKind::End) {
            // A closing bracket without its opening one is kept for the bracket check to refuse.
            const Token t = take();
            copy(out, t);
            out.append(sequence(false));
        }
        TypedRewrite result;
        if (failure_) {
            result.failure = std::move(failure_);
            return result;
        }
        copy(out, peek()); // the blanks at the end
        out.origin.push_back(static_cast<int>(text_.size()));
        result.markup = toUtf8(out.text);
        result.origin = std::move(out.origin);
        return result;
    }

private:
    std::u32string_view text_;
    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    int openBars_ = 0;
    int depth_ = 0;
    int powers_ = 0;
    int levels_ = 0;
    int levelLimit_;
    std::size_t baseBytesRead_ = 0;
    bool stackTooSmall_ = false;
    std::optional<CheckFailure> failure_;

    // One level of the descent for as long as it lives; ok is false beyond the limit (then refused).
    struct Level {
        Rewriter& r;
        bool ok;
        Level(Rewriter& rewriter, std::size_t at) : r(rewriter), ok(++r.levels_ <= r.levelLimit_) {
            if (ok) return;
            r.stackTooSmall_ = r.levelLimit_ < kDeepLevels;
            r.fail(at, detail::tooDeepMessage());
        }
        ~Level() { --r.levels_; }
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;
    };

    // --- tokens ---

    void tokenize() {
        std::size_t i = 0;
        const std::size_t n = text_.size();
        while (true) {
            const std::size_t blanks = i;
            while (i < n && (text_[i] == U' ' || text_[i] == U'\t'))
                ++i;
            Token t;
            t.blanksFrom = blanks;
            t.begin = i;
            if (i >= n) {
                t.end = i;
                tokens_.push_back(t);
                return;
            }
            const char32_t c = text_[i];
            if (isDigit(c) || (c == U'.' && i + 1 < n && isDigit(text_[i + 1]))) {
                t.kind = TokenKind::Number;
                i = numberEnd(i);
            } else if (isNameChar(c)) {
                t.kind = TokenKind::Name;
                i = nameEnd(i);
            } else {
                t.kind = kindOf(c, i);
                i += (c == U'*' && i + 1 < n && text_[i + 1] == U'*') ? 2 : 1;
            }
            t.end = i;
            tokens_.push_back(t);
        }
    }

    TokenKind kindOf(char32_t c, std::size_t i) const {
        if (markup::isOpening(c)) return TokenKind::Open;
        if (markup::isClosing(c)) return TokenKind::Close;
        switch (c) {
        case U'|':
            return TokenKind::Bar;
        case U',':
        case U';':
            return TokenKind::Separator;
        case U'+':
        case U'-':
        case U'−':
        case U'±':
            return TokenKind::Sign;
        case U'^':
            return TokenKind::Caret;
        case U'*':
            return i + 1 < text_.size() && text_[i + 1] == U'*' ? TokenKind::Caret : TokenKind::Operator;
        case U'²':
            return TokenKind::Square;
        case U'³':
            return TokenKind::Cube;
        case U'√':
            return TokenKind::Root;
        case U'∞':
            return TokenKind::Other;
        default:
            // Any other sign is kept as it is and takes no part in implied products.
            return TokenKind::Operator;
        }
    }

    // Digits, a decimal point, an exponent whose sign belongs to the number (1e-5), a degree sign.
    std::size_t numberEnd(std::size_t i) const {
        const std::size_t n = text_.size();
        while (i < n && (isDigit(text_[i]) || text_[i] == U'.'))
            ++i;
        if (i < n && (text_[i] == U'e' || text_[i] == U'E')) {
            std::size_t k = i + 1;
            if (k < n && (text_[k] == U'+' || text_[k] == U'-')) ++k;
            if (k < n && isDigit(text_[k])) {
                i = k;
                while (i < n && isDigit(text_[i]))
                    ++i;
            }
        }
        if (i < n && text_[i] == U'°') ++i;
        return i;
    }

    // Letters, then digits (x1, ing1), then any "_" with the blanks after it and what follows it (x_ _11).
    // The letters of a function name followed by digits end before them: sin2x is sin 2x.
    std::size_t nameEnd(std::size_t i) const {
        const std::size_t n = text_.size();
        const std::size_t start = i;
        while (i < n && isNameChar(text_[i]) && text_[i] != U'_')
            ++i;
        if (i < n && isDigit(text_[i]) && isPlainFunction(text_.substr(start, i - start))) return i;
        while (i < n) {
            if (isDigit(text_[i]) || (isNameChar(text_[i]) && text_[i] != U'_')) {
                ++i;
            } else if (text_[i] == U'.' && i + 1 < n && isDigit(text_[i + 1]) &&
                       text_.substr(start, i - start).starts_with(U"log_")) {
                ++i; // the decimal point of a logarithm's base (log_0.5 x)
            } else if (text_[i] == U'_') {
                ++i;
                while (i < n && text_[i] == U' ')
                    ++i;
            } else {
                break;
            }
        }
        return i;
    }

    const Token& peek(std::size_t ahead = 0) const {
        return tokens_[std::min(next_ + ahead, tokens_.size() - 1)];
    }
    Token take() {
        const Token t = peek();
        if (next_ < tokens_.size() - 1) ++next_;
        return t;
    }
    std::u32string_view textOf(const Token& t) const { return text_.substr(t.begin, t.end - t.begin); }

    // Copies the token as typed, the blanks before it included (markup may hold blanks: x_ _i).
    void copy(Piece& out, const Token& t) const {
        for (std::size_t i = t.blanksFrom; i < t.end; ++i)
            out.add(std::u32string_view(&text_[i], 1), i);
    }

    void fail(std::size_t at, std::string message) {
        if (failure_) return;
        CheckFailure f;
        f.check = CheckKind::TypedNotation;
        f.charPosition = static_cast<int>(at) + 1;
        f.gbkPosition = gbkPosition(text_, at);
        f.message = std::move(message);
        failure_ = std::move(f);
    }

    bool startsOperand(const Token& t) const {
        switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::Name:
        case TokenKind::Open:
        case TokenKind::Root:
        case TokenKind::Other:
            return true;
        case TokenKind::Bar:
            return true;
        default:
            return false;
        }
    }

    bool isFunctionName(const Token& t) const {
        return t.kind == TokenKind::Name && isPlainFunction(textOf(t));
    }

    OperandStart startOf(const Token& t) const {
        switch (t.kind) {
        case TokenKind::Number:
            return OperandStart::Number;
        case TokenKind::Open:
            return OperandStart::Open;
        case TokenKind::Root:
            return OperandStart::Function;
        case TokenKind::Bar:
            return OperandStart::Bar;
        case TokenKind::Name:
            if (isFunctionName(t) || splitFunction(t) > 0 || logBase(t)) return OperandStart::Function;
            // A keyword called with brackets (2f(x), 2cub(x,2)) is a function too.
            if (peek(1).kind == TokenKind::Open && peek(1).blanksFrom == t.end &&
                findKeyword(asciiLower(toUtf8(textOf(t)))) > 0)
                return OperandStart::Function;
            return OperandStart::Name;
        default:
            return OperandStart::Name;
        }
    }

    // For a name that is a function name followed by exactly one letter (sinx, cosa), the length of the
    // function name; otherwise 0.
    std::size_t splitFunction(const Token& t) const {
        const std::u32string_view name = textOf(t);
        if (name.size() < 2) return 0;
        const char32_t last = name.back();
        if (last == U'_' || isDigit(last)) return 0;
        const std::u32string_view head = name.substr(0, name.size() - 1);
        if (!isPlainFunction(head)) return 0;
        // A whole name that is a function itself (sinh) is not split.
        return isPlainFunction(name) ? 0 : head.size();
    }

    // For log_2, log_10, log_0.5, log_a (also log_2x, whose x opens the argument): where the base's code
    // points begin and end in the text; nothing for other names.
    struct LogBase {
        std::size_t begin;
        std::size_t end;
    };
    std::optional<LogBase> logBase(const Token& t) const {
        const std::u32string_view name = textOf(t);
        if (!name.starts_with(U"log_")) return std::nullopt;
        std::size_t b = 4;
        while (b < name.size() && name[b] == U' ')
            ++b;
        std::size_t e = b;
        while (e < name.size() && (isDigit(name[e]) || name[e] == U'.'))
            ++e;
        const std::u32string_view rest = name.substr(e);
        const bool letters =
            std::all_of(rest.begin(), rest.end(), [](char32_t c) { return isAsciiLetter(c); });
        if (e == b) { // a letter for a base: exactly one
            if (name.size() != b + 1 || !isAsciiLetter(name[b])) return std::nullopt;
            e = b + 1;
        } else if (!letters) {
            return std::nullopt;
        }
        return LogBase{t.begin + b, t.begin + e};
    }

    // --- structure ---

    // Operands and operators up to a closing bracket, the end, or (inside |…|) the closing bar.
    Piece sequence(bool insideBars) {
        Piece out;
        const Level level(*this, peek().begin);
        if (!level.ok) return out;
        // The whole text is one sequence more than its bracket nesting.
        if (++depth_ > kMaxNesting + 1) {
            fail(peek().begin, detail::tooDeepMessage());
            --depth_;
            return out;
        }
        OperandEnd last = OperandEnd::None;
        bool signOpensOperand = false;
        while (!failure_) {
            const Token& t = peek();
            if (t.kind == TokenKind::End || t.kind == TokenKind::Close) break;
            if (t.kind == TokenKind::Bar && insideBars && last != OperandEnd::None) break;
            if (startsOperand(t)) {
                last = factor(out, last, startOf(t));
                signOpensOperand = false;
                continue;
            }
            if (t.kind == TokenKind::Sign && signOpensOperand) {
                // x*-1, x+-1, --x: the markup reads a sign after an operator or a sign as an operator
                // without its operand; the sign is the operand's.
                const Token sign = take();
                out.add(U"(", sign.begin);
                if (signedOperand(out, sign) == OperandEnd::None) break;
                out.add(U")", sign.begin);
                last = OperandEnd::Closed;
                signOpensOperand = false;
                continue;
            }
            const Token op = take();
            signOpensOperand = false;
            switch (op.kind) {
            case TokenKind::Sign:
                copySign(out, op);
                signOpensOperand = true;
                break;
            case TokenKind::Operator:
                copyOperator(out, op);
                signOpensOperand = isProductSign(textOf(op));
                break;
            case TokenKind::Caret:
            case TokenKind::Square:
            case TokenKind::Cube:
                // A power with nothing before it: kept, so the checks name it.
                copy(out, op);
                break;
            default:
                copy(out, op);
                break;
            }
            last =
                op.kind == TokenKind::Operator && textOf(op) == U"!" ? OperandEnd::Closed : OperandEnd::None;
        }
        --depth_;
        return out;
    }

    // After these (and after a sign) the markup reads a further sign as an operator without operand.
    static bool isProductSign(std::u32string_view op) {
        return op == U"*" || op == U"/" || op == U"×" || op == U"·" || op == U"÷" || op == U"%";
    }

    void copySign(Piece& out, const Token& t) const {
        if (textOf(t) == U"−") {
            out.add(U"-", t.begin);
        } else {
            copy(out, t);
        }
    }

    void copyOperator(Piece& out, const Token& t) const {
        const std::u32string_view op = textOf(t);
        if (op == U"≤") {
            out.add(U"<=", t.begin);
        } else if (op == U"≥") {
            out.add(U">=", t.begin);
        } else if (op == U"÷") {
            out.add(U"/", t.begin);
        } else {
            copy(out, t);
        }
    }

    // One operand with its powers: a number, a name, a call, a bracket group, |…|, a function applied
    // without brackets.
    OperandEnd operand(Piece& out) {
        const bool opensGroup = peek().kind == TokenKind::Open && textOf(peek()) == U"(";
        const std::size_t before = next_;
        Piece base;
        const OperandEnd end = primary(base);
        std::u32string bare = base.text;
        std::erase(bare, U' ');
        const Base kind = end == OperandEnd::Name && bare == U"e"           ? Base::E
                          : opensGroup && next_ == closingAfter(before) + 1 ? Base::Group
                                                                            : Base::Other;
        bool powered = false;
        out.append(withPowers(std::move(base), kind, powered));
        return powered ? OperandEnd::Closed : end;
    }

    // Brackets typed around the base of a power only group it when the power sets that base off by
    // itself: (a+b)^2 is cub(a+b,2), drawn (a+b)², where cub((a+b),2) would be drawn [(a+b)]². A single
    // name or number needs none ((x)^2 is x²). Around a root, a factorial or a list they stay, the only
    // brackets drawn.
    bool groupOnlyGroupsBase(const Piece& group) {
        const Piece inner = unwrapped(group);
        if (inner.text.size() == group.text.size()) return false;
        // Each group is read once more here; a bound keeps deeply nested powered groups linear.
        baseBytesRead_ += inner.text.size();
        if (baseBytesRead_ > kMaxTextBytes) return false;
        std::string refusal;
        const std::string form = toFunctionForm(stripBlanks(toUtf8(inner.text)), &refusal);
        if (!refusal.empty() || form.empty()) return false;
        const std::size_t open = form.find('(');
        if (open == std::string::npos) return form.find_first_of(";,") == std::string::npos;
        const Keyword top = open == 0 ? Keyword::Paren : keywordOf(std::string_view(form).substr(0, open));
        return top != Keyword::None && powerSetsOffBase(top);
    }

    static Piece power(const Piece& base, const Piece& exponent, std::size_t at) {
        Piece p;
        p.add(U"cub(", at);
        p.append(base);
        p.add(U",", at);
        p.append(exponent);
        p.add(U")", at);
        return p;
    }
    static Piece power2(const Piece& base, std::u32string_view exponent, std::size_t at) {
        Piece e;
        e.add(exponent, at);
        return power(base, e, at);
    }

    // After "^": signs, then one operand with its own powers (so 2^3^2 is 2^(3^2)); a bracket group
    // alone loses its brackets, since the exponent is set apart anyway.
    Piece exponentOf(const Token& caret) {
        Piece e;
        const Level level(*this, caret.begin);
        if (!level.ok) return e;
        // Powers of powers nest without brackets; they get a bound of their own.
        if (powers_ + 1 > kMaxNesting) {
            fail(caret.begin, detail::tooDeepMessage());
            return e;
        }
        ++powers_;
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{powers_};
        if (peek().kind == TokenKind::Sign) {
            signedOperand(e, take());
            return e;
        }
        if (!startsOperand(peek())) {
            fail(caret.begin, missingOperandMessage(gbkPosition(text_, caret.begin), textOf(caret)));
            return e;
        }
        const bool group = peek().kind == TokenKind::Open && textOf(peek()) == U"(";
        const std::size_t before = next_;
        Piece body;
        operand(body);
        if (group && e.text.empty() && next_ == closingAfter(before) + 1) body = unwrapped(body);
        e.append(body);
        return e;
    }

    // The index of the token that closes the group opened at token index open (or the end).
    std::size_t closingAfter(std::size_t open) const {
        int level = 0;
        for (std::size_t k = open; k < tokens_.size(); ++k) {
            if (tokens_[k].kind == TokenKind::Open) ++level;
            if (tokens_[k].kind == TokenKind::Close && --level == 0) return k;
            if (tokens_[k].kind == TokenKind::End) return k;
        }
        return tokens_.size() - 1;
    }

    // A piece "( … )" without its outer brackets (and the blanks before them).
    static Piece unwrapped(const Piece& p) {
        std::size_t from = 0;
        while (from < p.text.size() && p.text[from] == U' ')
            ++from;
        if (from >= p.text.size() || p.text[from] != U'(' || p.text.back() != U')') return p;
        Piece inner;
        inner.text = p.text.substr(from + 1, p.text.size() - from - 2);
        inner.origin.assign(p.origin.begin() + static_cast<std::ptrdiff_t>(from + 1), p.origin.end() - 1);
        return inner;
    }

    OperandEnd primary(Piece& out) {
        const Token t = take();
        switch (t.kind) {
        case TokenKind::Number:
            copy(out, t);
            return OperandEnd::Number;
        case TokenKind::Open: {
            copy(out, t);
            out.append(sequence(false));
            if (peek().kind == TokenKind::Close) copy(out, take());
            return OperandEnd::Closed;
        }
        case TokenKind::Bar:
            return bars(out, t);
        case TokenKind::Root:
            return applied(out, U"sqrt", t.begin);
        case TokenKind::Name:
            return name(out, t);
        default:
            copy(out, t);
            return OperandEnd::Closed;
        }
    }

    OperandEnd bars(Piece& out, const Token& open) {
        ++openBars_;
        Piece inner = sequence(true);
        --openBars_;
        if (failure_) return OperandEnd::Closed;
        if (peek().kind != TokenKind::Bar || inner.text.empty()) {
            fail(open.begin, unpairedBarMessage(gbkPosition(text_, open.begin)));
            return OperandEnd::Closed;
        }
        const Token close = take();
        out.add(U"abs(", open.begin);
        out.append(inner);
        out.add(U")", close.begin);
        return OperandEnd::Closed;
    }

    // The letters of name token t from code point from on open the argument of the call already begun in
    // out, which goes on as after "sin x" and is closed here.
    OperandEnd lettersOpenTheArgument(Piece& out, const Token& t, std::size_t from) {
        Piece letters;
        letters.add(text_.substr(from, t.end - from), from);
        bool powered = false;
        Piece argument = withPowers(std::move(letters), Base::Other, powered);
        argument.append(productRest(powered ? OperandEnd::Closed : OperandEnd::Name));
        out.append(argument);
        out.add(U")", t.end - 1);
        return OperandEnd::Closed;
    }

    OperandEnd name(Piece& out, const Token& t) {
        const std::u32string_view typed = textOf(t);
        const bool called = peek().kind == TokenKind::Open;
        if (const std::optional<LogBase> base = logBase(t)) {
            // log_2 x: the logarithm to base 2, log(2,x).
            Piece leading;
            leading.add(text_.substr(base->begin, base->end - base->begin), base->begin);
            leading.add(U",", base->end);
            if (base->end == t.end) return applied(out, U"log", t.begin, &leading);
            out.add(U"log(", t.begin);
            out.append(leading);
            return lettersOpenTheArgument(out, t, base->end);
        }
        if (isPlainFunction(typed)) {
            const std::u32string_view keyword = canonicalName(typed);
            const TokenKind next = peek().kind;
            if (next == TokenKind::Caret || next == TokenKind::Square || next == TokenKind::Cube)
                return poweredFunction(out, t, keyword);
            return applied(out, keyword, t.begin);
        }
        if (const std::size_t head = splitFunction(t); head > 0 && !called) {
            // sinx: the letter opens the argument, which goes on as after "sin x".
            out.add(canonicalName(typed.substr(0, head)), t.begin);
            out.add(U"(", t.begin + head);
            return lettersOpenTheArgument(out, t, t.begin + head);
        }
        const std::u32string_view canonical = canonicalName(typed);
        if (canonical != typed) {
            out.add(canonical, t.begin);
        } else {
            copy(out, t);
        }
        // A letter that is no function before a bracket: refused here, where the message can say how to
        // write the product the user most likely meant (n(n+1)). Longer names go on to the operator check.
        if (called && canonical.size() == 1 && findKeyword(asciiLower(toUtf8(canonical))) <= 0) {
            fail(t.begin, notAFunctionMessage(gbkPosition(text_, t.begin), canonical));
            return OperandEnd::Closed;
        }
        // A call of a keyword: its bracket group belongs to it, no product between them.
        if (called) {
            const Token open = take();
            copy(out, open);
            out.append(sequence(false));
            if (peek().kind == TokenKind::Close) copy(out, take());
            return OperandEnd::Closed;
        }
        return OperandEnd::Name;
    }

    // The powers that follow an operand already read; e^… is the exponential.
    Piece withPowers(Piece base, Base kind, bool& powered) {
        const auto setOff = [&] {
            if (kind == Base::Group && groupOnlyGroupsBase(base)) base = unwrapped(base);
        };
        while (!failure_) {
            const Token& t = peek();
            if (t.kind == TokenKind::Square || t.kind == TokenKind::Cube) {
                const Token p = take();
                setOff();
                base = power2(base, p.kind == TokenKind::Square ? U"2" : U"3", p.begin);
            } else if (t.kind == TokenKind::Caret) {
                const Token caret = take();
                Piece exponent = exponentOf(caret);
                if (kind == Base::E) {
                    Piece call;
                    call.add(U"exp(", caret.begin);
                    call.append(exponent);
                    call.add(U")", caret.begin);
                    base = std::move(call);
                } else {
                    setOff();
                    base = power(base, exponent, caret.begin);
                }
            } else {
                break;
            }
            kind = Base::Other;
            powered = true;
        }
        return base;
    }

    // sin^2 x, sin²x: the power of the function's value.
    OperandEnd poweredFunction(Piece& out, const Token& t, std::u32string_view keyword) {
        const Token caret = take();
        Piece exponent;
        if (caret.kind == TokenKind::Caret) {
            exponent = exponentOf(caret);
        } else { // sin²x, sin³x
            exponent.add(caret.kind == TokenKind::Square ? U"2" : U"3", caret.begin);
        }
        if (failure_) return OperandEnd::Closed;
        Piece call;
        applied(call, keyword, t.begin);
        out.append(power(call, exponent, caret.begin));
        return OperandEnd::Closed;
    }

    // A function applied to what follows: a bracket group (its brackets become the call's), or the
    // product up to the next operator, comma, closing bracket or function name.
    // leading: arguments written before the one that follows (the base of log_2 x).
    OperandEnd applied(Piece& out, std::u32string_view keyword, std::size_t at,
                       const Piece* leading = nullptr) {
        const Level level(*this, at);
        if (!level.ok) return OperandEnd::Closed;
        out.add(keyword, at);
        if (peek().kind == TokenKind::Open && textOf(peek()) == U"(") {
            const Token open = take();
            copy(out, open);
            if (leading) out.append(*leading);
            out.append(sequence(false));
            if (peek().kind == TokenKind::Close) copy(out, take());
            return OperandEnd::Closed;
        }
        out.add(U"(", at);
        if (leading) out.append(*leading);
        Piece argument;
        OperandEnd first = OperandEnd::None;
        if (peek().kind == TokenKind::Sign) {
            first = signedOperand(argument, take());
            if (first == OperandEnd::None) return OperandEnd::Closed;
        } else if (!startsOperand(peek())) {
            fail(at, missingOperandMessage(gbkPosition(text_, at), keyword));
            return OperandEnd::Closed;
        } else {
            first = operand(argument);
        }
        argument.append(productRest(first));
        out.append(argument);
        out.add(U")", at);
        return OperandEnd::Closed;
    }

    // A sign and its operand; a further sign right after it opens a bracket of its own (--x is -(-x)).
    // None when the operand is missing (the refusal is recorded).
    OperandEnd signedOperand(Piece& out, const Token& sign) {
        const Level level(*this, sign.begin);
        if (!level.ok) return OperandEnd::None;
        copySign(out, sign);
        if (peek().kind == TokenKind::Sign) {
            const Token next = take();
            out.add(U"(", next.begin);
            const OperandEnd inner = signedOperand(out, next);
            out.add(U")", next.begin);
            return inner == OperandEnd::None ? inner : OperandEnd::Closed;
        }
        if (!startsOperand(peek())) {
            fail(sign.begin, missingOperandMessage(gbkPosition(text_, sign.begin), textOf(sign)));
            return OperandEnd::None;
        }
        return operand(out);
    }

    // The next operand after the last one. A product is implied where impliesProduct says; after a name
    // and a blank before a name or a number (b x, x 2), where the blank is all that parts them; and
    // wherever the operand was rewritten into a call (2 3^2, x y²): side by side, the two would read as
    // one name or number.
    OperandEnd factor(Piece& out, OperandEnd last, OperandStart start) {
        const Token& t = peek();
        const char32_t typedStart = text_[t.begin];
        const bool spacedName = last == OperandEnd::Name && t.blanksFrom < t.begin &&
                                (start == OperandStart::Name || start == OperandStart::Number);
        Piece next;
        const OperandEnd end = operand(next);
        const std::size_t first = next.text.find_first_not_of(U' ');
        const bool rewritten = first != std::u32string::npos && next.text[first] != typedStart;
        if (impliesProduct(last, start) || spacedName || (last != OperandEnd::None && rewritten))
            out.add(U"*", t.begin);
        out.append(next);
        return end;
    }

    // Further factors of an implied product, stopping before a function name and before a bar that
    // closes an open |…|.
    Piece productRest(OperandEnd last) {
        Piece out;
        while (!failure_) {
            const Token& t = peek();
            if (!startsOperand(t)) break;
            if (t.kind == TokenKind::Bar && openBars_ > 0) break;
            const OperandStart start = startOf(t);
            if (start == OperandStart::Function) break;
            // A name before "(" is a call, not a factor of the argument.
            if (last == OperandEnd::Name && start == OperandStart::Open) break;
            last = factor(out, last, start);
        }
        return out;
    }
};

} // namespace

TypedRewrite unchangedRewrite(std::string_view text) {
    TypedRewrite same;
    same.markup = std::string(text);
    const std::size_t n = toCodePoints(text).size();
    for (std::size_t i = 0; i <= n; ++i)
        same.origin.push_back(static_cast<int>(i));
    return same;
}

namespace {

// Lines typed one after the other with ";" between them ("x=cos t; y=sin t", "x+y<=2; x>=0; y>=0") are a
// system: the markup of its brace, lak(n,…). A ";" inside brackets belongs to a call and is left alone.
void joinTypedLines(TypedRewrite& rewrite) {
    const std::u32string markup = toCodePoints(rewrite.markup);
    int depth = 0;
    int separators = 0;
    for (char32_t c : markup) {
        if (c == U'(' || c == U'[' || c == U'{') ++depth;
        if (c == U')' || c == U']' || c == U'}') --depth;
        // An unpaired bracket is left to the checks, which point at it in the text as typed.
        if (depth < 0) return;
        if (c == U';' && depth == 0) ++separators;
    }
    if (separators == 0 || depth != 0) return;
    const std::string opening = "lak(" + std::to_string(separators + 1) + ",";
    const int start = rewrite.origin.empty() ? 0 : rewrite.origin.front();
    const int end = rewrite.origin.empty() ? 0 : rewrite.origin.back();
    std::vector<int> origin(opening.size(), start);
    origin.insert(origin.end(), rewrite.origin.begin(), rewrite.origin.end() - 1);
    origin.push_back(end); // the closing bracket
    origin.push_back(end);
    rewrite.markup = opening + rewrite.markup + ")";
    rewrite.origin = std::move(origin);
}

} // namespace

TypedRewrite rewriteTypedNotation(std::string_view typed) {
    TypedRewrite rewrite = rewriteTypedLine(typed);
    if (!rewrite.failure) joinTypedLines(rewrite);
    return rewrite;
}

TypedRewrite rewriteTypedLine(std::string_view typed) {
    const std::u32string text = toCodePoints(typed);
    // The checks refuse a text beyond the limit with their own message; nothing is rewritten.
    if (typed.size() > kMaxTextBytes) return unchangedRewrite(typed);
    // Nearly every text nests shallowly; only one that does not fit is read again on a stack of its own.
    Rewriter here(text, kNestingOnTheCallersStack);
    TypedRewrite result = here.run();
    if (!here.stackTooSmall()) return result;
    if (!runOnDeepStack([&] { result = Rewriter(text, kDeepLevels).run(); })) {
        result = {};
        CheckFailure f;
        f.check = CheckKind::TypedNotation;
        f.message = detail::tooDeepMessage();
        result.failure = std::move(f);
    }
    return result;
}

} // namespace quorvel::expr
