#include "typeset/MathmlWriter.h"

#include "base/Utf8Text.h"

#include <utility>

namespace quorvel::typeset {

using expr::ExprNode;
using expr::Keyword;
using writing::Shape;

namespace {

// The MathML of each keyword's own part, already escaped: the content of its <mo> or <mi>, and for
// pairs the closing half.
struct MathmlForm {
    Keyword kind;
    std::string_view sign;
    std::string_view closing = {};
};

constexpr std::string_view kApplyFunction = "&#x2061;";
constexpr std::string_view kInvisibleTimes = "&#x2062;";

// clang-format off
constexpr MathmlForm kForms[] = {
    {Keyword::Add, "+"},       {Keyword::Sub, "\u2212"},   {Keyword::Aoc, "±"},     {Keyword::Mul, "×"},
    {Keyword::Mud, "·"},       {Keyword::Muw, kInvisibleTimes},                     {Keyword::Mod, "%"},
    {Keyword::Les, "≤"},       {Keyword::Ges, "≥"},        {Keyword::Lts, "&lt;"},  {Keyword::Gts, "&gt;"},
    {Keyword::Nes, "≠"},       {Keyword::Eql, "="},        {Keyword::Usu, "≡"},     {Keyword::App, "≈"},
    {Keyword::Inc, "→"},       {Keyword::Upr, "⊥"},        {Keyword::Par, "∥"},     {Keyword::Res, "≌"},
    {Keyword::Gru, "∽"},
    {Keyword::Mus, "\u2212"},  {Keyword::Pos, "+"},        {Keyword::Pom, "±"},
    {Keyword::Sin, "sin"},     {Keyword::Cos, "cos"},      {Keyword::Tg, "tg"},     {Keyword::Ctg, "ctg"},
    {Keyword::Arcsin, "arcsin"}, {Keyword::Arccos, "arccos"}, {Keyword::Arctg, "arctg"},
    {Keyword::Arcctg, "arcctg"}, {Keyword::Sec, "sec"},    {Keyword::Csc, "csc"},   {Keyword::Sgn, "sgn"},
    {Keyword::Sh, "sh"},       {Keyword::Ch, "ch"},        {Keyword::Th, "th"},     {Keyword::Ln, "ln"},
    {Keyword::Lg, "lg"},       {Keyword::Log, "log"},      {Keyword::Exp, "e"},     {Keyword::Fac, "!"},
    {Keyword::Vec, "→"},
    {Keyword::Abs, "|", "|"},  {Keyword::Paren, "(", ")"}, {Keyword::Bracket, "[", "]"},
    {Keyword::Brace, "{", "}"},
    {Keyword::P, "P"},         {Keyword::C, "C"},          {Keyword::Derive, "d"},  {Keyword::Pderive, "∂"},
    {Keyword::Lak, "{"},       {Keyword::Con, ","},        {Keyword::Matrix, "[", "]"},
    {Keyword::Range, "|", "|"},
    {Keyword::Ing1, "∫"},      {Keyword::Sum, "∑"},        {Keyword::Prod, "∏"},    {Keyword::Lim, "lim"},
};
// clang-format on

const MathmlForm& formOf(Keyword kind) {
    for (const MathmlForm& form : kForms)
        if (form.kind == kind) return form;
    static const MathmlForm none{Keyword::None, ""};
    return none;
}

void appendEscaped(std::string& out, std::u32string_view text) {
    for (const char32_t c : text) {
        switch (c) {
        case U'<':
            out += "&lt;";
            break;
        case U'>':
            out += "&gt;";
            break;
        case U'&':
            out += "&amp;";
            break;
        case U'"':
            out += "&quot;";
            break;
        case U'\'':
            out += "&apos;";
            break;
        default:
            // Control characters are not allowed in XML 1.0.
            if (c < 0x20 || c == 0xFFFE || c == 0xFFFF)
                appendUtf8(out, U'\uFFFD');
            else
                appendUtf8(out, c);
        }
    }
}

// Each write call appends exactly one element, so that it can stand as a child of any schema.
class MathmlWriter : public writing::TreeWalk<MathmlWriter> {
public:
    std::string take() { return std::move(out_); }

private:
    friend class writing::TreeWalk<MathmlWriter>;

