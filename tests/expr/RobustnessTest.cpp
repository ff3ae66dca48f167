// Random texts through the whole engine, and the fast rewriter against a plain one that rescans the
// text from the start after every rewrite, exactly as the rules are stated.
#include "TreeShape.h"

#include "base/MessageSink.h"
#include "base/Utf8Text.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "expr/Validation.h"
#include "expr/ValueChecks.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvel::expr {
namespace {

const std::u32string kSpecials = U"≠≡≈→±·×⊥∥≌∽";

bool special(char32_t c) {
    return kSpecials.find(c) != std::u32string::npos;
}
bool opening(char32_t c) {
    return c == U'(' || c == U'[' || c == U'{';
}
bool closing(char32_t c) {
    return c == U')' || c == U']' || c == U'}';
}
bool in(char32_t c, std::u32string_view set) {
    return set.find(c) != std::u32string_view::npos;
}

// The plain rewriter: find the leftmost operator of the tightest class, rewrite it, start again.
class PlainRewriter {
public:
    explicit PlainRewriter(std::u32string text) : t_(std::move(text)) {}

    std::u32string run() {
        for (;;) {
            bool rewrote = false;
            for (int cls = 1; cls <= 6 && !rewrote; ++cls) {
                for (std::size_t i = 0; i < t_.size() && !rewrote; ++i) {
                    if (const std::u32string kw = keyword(cls, i); !kw.empty()) {
                        rewrite(cls, i, kw);
                        rewrote = true;
                    }
                }
            }
            if (!rewrote) return t_;
        }
    }

private:
    char32_t before(std::size_t i) const { return i == 0 ? U'\0' : t_[i - 1]; }
    bool nameMinus(std::size_t i) const { return t_[i] == U'-' && before(i) == U'_'; }

    std::u32string keyword(int cls, std::size_t i) const {
        const char32_t c = t_[i];
        switch (cls) {
        case 1:
            return c == U'!' ? U"fac" : U"";
        case 2:
            return c == U'*'   ? U"muw"
                   : c == U'·' ? U"mud"
                   : c == U'×' ? U"mul"
                   : c == U'/' ? U"div"
                   : c == U'%' ? U"mod"
                               : U"";
        case 3:
            if (!in(c, U"-+±")) return U"";
            if (i > 0 && !in(before(i), U",; =><*/%([{≠≡≈→·×⊥∥≌∽")) return U"";
            return c == U'-' ? U"mus" : c == U'+' ? U"pos" : U"pom";
        case 4:
            return c == U'+' ? U"add" : (c == U'-' && !nameMinus(i)) ? U"sub" : c == U'±' ? U"aoc" : U"";
        case 5: {
            const bool eq = i + 1 < t_.size() && t_[i + 1] == U'=';
            return c == U'>' ? (eq ? U"ges" : U"gts") : c == U'<' ? (eq ? U"les" : U"lts") : U"";
        }
        default: {
            const std::u32string_view ops = U"=≠≡≈→⊥∥≌∽";
            const std::u32string_view kws[] = {U"eql", U"nes", U"usu", U"app", U"inc",
                                               U"upr", U"par", U"res", U"gru"};
            const std::size_t k = ops.find(c);
            return k == std::u32string_view::npos ? U"" : std::u32string(kws[k]);
        }
        }
    }

    bool leftStop(int cls, std::size_t i) const {
        const char32_t c = t_[i];
        if (cls == 1) return c == U'-' ? !nameMinus(i) : (in(c, U",; +*/%><=") || special(c));
        if (cls == 5 || cls == 6) return in(c, U",;") || special(c);
        if (c == U'-') return i != 0 && before(i) != U'(' && !nameMinus(i);
        return in(c, U",; +><=") || special(c);
    }

    bool rightStop(int cls, std::size_t i) const {
        const char32_t c = t_[i];
        if (cls == 5 || cls == 6) return in(c, U",; ") || special(c);
        if (c == U'-') return !nameMinus(i);
        return in(c, cls == 3 ? U",; +*/%><=" : U",; +*/><=") || special(c);
    }

    std::size_t leftStart(int cls, std::size_t op) const {
        int depth = 0;
        std::size_t start = op;
        for (std::size_t i = op; i-- > 0;) {
            if (closing(t_[i]))
                ++depth;
            else if (opening(t_[i]) && --depth < 0)
                break;
            else if (!opening(t_[i]) && depth <= 0 && leftStop(cls, i))
                break;
            start = i;
        }
        return start;
    }

