#include "expr/LatexReader.h"

#include "base/UiText.h"
#include "base/Utf8Text.h"
#include "expr/DeepStack.h"
#include "expr/Keyword.h"
#include "expr/Limits.h"
#include "expr/ParseLimits.h"
#include "expr/Validation.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::expr {

namespace {

// ---------------------------------------------------------------------------------------------------
// Refusals: thrown where reading fails, caught once in readLatex.

constexpr const char* kTooDeep = UI_TEXT("嵌套超过了%1层");

struct Refusal {
    int position;
    std::string message;
};

[[noreturn]] void refuse(int position, const std::string& what) {
    throw Refusal{position,
                  fillTemplate(UI_TEXT("LaTeX第%1个字符处：%2，请修改！"), {std::to_string(position), what})};
}

// ---------------------------------------------------------------------------------------------------
// Characters.

bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}
bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool isGreek(char32_t c) {
    return (c >= U'\u0391' && c <= U'\u03A9') || (c >= U'\u03B1' && c <= U'\u03C9') || c == U'\u03D1' ||
           c == U'\u03D5' || c == U'\u03F5';
}
bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f' || c == U'\v';
}

// Signs that stand in a leaf beside letters without a product between them: ∠A, 90°, x∈A, 2‰.
bool isJoiningSymbol(char32_t c) {
    switch (c) {
    case U'°':
    case U'′':
    case U'″':
    case U'‰':
    case U'…':
    case U'∝':
    case U'□':
    case U'∈':
    case U'∉':
    case U'∪':
    case U'∩':
    case U'⊆':
    case U'⊇':
    case U'⊂':
    case U'⊃':
    case U'⊄':
    case U'∅':
    case U'∀':
    case U'∃':
    case U'∁':
    case U'⋃':
    case U'⋂':
    case U'∂':
    case U'√':
    case U'∠':
    case U'△':
    case U'⊿':
    case U'⊙':
    case U'⇒':
    case U'⇐':
    case U'⇔':
    case U'←':
    case U'↑':
    case U'↓':
    case U'∵':
    case U'∴':
    case U'&':
    case U'@':
    case U'#':
    case U'$':
    case U'\\':
    case U'^':
        return true;
    default:
        return false;
    }
}

// Names of geometry (∠ABC, △ABC) take the capitals after them into the leaf.
bool isFigureSign(char32_t c) {
    return c == U'∠' || c == U'△' || c == U'⊿' || c == U'⊙';
}

// ---------------------------------------------------------------------------------------------------
// Tables: what the writer (src/typeset/LatexWriter.cpp) writes for a character or keyword, read back.

struct NamedText {
    std::string_view name;
    std::string_view text;
};

// clang-format off
constexpr NamedText kLetters[] = {
    {"alpha", "α"}, {"beta", "β"}, {"gamma", "γ"}, {"delta", "δ"}, {"epsilon", "ϵ"}, {"varepsilon", "ε"},
    {"zeta", "ζ"}, {"eta", "η"}, {"theta", "θ"}, {"vartheta", "ϑ"}, {"iota", "ι"}, {"kappa", "κ"},
    {"lambda", "λ"}, {"mu", "μ"}, {"nu", "ν"}, {"xi", "ξ"}, {"pi", "π"}, {"rho", "ρ"}, {"sigma", "σ"},
    {"varsigma", "ς"}, {"tau", "τ"}, {"upsilon", "υ"}, {"phi", "ϕ"}, {"varphi", "φ"}, {"chi", "χ"},
    {"psi", "ψ"}, {"omega", "ω"},
    {"Gamma", "Γ"}, {"Delta", "Δ"}, {"Theta", "Θ"}, {"Lambda", "Λ"}, {"Xi", "Ξ"}, {"Pi", "Π"},
    {"Sigma", "Σ"}, {"Upsilon", "Υ"}, {"Phi", "Φ"}, {"Psi", "Ψ"}, {"Omega", "Ω"},
    {"infty", "∞"},
};

constexpr NamedText kSymbols[] = {
    {"propto", "∝"}, {"ldots", "…"}, {"dots", "…"}, {"cdots", "…"}, {"dotsc", "…"}, {"dotsb", "…"},
    {"angle", "∠"}, {"square", "□"}, {"Box", "□"}, {"triangle", "△"}, {"odot", "⊙"},
    {"in", "∈"}, {"notin", "∉"}, {"cup", "∪"}, {"cap", "∩"}, {"subseteq", "⊆"}, {"supseteq", "⊇"},
    {"subset", "⊂"}, {"supset", "⊃"}, {"varnothing", "∅"}, {"emptyset", "∅"}, {"forall", "∀"},
    {"exists", "∃"}, {"complement", "∁"}, {"bigcup", "⋃"}, {"bigcap", "⋂"}, {"partial", "∂"},
    {"surd", "√"}, {"because", "∵"}, {"therefore", "∴"}, {"Rightarrow", "⇒"}, {"implies", "⇒"},
    {"Leftarrow", "⇐"}, {"Leftrightarrow", "⇔"}, {"iff", "⇔"}, {"leftarrow", "←"}, {"gets", "←"},
    {"uparrow", "↑"}, {"downarrow", "↓"}, {"prime", "′"}, {"degree", "°"}, {"textdegree", "°"},
    {"backslash", "\\"}, {"&", "&"}, {"#", "#"}, {"$", "$"},
};

// LaTeX function names and the markup's.
constexpr NamedText kFunctions[] = {
    {"sin", "sin"}, {"cos", "cos"}, {"tan", "tg"}, {"tg", "tg"}, {"cot", "ctg"}, {"ctg", "ctg"},
    {"sec", "sec"}, {"csc", "csc"}, {"arcsin", "arcsin"}, {"arccos", "arccos"}, {"arctan", "arctg"},
    {"arctg", "arctg"}, {"arccot", "arcctg"}, {"arcctg", "arcctg"}, {"sinh", "sh"}, {"sh", "sh"},
    {"cosh", "ch"}, {"ch", "ch"}, {"tanh", "th"}, {"th", "th"}, {"ln", "ln"}, {"lg", "lg"},
    {"exp", "exp"}, {"sgn", "sgn"},
};

// Capitals that LaTeX writes as upright Latin letters: the writer's \mathrm{A} is the Greek Alpha.
constexpr std::pair<char32_t, std::string_view> kGreekTwins[] = {
    {U'A', "Α"}, {U'B', "Β"}, {U'E', "Ε"}, {U'Z', "Ζ"}, {U'H', "Η"}, {U'I', "Ι"}, {U'K', "Κ"},
    {U'M', "Μ"}, {U'N', "Ν"}, {U'O', "Ο"}, {U'P', "Ρ"}, {U'T', "Τ"}, {U'X', "Χ"},
};

// Operators: the markup's sign and its level (1 relation, 2 addition, 3 product).
struct OperatorForm {
    std::string_view name;
    std::string_view sign;
    int level;
};
constexpr OperatorForm kOperatorCommands[] = {
    {"pm", "±", 2}, {"times", "×", 3}, {"cdot", "·", 3}, {"ast", "*", 3}, {"div", "/", 3}, {"%", "%", 3},
    {"le", "<=", 1}, {"leq", "<=", 1}, {"leqslant", "<=", 1}, {"leqq", "<=", 1}, {"ge", ">=", 1},
    {"geq", ">=", 1}, {"geqslant", ">=", 1}, {"geqq", ">=", 1}, {"lt", "<", 1}, {"gt", ">", 1},
    {"ne", "≠", 1}, {"neq", "≠", 1}, {"equiv", "≡", 1}, {"approx", "≈", 1}, {"to", "→", 1},
    {"rightarrow", "→", 1}, {"perp", "⊥", 1}, {"parallel", "∥", 1}, {"cong", "≌", 1}, {"sim", "∽", 1},
    {"backsim", "∽", 1},
};
// clang-format on

std::optional<std::string_view> lookUp(const auto& table, std::string_view name) {
    for (const auto& row : table)
        if (row.name == name) return row.text;
    return std::nullopt;
}

std::optional<OperatorForm> operatorOfChar(char32_t c) {
    switch (c) {
    case U'+':
        return OperatorForm{"", "+", 2};
    case U'-':
    case U'−':
        return OperatorForm{"", "-", 2};
    case U'±':
        return OperatorForm{"", "±", 2};
    case U'*':
    case U'∗':
        return OperatorForm{"", "*", 3};
    case U'×':
        return OperatorForm{"", "×", 3};
    case U'·':
    case U'⋅':
        return OperatorForm{"", "·", 3};
    case U'/':
    case U'÷':
        return OperatorForm{"", "/", 3};
    case U'=':
        return OperatorForm{"", "=", 1};
    case U'<':
        return OperatorForm{"", "<", 1};
    case U'>':
        return OperatorForm{"", ">", 1};
    case U'≤':
        return OperatorForm{"", "<=", 1};
    case U'≥':
        return OperatorForm{"", ">=", 1};
    case U'≠':
        return OperatorForm{"", "≠", 1};
    case U'≡':
        return OperatorForm{"", "≡", 1};
    case U'≈':
        return OperatorForm{"", "≈", 1};
    case U'→':
        return OperatorForm{"", "→", 1};
    case U'⊥':
        return OperatorForm{"", "⊥", 1};
    case U'∥':
        return OperatorForm{"", "∥", 1};
    case U'≌':
        return OperatorForm{"", "≌", 1};
    case U'∽':
    case U'∼':
        return OperatorForm{"", "∽", 1};
    default:
        return std::nullopt;
    }
}

std::optional<OperatorForm> operatorOfCommand(std::string_view name) {
    for (const OperatorForm& form : kOperatorCommands)
        if (form.name == name) return form;
    return std::nullopt;
}

// Commands that only space. They end a number and a function's bare operand, nothing else.
bool isSpacing(std::string_view name) {
    for (std::string_view s : {",", ":", ";", "!", " ", ">", "quad", "qquad", "enspace", "thinspace",
                               "medspace", "thickspace", "negthinspace", "negmedspace", "negthickspace"})
        if (name == s) return true;
    return false;
}