    void nothing() { out_ += "<mrow/>"; }

    void sign(const ExprNode& node) {
        out_ += "<mrow>";
        mo(formOf(node.kind).sign);
        infixOperand(node, node.first.get(), true);
        out_ += "</mrow>";
    }

    void exponential(const ExprNode& node) {
        out_ += "<msup><mi>e</mi>";
        this->node(node.first.get());
        out_ += "</msup>";
    }

    void factorial(const ExprNode& node) {
        out_ += "<mrow>";
        operand(node.first.get());
        mo("!");
        out_ += "</mrow>";
    }

    void vector(const ExprNode& node) {
        out_ += "<mover accent=\"true\">";
        this->node(node.first.get());
        out_ += "<mo stretchy=\"true\">→</mo></mover>";
    }

    void squareRoot(const ExprNode& node) {
        out_ += "<msqrt>";
        this->node(node.first.get());
        out_ += "</msqrt>";
    }

    void absoluteValue(const ExprNode& node) {
        fenced(formOf(node.kind), [&] { this->node(node.first.get()); });
    }

    void fraction(const ExprNode& node) {
        out_ += "<mfrac>";
        fractionPart(node.first.get(), node);
        fractionPart(node.second.get(), node);
        out_ += "</mfrac>";
    }

    void nthRoot(const ExprNode& node) {
        if (writing::isEmptyLeaf(node.first.get())) {
            out_ += "<msqrt>";
            this->node(node.second.get());
            out_ += "</msqrt>";
            return;
        }
        out_ += "<mroot>";
        this->node(node.second.get());
        this->node(node.first.get());
        out_ += "</mroot>";
    }

    void logarithm(const ExprNode& node) {
        out_ += "<mrow><msub><mi>log</mi>";
        this->node(node.first.get());
        out_ += "</msub>";
        mo(kApplyFunction);
        operand(node.second.get());
        out_ += "</mrow>";
    }

    void arrangement(const ExprNode& node) {
        scripted([&] { normalMi(formOf(node.kind).sign); }, node.second.get(), node.first.get(), false);
    }

    void bigOperator(const ExprNode& node) {
        out_ += "<mrow>";
        scripted([&] { mo(formOf(node.kind).sign); }, node.first.get(), node.second.get(), true);
        operand(node.third.get());
        out_ += "</mrow>";
    }

    void limit(const ExprNode& node) {
        out_ += "<mrow><munder><mo>lim</mo><mrow>";
        this->node(node.first.get());
        mo("→");
        this->node(node.second.get());
        out_ += "</mrow></munder>";
        operand(node.third.get());
        out_ += "</mrow>";
    }

    void labelledTerm(const ExprNode& node) {
        scripted([&] { this->node(node.third.get()); }, node.second.get(), node.first.get(), false);
    }

    void mo(std::string_view escaped) {
        out_ += "<mo>";
        out_ += escaped;
        out_ += "</mo>";
    }
    void normalMi(std::string_view escaped) {
        out_ += "<mi mathvariant=\"normal\">";
        out_ += escaped;
        out_ += "</mi>";
    }

    void token(std::string_view tag, std::u32string_view text) {
        out_ += '<';
        out_ += tag;
        out_ += '>';
        appendEscaped(out_, text);
        out_ += "</";
        out_ += tag;
        out_ += '>';
    }

    void leaf(std::string_view text) {
        const auto pieces = writing::leafPieces(text);
        if (pieces.empty()) {
            out_ += "<mrow/>";
            return;
        }
        if (pieces.size() > 1) out_ += "<mrow>";
        for (const writing::Piece& piece : pieces) {
            switch (piece.kind) {
            case writing::PieceKind::Number:
                token("mn", piece.text);
                break;
            case writing::PieceKind::Letter:
                token("mi", piece.text);
                break;
            case writing::PieceKind::Symbol:
                token(piece.text == U"∞" ? "mi" : "mo", piece.text);
                break;
            case writing::PieceKind::Text:
                token("mtext", piece.text);
                break;
            }
        }
        if (pieces.size() > 1) out_ += "</mrow>";
    }

