#pragma once

#include "base/UiText.h"
#include "document/Document.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::document {

// The document text separates fields with "##" and never escapes it, so some values cannot be stored.
// They are refused where they enter the document (dialogs call these checks and show the message);
// saving refuses a document that holds one, so a file is never written that would read back wrong.

// A field followed by others on its line (expression, label font name, parameter names): no "##",
// no line break, and no "#" at its end (it would merge with the separator after it).
bool fitsInnerField(std::string_view value);
// The last field of a line (a graph item's name, a font name): no line break.
bool fitsLastField(std::string_view value);
// An annotation text: no line but the last may hold "##". Any line break form is allowed; the
// document keeps CR LF (see toCrLf).
bool fitsAnnotationText(std::string_view text);

// Converts every line break (CR LF, lone CR, lone LF) to CR LF, the form documents keep.
std::string toCrLf(std::string_view text);

// The name of a formula's markup in these messages.
inline constexpr const char* kExpressionField = UI_TEXT("表达式");
// The message for a value that cannot be stored, naming it (e.g. what = "函数名称"), or nothing.
std::optional<std::string> innerFieldProblem(std::string_view value, std::string_view what);
std::optional<std::string> lastFieldProblem(std::string_view value, std::string_view what);
std::optional<std::string> annotationTextProblem(std::string_view text);

// First value of an object that the text form cannot carry, as a message, or nothing.
std::optional<std::string> itemProblem(const DEFINEFUN& item);
std::optional<std::string> remarkProblem(const REMARK& remark);
std::optional<std::string> documentProblem(const Document& doc);

} // namespace quorvel::document