// Commands that change only the size or style of what follows: dropped.
bool isIgnored(std::string_view name) {
    for (std::string_view s : {"displaystyle", "textstyle", "scriptstyle", "scriptscriptstyle",
                               "limits",       "nolimits",  "nonumber",    "notag",
                               "big",          "Big",       "bigg",        "Bigg",
                               "bigl",         "bigr",      "Bigl",        "Bigr",
                               "biggl",        "biggr",     "Biggl",       "Biggr",
                               "bigm",         "Bigm",      "biggm",       "Biggm"})
        if (name == s) return true;
    return false;
}

bool isTextCommand(std::string_view name) {
    for (std::string_view s : {"text", "mbox", "hbox", "textrm", "textnormal", "textit", "textbf", "textsf"})
        if (name == s) return true;
    return false;
}

// Commands whose argument is read as it stands: only the typeface changes.
bool isTypefaceCommand(std::string_view name) {
    for (std::string_view s : {"mathit", "mathbf", "boldsymbol", "bm", "mathsf", "mathnormal", "mathbb",
                               "mathcal", "mathscr", "mathfrak", "mathtt", "boxed"})
        if (name == s) return true;
    return false;
}

// ---------------------------------------------------------------------------------------------------
// Tokens.

enum class Tok : std::uint8_t { Char, Command, Open, Close, Sup, Sub, Amp, End };

struct Token {
    Tok kind = Tok::End;
    char32_t ch = 0;       // Char
    std::string name;      // Command, without the backslash: "frac", ",", "\\", "{"
    int pos = 1;           // 1-based code point
    bool spaced = false;   // a spacing command stands right before it
    bool skip = false;     // a pair of braces read as nothing ({a+b} in a product)
    std::size_t match = 0; // Open and Close: the index of the partner
};

class Tokenizer {
public:
    explicit Tokenizer(const std::u32string& text) : t_(text) {}

    std::vector<Token> run() {
        while (i_ < t_.size()) {
            const char32_t c = t_[i_];
            if (isBlank(c)) {
                ++i_;
            } else if (c == U'%') {
                while (i_ < t_.size() && t_[i_] != U'\n')
                    ++i_;
            } else if (c == U'\\') {
                command();
            } else if (c == U'~') {
                spaced_ = true;
                ++i_;
            } else if (c < 0x20 || c == 0x7F || c == U'\uFFFD') {
                refuse(position(), UI_TEXT("无法识别的字符"));
            } else {
                Token token;
                token.kind = c == U'{'   ? Tok::Open
                             : c == U'}' ? Tok::Close
                             : c == U'^' ? Tok::Sup
                             : c == U'_' ? Tok::Sub
                             : c == U'&' ? Tok::Amp
                                         : Tok::Char;
                token.ch = c;
                token.pos = position();
                push(std::move(token));
                ++i_;
            }
        }
        stripMathShift();
        matchBraces();
        Token end;
        end.pos = t_.empty() ? 1 : static_cast<int>(t_.size());
        out_.push_back(std::move(end));
        return std::move(out_);
    }

private:
    int position() const { return static_cast<int>(i_) + 1; }

    void push(Token token) {
        token.spaced = spaced_;
        spaced_ = false;
        out_.push_back(std::move(token));
    }

    void command() {
        const int at = position();
        std::size_t j = i_ + 1;
        if (j >= t_.size()) refuse(at, UI_TEXT("末尾的反斜杠“\\”后缺少命令"));
        std::string name;
        if (isAsciiLetter(t_[j])) {
            while (j < t_.size() && isAsciiLetter(t_[j]))
                name += static_cast<char>(t_[j++]);
        } else {
            appendUtf8(name, t_[j++]);
        }
        i_ = j;
        if (name == "hspace") {
            skipSpacingArgument(at);
            spaced_ = true;
            return;
        }
        if (isSpacing(name)) {
            spaced_ = true;
            return;
        }
        if (isIgnored(name)) return;
        Token token;
        token.pos = at;
        // Other spellings of the same delimiter.
        if (name == "lvert" || name == "rvert" || name == "vert") {
            token.kind = Tok::Char;
            token.ch = U'|';
        } else if (name == "lbrack" || name == "rbrack" || name == "lparen" || name == "rparen") {
            token.kind = Tok::Char;
            token.ch = name == "lbrack" ? U'[' : name == "rbrack" ? U']' : name == "lparen" ? U'(' : U')';
        } else {
            token.kind = Tok::Command;
            token.name = name == "lbrace" ? "{" : name == "rbrace" ? "}" : std::move(name);
        }
        push(std::move(token));
    }

    // \hspace{1em}: the braced length goes with the command.
    void skipSpacingArgument(int at) {
        if (i_ < t_.size() && t_[i_] == U'*') ++i_;
        while (i_ < t_.size() && isBlank(t_[i_]))
            ++i_;
        if (i_ >= t_.size() || t_[i_] != U'{') refuse(at, UI_TEXT("\\hspace缺少{…}"));
        int depth = 0;
        for (; i_ < t_.size(); ++i_) {
            if (t_[i_] == U'{') ++depth;
            if (t_[i_] == U'}' && --depth == 0) {
                ++i_;
                return;
            }
        }
        refuse(at, UI_TEXT("\\hspace的“{”没有配对的“}”"));
    }

    bool isChar(std::size_t k, char32_t c) const {
        return k < out_.size() && out_[k].kind == Tok::Char && out_[k].ch == c;
    }
    bool isCommand(std::size_t k, std::string_view name) const {
        return k < out_.size() && out_[k].kind == Tok::Command && out_[k].name == name;
    }

    // $…$, $$…$$, \[…\] and \(…\) around the whole formula.
    void stripMathShift() {
        const std::size_t n = out_.size();
        std::size_t cut = 0;
        if (n >= 4 && isChar(0, U'$') && isChar(1, U'$') && isChar(n - 2, U'$') && isChar(n - 1, U'$'))
            cut = 2;
        else if (n >= 2 && isChar(0, U'$') && isChar(n - 1, U'$'))
            cut = 1;
        else if (n >= 2 && ((isCommand(0, "[") && isCommand(n - 1, "]")) ||
                            (isCommand(0, "(") && isCommand(n - 1, ")"))))
            cut = 1;
        if (cut == 0) return;
        out_.erase(out_.end() - static_cast<std::ptrdiff_t>(cut), out_.end());
        out_.erase(out_.begin(), out_.begin() + static_cast<std::ptrdiff_t>(cut));
    }

    void matchBraces() {
        std::vector<std::size_t> open;
        for (std::size_t k = 0; k < out_.size(); ++k) {
            if (out_[k].kind == Tok::Open) {
                open.push_back(k);
            } else if (out_[k].kind == Tok::Close) {
                if (open.empty()) refuse(out_[k].pos, UI_TEXT("多余的“}”"));
                out_[k].match = open.back();
                out_[open.back()].match = k;
                open.pop_back();
            }
        }
        if (!open.empty()) refuse(out_[open.back()].pos, UI_TEXT("“{”没有配对的“}”"));
    }

    const std::u32string& t_;
    std::size_t i_ = 0;
    bool spaced_ = false;
    std::vector<Token> out_;
};

// ---------------------------------------------------------------------------------------------------
// The tree read from the LaTeX, written out as markup.

enum class NodeKind : std::uint8_t {
    Empty,     // nothing: a missing limit, an empty cell
    Leaf,      // a number, a name, a labelled name "x_ _1", signs
    Call,      // keyword(arguments)
    List,      // items of a list argument, joined by ";"
    Group,     // a typed bracket group: "(" "[" or "{" with its parts
    Chain,     // operands joined by operators of one level; "" is the product written as juxtaposition
    Signed,    // a leading sign
    Factorial, // x!
};

struct Node;
using NodePtr = std::unique_ptr<Node>;

struct Node {
    NodeKind kind = NodeKind::Empty;
    std::string text; // Leaf text, Call name, Group opening bracket, Signed sign
    std::vector<NodePtr> kids;
    std::vector<std::string> ops; // Chain: the operator before each operand after the first
    int level = 0;                // Chain: 1 relations, 2 additions, 3 products
};

NodePtr makeNode(NodeKind kind, std::string text = {}) {
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->text = std::move(text);
    return node;
}
NodePtr makeEmpty() {
    return makeNode(NodeKind::Empty);
}
NodePtr makeLeaf(std::string text) {
    return makeNode(NodeKind::Leaf, std::move(text));
}
template <typename... Kids> NodePtr makeCall(std::string name, Kids... kids) {
    NodePtr node = makeNode(NodeKind::Call, std::move(name));
    (node->kids.push_back(std::move(kids)), ...);
    return node;
}
NodePtr makeList(std::vector<NodePtr> items) {
    NodePtr node = makeNode(NodeKind::List);
    node->kids = std::move(items);
    return node;
}

