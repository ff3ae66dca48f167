// expandPiecewise: multi-line ("lak") and conditional ("con") constructs become plain arithmetic for
// plotting and calculating; the conditions are collected into the engine's domainText.
#include "expr/Engine.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <string_view>
#include <vector>

namespace quorvel::expr {

namespace {

// Brackets, commas and semicolons are ASCII, and no byte of a multi-byte UTF-8 character is ASCII, so
// these scans may walk bytes.
bool isOpening(char c) {
    return c == '(' || c == '[' || c == '{';
}
bool isClosing(char c) {
    return c == ')' || c == ']' || c == '}';
}

// Index of the first separator at depth 0 at or after from (depth counted from start), or npos.
std::size_t separatorAt(std::string_view text, char separator, std::size_t start, std::size_t from) {
    int depth = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (isOpening(text[i]))
            ++depth;
        else if (isClosing(text[i]))
            --depth;
        else if (text[i] == separator && depth == 0 && i >= from)
            return i;
    }
    return std::string_view::npos;
}

// n items, each up to the next ";" of depth 0, the last one up to the end; missing items are empty.
std::vector<std::string_view> takeItems(std::string_view text, long long n) {
    std::vector<std::string_view> items;
    std::size_t pos = 0;
    for (long long k = 0; k < n; ++k) {
        if (pos >= text.size()) {
            items.emplace_back();
            continue;
        }
        const std::string_view rest = text.substr(pos);
        const std::size_t end = k + 1 == n ? std::string_view::npos : separatorAt(rest, ';', 0, 0);
        if (end == std::string_view::npos) {
            items.push_back(rest);
            pos = text.size();
        } else {
            items.push_back(rest.substr(0, end));
            pos += end + 1;
        }
    }
    return items;
}

class Expander {
public:
    Expander(std::string& domain, std::string text) : domain_(domain), text_(std::move(text)) {}

    // Empty on success, else the refusal.
    std::string run() {
        std::string refusal = expandCalls(
            "lak(", [this](const std::string& inside, std::string& out) { return expandLines(inside, out); });
        if (refusal.empty())
            refusal = expandCalls("con(", [this](const std::string& inside, std::string& out) {
                return expandConditions(inside, out);
            });
        return refusal;
    }

    const std::string& text() const { return text_; }

private:
    bool charge(long long steps) {
        work_ += steps;
        return work_ <= detail::kWorkBudget;
    }

    // Replaces the first call of opener in the text by its expansion, again and again until none is left,
    // as if the whole text were searched from its start after each replacement. The text streams from
    // `rest` (held reversed, so that an expansion is put back in front of it at the cost of its own
    // length) into `done`, which never holds a call: a call is recognised when `done` ends with the
    // opener, even one that an expansion forms with the characters in front of it.
    template <typename Expand> std::string expandCalls(std::string_view opener, Expand expand) {
        std::string done;
        done.reserve(text_.size());
        std::string rest(text_.rbegin(), text_.rend());
        while (!rest.empty()) {
            if (!charge(1)) return detail::tooComplexMessage();
            done.push_back(rest.back());
            rest.pop_back();
            if (!std::string_view(done).ends_with(opener)) continue;
            done.resize(done.size() - opener.size());
            // The inside runs to the bracket that closes the call (depth over all kinds), or to the end.
            std::size_t length = 0;
            int depth = 1;
            for (; length < rest.size(); ++length) {
                const char c = rest[rest.size() - 1 - length];
                if (isOpening(c))
                    ++depth;
                else if (isClosing(c) && --depth == 0)
                    break;
            }
            if (!charge(static_cast<long long>(length))) return detail::tooComplexMessage();
            const std::string inside(rest.rbegin(), rest.rbegin() + static_cast<std::ptrdiff_t>(length));
            rest.resize(length < rest.size() ? rest.size() - length - 1 : 0);
            std::string replacement;
            if (std::string refusal = expand(inside, replacement); !refusal.empty()) return refusal;
            if (done.size() + rest.size() + replacement.size() > kMaxFormBytes)
                return detail::tooComplexMessage();
            rest.append(replacement.rbegin(), replacement.rend());
        }
        text_ = std::move(done);
        return {};
    }

