#include "expr/Conversion.h"

#include "base/Utf8Text.h"
#include "expr/Parser.h"
#include "expr/TypedNotation.h"
#include "expr/Validation.h"
#include "expr/ValueChecks.h"

#include <utility>
#include <vector>

namespace quorvel::expr {

namespace {

// The rewritten text without its blanks, with the typed character each of its characters comes from.
struct BareText {
    std::string text;
    std::vector<int> origin; // one more entry for the end
};

BareText withoutBlanks(const TypedRewrite& rewrite) {
    const std::u32string cps = toCodePoints(rewrite.markup);
    BareText bare;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        if (cps[i] == U' ') continue;
        appendUtf8(bare.text, cps[i]);
        bare.origin.push_back(rewrite.origin[i]);
    }
    bare.origin.push_back(rewrite.origin.back());
    return bare;
}

// Moves a failure found in the checked text to the text as given: its positions and the numbers that
// its message gives after "第" or "在" and before "位".
class Relocation {
public:
    Relocation(std::string_view given, const BareText& bare)
        : given_(toCodePoints(given)), checked_(toCodePoints(bare.text)), origin_(bare.origin) {}

    CheckFailure operator()(CheckFailure failure) const {
        if (failure.charPosition > 0) {
            const int typed = typedIndex(static_cast<std::size_t>(failure.charPosition - 1));
            failure.charPosition = typed + 1;
            failure.gbkPosition = gbkPosition(given_, static_cast<std::size_t>(typed));
        }
        failure.message = relocatedMessage(failure.message);
        return failure;
    }

private:
    std::u32string given_;
    std::u32string checked_;
    std::vector<int> origin_;

    int typedIndex(std::size_t checkedIndex) const {
        return origin_[std::min(checkedIndex, origin_.size() - 1)];
    }

    // The checked character at a 1-based GBK position, or the end.
    std::size_t checkedIndexOfGbk(int gbk) const {
        int at = 1;
        for (std::size_t i = 0; i < checked_.size(); ++i) {
            if (at >= gbk) return i;
            at += gbkWidth(checked_[i]);
        }
        return checked_.size();
    }

    std::string relocatedMessage(const std::string& message) const {
        std::string out;
        std::size_t i = 0;
        while (i < message.size()) {
            const bool marker = message.compare(i, 3, "第") == 0 || message.compare(i, 3, "在") == 0;
            if (!marker) {
                out += message[i++];
                continue;
            }
            out.append(message, i, 3);
            i += 3;
            std::size_t digits = i;
            while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9')
                ++digits;
            if (digits > i && digits - i < 9 && message.compare(digits, 3, "位") == 0) {
                const int gbk = std::stoi(message.substr(i, digits - i));
                const auto typed = static_cast<std::size_t>(typedIndex(checkedIndexOfGbk(gbk)));
                out += std::to_string(gbkPosition(given_, std::min(typed, given_.size())));
                i = digits;
            }
        }
        return out;
    }
};

CheckFailure refusal(std::string message) {
    CheckFailure f;
    f.check = CheckKind::Limits;
    f.message = std::move(message);
    return f;
}

} // namespace

Conversion convertText(std::string_view text, Road road, Reading reading) {
    Conversion c;
    TypedRewrite rewrite = reading == Reading::Typed ? rewriteTypedNotation(text) : unchangedRewrite(text);
    if (rewrite.failure) {
        c.failure = std::move(rewrite.failure);
        return c;
    }
    const BareText bare = withoutBlanks(rewrite);
    c.canonical = bare.text;
    const Relocation relocate(text, bare);
    if (auto failure = findCheckFailure(c.canonical)) {
        c.failure = relocate(std::move(*failure));
        return c;
    }
    if (road == Road::Value) {
        if (auto failure = findEmptyOperand(c.canonical)) {
            c.failure = relocate(std::move(*failure));
            return c;
        }
    }
    std::string refused;
    c.functionForm = toFunctionForm(c.canonical, &refused);
    if (!refused.empty()) {
        c.failure = refusal(std::move(refused));
        return c;
    }
    // The function form can hold a comma no call takes only if the markup could; checked as the parser
    // expects, its position is in the function form and not shown.
    if (auto failure = findCheckFailure(CheckKind::Commas, c.functionForm)) {
        failure->charPosition = 0;
        failure->gbkPosition = 0;
        c.failure = std::move(failure);
        return c;
    }
    c.tree = buildTree(c.functionForm, &refused);
    if (!refused.empty()) {
        c.tree.reset();
        c.failure = refusal(std::move(refused));
        return c;
    }
    linkParents(c.tree.get());
    return c;
}

} // namespace quorvel::expr
