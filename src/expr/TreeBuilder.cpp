// buildTree: splits a function form into nodes.
#include "base/Utf8Text.h"
#include "expr/ParseLimits.h"
#include "expr/Parser.h"

#include <vector>

namespace quorvel::expr {

namespace {

bool isOpening(char c) {
    return c == '(' || c == '[' || c == '{';
}
bool isClosing(char c) {
    return c == ')' || c == ']' || c == '}';
}

constexpr std::size_t kNoPartner = static_cast<std::size_t>(-1);

struct Span {
    std::size_t begin = 0;
    std::size_t end = 0; // one past the last byte
    bool empty() const { return end <= begin; }
};

// The text is split by byte positions: every character that matters (brackets, "," and ";") is ASCII,
// which no byte of a multi-byte UTF-8 character is. Scans jump over bracket groups whose partner is known,
// so that building costs about one pass over the text however deep it nests.
// A dry builder only counts: it makes no node (every tree it returns is null), goes on past the node limit
// and reads a refused count as no items, so that it finds the depth and node limits of the text alone,
// whatever the counts, at a fraction of the cost of building.
class TreeBuilder {
public:
    TreeBuilder(std::string_view text, bool dry) : text_(text), partner_(text.size(), kNoPartner), dry_(dry) {
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (isOpening(text[i])) {
                open.push_back(i);
            } else if (isClosing(text[i]) && !open.empty()) {
                partner_[i] = open.back();
                partner_[open.back()] = i;
                open.pop_back();
            }
        }
    }

    ExprTree build(Span span, int depth) {
        if (!refusal_.empty()) return leaf({});
        if (depth > kMaxNesting) {
            refusal_ = detail::tooDeepOperationsMessage();
            return leaf({});
        }
        if (++nodes_ > kMaxTreeNodes && !dry_) {
            refusal_ = detail::tooComplexMessage();
            return leaf({});
        }
        // The last character (the closing bracket of a call) is not scanned. On nonsense text without the
        // partner of the call's bracket it may be a multi-byte character: it goes whole, so that no leaf
        // keeps a broken part of it. Bytes that form no valid sequence are characters of their own, as the
        // decoder reads them, so none is lost.
        std::size_t scanEnd = span.end > span.begin ? span.end - 1 : span.begin;
        for (std::size_t back = 1; back <= 3 && scanEnd >= span.begin + back; ++back)
            if (utf8SequenceAt(text_, scanEnd - back) == back + 1) {
                scanEnd -= back;
                break;
            }
        int level = -1;
        bool haveKeyword = false;
        Span keyword;
        std::size_t argStart[3] = {0, 0, 0};
        std::size_t argEnd[3] = {scanEnd, scanEnd, scanEnd};
        int commas = 0;
        for (std::size_t i = span.begin; i < scanEnd; ++i) {
            if (!charge(1)) return leaf({});
            const char c = text_[i];
            if (isOpening(c))
                ++level;
            else if (isClosing(c))
                --level;
            if (!haveKeyword) {
                if (i == span.begin && isOpening(c)) {
                    keyword = {i, i + 1};
                    haveKeyword = true;
                    argStart[0] = i + 1;
                } else if (i > span.begin && c == '(' && level < 1) {
                    keyword = {span.begin, i};
                    haveKeyword = true;
                    argStart[0] = i + 1;
                }
                // A call is its whole text. Characters that are no operator may follow its closing
                // bracket ("abs(x)≤1"): the text is then one leaf, which would otherwise lose them.
                if (haveKeyword && partner_[i] != kNoPartner && partner_[i] > i && partner_[i] + 1 < span.end)
                    return leaf(span);
                continue;
            }
            if (c == ',' && level < 1) {
                argEnd[commas] = i;
                argStart[commas + 1] = i + 1;
                if (++commas == 2) break; // the rest is the third argument
            } else if (isOpening(c) && level >= 1 && partner_[i] != kNoPartner && partner_[i] > i) {
                // A group that opens at level 1 or deeper hides its commas; skip it whole.
                if (partner_[i] >= scanEnd) break;
                i = partner_[i];
                --level;
            }
        }
        if (!haveKeyword) return leaf(span);

        const Span args[3] = {{argStart[0], argEnd[0]},
                              {argStart[1], commas >= 1 ? argEnd[1] : argStart[1]},
                              {argStart[2], commas >= 2 ? scanEnd : argStart[2]}};
        if (dry_) {
            ExprNode counted{std::string(slice(keyword))};
            fill(counted, args, commas, depth + 1);
            return nullptr;
        }
        auto node = std::make_unique<ExprNode>(std::string(slice(keyword)));
        fill(*node, args, commas, depth + 1);
        if (!refusal_.empty()) return leaf({});
        return node;
    }

