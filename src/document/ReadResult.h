#pragma once

#include <string>

namespace quorvel::document {

// Outcome of reading a document text or a ".Fun" file.
struct ReadResult {
    bool ok = true;
    int errorLine = 0;  // 1-based line of the text (or file) where reading stopped
    std::string detail; // what did not convert, for diagnostics
    // The text held more than 999 annotations or graph items; the extra ones were left out.
    bool cut = false;

    explicit operator bool() const { return ok; }
};

} // namespace quorvel::document
