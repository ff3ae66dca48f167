#pragma once

#include "document/Document.h"
#include "document/ReadResult.h"

#include <string>
#include <string_view>

namespace quorvel::codec {

// ".Fun" files: a leading line naming the program and the format, then the document text, in GB18030
// with CR LF line ends.

// The file's bytes for the document.
std::string funFileBytes(const document::Document& doc);

// Reads a file's bytes into doc (its live objects are replaced; the caller resets the view first as
// the open command does, see Document::resetForOpen).
document::ReadResult readFunFileBytes(std::string_view bytes, document::Document& doc,
                                      const document::ResampleHook& resample = {});

// Files larger than this are not documents and are refused before any byte is read.
inline constexpr long long kMaxFunFileBytes = 256LL * 1024 * 1024;

enum class LoadProblem {
    None,
    CannotOpen,     // missing, unreadable or a read error
    NotRegularFile, // a folder, FIFO, socket or device: opening or reading it might never end
    TooLarge,       // beyond kMaxFunFileBytes
    NoConverter,    // the Qt build cannot decode GB18030
};

struct LoadedText {
    std::string utf8; // the file's content decoded to UTF-8, when problem is None
    LoadProblem problem = LoadProblem::None;
    std::string detail; // the reason, for diagnostics

    explicit operator bool() const { return problem == LoadProblem::None; }
};
// Reads and decodes the file at path. Only a regular file within the size limit is opened; it is
// decoded line block by line block, so its bytes and its text are never held whole at the same time.
[[nodiscard]] LoadedText loadFunFile(const std::string& path);

// Reads the file at path. A file that cannot be read gives ok = false with the reason in detail and
// leaves doc untouched.
document::ReadResult readFunFile(const std::string& path, document::Document& doc,
                                 const document::ResampleHook& resample = {});

// The open command's outcome: a file that could not be read at all says why in problem (and leaves the
// document untouched); a file that was read says how the reading went.
struct OpenResult : document::ReadResult {
    LoadProblem problem = LoadProblem::None;
    // Reading stopped inside a file that names this program's format: the file is damaged (cut off or
    // changed), not another program's, and the objects before the damage were read.
    bool damaged = false;
};

// The document side of the open command: reads the file; only when its bytes could be read is the
// document reset for the sheet (as a new experiment, keeping the axes and grid toggles) and rebuilt
// from them. On a conversion error the view settings and objects read before it stay (the caller shows
// kNotOurFileMessage).
[[nodiscard]] OpenResult openFunFile(const std::string& path, document::Document& doc, double sheetWidth,
                                     double sheetHeight, const document::ResampleHook& resample = {});

struct SaveResult {
    bool ok = false;
    std::string message; // why nothing was written, shown to the user
};
// Writes the file atomically: a failed save leaves an existing file as it was. A document holding a
// value the text form cannot carry is refused with a message naming it.
SaveResult saveFunFile(const std::string& path, const document::Document& doc);

} // namespace quorvel::codec