    std::size_t rightEnd(int cls, std::size_t from) const { // one past the operand
        int depth = 0;
        std::size_t i = from;
        for (; i < t_.size(); ++i) {
            if (opening(t_[i]))
                ++depth;
            else if (closing(t_[i]) && --depth < 0)
                break;
            else if (!closing(t_[i]) && depth <= 0 && rightStop(cls, i))
                break;
        }
        return i;
    }

    void rewrite(int cls, std::size_t op, const std::u32string& kw) {
        if (cls == 1) {
            const std::size_t start = leftStart(cls, op);
            t_ = t_.substr(0, start) + kw + U"(" + t_.substr(start, op - start) + U")" + t_.substr(op + 1);
        } else if (cls == 3) {
            const std::size_t end = rightEnd(cls, op + 1);
            t_ = t_.substr(0, op) + kw + U"(" + t_.substr(op + 1, end - op - 1) + U")" + t_.substr(end);
        } else {
            const std::size_t width = (kw == U"ges" || kw == U"les") ? 2 : 1;
            const std::size_t start = leftStart(cls, op);
            const std::size_t end = rightEnd(cls, op + width);
            t_ = t_.substr(0, start) + kw + U"(" + t_.substr(start, op - start) + U"," +
                 t_.substr(op + width, end - op - width) + U")" + t_.substr(end);
        }
    }

    std::u32string t_;
};

std::string plainFunctionForm(std::string_view text) {
    return toUtf8(PlainRewriter(toCodePoints(text)).run());
}

// The plain piecewise expansion: cut the first call out of the whole text, put its expansion in, start
// again. expand answers false for a count that is no small natural number.
struct PlainPiecewise {
    std::string text;
    std::string domain;

    static int depthStep(char c) {
        return opening(static_cast<unsigned char>(c)) ? 1 : closing(static_cast<unsigned char>(c)) ? -1 : 0;
    }

    static std::size_t separator(std::string_view t, char sep, std::size_t from) {
        int depth = 0;
        for (std::size_t i = 0; i < t.size(); ++i) {
            depth += depthStep(t[i]);
            if (t[i] == sep && depth == 0 && i >= from) return i;
        }
        return std::string::npos;
    }

    static std::vector<std::string> items(std::string t, long long n) {
        std::vector<std::string> out;
        for (long long k = 0; k < n; ++k) {
            const std::size_t end = k + 1 == n ? std::string::npos : separator(t, ';', 0);
            out.push_back(t.substr(0, end));
            t = end == std::string::npos ? std::string() : t.substr(end + 1);
        }
        return out;
    }