    // The depth refusal (or that of the work budget) first, then the node limit.
    std::string refusal() const {
        if (refusal_.empty() && nodes_ > kMaxTreeNodes) return detail::tooComplexMessage();
        return refusal_;
    }

private:
    std::string_view slice(Span s) const {
        return s.empty() ? std::string_view() : text_.substr(s.begin, s.end - s.begin);
    }

    ExprTree leaf(Span s) const {
        if (dry_) return nullptr;
        return std::make_unique<ExprNode>(std::string(slice(s)));
    }

    bool charge(long long steps) {
        work_ += steps;
        if (work_ <= detail::kWorkBudget) return true;
        if (refusal_.empty()) refusal_ = detail::tooComplexMessage();
        return false;
    }

    // Ends of the items of a list: each item runs to the next ";" whose level is accepted.
    // In a dry run the missing items at the end are not listed but counted in missing.
    template <typename Accept>
    std::vector<Span> items(Span list, long long count, Accept accept, long long& missing) {
        missing = 0;
        std::vector<Span> out;
        out.reserve(static_cast<std::size_t>(count));
        std::size_t pos = list.begin;
        int level = 0;
        while (static_cast<long long>(out.size()) < count) {
            if (pos >= list.end && dry_) {
                // The missing items are empty leaves: counted, not walked.
                missing = count - static_cast<long long>(out.size());
                break;
            }
            if (pos >= list.end) {
                out.push_back({list.end, list.end}); // a missing item is empty
                continue;
            }
            std::size_t i = pos;
            for (; i < list.end; ++i) {
                if (!charge(1)) return {};
                const char c = text_[i];
                if (isOpening(c)) {
                    if (partner_[i] != kNoPartner && partner_[i] > i && partner_[i] < list.end)
                        i = partner_[i]; // a whole group: the level comes back where it was
                    else
                        ++level;
                } else if (isClosing(c)) {
                    --level;
                } else if (c == ';' && accept(level)) {
                    break;
                }
            }
            out.push_back({pos, i});
            pos = i + 1;
        }
        return out;
    }

    // Builds the items as a chain through `next`; returns its head.
    ExprTree chain(const std::vector<Span>& spans, int depth, long long missing) {
        ExprTree head;
        ExprNode* last = nullptr;
        for (const Span& s : spans) {
            if (!refusal_.empty()) break;
            ExprTree item = build(s, depth);
            ExprNode* raw = item.get();
            if (last)
                last->next = std::move(item);
            else
                head = std::move(item);
            last = raw;
        }
        if (missing > 0 && refusal_.empty()) {
            nodes_ += missing;
            if (depth > kMaxNesting) refusal_ = detail::tooDeepOperationsMessage();
        }
        return head;
    }

    // Reads the count of a list construct from the text of one argument; refuses what is no natural
    // number or exceeds the construct's limit.
    std::optional<long long> count(Span arg, detail::Counted construct) {
        const auto value = detail::readCount(slice(arg));
        if (dry_) return value && *value <= detail::countLimit(construct) ? *value : 0;
        if (!value) {
            refusal_ = detail::notNaturalMessage(construct);
            return std::nullopt;
        }
        if (*value > detail::countLimit(construct)) {
            refusal_ = detail::tooManyMessage(construct);
            return std::nullopt;
        }
        return value;
    }

