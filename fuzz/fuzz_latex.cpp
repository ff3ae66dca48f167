// Feeds arbitrary bytes to the LaTeX reader (what a user pastes into the formula editor): it must survive
// any text in bounded time, and whatever it reads must be markup that the input checks accept; a refusal
// has no markup and a position inside the text.
#include "FuzzSupport.h"
#include "base/Utf8Text.h"
#include "expr/LatexReader.h"
#include "expr/Validation.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto start = std::chrono::steady_clock::now();
    const expr::LatexReading reading = expr::readLatex(text);
    (void)expr::looksLikeLatex(text);
    // Every text within the limits reads in a few milliseconds; seconds mean a loop or a quadratic path.
    const auto took = std::chrono::steady_clock::now() - start;
    if (took > std::chrono::seconds(5)) fuzz::fail("reading takes bounded time", text, "more than 5 s");

    if (reading.ok()) {
        if (reading.position != 0) fuzz::fail("a reading has no position", text, reading.markup);
        if (const auto failure = expr::findCheckFailure(reading.markup))
            fuzz::fail("the markup read passes the input checks", reading.markup, failure->message);
        return 0;
    }
    if (!reading.markup.empty()) fuzz::fail("a refusal has no markup", text, reading.markup);
    const auto characters = static_cast<int>(toCodePoints(text).size());
    if (reading.position < 1 || reading.position > std::max(characters, 1))
        fuzz::fail("a refusal points into the text", text, reading.message);
    return 0;
}
