#include "typeset/WriterSupport.h"

#include "base/Utf8Text.h"
#include "expr/Conversion.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <algorithm>

namespace quorvel::typeset::writing {

using expr::ExprNode;
using expr::Keyword;

namespace {

bool oneOf(Keyword kind, std::initializer_list<Keyword> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// Precedence of the operators that bind by position: a lower number binds less tightly. 0 for any
// other kind.
int precedence(Keyword kind) {
    using K = Keyword;
    if (oneOf(kind, {K::Eql, K::Nes, K::Les, K::Ges, K::Lts, K::Gts, K::Usu, K::App, K::Inc, K::Upr, K::Par,
                     K::Res, K::Gru}))
        return 1;
    if (oneOf(kind, {K::Add, K::Sub, K::Aoc})) return 2;
    if (oneOf(kind, {K::Mul, K::Mud, K::Muw, K::Mod})) return 3;
    if (oneOf(kind, {K::Mus, K::Pos, K::Pom})) return 4;
    return 0;
}

bool isOperatorExpression(const ExprNode& node) {
    return node.first && precedence(formKind(node)) > 0;
}

bool isTrigonometric(Keyword kind) {
    using K = Keyword;
    return oneOf(kind, {K::Sin, K::Cos, K::Tg, K::Ctg, K::Arcsin, K::Arccos, K::Arctg, K::Arcctg});
}

bool isGreek(char32_t c) {
    return (c >= U'\u0391' && c <= U'\u03A9') || (c >= U'\u03B1' && c <= U'\u03C9') || c == U'\u03D1' ||
           c == U'\u03D5' || c == U'\u03F5';
}

bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

// Signs that stand on their own: ASCII punctuation, the arrows, mathematical operators and geometric
// shapes, and a few marks typed from the palette.
bool isSymbol(char32_t c) {
    if (c < 0x80) return !isAsciiLetter(c) && !(c >= U'0' && c <= U'9');
    return (c >= U'\u2190' && c <= U'\u22FF') || (c >= U'\u25A0' && c <= U'\u25FF') || c == U'\u2026' ||
           c == U'\u2030' || c == U'\u2032' || c == U'\u00B0' || c == U'\u00B1' || c == U'\u00D7' ||
           c == U'\u00B7' || c == U'\u00F7';
}

} // namespace

Keyword formKind(const ExprNode& node) {
    const Keyword kind = node.kind;
    using K = Keyword;
    // Lists are split only for the exact (lower-case) keyword: otherwise the tree holds a plain call.
    if (oneOf(kind, {K::Lak, K::Con, K::Matrix, K::Range, K::Ing1}) && node.exactKind != kind) return K::None;
    return kind;
}

Shape shapeOf(const ExprNode& node) {
    if (!node.first) return node.text.find('_') == std::string::npos ? Shape::Leaf : Shape::LabelledLeaf;
    using K = Keyword;
    const Keyword kind = formKind(node);
    if (precedence(kind) == 4) return Shape::Sign;
    if (precedence(kind) > 0) return Shape::Infix;
    if (isTrigonometric(kind) || oneOf(kind, {K::Sec, K::Csc, K::Sgn, K::Sh, K::Ch, K::Th, K::Ln, K::Lg}))
        return Shape::NamedFunction;
    switch (kind) {
    case K::Paren:
    case K::Bracket:
    case K::Brace:
        return Shape::Group;
    case K::Exp:
        return Shape::Exponential;
    case K::Fac:
        return Shape::Factorial;
    case K::Vec:
        return Shape::Vector;
    case K::Sqrt:
        return Shape::SquareRoot;
    case K::Abs:
        return Shape::AbsoluteValue;
    case K::Div:
        return Shape::Fraction;
    case K::Cub:
    case K::Ind:
        return Shape::Power;
    case K::Ext:
        return Shape::NthRoot;
    case K::Log:
        return Shape::Logarithm;
    case K::P:
    case K::C:
        return Shape::Arrangement;
    case K::Derive:
    case K::Pderive:
        return Shape::Derivative;
    case K::Lak:
        return Shape::Cases;
    case K::Con:
        return Shape::Conditional;
    case K::Matrix:
    case K::Range:
        return Shape::Matrix;
    case K::Ing1:
        return Shape::Integral;
    case K::Sum:
    case K::Prod:
        return Shape::BigOperator;
    case K::Lim:
        return Shape::Limit;
    case K::Tab:
        return Shape::LabelledTerm;
    default:
        return Shape::Call;
    }
}

bool operandNeedsBrackets(const ExprNode& operand) {
    return isOperatorExpression(operand);
}

BaseForm baseForm(const ExprNode& base) {
    if (!base.first) return BaseForm::Plain;
    const Keyword kind = formKind(base);
    if (isTrigonometric(kind)) return BaseForm::AfterName;
    const Shape shape = shapeOf(base);
    if (isOperatorExpression(base) || shape == Shape::Fraction || shape == Shape::NamedFunction ||
        shape == Shape::Logarithm || shape == Shape::Factorial || shape == Shape::Power ||
        shape == Shape::Exponential || shape == Shape::Conditional)
        return BaseForm::Bracketed;
    return BaseForm::Plain;
}

bool infixChildNeedsBrackets(const ExprNode& parent, const ExprNode& child, bool rightSide) {
    if (!isOperatorExpression(child)) return false;
    const int outer = precedence(formKind(parent));
    const int inner = precedence(formKind(child));
    if (outer == 4) return inner <= 2 || inner == 4; // -(a+b) and -(-a); -ab needs none
    if (inner == 4) return rightSide && outer > 1;   // a+(-b), but x=-1
    if (inner == 1) return outer > 1;                // relations chain: 0<x<1
    if (inner < outer) return true;
    return rightSide && inner == outer && formKind(parent) == Keyword::Sub;
}

bool bracketsDropped(const ExprNode& group, const ExprNode& parent) {
    return shapeOf(group) == Shape::Group && formKind(parent) == Keyword::Div &&
           (parent.first.get() == &group || parent.second.get() == &group);
}

std::vector<Piece> leafPieces(std::string_view text) {
    std::vector<Piece> pieces;
    for (const char32_t c : toCodePoints(text)) {
        PieceKind kind = PieceKind::Text;
        if ((c >= U'0' && c <= U'9') || c == U'.')
            kind = PieceKind::Number;
        else if (isAsciiLetter(c) || isGreek(c))
            kind = PieceKind::Letter;
        else if (isSymbol(c))
            kind = PieceKind::Symbol;
        const bool joins = kind == PieceKind::Number || kind == PieceKind::Text;
        if (joins && !pieces.empty() && pieces.back().kind == kind)
            pieces.back().text += c;
        else
            pieces.push_back({kind, std::u32string(1, c)});
    }
    return pieces;
}

bool isEmptyLeaf(const ExprNode* node) {
    return !node || (!node->first && node->text.empty());
}

std::vector<const ExprNode*> listItems(const ExprNode* head) {
    std::vector<const ExprNode*> items;
    for (const ExprNode* item = head; item; item = item->next.get())
        items.push_back(item);
    return items;
}

MatrixSize matrixSize(const ExprNode& matrix, std::size_t cells) {
    const auto count = [](const ExprNode* node) -> long long {
        if (!node || node->first) return 0;
        const auto value = expr::detail::readCount(node->text);
        return value && *value <= expr::kMaxMatrixSide ? *value : 0;
    };
    MatrixSize size{count(matrix.first.get()), count(matrix.second.get())};
    if (size.rows < 1 || size.columns < 1)
        size = {1, static_cast<long long>(std::max<std::size_t>(cells, 1))};
    return size;
}

expr::ExprTree checkedTree(std::string_view markup, std::vector<std::string>& refusal) {
    refusal.clear();
    expr::Conversion conversion = expr::convertText(markup, expr::Road::Picture, expr::Reading::Literal);
    if (const auto& failure = conversion.failure) {
        if (!failure->precedingMessage.empty()) refusal.push_back(failure->precedingMessage);
        refusal.push_back(failure->message);
        return nullptr;
    }
    return std::move(conversion.tree);
}

bool isPlainName(std::string_view text) {
    if (text.empty()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
    }
    return true;
}

} // namespace quorvel::typeset::writing
