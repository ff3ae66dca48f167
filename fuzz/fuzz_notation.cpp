// Feeds arbitrary bytes to the rewriting of typed notation: it must survive any text within the limits,
// map every character of its result back into the typed text, and leave its own result as it is.
#include "FuzzSupport.h"
#include "base/Utf8Text.h"
#include "expr/Conversion.h"
#include "expr/TypedNotation.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string typed = validUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const expr::TypedRewrite first = expr::rewriteTypedNotation(typed);
    const int typedLength = static_cast<int>(toCodePoints(typed).size());
    if (first.failure) {
        if (first.failure->charPosition < 1 || first.failure->charPosition > typedLength + 1)
            fuzz::fail("a refusal points into the typed text", typed, first.failure->message);
    } else {
        if (first.origin.size() != toCodePoints(first.markup).size() + 1)
            fuzz::fail("every character of the result has its origin", typed, first.markup);
        for (int at : first.origin)
            if (at < 0 || at > typedLength) fuzz::fail("origins lie in the typed text", typed, first.markup);
        const expr::TypedRewrite again = expr::rewriteTypedNotation(first.markup);
        if (again.failure || again.markup != first.markup)
            fuzz::fail("rewriting a rewritten text changes nothing", first.markup, again.markup);
    }
    (void)expr::convertText(typed, expr::Road::Value);
    return 0;
}
