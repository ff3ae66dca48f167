#include "typeset/WriterSupport.h"

#include "base/Utf8Text.h"
#include "expr/Conversion.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <algorithm>

namespace quorvel::typeset::writing {

using expr::ExprNode;
using expr::Keyword;
using expr::Notation;

namespace {

bool oneOf(Keyword kind, std::initializer_list<Keyword> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// How tightly an operator binds, from the keyword table: a lower number binds less tightly; 0 for a kind
// that is no operator written between or before its operands.
int precedence(Keyword kind) {
    return static_cast<int>(expr::keywordInfo(kind).binding);
}

bool isOperatorExpression(const ExprNode& node) {
    return node.first && precedence(formKind(node)) > 0;
}

bool isTrigonometric(Keyword kind) {
    return expr::keywordInfo(kind).has(expr::Trait::Trigonometric);
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
    // The notation the typesetter sets the keyword in decides how it is written.
    switch (expr::keywordInfo(formKind(node)).notation) {
    case Notation::PrefixSign:
        return Shape::Sign;
    case Notation::Infix:
        return Shape::Infix;
    case Notation::NamedFunction:
        return Shape::NamedFunction;
    case Notation::LiteralBracket:
        return Shape::Group;
    case Notation::Exponential:
        return Shape::Exponential;
    case Notation::Factorial:
        return Shape::Factorial;
    case Notation::Vector:
        return Shape::Vector;
    case Notation::SquareRoot:
        return Shape::SquareRoot;
    case Notation::AbsoluteValue:
        return Shape::AbsoluteValue;
    case Notation::Fraction:
        return Shape::Fraction;
    case Notation::Power:
        return Shape::Power;
    case Notation::NthRoot:
        return Shape::NthRoot;
    case Notation::Logarithm:
        return Shape::Logarithm;
    case Notation::Arrangement:
        return Shape::Arrangement;
    case Notation::Derivative:
        return Shape::Derivative;
    case Notation::Piecewise:
        return Shape::Cases;
    case Notation::Conditional:
        return Shape::Conditional;
    case Notation::MatrixLike:
        return Shape::Matrix;
    case Notation::Integral:
        return Shape::Integral;
    case Notation::BigOperator:
        return Shape::BigOperator;
    case Notation::Limit:
        return Shape::Limit;
    case Notation::LabelledTerm:
        return Shape::LabelledTerm;
    case Notation::None:
    case Notation::PlainLeaf:
    case Notation::LabelledName:
    case Notation::GenericCall:
        break;
    }
    return Shape::Call;
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
