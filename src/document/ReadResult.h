#pragma once

#include "document/Messages.h"

#include <string>

namespace quorvel::document {

// Outcome of reading a document text or a ".Fun" file.
struct ReadResult {
    bool ok = true;
    int errorLine = 0;  // 1-based line of the text (or file) where reading stopped
    std::string detail; // what did not convert, for diagnostics
    // The text held more than 999 annotations or graph items; the extra ones were left out.
    bool cut = false;
    // Reading stopped at a graph item of a kind this program does not know (a newer program wrote it).
    bool unknownKind = false;

    explicit operator bool() const { return ok; }
    // What the user is told when reading failed.
    const char* refusalMessage() const { return unknownKind ? kUnknownKindMessage : kNotOurFileMessage; }
};

} // namespace quorvel::document