bool isOperatorExpression(const Node& node) {
    return node.kind == NodeKind::Chain || node.kind == NodeKind::Signed;
}
bool isEmpty(const Node& node) {
    return node.kind == NodeKind::Empty;
}
// A leaf that is a name or number, not a labelled name.
bool isPlainLeaf(const Node& node) {
    return node.kind == NodeKind::Leaf && !node.text.empty() && node.text.find('_') == std::string::npos;
}
bool isNumberLeaf(const Node& node) {
    return node.kind == NodeKind::Leaf && !node.text.empty() &&
           std::all_of(node.text.begin(), node.text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

// The code point that starts at byte i (the text is valid UTF-8: it was written from code points).
char32_t charAt(std::string_view text, std::size_t i) {
    char32_t c = 0;
    return i < text.size() && utf8SequenceAt(text, i, &c) > 0 ? c : 0;
}
char32_t firstChar(std::string_view text) {
    return charAt(text, 0);
}
char32_t lastChar(std::string_view text) {
    // The last code point starts at the last byte that is no continuation byte.
    std::size_t i = text.size();
    while (i > 0 && (static_cast<unsigned char>(text[i - 1]) & 0xC0) == 0x80)
        --i;
    return i == 0 ? 0 : charAt(text, i - 1);
}

// Two leaves that stand side by side as one: a sign beside a name (∠A, 90°, x∈A), or a figure's name
// taking its capitals (△ABC).
bool joins(const Node& left, const Node& right) {
    if (!isPlainLeaf(left) || !isPlainLeaf(right)) return false;
    const char32_t before = lastChar(left.text);
    const char32_t after = firstChar(right.text);
    if (isJoiningSymbol(before) || isJoiningSymbol(after)) return true;
    return isFigureSign(firstChar(left.text)) && right.text.size() == 1 && after >= U'A' && after <= U'Z';
}

class MarkupWriter {
public:
    std::string take() { return std::move(out_); }

    void node(const Node& n) {
        switch (n.kind) {
        case NodeKind::Empty:
            return;
        case NodeKind::Leaf:
            out_ += n.text;
            return;
        case NodeKind::Call:
            out_ += n.text;
            out_ += '(';
            joined(n, ",");
            out_ += ')';
            return;
        case NodeKind::List:
            joined(n, ";");
            return;
        case NodeKind::Group:
            out_ += n.text;
            joined(n, ",");
            out_ += n.text == "(" ? ')' : n.text == "[" ? ']' : '}';
            return;
        case NodeKind::Chain:
            for (std::size_t k = 0; k < n.kids.size(); ++k) {
                const Node& operand = *n.kids[k];
                if (k > 0) out_ += n.ops[k - 1].empty() ? "*" : n.ops[k - 1];
                // The markup reads a sign after +, - or a product as a missing operand: a signed operand
                // there is bracketed. After a relation (x=-1) it is read as a sign.
                if (k > 0 && n.level > 1 && operand.kind == NodeKind::Signed)
                    bracketed(operand);
                else
                    node(operand);
            }
            return;
        case NodeKind::Signed: {
            out_ += n.text;
            const Node& operand = *n.kids.front();
            if (operand.kind == NodeKind::Signed || (operand.kind == NodeKind::Chain && operand.level < 3))
                bracketed(operand);
            else
                node(operand);
            return;
        }
        case NodeKind::Factorial: {
            const Node& operand = *n.kids.front();
            if (operand.kind == NodeKind::Leaf || operand.kind == NodeKind::Call ||
                operand.kind == NodeKind::Group || operand.kind == NodeKind::Factorial) {
                node(operand);
                out_ += '!';
            } else {
                out_ += "fac(";
                node(operand);
                out_ += ')';
            }
            return;
        }
        }
    }

private:
    void joined(const Node& n, const char* separator) {
        for (std::size_t k = 0; k < n.kids.size(); ++k) {
            if (k > 0) out_ += separator;
            node(*n.kids[k]);
        }
    }
    void bracketed(const Node& n) {
        out_ += '(';
        node(n);
        out_ += ')';
    }

    std::string out_;
};

// ---------------------------------------------------------------------------------------------------
// The parser: recursive descent over the tokens. Every recursion passes through atom(), which counts
// the nesting and refuses it beyond the markup's limit.

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    NodePtr formula() {
        if (NodePtr sign = loneSign()) return sign;
        if (peek().kind == Tok::End) refuse(peek().pos, UI_TEXT("没有可以转换的公式"));
        NodePtr node = conditional();
        if (peek().kind != Tok::End) unexpected(peek());
        return node;
    }

private:
    // ----- Token access

    // Steps over what reads as nothing: braces read through, an empty {} that carries no script, an
    // empty \text{}.
    void normalize() {
        for (;;) {
            const Token& t = tokens_[i_];
            if (t.skip) {
                ++i_;
            } else if (t.kind == Tok::Open && t.match == i_ + 1 && !isScript(i_ + 2)) {
                i_ += 2;
            } else if (t.kind == Tok::Command && isTextCommand(t.name) && tokens_[i_ + 1].kind == Tok::Open &&
                       tokens_[i_ + 1].match == i_ + 2) {
                i_ += 3;
            } else {
                return;
            }
        }
    }
    const Token& peek() {
        normalize();
        return tokens_[i_];
    }
    // The token right here, for arguments and scripts: only braces read through are stepped over.
    const Token& raw() {
        while (tokens_[i_].skip)
            ++i_;
        return tokens_[i_];
    }
    // The index of the next token after index k that is not stepped over.
    std::size_t after(std::size_t k) const {
        if (tokens_[k].kind == Tok::End) return k;
        ++k;
        while (tokens_[k].skip)
            ++k;
        return k;
    }
    const Token& take() {
        const Token& t = peek();
        if (t.kind != Tok::End) ++i_;
        return t;
    }
    const Token& takeRaw() {
        const Token& t = raw();
        if (t.kind != Tok::End) ++i_;
        return t;
    }
    // Lookahead past the end reads the end.
    const Token& tokenAt(std::size_t k) const { return k < tokens_.size() ? tokens_[k] : tokens_.back(); }
    bool isScript(std::size_t k) const { return tokens_[k].kind == Tok::Sup || tokens_[k].kind == Tok::Sub; }
    static bool isChar(const Token& t, char32_t c) { return t.kind == Tok::Char && t.ch == c; }
    static bool isCommand(const Token& t, std::string_view name) {
        return t.kind == Tok::Command && t.name == name;
    }

    [[noreturn]] void unexpected(const Token& t) {
        switch (t.kind) {
        case Tok::End:
            refuse(t.pos, UI_TEXT("公式不完整，后面缺少内容"));
        case Tok::Close:
            refuse(t.pos, UI_TEXT("多余的“}”"));
        case Tok::Sup:
        case Tok::Sub:
            refuse(t.pos, UI_TEXT("上标或下标前缺少内容"));
        case Tok::Amp:
            refuse(t.pos, UI_TEXT("“&”只能用在矩阵、行列式或cases中"));
        case Tok::Command:
            if (t.name == "\\") refuse(t.pos, UI_TEXT("换行“\\\\”只能用在矩阵、行列式或cases中"));
            if (t.name == "right") refuse(t.pos, UI_TEXT("多余的“\\right”"));
            refuse(t.pos, fillTemplate(UI_TEXT("此处不能有“\\%1”"), {t.name}));
        case Tok::Open:
        case Tok::Char:
            break;
        }
        std::string c;
        appendUtf8(c, t.ch);
        refuse(t.pos, fillTemplate(UI_TEXT("此处不能有“%1”"), {c}));
    }

    // ----- Nesting and context

    // One level of nesting for every atom being read.
    class Deeper {
    public:
        Deeper(Parser& p, int pos) : p_(p) {
            if (++p_.depth_ > kMaxNesting + 1)
                refuse(pos, fillTemplate(kTooDeep, {std::to_string(kMaxNesting)}));
        }
        ~Deeper() { --p_.depth_; }
        Deeper(const Deeper&) = delete;
        Deeper& operator=(const Deeper&) = delete;

    private:
        Parser& p_;
    };

    // Inside braces and brackets, bars of an outer |x| cannot close and an integral's dx is not looked for.
    class Inner {
    public:
        explicit Inner(Parser& p, int bars = 0) : p_(p), bars_(p.bars_), differential_(p.differentialStop_) {
            p_.bars_ = bars;
            p_.differentialStop_ = false;
        }
        ~Inner() {
            p_.bars_ = bars_;
            p_.differentialStop_ = differential_;
        }
        Inner(const Inner&) = delete;
        Inner& operator=(const Inner&) = delete;

    private:
        Parser& p_;
        int bars_;
        bool differential_;
    };

    // ----- Operators

    std::optional<OperatorForm> operatorHere() {
        const Token& t = peek();
        if (t.kind == Tok::Char) {
            if (t.ch == U'∓') refuse(t.pos, UI_TEXT("公式中没有“∓”"));
            return operatorOfChar(t.ch);
        }
        if (t.kind != Tok::Command) return std::nullopt;
        if (t.name == "mp") refuse(t.pos, UI_TEXT("公式中没有“∓”"));
        if (t.name == "not" && isChar(tokens_[after(i_)], U'=')) return OperatorForm{"not", "≠", 1};
        return operatorOfCommand(t.name);
    }
    void takeOperator(const OperatorForm& form) {
        take();
        if (form.name == "not") takeRaw();
    }

    std::optional<std::string_view> signHere() {
        const Token& t = peek();
        if (t.kind == Tok::Char && (t.ch == U'+' || t.ch == U'-' || t.ch == U'−' || t.ch == U'±'))
            return t.ch == U'+' ? "+" : t.ch == U'±' ? "±" : "-";
        if (isCommand(t, "pm")) return "±";
        return std::nullopt;
    }

    // True when t can begin an operand: not an operator, closing bracket or separator.
    bool startsFactor(const Token& t) {
        switch (t.kind) {
        case Tok::Open:
            return true;
        case Tok::Char:
            if (operatorOfChar(t.ch) || t.ch == U'∓') return false;
            switch (t.ch) {
            case U')':
            case U']':
            case U',':
            case U';':
            case U'!':
            case U'\'':
            case U'.':
                return t.ch == U'.';
            default:
                return true;
            }
        case Tok::Command:
            if (operatorOfCommand(t.name)) return false;
            for (std::string_view s : {"right", "}", "end", "\\", "mp", "hline"})
                if (t.name == s) return false;
            return !(t.name == "not" && isChar(tokens_[after(i_)], U'='));
        default:
            return false;
        }
    }

    // Operands that a function's bare operand runs on (sin 2x): numbers, letters, fractions, roots.
    static bool simpleStart(const Token& t) {
        if (t.kind == Tok::Char)
            return isDigit(t.ch) || t.ch == U'.' || isAsciiLetter(t.ch) || isGreek(t.ch) || t.ch == U'∞';
        if (t.kind != Tok::Command) return false;
        if (lookUp(kLetters, t.name)) return true;
        for (std::string_view s : {"frac", "dfrac", "tfrac", "sqrt"})
            if (t.name == s) return true;
        return isTypefaceCommand(t.name);
    }

    // ----- Expressions

    NodePtr conditional() {
        NodePtr value = expression();
        if (!isChar(peek(), U',')) return value;
        take();
        std::vector<NodePtr> conditions = conditionList();
        if (conditions.empty()) return value; // a trailing comma, as the writer puts before "&"
        return attachConditions(std::move(value), std::move(conditions));
    }

    bool atListEnd() {
        const Token& t = peek();
        return t.kind == Tok::End || t.kind == Tok::Amp || isCommand(t, "\\") || isCommand(t, "end");
    }

    std::vector<NodePtr> conditionList() {
        std::vector<NodePtr> items;
        while (!atListEnd()) {
            skipConditionWord();
            items.push_back(expression());
            if (static_cast<long long>(items.size()) > kMaxListItems)
                refuse(peek().pos, fillTemplate(UI_TEXT("条件超过了%1个"), {std::to_string(kMaxListItems)}));
            if (!isChar(peek(), U',')) break;
            take();
        }
        return items;
    }

    // The conditions belong to the last side of a relation: f(x)=x, x>0 is f(x)=con(1,x,x>0).
    static NodePtr attachConditions(NodePtr value, std::vector<NodePtr> conditions) {
        const std::string count = std::to_string(conditions.size());
        if (value->kind == NodeKind::Chain && value->level == 1) {
            NodePtr& last = value->kids.back();
            last = makeCall("con", makeLeaf(count), std::move(last), makeList(std::move(conditions)));
            return value;
        }
        return makeCall("con", makeLeaf(count), std::move(value), makeList(std::move(conditions)));
    }

    // The words before a condition (\text{if } x>0) and a line without one (\text{otherwise}).
    std::optional<std::u32string> textWordAt(std::size_t k) const {
        const Token& t = tokens_[k];
        if (t.kind != Tok::Command || !isTextCommand(t.name) || tokens_[k + 1].kind != Tok::Open)
            return std::nullopt;
        std::u32string word;
        for (std::size_t j = k + 2; j < tokens_[k + 1].match; ++j) {
            if (tokens_[j].kind != Tok::Char) return std::nullopt;
            const char32_t c = tokens_[j].ch;
            word += c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
        }
        return word;
    }
    void skipConditionWord() {
        peek();
        const auto word = textWordAt(i_);
        if (!word) return;
        for (std::u32string_view w : {U"if", U"for", U"when", U"where", U"当", U"若", U"如果", U"其中"})
            if (*word == w) {
                i_ = tokens_[i_ + 1].match + 1;
                return;
            }
    }
    bool takeOtherwise() {
        peek();
        const auto word = textWordAt(i_);
        if (!word) return false;
        for (std::u32string_view w : {U"otherwise", U"else", U"其他", U"其它", U"否则"})
            if (*word == w) {
                i_ = tokens_[i_ + 1].match + 1;
                return true;
            }
        return false;
    }

    // Relations (level 1) over sums.
    NodePtr expression(bool relations = true) {
        NodePtr first = additive();
        std::optional<OperatorForm> op = operatorHere();
        if (!relations || !op || op->level != 1) return first;
        NodePtr chain = makeNode(NodeKind::Chain);
        chain->level = 1;
        chain->kids.push_back(std::move(first));
        while (op && op->level == 1) {
            takeOperator(*op);
            chain->ops.emplace_back(op->sign);
            chain->kids.push_back(additive());
            op = operatorHere();
        }
        return chain;
    }

    NodePtr additive() {
        NodePtr first = signedProduct();
        std::optional<OperatorForm> op = operatorHere();
        if (!op || op->level != 2) return first;
        NodePtr chain = makeNode(NodeKind::Chain);
        chain->level = 2;
        chain->kids.push_back(std::move(first));
        while (op && op->level == 2) {
            takeOperator(*op);
            chain->ops.emplace_back(op->sign);
            chain->kids.push_back(signedProduct());
            op = operatorHere();
        }
        return chain;
    }

    // Leading signs, then a product: -ab.
    NodePtr signedProduct() {
        return afterSigns([this] { return product(); });
    }

    // Leading signs, then what next reads; each sign becomes a node over it.
    template <class Next> NodePtr afterSigns(Next next) {
        std::vector<std::string_view> signs;
        while (const auto sign = signHere()) {
            if (static_cast<int>(signs.size()) >= kMaxNesting)
                refuse(peek().pos, fillTemplate(kTooDeep, {std::to_string(kMaxNesting)}));
            signs.push_back(*sign);
            take();
        }
        NodePtr node = next();
        for (auto s = signs.rbegin(); s != signs.rend(); ++s) {
            NodePtr sign = makeNode(NodeKind::Signed, std::string(*s));
            sign->kids.push_back(std::move(node));
            node = std::move(sign);
        }
        return node;
    }

    // Factors joined by × · / % * or written side by side.
    NodePtr product() {
        NodePtr chain = makeNode(NodeKind::Chain);
        chain->level = 3;
        chain->kids.push_back(factor());
        for (;;) {
            if (const auto op = operatorHere(); op && op->level == 3) {
                takeOperator(*op);
                chain->ops.emplace_back(op->sign);
                if (op->sign == "%") // 50% has no right operand; a%b is the markup's mod
                    chain->kids.push_back(startsFactor(peek()) ? factor() : makeEmpty());
                else
                    chain->kids.push_back(signedFactor());
                continue;
            }
            const Token& t = peek();
            if (differentialStop_ && atDifferential()) break;
            if (isChar(t, U'|') && bars_ > 0) break;
            if (!startsFactor(t)) break;
            juxtapose(*chain, factor());
        }
        if (chain->kids.size() == 1) return std::move(chain->kids.front());
        return chain;
    }

    NodePtr signedFactor() {
        return afterSigns([this] { return factor(); });
    }

    // A factor written right after the last one: a product, or one leaf with it (∠A, 90°).
    static void juxtapose(Node& chain, NodePtr next) {
        Node& last = *chain.kids.back();
        if (joins(last, *next)) {
            last.text += next->text;
            return;
        }
        chain.ops.emplace_back();
        chain.kids.push_back(std::move(next));
    }

    NodePtr factor() { return postfix(atom()); }

    // ----- Scripts, primes and factorials after an atom

    NodePtr postfix(NodePtr base) {
        int wraps = 0;
        for (;;) {
            const Token& t = raw();
            if (t.kind == Tok::Sup || t.kind == Tok::Sub) {
                const int pos = t.pos;
                if (t.kind == Tok::Sup) {
                    if (const auto sign = markSuperscript()) {
                        base = appendSign(std::move(base), *sign);
                        continue;
                    }
                }
                NodePtr sub;
                NodePtr sup;
                while (raw().kind == Tok::Sup || raw().kind == Tok::Sub) {
                    NodePtr& slot = raw().kind == Tok::Sub ? sub : sup;
                    if (slot) refuse(raw().pos, UI_TEXT("重复的上标或下标"));
                    const int at = takeRaw().pos;
                    slot = scriptArgument(at);
                }
                base = withScripts(std::move(base), std::move(sub), std::move(sup), pos);
            } else if (isChar(t, U'\'')) {
                takeRaw();
                base = appendSign(std::move(base), "′");
                continue;
            } else if (isChar(t, U'!')) {
                takeRaw();
                NodePtr fac = makeNode(NodeKind::Factorial);
                fac->kids.push_back(std::move(base));
                base = std::move(fac);
            } else {
                return base;
            }
            if (++wraps > kMaxNesting) refuse(t.pos, fillTemplate(kTooDeep, {std::to_string(kMaxNesting)}));
        }
    }

    // ^{\circ}, ^\circ, ^{\prime\prime}: the degree and prime signs, which the writer writes this way.
    std::optional<std::string> markSuperscript() {
        const std::size_t sup = i_;
        std::size_t k = after(sup);
        const auto mark = [](const Token& t) -> std::optional<std::string> {
            if (isCommand(t, "circ")) return "°";
            if (isCommand(t, "prime")) return "′";
            return std::nullopt;
        };
        if (auto sign = mark(tokens_[k])) {
            i_ = after(k);
            return sign;
        }
        if (tokens_[k].kind != Tok::Open) return std::nullopt;
        const std::size_t close = tokens_[k].match;
        std::string signs;
        for (std::size_t j = k + 1; j < close; ++j) {
            const auto sign = mark(tokens_[j]);
            if (!sign || (*sign == "°" && close - k != 2)) return std::nullopt;
            signs += *sign;
        }
        if (signs.empty()) return std::nullopt;
        i_ = close + 1;
        return signs;
    }

    static NodePtr appendSign(NodePtr base, const std::string& sign) {
        if (isPlainLeaf(*base)) {
            base->text += sign;
            return base;
        }
        if (base->kind == NodeKind::Chain && base->level == 3 && isPlainLeaf(*base->kids.back()) &&
            isJoiningSymbol(firstChar(base->kids.back()->text))) {
            base->kids.back()->text += sign;
            return base;
        }
        NodePtr chain = makeNode(NodeKind::Chain);
        chain->level = 3;
        chain->kids.push_back(std::move(base));
        chain->ops.emplace_back();
        chain->kids.push_back(makeLeaf(sign));
        return chain;
    }

    // The text of a subscript that can be part of a name: letters and digits (x_{ij}, a_{12}, x_{\alpha}).
    static std::optional<std::string> nameText(const Node& sub) {
        if (isPlainLeaf(sub)) return sub.text;
        if (sub.kind != NodeKind::Chain || sub.level != 3) return std::nullopt;
        std::string text;
        for (std::size_t k = 0; k < sub.kids.size(); ++k) {
            if ((k > 0 && !sub.ops[k - 1].empty()) || !isPlainLeaf(*sub.kids[k])) return std::nullopt;
            text += sub.kids[k]->text;
        }
        return text;
    }

    // The arrangement signs: C_n^k, P_n^k, and A_n^k as Chinese books write P.
    static std::optional<std::string> arrangementName(const Node& base) {
        if (base.kind != NodeKind::Leaf) return std::nullopt;
        if (base.text == "C") return "C";
        if (base.text == "P" || base.text == "A") return "P";
        return std::nullopt;
    }

    static NodePtr ownGroupDropped(NodePtr node) {
        if (node->kind == NodeKind::Group && node->text == "(" && node->kids.size() == 1)
            return std::move(node->kids.front());
        return node;
    }

    NodePtr withScripts(NodePtr base, NodePtr sub, NodePtr sup, int pos) {
        if (sub && sup) {
            if (const auto name = arrangementName(*base))
                return makeCall(*name, std::move(sub), std::move(sup));
        }
        if (sub) {
            if (isEmpty(*sub)) refuse(pos, UI_TEXT("下标中没有内容"));
            const auto name = nameText(*sub);
            if (isPlainLeaf(*base) && name)
                base = makeLeaf(base->text + "_ _" + *name);
            else
                base = makeCall("tab", makeEmpty(), std::move(sub), std::move(base));
        }
        if (sup) {
            if (isEmpty(*sup)) refuse(pos, UI_TEXT("上标中没有内容"));
            if (base->kind == NodeKind::Leaf && base->text == "e") return makeCall("exp", std::move(sup));
            if (isNumberLeaf(*base) && !isNumberLeaf(*sup))
                return makeCall("ind", std::move(base), std::move(sup));
            return makeCall("cub", ownGroupDropped(std::move(base)), std::move(sup));
        }
        return base;
    }

    // ----- Arguments: {…}, or a single character or command as TeX takes it (\frac12, x^2).

    NodePtr argument(int ownerPos) {
        const Token& t = raw();
        switch (t.kind) {
        case Tok::Open: {
            const std::size_t close = t.match;
            takeRaw();
            if (raw().kind == Tok::Close && i_ == close) {
                ++i_;
                return makeEmpty();
            }
            Inner inner(*this);
            NodePtr node = expression();
            expectClose(close);
            return node;
        }
        case Tok::Char: {
            const char32_t c = t.ch;
            if (isDigit(c) || isAsciiLetter(c) || isGreek(c) || c == U'∞' || c == U'.' ||
                isJoiningSymbol(c)) {
                std::string text;
                appendUtf8(text, c);
                takeRaw();
                return makeLeaf(text);
            }
            break;
        }
        case Tok::Command:
            if (startsFactor(t)) return atom();
            break;
        default:
            break;
        }
        refuse(t.kind == Tok::End ? ownerPos : t.pos, UI_TEXT("缺少参数（多个字符请用{}括起）"));
    }

    NodePtr scriptArgument(int ownerPos) { return argument(ownerPos); }

    NodePtr requiredArgument(int ownerPos, const std::string& what) {
        NodePtr node = argument(ownerPos);
        if (isEmpty(*node)) refuse(ownerPos, fillTemplate(UI_TEXT("%1中没有内容"), {what}));
        return node;
    }

    void expectClose(std::size_t close) {
        const Token& t = peek();
        if (t.kind != Tok::Close || i_ != close) unexpected(t);
        ++i_;
    }

    // ----- Atoms

    NodePtr atom() {
        // Braces that carry no script are read through: {a+b}c is a+bc, as TeX sets it.
        for (;;) {
            const Token& t = peek();
            if (t.kind != Tok::Open || t.match == i_ + 1 || isScript(t.match + 1)) break;
            tokens_[i_].skip = true;
            tokens_[t.match].skip = true;
        }
        const Token& t = peek();
        Deeper deeper(*this, t.pos);
        switch (t.kind) {
        case Tok::Char:
            return charAtom();
        case Tok::Open:
            return braceAtom();
        case Tok::Command:
            return commandAtom();
        default:
            unexpected(t);
        }
    }

    NodePtr charAtom() {
        const Token& t = peek();
        const char32_t c = t.ch;
        if (isDigit(c) || c == U'.') {
            std::string number;
            for (;;) {
                appendUtf8(number, take().ch);
                const Token& next = raw();
                if (next.kind != Tok::Char || next.spaced || !(isDigit(next.ch) || next.ch == U'.')) break;
            }
            return makeLeaf(number);
        }
        if (isAsciiLetter(c)) {
            take();
            if (c == U'f' && parenthesisNext()) return call("f");
            return makeLeaf(std::string(1, static_cast<char>(c)));
        }
        if (c == U'(' || c == U'[') return group();
        if (c == U'|') return bars();
        if (c == U'$' || c == U'#') unexpected(t);
        if (c == U'@' || isGreek(c) || c == U'∞' || isJoiningSymbol(c)) {
            std::string text;
            appendUtf8(text, take().ch);
            return makeLeaf(text);
        }
        if (c >= 0x80 && !operatorOfChar(c) && c != U'∓') {
            // Chinese text and other characters: one name, as the writer's \text{…}.
            std::string text;
            for (;;) {
                appendUtf8(text, take().ch);
                const Token& next = raw();
                if (next.kind != Tok::Char || next.ch < 0x80 || isGreek(next.ch) || next.ch == U'∞' ||
                    isJoiningSymbol(next.ch) || operatorOfChar(next.ch) || next.ch == U'∓')
                    break;
            }
            return makeLeaf(text);
        }
        unexpected(t);
    }

    // {…} followed by a script: the braces hold the base ({x_1}^2, MathType's {{x}^{2}}). An empty {}
    // carries a sign: {}^{\circ} is °, {}^{\prime} is ′, {}^{0}\!/_{00} is ‰.
    NodePtr braceAtom() {
        const std::size_t open = i_;
        const Token& t = tokens_[open];
        const std::size_t close = t.match;
        if (close == open + 1) {
            if (permilleAt(open)) return makeLeaf("‰");
            i_ = close + 1;
            if (raw().kind == Tok::Sup) {
                if (auto sign = markSuperscript()) return makeLeaf(*sign);
            }
            refuse(t.pos, UI_TEXT("上标或下标前缺少内容"));
        }
        ++i_;
        Inner inner(*this);
        NodePtr node = expression();
        expectClose(close);
        return node;
    }

    bool permilleAt(std::size_t open) {
        // {}^{0}\!/_{00}; the spacing \! is no token.
        const auto charAt = [&](std::size_t k, char32_t c) { return isChar(tokenAt(k), c); };
        const std::size_t k = open + 2;
        const auto kindAt = [&](std::size_t at, Tok kind) { return tokenAt(at).kind == kind; };
        if (!(kindAt(k, Tok::Sup) && kindAt(k + 1, Tok::Open) && charAt(k + 2, U'0') &&
              kindAt(k + 3, Tok::Close) && charAt(k + 4, U'/') && kindAt(k + 5, Tok::Sub) &&
              kindAt(k + 6, Tok::Open) && charAt(k + 7, U'0') && charAt(k + 8, U'0') &&
              kindAt(k + 9, Tok::Close)))
            return false;
        i_ = k + 10;
        return true;
    }

    NodePtr commandAtom() {
        const Token& t = peek();
        const std::string& name = t.name;
        const int pos = t.pos;
        if (const auto letter = lookUp(kLetters, name)) {
            take();
            return makeLeaf(std::string(*letter));
        }
        if (const auto symbol = lookUp(kSymbols, name)) {
            take();
            return makeLeaf(std::string(*symbol));
        }
        if (const auto function = lookUp(kFunctions, name)) {
            take();
            return namedFunction(std::string(*function), pos);
        }
        if (name == "log") {
            take();
            return logarithm(pos);
        }
        if (name == "frac" || name == "dfrac" || name == "tfrac" || name == "cfrac") {
            take();
            return fraction(pos);
        }
        if (name == "binom" || name == "dbinom" || name == "tbinom") {
            take();
            NodePtr n = requiredArgument(pos, "\\binom");
            NodePtr k = requiredArgument(pos, "\\binom");
            return makeCall("C", std::move(n), std::move(k));
        }
        if (name == "sqrt") {
            take();
            return root(pos);
        }
        if (name == "overrightarrow" || name == "vec") {
            take();
            return makeCall("vec", vectorName(requiredArgument(pos, UI_TEXT("向量"))));
        }
        if (name == "sum" || name == "prod") {
            take();
            return bigOperator(name, pos);
        }
        if (name == "int") {
            take();
            return integral(pos);
        }
        if (name == "lim") {
            take();
            return limit(pos);
        }
        if (name == "left") return leftRight();
        if (name == "{") return group();
        if (name == "begin") return environment(0);
        if (name == "mathrm" || name == "operatorname" || name == "mathup" || name == "textup") {
            take();
            return upright(name, pos);
        }
        if (isTextCommand(name)) {
            take();
            return text(pos);
        }
        if (isTypefaceCommand(name)) {
            take();
            return requiredArgument(pos, "\\" + name);
        }
        if (name == "not") {
            take();
            const Token& next = raw();
            if (isCommand(next, "in")) {
                takeRaw();
                return makeLeaf("∉");
            }
            if (isCommand(next, "subset")) {
                takeRaw();
                return makeLeaf("⊄");
            }
            refuse(pos, UI_TEXT("公式中没有这个“\\not”"));
        }
        if (name == "mp") refuse(pos, UI_TEXT("公式中没有“∓”"));
        refuse(pos, fillTemplate(UI_TEXT("无法识别的命令“\\%1”"), {name}));
    }

    // ----- Brackets

    bool parenthesisNext() {
        const Token& t = peek();
        return isChar(t, U'(') || (isCommand(t, "left") && isChar(tokens_[after(i_)], U'('));
    }

    // (…), […] or \{…\}: a typed bracket group, its parts separated by commas.
    NodePtr group() {
        const Token& open = take();
        const int pos = open.pos;
        const std::string opening = open.kind == Tok::Command ? "{" : open.ch == U'(' ? "(" : "[";
        Inner inner(*this);
        NodePtr node = groupParts(opening, pos);
        const Token& close = peek();
        const bool closes = opening == "("   ? isChar(close, U')')
                            : opening == "[" ? isChar(close, U']')
                                             : isCommand(close, "}");
        if (!closes) {
            if (isChar(close, U')') || isChar(close, U']') || isCommand(close, "}") ||
                isCommand(close, "right"))
                refuse(close.pos, UI_TEXT("括号不配对"));
            if (close.kind == Tok::End) refuse(pos, UI_TEXT("括号没有配对"));
            unexpected(close);
        }
        take();
        return node;
    }

    NodePtr groupParts(const std::string& opening, int pos) {
        NodePtr node = makeNode(NodeKind::Group, opening);
        if (!startsFactor(peek()) && !signHere()) refuse(pos, UI_TEXT("括号中没有内容"));
        for (;;) {
            node->kids.push_back(expression());
            if (!isChar(peek(), U',')) break;
            take();
        }
        return node;
    }

    // f(x, y): the markup's generic function; its parts are its arguments.
    NodePtr call(const std::string& name) {
        NodePtr parts = isCommand(peek(), "left") ? leftRight() : group();
        if (parts->kind == NodeKind::Group && parts->text == "(" && !parts->kids.empty() &&
            parts->kids.size() <= 3) {
            NodePtr node = makeNode(NodeKind::Call, name);
            node->kids = std::move(parts->kids);
            return node;
        }
        NodePtr chain = makeNode(NodeKind::Chain);
        chain->level = 3;
        chain->kids.push_back(makeLeaf(name));
        chain->ops.emplace_back();
        chain->kids.push_back(std::move(parts));
        return chain;
    }

    // |x|: a bar opens where an operand may begin and closes after one.
    NodePtr bars() {
        const int pos = take().pos;
        NodePtr content;
        {
            Inner inner(*this, bars_ + 1);
            content = expression();
        }
        if (!isChar(peek(), U'|')) refuse(pos, UI_TEXT("绝对值的“|”没有配对"));
        take();
        return makeCall("abs", std::move(content));
    }

    char32_t delimiter(int pos) {
        const Token& t = takeRaw();
        if (t.kind == Tok::Char &&
            (t.ch == U'(' || t.ch == U')' || t.ch == U'[' || t.ch == U']' || t.ch == U'|' || t.ch == U'.'))
            return t.ch;
        if (isCommand(t, "{")) return U'{';
        if (isCommand(t, "}")) return U'}';
        refuse(t.kind == Tok::End ? pos : t.pos, UI_TEXT("\\left或\\right后的括号无法转换"));
    }

    static char32_t closing(char32_t open) {
        switch (open) {
        case U'(':
            return U')';
        case U'[':
            return U']';
        case U'{':
            return U'}';
        default:
            return open;
        }
    }

    // \left( … \right) and its kin; a matrix, determinant or system between them.
    NodePtr leftRight() {
        const int pos = take().pos;
        const char32_t open = delimiter(pos);
        if (open == U')' || open == U']' || open == U'}') refuse(pos, UI_TEXT("\\left后的括号方向不对"));
        Inner inner(*this);
        const std::string opening = open == U'(' ? "(" : open == U'[' ? "[" : open == U'{' ? "{" : "|";
        NodePtr node;
        bool fenced = false;
        if (isCommand(peek(), "begin")) {
            node = environment(open == U'.' ? 0 : open, &fenced);
            if (!fenced) {
                if (open == U'.') refuse(pos, UI_TEXT("\\left.只能用在方程组（\\left\\{…\\right.）中"));
                NodePtr wrapped = makeNode(NodeKind::Group, opening);
                wrapped->kids.push_back(std::move(node));
                node = std::move(wrapped);
            }
        } else {
            if (open == U'.') refuse(pos, UI_TEXT("\\left.只能用在方程组（\\left\\{…\\right.）中"));
            node = groupParts(opening, pos);
        }
        const Token& right = peek();
        if (!isCommand(right, "right")) {
            if (right.kind == Tok::End) refuse(pos, UI_TEXT("\\left没有配对的\\right"));
            unexpected(right);
        }
        const int rightPos = take().pos;
        const char32_t close = delimiter(rightPos);
        if (fenced) {
            if (close != closing(open) && !(open == U'{' && close == U'.'))
                refuse(rightPos, UI_TEXT("括号不配对"));
            return node;
        }
        if (close != closing(open)) refuse(rightPos, UI_TEXT("括号不配对"));
        if (open == U'|') {
            if (node->kids.size() != 1) refuse(pos, UI_TEXT("绝对值中不能有逗号"));
            return makeCall("abs", std::move(node->kids.front()));
        }
        return node;
    }

    // ----- Functions

    // sin x, sin(x+1), sin 2x, sin^2 x.
    NodePtr namedFunction(const std::string& markup, int pos) {
        NodePtr power;
        if (raw().kind == Tok::Sup) {
            const int at = takeRaw().pos;
            power = scriptArgument(at);
            if (isEmpty(*power)) refuse(at, UI_TEXT("上标中没有内容"));
        }
        if (raw().kind == Tok::Sub) refuse(raw().pos, UI_TEXT("函数名后不能有下标"));
        NodePtr node = makeCall(markup, operand(pos));
        if (power) node = makeCall("cub", std::move(node), std::move(power));
        return node;
    }

    // The operand of a function: its brackets, or the factors written after it (sin 2x is sin(2x)).
    NodePtr operand(int ownerPos) {
        if (parenthesisNext()) {
            NodePtr parts = isCommand(peek(), "left") ? leftRight() : group();
            if (parts->kind == NodeKind::Group && parts->kids.size() == 1)
                return std::move(parts->kids.front());
            return parts;
        }
        const Token& t = peek();
        if (!startsFactor(t) || (isChar(t, U'|') && bars_ > 0) || (differentialStop_ && atDifferential()))
            refuse(t.kind == Tok::End ? ownerPos : t.pos, UI_TEXT("函数缺少自变量"));
        if (!simpleStart(t)) return factor();
        NodePtr chain = makeNode(NodeKind::Chain);
        chain->level = 3;
        chain->kids.push_back(factor());
        for (;;) {
            const Token& next = peek();
            if (next.spaced || !simpleStart(next) || (differentialStop_ && atDifferential())) break;
            juxtapose(*chain, factor());
        }
        if (chain->kids.size() == 1) return std::move(chain->kids.front());
        return chain;
    }

    // \log_a b; \log b without a base is log(,b), which shows as written.
    NodePtr logarithm(int pos) {
        NodePtr base;
        NodePtr power;
        while (raw().kind == Tok::Sub || raw().kind == Tok::Sup) {
            NodePtr& slot = raw().kind == Tok::Sub ? base : power;
            if (slot) refuse(raw().pos, UI_TEXT("重复的上标或下标"));
            const int at = takeRaw().pos;
            slot = scriptArgument(at);
        }
        NodePtr node = makeCall("log", base ? std::move(base) : makeEmpty(), operand(pos));
        if (power) {
            if (isEmpty(*power)) refuse(pos, UI_TEXT("上标中没有内容"));
            node = makeCall("cub", std::move(node), std::move(power));
        }
        return node;
    }

    // The derivative's sign at k: d, \mathrm{d} (and \text{d}, \operatorname{d}) or \partial. Its length
    // in tokens, 0 when there is none.
    std::size_t derivativeSign(std::size_t k, bool partial) const {
        const Token& t = tokenAt(k);
        if (partial) return isCommand(t, "partial") ? 1 : 0;
        if (isChar(t, U'd')) return 1;
        if (t.kind == Tok::Command &&
            (t.name == "mathrm" || t.name == "operatorname" || t.name == "mathit" || isTextCommand(t.name)) &&
            tokenAt(k + 1).kind == Tok::Open && tokenAt(k + 1).match == k + 3 && isChar(tokenAt(k + 2), U'd'))
            return 4;
        return 0;
    }

    // \frac{dy}{dx} and \frac{\partial y}{\partial x} as the writer writes derive and pderive; \frac{d}{dx}
    // f.
    std::optional<bool> derivativeAhead() {
        const std::size_t num = i_;
        if (tokens_[num].kind != Tok::Open) return std::nullopt;
        const std::size_t den = tokens_[num].match + 1;
        if (tokens_[den].kind != Tok::Open) return std::nullopt;
        for (const bool partial : {false, true}) {
            const std::size_t top = derivativeSign(num + 1, partial);
            const std::size_t bottom = derivativeSign(den + 1, partial);
            if (top == 0 || bottom == 0) continue;
            if (tokenAt(num + 1 + top).kind == Tok::Sup)
                refuse(tokenAt(num + 1 + top).pos, UI_TEXT("无法转换高阶导数"));
            const std::size_t variable = den + 1 + bottom;
            const Token& v = tokenAt(variable);
            const bool single = (v.kind == Tok::Char && (isAsciiLetter(v.ch) || isGreek(v.ch))) ||
                                (v.kind == Tok::Command && lookUp(kLetters, v.name));
            if (!single || tokens_[den].match != variable + 1) continue;
            return partial;
        }
        return std::nullopt;
    }

    NodePtr fraction(int pos) {
        if (raw().kind == Tok::Open) {
            if (const auto partial = derivativeAhead()) return derivative(*partial, pos);
        }
        NodePtr numerator = argument(pos);
        NodePtr denominator = argument(pos);
        return makeCall("div", std::move(numerator), std::move(denominator));
    }

    NodePtr derivative(bool partial, int pos) {
        const std::size_t num = i_;
        const std::size_t numClose = tokens_[num].match;
        i_ = num + 1 + derivativeSign(num + 1, partial);
        NodePtr function;
        if (i_ == numClose) {
            i_ = numClose + 1;
        } else {
            Inner inner(*this);
            function = operand(pos);
            expectClose(numClose);
        }
        const std::size_t den = i_;
        i_ = den + 1 + derivativeSign(den + 1, partial);
        NodePtr variable = atom();
        expectClose(tokens_[den].match);
        if (!function) function = startsFactor(peek()) ? operand(pos) : makeEmpty();
        return makeCall(partial ? "pderive" : "derive", std::move(function), std::move(variable));
    }

    NodePtr root(int pos) {
        NodePtr degree;
        if (isChar(raw(), U'[')) {
            takeRaw();
            Inner inner(*this);
            degree = expression();
            if (!isChar(peek(), U']')) unexpected(peek());
            take();
        }
        NodePtr radicand = requiredArgument(pos, UI_TEXT("根号"));
        if (degree) return makeCall("ext", std::move(radicand), std::move(degree));
        return makeCall("sqrt", std::move(radicand));
    }

    // \overrightarrow{AB}: the letters are the vector's one name.
    static NodePtr vectorName(NodePtr node) {
        if (node->kind == NodeKind::Chain) {
            if (const auto name = nameText(*node)) return makeLeaf(*name);
        }
        return node;
    }

    // ----- Sums, products, integrals, limits

    void limits(NodePtr& lower, NodePtr& upper) {
        while (raw().kind == Tok::Sub || raw().kind == Tok::Sup) {
            NodePtr& slot = raw().kind == Tok::Sub ? lower : upper;
            if (slot) refuse(raw().pos, UI_TEXT("重复的上标或下标"));
            const int at = takeRaw().pos;
            slot = scriptArgument(at);
        }
        if (!lower) lower = makeEmpty();
        if (!upper) upper = makeEmpty();
    }

    // The body of a sum, product or limit: one product, as the writer writes it (brackets around
    // anything wider, which are its own).
    NodePtr body(int pos, const char* what) {
        const Token& t = peek();
        if ((!startsFactor(t) && !signHere()) || (isChar(t, U'|') && bars_ > 0))
            refuse(t.kind == Tok::End ? pos : t.pos, fillTemplate(UI_TEXT("缺少%1"), {what}));
        return ownBracketsDropped(signedProduct());
    }

    // Brackets that the writer puts around an operand that is an operator expression are the operand's
    // own; around anything else they are typed and stay.
    static NodePtr ownBracketsDropped(NodePtr node) {
        if (node->kind == NodeKind::Group && node->text == "(" && node->kids.size() == 1 &&
            isOperatorExpression(*node->kids.front()))
            return std::move(node->kids.front());
        return node;
    }

    NodePtr bigOperator(const std::string& name, int pos) {
        NodePtr lower;
        NodePtr upper;
        limits(lower, upper);
        NodePtr term = body(pos, name == "sum" ? UI_TEXT("求和的式子") : UI_TEXT("求积的式子"));
        return makeCall(name, std::move(lower), std::move(upper), std::move(term));
    }

    // d x, \mathrm{d}x, \text{d}\theta: the differential that ends an integrand.
    bool atDifferential() {
        peek();
        const std::size_t sign = derivativeSign(i_, false);
        if (sign == 0) return false;
        const Token& v = tokens_[after(i_ + sign - 1)];
        return (v.kind == Tok::Char && (isAsciiLetter(v.ch) || isGreek(v.ch))) ||
               (v.kind == Tok::Command && lookUp(kLetters, v.name));
    }

    NodePtr integral(int pos) {
        NodePtr lower;
        NodePtr upper;
        limits(lower, upper);
        const bool outer = differentialStop_;
        differentialStop_ = true;
        const Token& t = peek();
        if (atDifferential() || (!startsFactor(t) && !signHere()))
            refuse(t.kind == Tok::End ? pos : t.pos, UI_TEXT("积分缺少被积函数"));
        NodePtr integrand = expression(false);
        if (!atDifferential())
            refuse(peek().kind == Tok::End ? pos : peek().pos,
                   UI_TEXT("积分缺少积分变量（如\\,\\mathrm{d}x）"));
        i_ += derivativeSign(i_, false);
        differentialStop_ = outer;
        NodePtr variable = factor();
        std::vector<NodePtr> bounds;
        bounds.push_back(std::move(upper));
        bounds.push_back(std::move(lower));
        return makeCall("ing1", makeList(std::move(bounds)), ownBracketsDropped(std::move(integrand)),
                        std::move(variable));
    }

    NodePtr limit(int pos) {
        if (raw().kind != Tok::Sub) refuse(pos, UI_TEXT("\\lim缺少下标（如_{x\\to 0}）"));
        const int at = takeRaw().pos;
        NodePtr approach = scriptArgument(at);
        if (approach->kind != NodeKind::Chain || approach->level != 1 || approach->ops.size() != 1 ||
            approach->ops.front() != "→")
            refuse(at, UI_TEXT("\\lim的下标应写成x\\to a"));
        NodePtr term = body(pos, UI_TEXT("求极限的式子"));
        return makeCall("lim", std::move(approach->kids[0]), std::move(approach->kids[1]), std::move(term));
    }

    // ----- Upright names and text

    // The letters of {…} (or of one letter) right here, when that is all it holds.
    std::optional<std::string> wordArgument() const {
        std::size_t k = i_;
        while (tokens_[k].skip)
            ++k;
        const Token& t = tokens_[k];
        if (t.kind == Tok::Char && isAsciiLetter(t.ch)) return std::string(1, static_cast<char>(t.ch));
        if (t.kind != Tok::Open || t.match == k + 1) return std::nullopt;
        // A name: a letter, then letters and digits (\operatorname{ing2}).
        std::string word;
        for (std::size_t j = k + 1; j < t.match; ++j) {
            const Token& c = tokens_[j];
            if (c.kind != Tok::Char || !(isAsciiLetter(c.ch) || (j > k + 1 && isDigit(c.ch))))
                return std::nullopt;
            word += static_cast<char>(c.ch);
        }
        return word;
    }
    void skipArgument() {
        const Token& t = raw();
        i_ = t.kind == Tok::Open ? t.match + 1 : i_ + 1;
    }

    // \mathrm{…} and \operatorname{…}: functions, the derivative's d, ⊿ (\mathrm{Rt}\triangle), the
    // capitals that are Greek letters, arrangements, keyword calls (\operatorname{sup}(a,b)) and names.
    NodePtr upright(const std::string& command, int pos) {
        const auto word = wordArgument();
        if (!word) {
            if (command == "operatorname") refuse(pos, UI_TEXT("\\operatorname中的名字无法转换"));
            return requiredArgument(pos, "\\" + command);
        }
        skipArgument();
        const std::string& w = *word;
        if (w == "d") {
            if (startsFactor(peek()) && !(differentialStop_ && atDifferential()))
                return makeCall("derive", operand(pos), makeEmpty());
            return makeLeaf("d");
        }
        if (w == "Rt" && isCommand(peek(), "triangle")) {
            take();
            return makeLeaf("⊿");
        }
        if (const auto function = lookUp(kFunctions, w)) return namedFunction(std::string(*function), pos);
        if (w == "log") return logarithm(pos);
        if (w.size() == 1 && raw().kind != Tok::Sub && raw().kind != Tok::Sup) {
            for (const auto& [latin, greek] : kGreekTwins)
                if (static_cast<char32_t>(w.front()) == latin) return makeLeaf(std::string(greek));
        }
        if (keywordOf(asciiLower(w)) != Keyword::None && parenthesisNext()) return call(w);
        return makeLeaf(w);
    }

    // \text{…}: the characters as one name (\text{面积}).
    NodePtr text(int pos) {
        const Token& open = raw();
        if (open.kind != Tok::Open) refuse(pos, UI_TEXT("\\text后缺少{…}"));
        const std::size_t close = open.match;
        std::string out;
        for (std::size_t j = i_ + 1; j < close; ++j) {
            const Token& t = tokens_[j];
            if (t.kind == Tok::Open || t.kind == Tok::Close) continue;
            if (t.kind == Tok::Command) {
                if (t.name == "textasciicircum") {
                    out += '^';
                } else if (t.name == "textdegree" || t.name == "degree") {
                    out += "°";
                } else if (t.name == "&" || t.name == "#" || t.name == "$") {
                    out += t.name;
                } else {
                    refuse(t.pos, fillTemplate(UI_TEXT("文字中的“\\%1”无法转换"), {t.name}));
                }
                continue;
            }
            const char32_t c = t.kind == Tok::Char  ? t.ch
                               : t.kind == Tok::Sup ? U'^'
                               : t.kind == Tok::Amp ? U'&'
                                                    : U'_';
            if (c < 0x80 && !isAsciiLetter(c) && !isDigit(c) && c != U'.') {
                std::string shown;
                appendUtf8(shown, c);
                refuse(t.pos, fillTemplate(UI_TEXT("文字中的“%1”无法转换"), {shown}));
            }
            if (operatorOfChar(c) || c == U'∓') {
                std::string shown;
                appendUtf8(shown, c);
                refuse(t.pos, fillTemplate(UI_TEXT("文字中的“%1”无法转换"), {shown}));
            }
            appendUtf8(out, c);
        }
        i_ = close + 1;
        if (out.empty()) refuse(pos, UI_TEXT("文字中没有内容"));
        return makeLeaf(out);
    }

    // ----- Environments: matrices, determinants, systems

    std::string environmentName(int pos) {
        const Token& open = takeRaw();
        if (open.kind != Tok::Open) refuse(pos, UI_TEXT("环境缺少名字"));
        std::string name;
        for (std::size_t j = i_; j < open.match; ++j) {
            const Token& t = tokens_[j];
            if (t.kind != Tok::Char || !(isAsciiLetter(t.ch) || t.ch == U'*'))
                refuse(pos, UI_TEXT("环境的名字无法识别"));
            name += static_cast<char>(t.ch);
        }
        i_ = open.match + 1;
        return name;
    }

    enum class Layout { Matrix, Range, System, Aligned, Single };

    // \begin{…} … \end{…}. fence is the \left bracket around it (0 for none); fenced tells whether the
    // environment took the bracket's meaning (a matrix in brackets, a determinant between bars, a
    // system after \left\{).
    NodePtr environment(char32_t fence, bool* fenced = nullptr) {
        peek();
        const std::size_t begin = i_;
        const int pos = take().pos;
        const std::string name = environmentName(pos);
        const bool matrixLike = name == "matrix" || name == "array" || name == "smallmatrix";
        Layout layout;
        bool takesFence = false;
        if (name == "vmatrix") {
            layout = Layout::Range;
        } else if (name == "cases" || name == "dcases") {
            layout = Layout::System;
        } else if (name == "pmatrix" || name == "bmatrix" || name == "Bmatrix" || matrixLike) {
            layout = Layout::Matrix;
            if (matrixLike && fence == U'|') layout = Layout::Range;
            if (matrixLike && fence == U'{') layout = Layout::System;
            takesFence = matrixLike && fence != 0;
        } else if (name == "aligned" || name == "align" || name == "align*" || name == "gathered" ||
                   name == "gather" || name == "gather*" || name == "split") {
            if (fence != U'{')
                refuse(pos,
                       fillTemplate(UI_TEXT("环境“%1”无法转换（方程组请写在\\left\\{…\\right.中）"), {name}));
            layout = Layout::Aligned;
            takesFence = true;
        } else if (name == "equation" || name == "equation*" || name == "displaymath") {
            layout = Layout::Single;
        } else {
            refuse(pos, fillTemplate(UI_TEXT("无法转换的环境“%1”"), {name}));
        }
        if (fenced) *fenced = takesFence;
        if (name == "array") {
            // The column layout {ccc}.
            if (raw().kind != Tok::Open) refuse(pos, UI_TEXT("array缺少列的格式"));
            i_ = raw().match + 1;
        }
        Inner inner(*this);
        if (layout == Layout::Aligned) skipAlignmentMarks(begin);
        if (layout == Layout::Single) {
            NodePtr node = conditional();
            endEnvironment(name);
            return node;
        }
        std::vector<std::vector<NodePtr>> rows(1);
        for (;;) {
            const Token& t = peek();
            if (isCommand(t, "end")) break;
            if (isCommand(t, "hline")) {
                take();
                continue;
            }
            if (t.kind == Tok::End) refuse(pos, fillTemplate(UI_TEXT("环境“%1”没有\\end"), {name}));
            std::vector<NodePtr>& row = rows.back();
            row.push_back(cell(layout, row.size()));
            const Token& next = peek();
            if (next.kind == Tok::Amp) {
                take();
            } else if (isCommand(next, "\\")) {
                take();
                rows.emplace_back();
            } else if (next.kind == Tok::End) {
                refuse(pos, fillTemplate(UI_TEXT("环境“%1”没有\\end"), {name}));
            } else if (!isCommand(next, "end")) {
                unexpected(next);
            }
        }
        endEnvironment(name);
        if (rows.back().empty()) rows.pop_back();
        if (rows.empty()) refuse(pos, fillTemplate(UI_TEXT("环境“%1”中没有内容"), {name}));
        if (layout == Layout::Matrix || layout == Layout::Range) return matrix(rows, layout, pos);
        return system(rows, pos);
    }

    void endEnvironment(const std::string& name) {
        const Token& end = peek();
        if (!isCommand(end, "end")) unexpected(end);
        const int at = take().pos;
        if (environmentName(at) != name)
            refuse(at, fillTemplate(UI_TEXT("\\begin{%1}与\\end不配对"), {name}));
    }

    // In aligned, & only aligns: it is read as nothing.
    void skipAlignmentMarks(std::size_t begin) {
        int depth = 0;
        for (std::size_t k = begin; tokens_[k].kind != Tok::End; ++k) {
            if (isCommand(tokens_[k], "begin")) ++depth;
            if (isCommand(tokens_[k], "end") && --depth == 0) return;
            if (depth == 1 && tokens_[k].kind == Tok::Amp) tokens_[k].skip = true;
        }
    }

    NodePtr cell(Layout layout, std::size_t column) {
        const Token& t = peek();
        const bool empty = t.kind == Tok::Amp || isCommand(t, "\\") || isCommand(t, "end");
        if (layout == Layout::Matrix || layout == Layout::Range) return empty ? makeEmpty() : expression();
        if (column == 0) {
            if (empty) refuse(t.pos, UI_TEXT("方程组的一行中没有内容"));
            return conditional();
        }
        if (column > 1) refuse(t.pos, UI_TEXT("方程组的一行最多有两列"));
        // The conditions of a line.
        if (empty || takeOtherwise()) return makeEmpty();
        return makeList(conditionList());
    }

    NodePtr matrix(std::vector<std::vector<NodePtr>>& rows, Layout layout, int pos) {
        std::size_t columns = 0;
        for (const auto& row : rows)
            columns = std::max(columns, row.size());
        const auto limit = static_cast<std::size_t>(kMaxMatrixSide);
        if (rows.size() > limit || columns > limit)
            refuse(pos, fillTemplate(layout == Layout::Range ? UI_TEXT("行列式的行数或列数超过了%1")
                                                             : UI_TEXT("矩阵的行数或列数超过了%1"),
                                     {std::to_string(kMaxMatrixSide)}));
        std::vector<NodePtr> cells;
        for (auto& row : rows) {
            for (auto& c : row)
                cells.push_back(std::move(c));
            for (std::size_t k = row.size(); k < columns; ++k)
                cells.push_back(makeEmpty());
        }
        return makeCall(layout == Layout::Range ? "range" : "matrix", makeLeaf(std::to_string(rows.size())),
                        makeLeaf(std::to_string(columns)), makeList(std::move(cells)));
    }

    NodePtr system(std::vector<std::vector<NodePtr>>& rows, int pos) {
        if (static_cast<long long>(rows.size()) > kMaxListItems)
            refuse(pos, fillTemplate(UI_TEXT("方程组的行数超过了%1"), {std::to_string(kMaxListItems)}));
        std::vector<NodePtr> items;
        for (auto& row : rows) {
            if (row.empty()) refuse(pos, UI_TEXT("方程组中有空行"));
            NodePtr value = std::move(row[0]);
            if (row.size() > 1 && row[1]->kind == NodeKind::List && !row[1]->kids.empty()) {
                if (value->kind == NodeKind::Call && value->text == "con")
                    refuse(pos, UI_TEXT("方程组的一行中条件写了两次"));
                std::vector<NodePtr> conditions = std::move(row[1]->kids);
                value = attachConditions(std::move(value), std::move(conditions));
            }
            items.push_back(std::move(value));
        }
        const std::string count = std::to_string(items.size());
        return makeCall("lak", makeLeaf(count), makeList(std::move(items)));
    }

    // ----- A formula that is one sign (the editor's keys insert "+", "=", "⊥" alone)

    NodePtr loneSign() {
        std::vector<std::size_t> left;
        for (std::size_t k = 0; tokens_[k].kind != Tok::End && left.size() < 3; ++k)
            left.push_back(k);
        if (left.empty() || left.size() > 2) return nullptr;
        const Token& t = tokens_[left.front()];
        if (left.size() == 2) {
            if (isCommand(t, "not") && isChar(tokens_[left[1]], U'=')) return makeLeaf("≠");
            return nullptr;
        }
        if (isChar(t, U'!')) return makeLeaf("!");
        std::optional<OperatorForm> form;
        if (t.kind == Tok::Char) form = operatorOfChar(t.ch);
        if (t.kind == Tok::Command) form = operatorOfCommand(t.name);
        if (!form) return nullptr;
        return makeLeaf(std::string(form->sign));
    }

    std::vector<Token> tokens_;
    std::size_t i_ = 0;
    int depth_ = 0;
    int bars_ = 0;                  // open |…| that a bar may close
    bool differentialStop_ = false; // reading an integrand: a dx ends it
};

} // namespace