    void fill(ExprNode& node, const Span (&args)[3], int commas, int depth) {
        const Keyword exact = node.exactKind;
        const Keyword lower = node.kind;
        if (lower == Keyword::Cub || lower == Keyword::Ind || lower == Keyword::Ext || lower == Keyword::C ||
            lower == Keyword::P) {
            // The exponent, the degree of a root and k of c(n,k) come first.
            node.first = build(args[1], depth);
            node.second = build(args[0], depth);
            if (!args[2].empty()) node.third = build(args[2], depth);
            return;
        }
        if (exact == Keyword::Ing1) {
            // ing1(a;b,f,x): the bounds are split at the first ";" whatever the brackets.
            const std::string_view bounds = slice(args[0]);
            const std::size_t semicolon = bounds.find(';');
            Span upper = args[0];
            Span lower = {args[0].end, args[0].end};
            if (semicolon != std::string_view::npos) {
                upper.end = args[0].begin + semicolon;
                lower.begin = upper.end + 1;
            }
            node.first = build(upper, depth);
            ExprTree second = build(lower, depth);
            if (node.first) node.first->next = std::move(second);
        } else {
            node.first = build(args[0], depth);
        }
        if (!refusal_.empty()) return;

        if (exact == Keyword::Lak) {
            const auto n = count(args[0], detail::Counted::Lak);
            if (!n) return;
            long long missing = 0;
            const auto lines = items(
                args[1], *n, [](int level) { return level < 1; }, missing);
            node.second = chain(lines, depth, missing);
            return;
        }
        if (exact == Keyword::Matrix || (exact == Keyword::Range && !args[2].empty())) {
            const auto construct =
                exact == Keyword::Matrix ? detail::Counted::Matrix : detail::Counted::Range;
            const auto rows = count(args[0], construct);
            const auto columns = rows ? count(args[1], construct) : std::nullopt;
            if (!rows || !columns) return;
            node.second = build(args[1], depth);
            long long missing = 0;
            const auto cells = items(
                args[2], *rows * *columns, [](int level) { return level == 0; }, missing);
            node.third = chain(cells, depth, missing);
            return;
        }
        if (commas >= 1) node.second = build(args[1], depth);
        if (exact == Keyword::Con) {
            const auto n = count(args[0], detail::Counted::Con);
            if (!n) return;
            long long missing = 0;
            const auto conditions = items(
                args[2], *n, [](int level) { return level < 1; }, missing);
            node.third = chain(conditions, depth, missing);
            return;
        }
        if (!args[2].empty()) node.third = build(args[2], depth);
    }

    std::string_view text_;
    std::vector<std::size_t> partner_;
    std::string refusal_;
    long long work_ = 0;
    long long nodes_ = 0;
    bool dry_ = false;
};

} // namespace

namespace detail {

std::string treeLimitRefusal(std::string_view functionForm) {
    if (functionForm.size() > kMaxFormBytes) return tooComplexMessage();
    TreeBuilder counter(functionForm, true);
    (void)counter.build({0, functionForm.size()}, 0);
    return counter.refusal();
}

} // namespace detail

ExprTree buildTree(std::string_view functionForm, std::string* refusal) {
    if (refusal) refusal->clear();
    // Counting first refuses a tree beyond the limits before any of its nodes is made.
    std::string problem = detail::treeLimitRefusal(functionForm);
    ExprTree tree;
    if (problem.empty()) {
        TreeBuilder builder(functionForm, false);
        tree = builder.build({0, functionForm.size()}, 0);
        problem = builder.refusal();
    }
    if (!problem.empty()) {
        tree = std::make_unique<ExprNode>(std::string());
        if (refusal) *refusal = std::move(problem);
    }
    return tree;
}

} // namespace quorvel::expr
