// Reads any bytes as a ".Fun" file (GB18030, leading line, document text) with the curves sampled as
// the open command does, and checks that the file written from it reads back to the same bytes.
#include "RoundTrip.h"
#include "codec/FunFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::checkRoundTrip(
        std::string_view(reinterpret_cast<const char*>(data), size),
        [](std::string_view bytes, document::Document& doc, const document::ResampleHook& hook) {
            return codec::readFunFileBytes(bytes, doc, hook);
        },
        [](const document::Document& doc) { return codec::funFileBytes(doc); });
    return 0;
}
