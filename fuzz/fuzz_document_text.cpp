// Reads any text as a document text (history entries, the body of ".Fun" files), samples its curves,
// and checks that what was read writes a text that reads back to the same text.
#include "RoundTrip.h"
#include "document/DocumentText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::checkRoundTrip(
        std::string_view(reinterpret_cast<const char*>(data), size),
        [](std::string_view text, document::Document& doc, const document::ResampleHook& hook) {
            return document::readDocumentText(text, doc, hook);
        },
        [](const document::Document& doc) { return document::writeDocumentText(doc); });
    return 0;
}
