#pragma once

#include "document/Document.h"
#include "document/ReadResult.h"

#include <string>
#include <string_view>

namespace quorvel::document {

// The one text form of a document (history entries and, after one leading line, ".Fun" files).
// UTF-8 inside the program; every line ends with CR LF. Layout:
//   originX##originY
//   unitCommon##unitX##unitY
//   gridKind##axesShown##gridShown
//   remarkCount, then per annotation: "left##top##right##bottom##<font text>" and the text + "##"
//   curveCount, then per graph item two lines (box, kind, domain, pen, font, expression, colours, name;
//   parameter count, names and values)
std::string writeDocumentText(const Document& doc);

// Reads a document text into doc after destroying its live objects (the clipboard stays); the first
// skipLines lines are passed over unread (a ".Fun" file's leading line). Every complete graph item is
// handed to resample. Reading stops at the first field that does not convert or at a missing line;
// the view settings and objects read until then stay, and the counts equal the objects built.
// More than 999 annotations or graph items are cut to 999 (result.cut): the extra annotations are
// passed over line by line without converting them, and reading ends at the first extra graph item.
ReadResult readDocumentText(std::string_view text, Document& doc, const ResampleHook& resample = {},
                            int skipLines = 0);

// The first line a ".Fun" file starts with; reading never looks at it.
inline constexpr const char* kFunFileLeadingLine = "Quorvel Fun document, format 1";

// A ".Fun" file's content as UTF-8 text: the leading line, then the document text.
std::string funFileText(const Document& doc);
// Reads a ".Fun" file's content (UTF-8): skips the leading line, reads the document text.
ReadResult readFunFileText(std::string_view text, Document& doc, const ResampleHook& resample = {});

} // namespace quorvel::document