    bool expand(const std::string& keyword) {
        for (std::size_t at; (at = text.find(keyword + "(")) != std::string::npos;) {
            const std::size_t open = at + keyword.size();
            std::size_t close = open;
            for (int depth = 0; close < text.size(); ++close)
                if ((depth += depthStep(text[close])) == 0) break;
            const std::string inside = text.substr(open + 1, close - open - 1);
            const std::size_t comma = separator(inside, ',', 0);
            const std::string count = inside.substr(0, comma);
            if (count.empty() || count.size() > 3 ||
                count.find_first_not_of("0123456789") != std::string::npos)
                return false;
            const long long n = std::stoll(count);
            const std::string rest = comma == std::string::npos ? "" : inside.substr(comma + 1);
            std::string replacement;
            if (keyword == "lak") {
                const auto lines = items(rest, n);
                for (std::size_t k = 0; k < lines.size(); ++k) {
                    const bool sign =
                        lines[k].starts_with('-') || lines[k].starts_with('+') || lines[k].starts_with("±");
                    replacement += k == 0 ? lines[k] : sign ? "+(" + lines[k] + ")" : "+" + lines[k];
                }
            } else {
                const std::size_t end = separator(rest, ',', 1);
                replacement = "(" + rest.substr(0, end) + ")×";
                const auto conditions = items(end == std::string::npos ? "" : rest.substr(end + 1), n);
                for (std::size_t k = 0; k < conditions.size(); ++k) {
                    replacement += "pd(" + conditions[k] + ")" + (k + 1 < conditions.size() ? "×" : "");
                    domain += std::string(domain.empty() ? ""
                                          : k == 0       ? "+"
                                                         : "×") +
                              "pd(" + conditions[k] + ")";
                }
            }
            text = text.substr(0, at) + replacement + (close < text.size() ? text.substr(close + 1) : "");
        }
        return true;
    }
};

std::string randomText(std::mt19937& rng, std::u32string_view alphabet, int maxLength) {
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::u32string out;
    for (int n = length(rng); n > 0; --n)
        out += alphabet[pick(rng)];
    return toUtf8(out);
}

TEST(Robustness, FastRewriterMatchesThePlainOneOnRandomTexts) {
    std::mt19937 rng(20240611);
    const std::u32string_view alphabet = U"ab1x_-+±*·×/%!><=≠→⊥()[]{},; ";
    for (int i = 0; i < 30000; ++i) {
        const std::string text = randomText(rng, alphabet, 24);
        ASSERT_EQ(toFunctionForm(text), plainFunctionForm(text)) << "for " << text;
    }
}

TEST(Robustness, FastRewriterMatchesThePlainOneOnBalancedFormulas) {
    // Balanced texts take the path that jumps over bracket groups.
    std::mt19937 rng(7);
    const std::u32string_view alphabet = U"ab1x_--++*/×=<>!(()),";
    int balanced = 0;
    for (int i = 0; i < 30000; ++i) {
        const std::string text = randomText(rng, alphabet, 30);
        int depth = 0;
        bool ok = true;
        for (char c : text) {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            ok = ok && depth >= 0;
        }
        if (!ok || depth != 0) continue;
        ++balanced;
        ASSERT_EQ(toFunctionForm(text), plainFunctionForm(text)) << "for " << text;
    }
    EXPECT_GT(balanced, 1000);
}

TEST(Robustness, PiecewiseExpansionMatchesThePlainOne) {
    std::mt19937 rng(31);
    // Whole keywords and pieces of them, so that calls nest and expansions form new calls.
    const std::vector<std::string> pieces{"lak(2,", "con(1,", "lak(1,", "con(2,", "lak(0,", "lak(", "(",
                                          ")",      ")",      ",",      ";",      "1",      "x",    "y",
                                          "+",      "la",     "k(",     "co",     "n("};
    std::uniform_int_distribution<int> length(0, 16);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    RecordingSink sink;
    Engine engine(sink);
    int compared = 0;
    int withCalls = 0;
    for (int i = 0; i < 40000; ++i) {
        std::string text;
        for (int n = length(rng); n > 0; --n)
            text += pieces[pick(rng)];
        PlainPiecewise plain{text, {}};
        if (!plain.expand("lak") || !plain.expand("con")) continue;
        ++compared;
        withCalls += text.find("lak(") != std::string::npos || text.find("con(") != std::string::npos;
        std::string refusal;
        ASSERT_EQ(expandPiecewise(engine, text, &refusal), toFunctionForm(plain.text)) << "for " << text;
        ASSERT_EQ(engine.domainText, plain.domain) << "for " << text;
    }
    EXPECT_GT(withCalls, 3000);
}

TEST(Robustness, AnyTextGoesThroughTheWholeEngine) {
    std::mt19937 rng(99);
    const std::u32string_view alphabet = U"ab1x_-+*/!<=≠()[]{},;  lakconmatrixrangeing1cubextfsinπ∞中";
    RecordingSink sink;
    Engine engine(sink);
    for (int i = 0; i < 5000; ++i) {
        std::string text = randomText(rng, alphabet, 40);
        if (i % 3 == 0) // make the list keywords likely
            text = std::string(i % 2 ? "lak(2," : "matrix(1,2,") + text;
        validate(sink, text, true);
        (void)findEmptyOperand(text);
        const std::string form = toFunctionForm(text);
        expandPiecewise(engine, text);
        ExprNode* root = engine.rebuildCurrentTree(form, true);
        ASSERT_NE(root, nullptr);
        collectVariables(engine, root);
        evaluate(engine, root, 0.5);
        const std::string written = treeToText(root);
        const ExprTree again = buildTree(written);
        ASSERT_NE(again, nullptr);
        if (engine.variables.full()) engine.variables.clear();
    }
    EXPECT_TRUE(sink.shown.size() <= 5000u * 2);
}

TEST(Robustness, InvalidUtf8IsSafe) {
    const std::string bytes = "a\xff+\xc3(b\xe2\x89";
    const std::string form = toFunctionForm(bytes);
    EXPECT_FALSE(form.empty());
    RecordingSink sink;
    EXPECT_FALSE(validate(sink, bytes, true));
    const ExprTree tree = buildTree(bytes);
    EXPECT_EQ(treeToText(tree.get()).empty(), false);
}

} // namespace
} // namespace quorvel::expr