    void labelledLeaf(std::string_view text) {
        const LabelledName name = splitLabelledName(text);
        const bool lower = !name.subscript.empty();
        const bool upper = !name.superscript.empty();
        const char* tag = lower && upper ? "msubsup" : lower ? "msub" : upper ? "msup" : nullptr;
        if (!tag) {
            leaf(name.base);
            return;
        }
        out_ += '<';
        out_ += tag;
        out_ += '>';
        leaf(name.base);
        if (lower) leaf(name.subscript);
        if (upper) leaf(name.superscript);
        out_ += "</";
        out_ += tag;
        out_ += '>';
    }

    // base with its limits: under and over a big operator, else as sub- and superscripts; each limit
    // that shows nothing is left out.
    template <typename Base>
    void scripted(Base&& base, const ExprNode* lower, const ExprNode* upper, bool underOver) {
        const bool hasLower = !writing::isEmptyLeaf(lower);
        const bool hasUpper = !writing::isEmptyLeaf(upper);
        const char* tag = nullptr;
        if (hasLower && hasUpper)
            tag = underOver ? "munderover" : "msubsup";
        else if (hasLower)
            tag = underOver ? "munder" : "msub";
        else if (hasUpper)
            tag = underOver ? "mover" : "msup";
        if (!tag) {
            base();
            return;
        }
        out_ += '<';
        out_ += tag;
        out_ += '>';
        base();
        if (hasLower) node(lower);
        if (hasUpper) node(upper);
        out_ += "</";
        out_ += tag;
        out_ += '>';
    }

    template <typename Content> void fenced(const MathmlForm& form, Content&& content) {
        out_ += "<mrow><mo fence=\"true\">";
        out_ += form.sign;
        out_ += "</mo>";
        content();
        out_ += "<mo fence=\"true\">";
        out_ += form.closing;
        out_ += "</mo></mrow>";
    }

    // The parts of a bracket group or call, separated by commas, as one row.
    void parts(const ExprNode& holder) {
        const bool several = holder.second || holder.third;
        if (several) out_ += "<mrow>";
        node(holder.first.get());
        for (const ExprNode* part : {holder.second.get(), holder.third.get()}) {
            if (!part) continue;
            out_ += "<mo separator=\"true\">,</mo>";
            node(part);
        }
        if (several) out_ += "</mrow>";
    }

    void group(const ExprNode& node) {
        fenced(formOf(node.kind), [&] { parts(node); });
    }

    void fractionPart(const ExprNode* child, const ExprNode& fraction) {
        if (child && writing::bracketsDropped(*child, fraction))
            parts(*child);
        else
            node(child);
    }

    void inParentheses(const ExprNode* child) {
        fenced(formOf(Keyword::Paren), [&] { node(child); });
    }

    void infix(const ExprNode& node) {
        out_ += "<mrow>";
        infixOperand(node, node.first.get(), false);
        mo(formOf(node.kind).sign);
        infixOperand(node, node.second.get(), true);
        out_ += "</mrow>";
    }

    void functionName(std::string_view escapedName) {
        out_ += "<mi>";
        out_ += escapedName;
        out_ += "</mi>";
    }

    void namedFunction(const ExprNode& node, const ExprNode* exponent) {
        out_ += "<mrow>";
        if (exponent) {
            out_ += "<msup>";
            functionName(formOf(node.kind).sign);
            this->node(exponent);
            out_ += "</msup>";
        } else {
            functionName(formOf(node.kind).sign);
        }
        mo(kApplyFunction);
        operand(node.first.get());
        out_ += "</mrow>";
    }

    void call(const ExprNode& node) {
        out_ += "<mrow>";
        if (writing::isPlainName(node.text) && node.text.size() > 1)
            functionName(node.text);
        else
            leaf(node.text);
        mo(kApplyFunction);
        fenced(formOf(Keyword::Paren), [&] { parts(node); });
        out_ += "</mrow>";
    }

