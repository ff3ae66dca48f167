#include "typeset/LatexWriter.h"

#include "base/Utf8Text.h"

#include <array>
#include <utility>

namespace quorvel::typeset {

using expr::ExprNode;
using expr::Keyword;
using writing::Shape;

namespace {

// The LaTeX of each keyword's own part: its sign, command or environment, and for pairs the closing half.
struct LatexForm {
    Keyword kind;
    std::string_view sign;
    std::string_view closing = {};
    std::string_view environment = {};
};

// clang-format off
constexpr LatexForm kForms[] = {
    {Keyword::Add, "+"},           {Keyword::Sub, "-"},            {Keyword::Aoc, "\\pm"},
    {Keyword::Mul, "\\times"},     {Keyword::Mud, "\\cdot"},       {Keyword::Muw, ""},
    {Keyword::Mod, "\\%"},         {Keyword::Les, "\\le"},         {Keyword::Ges, "\\ge"},
    {Keyword::Lts, "<"},           {Keyword::Gts, ">"},            {Keyword::Nes, "\\ne"},
    {Keyword::Eql, "="},           {Keyword::Usu, "\\equiv"},      {Keyword::App, "\\approx"},
    {Keyword::Inc, "\\to"},        {Keyword::Upr, "\\perp"},       {Keyword::Par, "\\parallel"},
    {Keyword::Res, "\\cong"},      {Keyword::Gru, "\\backsim"},
    {Keyword::Mus, "-"},           {Keyword::Pos, "+"},            {Keyword::Pom, "\\pm"},
    {Keyword::Sin, "\\sin"},       {Keyword::Cos, "\\cos"},        {Keyword::Tg, "\\operatorname{tg}"},
    {Keyword::Ctg, "\\operatorname{ctg}"},                         {Keyword::Arcsin, "\\arcsin"},
    {Keyword::Arccos, "\\arccos"}, {Keyword::Arctg, "\\operatorname{arctg}"},
    {Keyword::Arcctg, "\\operatorname{arcctg}"},                   {Keyword::Sec, "\\sec"},
    {Keyword::Csc, "\\csc"},       {Keyword::Sgn, "\\operatorname{sgn}"},
    {Keyword::Sh, "\\operatorname{sh}"},  {Keyword::Ch, "\\operatorname{ch}"},
    {Keyword::Th, "\\operatorname{th}"},  {Keyword::Ln, "\\ln"},   {Keyword::Lg, "\\lg"},
    {Keyword::Log, "\\log"},       {Keyword::Exp, "e"},            {Keyword::Fac, "!"},
    {Keyword::Vec, "\\overrightarrow"},                            {Keyword::Sqrt, "\\sqrt"},
    {Keyword::Ext, "\\sqrt"},      {Keyword::Div, "\\frac"},
    {Keyword::Abs, "\\left|", "\\right|"},
    {Keyword::Paren, "\\left(", "\\right)"},  {Keyword::Bracket, "\\left[", "\\right]"},
    {Keyword::Brace, "\\left\\{", "\\right\\}"},
    {Keyword::P, "\\mathrm{P}"},   {Keyword::C, "\\mathrm{C}"},
    {Keyword::Derive, "\\mathrm{d}"},  {Keyword::Pderive, "\\partial"},
    {Keyword::Lak, "", "", "cases"},  {Keyword::Con, ",\\quad "},
    {Keyword::Matrix, "\\left[", "\\right]", "bmatrix"},
    {Keyword::Range, "\\left|", "\\right|", "vmatrix"},
    {Keyword::Ing1, "\\int"},      {Keyword::Sum, "\\sum"},        {Keyword::Prod, "\\prod"},
    {Keyword::Lim, "\\lim"},
};

// Characters of leaves that have a command, or that LaTeX would read as markup of its own.
constexpr std::pair<char32_t, std::string_view> kSymbols[] = {
    {U'α', "\\alpha"},  {U'β', "\\beta"},   {U'γ', "\\gamma"},    {U'δ', "\\delta"},  {U'ε', "\\varepsilon"},
    {U'ζ', "\\zeta"},   {U'η', "\\eta"},    {U'θ', "\\theta"},    {U'ι', "\\iota"},   {U'κ', "\\kappa"},
    {U'λ', "\\lambda"}, {U'μ', "\\mu"},     {U'ν', "\\nu"},       {U'ξ', "\\xi"},     {U'ο', "o"},
    {U'π', "\\pi"},     {U'ρ', "\\rho"},    {U'ς', "\\varsigma"}, {U'σ', "\\sigma"},  {U'τ', "\\tau"},
    {U'υ', "\\upsilon"},{U'φ', "\\varphi"}, {U'χ', "\\chi"},      {U'ψ', "\\psi"},    {U'ω', "\\omega"},
    {U'ϑ', "\\vartheta"},{U'ϕ', "\\phi"},   {U'ϵ', "\\epsilon"},
    {U'Γ', "\\Gamma"},  {U'Δ', "\\Delta"},  {U'Θ', "\\Theta"},    {U'Λ', "\\Lambda"}, {U'Ξ', "\\Xi"},
    {U'Π', "\\Pi"},     {U'Σ', "\\Sigma"},  {U'Υ', "\\Upsilon"},  {U'Φ', "\\Phi"},    {U'Ψ', "\\Psi"},
    {U'Ω', "\\Omega"},
    // Capitals that look like Latin ones have no command of their own.
    {U'Α', "\\mathrm{A}"}, {U'Β', "\\mathrm{B}"}, {U'Ε', "\\mathrm{E}"}, {U'Ζ', "\\mathrm{Z}"},
    {U'Η', "\\mathrm{H}"}, {U'Ι', "\\mathrm{I}"}, {U'Κ', "\\mathrm{K}"}, {U'Μ', "\\mathrm{M}"},
    {U'Ν', "\\mathrm{N}"}, {U'Ο', "\\mathrm{O}"}, {U'Ρ', "\\mathrm{P}"}, {U'Τ', "\\mathrm{T}"},
    {U'Χ', "\\mathrm{X}"},
    {U'∞', "\\infty"},  {U'∝', "\\propto"}, {U'…', "\\ldots"},    {U'∠', "\\angle"},  {U'□', "\\square"},
    {U'⊿', "\\mathrm{Rt}\\triangle"},       {U'‰', "{}^{0}\\!/_{00}"},            {U'°', "{}^{\\circ}"},
    {U'′', "{}^{\\prime}"},        {U'±', "\\pm"},     {U'×', "\\times"},    {U'·', "\\cdot"},   {U'÷', "\\div"},
    {U'≠', "\\ne"},     {U'≤', "\\le"},     {U'≥', "\\ge"},       {U'≡', "\\equiv"},  {U'≈', "\\approx"},
    {U'→', "\\to"},     {U'⊥', "\\perp"},   {U'∥', "\\parallel"}, {U'≌', "\\cong"},   {U'∽', "\\backsim"},
    {U'∈', "\\in"},     {U'∉', "\\notin"},  {U'∪', "\\cup"},      {U'∩', "\\cap"},    {U'⊆', "\\subseteq"},
    {U'⊇', "\\supseteq"},{U'⊂', "\\subset"},{U'⊃', "\\supset"},   {U'⊄', "\\not\\subset"},
    {U'∅', "\\varnothing"}, {U'∀', "\\forall"}, {U'∃', "\\exists"}, {U'∁', "\\complement"},
    {U'⋃', "\\bigcup"}, {U'⋂', "\\bigcap"}, {U'∑', "\\sum"},      {U'∏', "\\prod"},   {U'∫', "\\int"},
    {U'∂', "\\partial"},{U'√', "\\surd"},   {U'△', "\\triangle"},
    {U'#', "\\#"},      {U'$', "\\$"},      {U'%', "\\%"},        {U'&', "\\&"},      {U'_', "\\_"},
    {U'{', "\\{"},      {U'}', "\\}"},      {U'~', "\\sim"},      {U'^', "\\text{\\textasciicircum}"},
    {U'\\', "\\backslash"}, {U'\'', "{}^{\\prime}"},
};

// clang-format on

const LatexForm& formOf(Keyword kind) {
    for (const LatexForm& form : kForms)
        if (form.kind == kind) return form;
    static const LatexForm none{Keyword::None, ""};
    return none;
}

template <std::size_t N>
std::string_view lookUp(const std::pair<char32_t, std::string_view> (&table)[N], char32_t c) {
    for (const auto& [key, value] : table)
        if (key == c) return value;
    return {};
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Text that LaTeX has no command for, in \text{...}. Only characters beyond ASCII come here: every ASCII
// character of a leaf has a math form of its own.
std::string asText(std::u32string_view text) {
    return "\\text{" + toUtf8(text) + "}";
}

class LatexWriter : public writing::TreeWalk<LatexWriter> {
public:
    std::string take() { return std::move(out_); }

private:
    friend class writing::TreeWalk<LatexWriter>;

    void nothing() {}

    void sign(const ExprNode& node) {
        emit(formOf(node.kind).sign);
        infixOperand(node, node.first.get(), true);
    }

    void exponential(const ExprNode& node) {
        emit("e^");
        braced(node.first.get());
    }

    void factorial(const ExprNode& node) {
        operand(node.first.get());
        emit("!");
    }

    void vector(const ExprNode& node) {
        emit(formOf(node.kind).sign);
        braced(node.first.get());
    }
    void squareRoot(const ExprNode& node) { vector(node); }

    void absoluteValue(const ExprNode& node) { bracketed(node, node.first.get()); }

    void fraction(const ExprNode& node) {
        emit("\\frac");
        braced(node.first.get(), &node);
        braced(node.second.get(), &node);
    }

    void nthRoot(const ExprNode& node) {
        emit("\\sqrt");
        if (!writing::isEmptyLeaf(node.first.get())) {
            // Braced inside the brackets, so that a "]" of the degree cannot end them.
            emit("[{");
            this->node(node.first.get());
            emit("}]");
        }
        braced(node.second.get());
    }

    void logarithm(const ExprNode& node) {
        emit("\\log_");
        braced(node.first.get());
        operand(node.second.get());
    }

    void arrangement(const ExprNode& node) {
        emit(formOf(node.kind).sign);
        scripts(node.second.get(), node.first.get());
    }

    void conditional(const ExprNode& node) { conditional(node, formOf(Keyword::Con).sign); }

    void bigOperator(const ExprNode& node) {
        emit(formOf(node.kind).sign);
        scripts(node.first.get(), node.second.get());
        operand(node.third.get());
    }

    void limit(const ExprNode& node) {
        emit("\\lim_{");
        this->node(node.first.get());
        emit("\\to ");
        this->node(node.second.get());
        emit("}");
        operand(node.third.get());
    }

    void labelledTerm(const ExprNode& node) {
        braced(node.third.get());
        scripts(node.second.get(), node.first.get());
    }

    // Appends piece; a space keeps a control word such as \le from running into a following letter.
    void emit(std::string_view piece) {
        if (piece.empty()) return;
        if (isLetter(piece.front()) && endsWithControlWord()) out_ += ' ';
        out_ += piece;
    }

    bool endsWithControlWord() const {
        std::size_t i = out_.size();
        while (i > 0 && isLetter(out_[i - 1]))
            --i;
        return i < out_.size() && i > 0 && out_[i - 1] == '\\';
    }

    void leaf(std::string_view text) {
        for (const writing::Piece& piece : writing::leafPieces(text)) {
            if (piece.kind == writing::PieceKind::Text) {
                emit(asText(piece.text));
                continue;
            }
            if (piece.text.size() == 1) {
                if (const std::string_view command = lookUp(kSymbols, piece.text.front()); !command.empty()) {
                    emit(command);
                    continue;
                }
                if (piece.text.front() >= 0x80) {
                    emit(asText(piece.text));
                    continue;
                }
            }
            emit(toUtf8(piece.text));
        }
    }

    void labelledLeaf(std::string_view text) {
        const LabelledName name = splitLabelledName(text);
        const auto pieces = writing::leafPieces(name.base);
        if (pieces.size() == 1) {
            leaf(name.base);
        } else {
            emit("{");
            leaf(name.base);
            emit("}");
        }
        if (!name.subscript.empty()) {
            emit("_{");
            leaf(name.subscript);
            emit("}");
        }
        if (!name.superscript.empty()) {
            emit("^{");
            leaf(name.superscript);
            emit("}");
        }
    }

    // {child}; a typed bracket group right under a fraction goes without its brackets.
    void braced(const ExprNode* child, const ExprNode* parent = nullptr) {
        emit("{");
        if (child && parent && writing::bracketsDropped(*child, *parent))
            parts(*child);
        else
            node(child);
        emit("}");
    }

    // The parts of a bracket group or call, separated by commas.
    void parts(const ExprNode& holder) {
        node(holder.first.get());
        for (const ExprNode* part : {holder.second.get(), holder.third.get()}) {
            if (!part) continue;
            emit(",");
            node(part);
        }
    }

    void group(const ExprNode& node) {
        const LatexForm& form = formOf(node.kind);
        emit(form.sign);
        parts(node);
        emit(form.closing);
    }

    // The child between the node's pair of signs (absolute value bars or automatic parentheses).
    void bracketed(const ExprNode& pairOwner, const ExprNode* child) {
        const LatexForm& form = formOf(pairOwner.kind);
        emit(form.sign);
        node(child);
        emit(form.closing);
    }

    void inParentheses(const ExprNode* child) {
        emit("\\left(");
        node(child);
        emit("\\right)");
    }

    void infix(const ExprNode& node) {
        infixOperand(node, node.first.get(), false);
        const std::string_view sign = formOf(node.kind).sign;
        if (sign.empty()) {
            // Juxtaposed: a number after another part needs a thin space not to read as one number.
            LatexWriter right;
            right.infixOperand(node, node.second.get(), true);
            const std::string written = right.take();
            if (!written.empty() &&
                ((written.front() >= '0' && written.front() <= '9') || written.front() == '.'))
                emit("\\,");
            emit(written);
            return;
        }
        emit(sign);
        infixOperand(node, node.second.get(), true);
    }

    void name(const ExprNode& node) {
        if (writing::isPlainName(node.text) && node.text.size() > 1)
            emit("\\operatorname{" + node.text + "}");
        else
            leaf(node.text);
    }

    // sin x, sin(x+1), and with an exponent after the name: sin^2 x.
    void namedFunction(const ExprNode& node, const ExprNode* exponent) {
        emit(formOf(node.kind).sign);
        if (exponent) {
            emit("^");
            braced(exponent);
        }
        operand(node.first.get());
    }

    void call(const ExprNode& node) {
        name(node);
        emit("\\left(");
        parts(node);
        emit("\\right)");
    }

    void power(const ExprNode& node) {
        const ExprNode* base = node.second.get();
        const ExprNode* exponent = node.first.get();
        switch (base ? writing::baseForm(*base) : writing::BaseForm::Plain) {
        case writing::BaseForm::AfterName:
            namedFunction(*base, exponent);
            return;
        case writing::BaseForm::Bracketed:
            inParentheses(base);
            break;
        case writing::BaseForm::Plain:
            if (base && writing::shapeOf(*base) == Shape::Leaf && writing::leafPieces(base->text).size() == 1)
                this->node(base);
            else
                braced(base);
            break;
        }
        emit("^");
        braced(exponent);
    }

    // _{lower}^{upper}, each left out when it shows nothing.
    void scripts(const ExprNode* lower, const ExprNode* upper) {
        if (!writing::isEmptyLeaf(lower)) {
            emit("_");
            braced(lower);
        }
        if (!writing::isEmptyLeaf(upper)) {
            emit("^");
            braced(upper);
        }
    }

    void derivative(const ExprNode& node) {
        const std::string_view sign = formOf(node.kind).sign;
        const auto signed_ = [&](const ExprNode* child) {
            emit("{");
            emit(sign);
            operand(child);
            emit("}");
        };
        if (writing::isEmptyLeaf(node.second.get())) {
            emit(sign);
            operand(node.first.get());
            return;
        }
        emit("\\frac");
        signed_(node.first.get());
        signed_(node.second.get());
    }

    void conditional(const ExprNode& node, std::string_view separator) {
        this->node(node.second.get());
        emit(separator);
        bool firstCondition = true;
        for (const ExprNode* condition : writing::listItems(node.third.get())) {
            if (!firstCondition) emit(",\\ ");
            firstCondition = false;
            this->node(condition);
        }
    }

    void cases(const ExprNode& node) {
        const std::string environment(formOf(Keyword::Lak).environment);
        emit("\\begin{" + environment + "}");
        bool firstRow = true;
        for (const ExprNode* item : writing::listItems(node.second.get())) {
            if (!firstRow) emit("\\\\");
            firstRow = false;
            // A line with conditions puts them in the second column.
            if (writing::shapeOf(*item) == Shape::Conditional)
                conditional(*item, ", & ");
            else
                this->node(item);
        }
        emit("\\end{" + environment + "}");
    }

    void matrix(const ExprNode& node) {
        const auto cells = writing::listItems(node.third.get());
        const writing::MatrixSize size = writing::matrixSize(node, cells.size());
        const LatexForm& form = formOf(node.kind);
        // The matrix environments take at most ten columns; a wider one is an array between fences.
        constexpr long long kMatrixColumns = 10;
        const bool wide = size.columns > kMatrixColumns;
        const std::string environment(form.environment);
        if (wide) {
            emit(form.sign);
            emit("\\begin{array}{" + std::string(static_cast<std::size_t>(size.columns), 'c') + "}");
        } else {
            emit("\\begin{" + environment + "}");
        }
        std::size_t index = 0;
        for (long long row = 0; row < size.rows; ++row) {
            if (row > 0) emit("\\\\");
            for (long long column = 0; column < size.columns; ++column, ++index) {
                if (column > 0) emit("&");
                if (index < cells.size()) this->node(cells[index]);
            }
        }
        if (wide) {
            emit("\\end{array}");
            emit(form.closing);
        } else {
            emit("\\end{" + environment + "}");
        }
    }

    void integral(const ExprNode& node) {
        emit("\\int");
        const ExprNode* upper = node.first.get();
        scripts(upper ? upper->next.get() : nullptr, upper);
        operand(node.second.get());
        emit("\\,\\mathrm{d}");
        this->node(node.third.get());
    }

    std::string out_;
};

} // namespace

std::string toLatex(const ExprNode& root) {
    LatexWriter writer;
    writer.node(&root);
    return writer.take();
}

WrittenFormula markupToLatex(std::string_view markup) {
    WrittenFormula written;
    if (const expr::ExprTree tree = writing::checkedTree(markup, written.refusal))
        written.text = toLatex(*tree);
    return written;
}

std::string latexDocument(std::string_view formulaLatex) {
    bool cjk = false;
    for (const char32_t c : toCodePoints(formulaLatex))
        cjk = cjk || (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
              (c >= 0xFF00 && c <= 0xFFEF);
    std::string out = "\\documentclass{article}\n\\usepackage{amsmath}\n\\usepackage{amssymb}\n";
    if (cjk) out += "\\usepackage{CJKutf8}\n";
    out += "\\begin{document}\n";
    if (cjk) out += "\\begin{CJK}{UTF8}{gbsn}\n";
    out += "\\[\n";
    out += formulaLatex;
    out += "\n\\]\n";
    if (cjk) out += "\\end{CJK}\n";
    out += "\\end{document}\n";
    return out;
}

} // namespace quorvel::typeset