    // Splits a call's inside at its first comma of depth 0 into count and rest, and reads the count.
    static std::string readHead(const std::string& inside, detail::Counted construct, long long& count,
                                std::string_view& rest) {
        const std::size_t comma = separatorAt(inside, ',', 0, 0);
        const std::string_view all(inside);
        const std::string_view countText = all.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : all.substr(comma + 1);
        const auto value = detail::readCount(countText);
        if (!value) return detail::notNaturalMessage(construct);
        if (*value > detail::countLimit(construct)) return detail::tooManyMessage(construct);
        count = *value;
        return {};
    }

    // lak(n,e1;...;en) -> e1+...+en
    std::string expandLines(const std::string& inside, std::string& out) {
        long long n = 0;
        std::string_view rest;
        if (std::string refusal = readHead(inside, detail::Counted::Lak, n, rest); !refusal.empty())
            return refusal;
        const auto lines = takeItems(rest, n);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::string_view line = lines[k];
            // A later line that starts with a sign is bracketed: "x+-1" would leave "+" without operand.
            const bool signed_ = !line.empty() && (line[0] == '-' || line[0] == '+' || line.starts_with("±"));
            if (k > 0) out += signed_ ? "+(" : "+";
            out += line;
            if (k > 0 && signed_) out += ')';
        }
        return {};
    }

    // con(n,expr,c1;...;cn) -> (expr)×pd(c1)×...×pd(cn)
    std::string expandConditions(const std::string& inside, std::string& out) {
        long long n = 0;
        std::string_view rest;
        if (std::string refusal = readHead(inside, detail::Counted::Con, n, rest); !refusal.empty())
            return refusal;
        // The expression's comma is looked for from its second character on (a leading comma is part of
        // it), but the bracket depth is counted from its first, so that a bracket that opens the
        // expression keeps its commas inside.
        const std::size_t comma = separatorAt(rest, ',', 0, 1);
        const std::string_view expression = rest.substr(0, comma);
        const std::string_view conditions =
            comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        out = "(" + std::string(expression) + ")×";
        const auto items = takeItems(conditions, n);
        for (std::size_t k = 0; k < items.size(); ++k) {
            const std::string condition(items[k]);
            out += "pd(" + condition + ")";
            if (k + 1 < items.size()) out += "×";
            if (domain_.empty())
                domain_ = "pd(" + condition + ")";
            else
                domain_ += (k == 0 ? "+pd(" : "×pd(") + condition + ")";
            if (domain_.size() > kMaxFormBytes) return detail::tooComplexMessage();
        }
        return {};
    }

    std::string& domain_;
    std::string text_;
    long long work_ = 0;
};

} // namespace

namespace detail {

std::string expandCalls(std::string& domain, std::string_view text, std::string& refusal) {
    domain.clear();
    refusal.clear();
    if (text.size() > kMaxFormBytes) {
        refusal = tooComplexMessage();
        return {};
    }
    Expander expander(domain, std::string(text));
    refusal = expander.run();
    if (!refusal.empty()) {
        domain.clear();
        return {};
    }
    return expander.text();
}

} // namespace detail

std::string expandPiecewise(Engine& engine, std::string_view text, std::string* refusal, TextKind kind) {
    engine.domainText.clear();
    if (refusal) refusal->clear();
    // A text as typed meets all limits first, so that this road answers as every other; a function form
    // was already held to them when it was made.
    std::string problem = kind == TextKind::Markup ? detail::limitRefusal(text) : std::string();
    std::string expanded;
    if (problem.empty()) expanded = detail::expandCalls(engine.domainText, text, problem);
    std::string form;
    if (problem.empty()) form = detail::rewriteOperators(expanded, problem);
    if (!problem.empty()) {
        engine.domainText.clear();
        if (refusal) *refusal = std::move(problem);
        return {};
    }
    return form;
}

} // namespace quorvel::expr