namespace {

LatexReading readHere(std::string_view latex) {
    LatexReading reading;
    try {
        if (latex.size() > kMaxTextBytes) {
            const auto inside = static_cast<int>(toCodePoints(latex.substr(0, kMaxTextBytes)).size());
            throw Refusal{inside + 1, detail::tooLongMessage()};
        }
        const std::u32string text = toCodePoints(latex);
        Parser parser(Tokenizer(text).run());
        const NodePtr tree = parser.formula();
        MarkupWriter writer;
        writer.node(*tree);
        std::string markup = writer.take();
        if (const auto failure = findCheckFailure(markup)) {
            std::string message = failure->message;
            if (!failure->precedingMessage.empty()) message = failure->precedingMessage + message;
            throw Refusal{1, fillTemplate(UI_TEXT("转换得到的公式无法通过检查：%1"), {message})};
        }
        reading.markup = std::move(markup);
    } catch (const Refusal& refusal) {
        reading.markup.clear();
        reading.message = refusal.message;
        reading.position = refusal.position;
    }
    return reading;
}

// An upper bound of the nesting: every level opens with a brace, bracket, bar, command or script.
int nestingBound(std::string_view latex) {
    int openers = 0;
    for (const char c : latex)
        if (c == '{' || c == '(' || c == '[' || c == '|' || c == '\\' || c == '^' || c == '_') ++openers;
    return openers;
}

} // namespace

LatexReading readLatex(std::string_view latex) {
    if (latex.size() > kMaxTextBytes || nestingBound(latex) <= kNestingOnTheCallersStack)
        return readHere(latex);
    LatexReading reading;
    bool read = false;
    try {
        read = runOnDeepStack([&] { reading = readHere(latex); });
    } catch (const std::exception&) {
        read = false;
    }
    if (!read) {
        reading = {};
        reading.message = detail::tooComplexMessage();
        reading.position = 1;
    }
    return reading;
}

bool looksLikeLatex(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char c = text[i];
        const char d = text[i + 1];
        if (c == '\\' && ((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z') ||
                          std::string_view("{}[](),;:!|").find(d) != std::string_view::npos))
            return true;
        if ((c == '^' || c == '_') && d == '{') return true;
    }
    std::size_t first = text.find_first_not_of(" \t\r\n");
    std::size_t last = text.find_last_not_of(" \t\r\n");
    return first != std::string_view::npos && last > first && text[first] == '$' && text[last] == '$';
}

} // namespace quorvel::expr