    void power(const ExprNode& node) {
        const ExprNode* base = node.second.get();
        if (base && writing::baseForm(*base) == writing::BaseForm::AfterName) {
            namedFunction(*base, node.first.get());
            return;
        }
        out_ += "<msup>";
        if (base && writing::baseForm(*base) == writing::BaseForm::Bracketed)
            inParentheses(base);
        else
            this->node(base);
        this->node(node.first.get());
        out_ += "</msup>";
    }

    void derivative(const ExprNode& node) {
        const std::string_view sign = formOf(node.kind).sign;
        const auto signed_ = [&](const ExprNode* child) {
            out_ += "<mrow>";
            normalMi(sign);
            operand(child);
            out_ += "</mrow>";
        };
        if (writing::isEmptyLeaf(node.second.get())) {
            signed_(node.first.get());
            return;
        }
        out_ += "<mfrac>";
        signed_(node.first.get());
        signed_(node.second.get());
        out_ += "</mfrac>";
    }

    void conditions(const ExprNode& node) {
        out_ += "<mrow>";
        bool firstCondition = true;
        for (const ExprNode* condition : writing::listItems(node.third.get())) {
            if (!firstCondition) out_ += "<mo separator=\"true\">,</mo>";
            firstCondition = false;
            this->node(condition);
        }
        out_ += "</mrow>";
    }

    void conditional(const ExprNode& node) {
        out_ += "<mrow>";
        this->node(node.second.get());
        out_ += "<mo separator=\"true\">,</mo><mspace width=\"1em\"/>";
        conditions(node);
        out_ += "</mrow>";
    }

    void cases(const ExprNode& node) {
        out_ += "<mrow><mo>";
        out_ += formOf(Keyword::Lak).sign;
        out_ += "</mo><mtable columnalign=\"left\">";
        for (const ExprNode* item : writing::listItems(node.second.get())) {
            out_ += "<mtr><mtd>";
            if (writing::shapeOf(*item) == Shape::Conditional) {
                // A line with conditions puts them in the second column.
                out_ += "<mrow>";
                this->node(item->second.get());
                out_ += "<mo separator=\"true\">,</mo></mrow></mtd><mtd>";
                conditions(*item);
            } else {
                this->node(item);
            }
            out_ += "</mtd></mtr>";
        }
        out_ += "</mtable></mrow>";
    }

    void matrix(const ExprNode& node) {
        const auto cells = writing::listItems(node.third.get());
        const writing::MatrixSize size = writing::matrixSize(node, cells.size());
        fenced(formOf(node.kind), [&] {
            out_ += "<mtable>";
            std::size_t index = 0;
            for (long long row = 0; row < size.rows; ++row) {
                out_ += "<mtr>";
                for (long long column = 0; column < size.columns; ++column, ++index) {
                    out_ += "<mtd>";
                    if (index < cells.size()) this->node(cells[index]);
                    out_ += "</mtd>";
                }
                out_ += "</mtr>";
            }
            out_ += "</mtable>";
        });
    }

    void integral(const ExprNode& node) {
        out_ += "<mrow>";
        const ExprNode* upper = node.first.get();
        scripted([&] { mo(formOf(Keyword::Ing1).sign); }, upper ? upper->next.get() : nullptr, upper, false);
        operand(node.second.get());
        normalMi("d");
        this->node(node.third.get());
        out_ += "</mrow>";
    }

    std::string out_;
};

} // namespace

std::string toMathml(const ExprNode& root) {
    MathmlWriter writer;
    writer.node(&root);
    return "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\">" + writer.take() +
           "</math>";
}

WrittenFormula markupToMathml(std::string_view markup) {
    WrittenFormula written;
    if (const expr::ExprTree tree = writing::checkedTree(markup, written.refusal))
        written.text = toMathml(*tree);
    return written;
}

std::string mathmlDocument(std::string_view mathElement) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += mathElement;
    out += '\n';
    return out;
}

} // namespace quorvel::typeset
