#pragma once

#include <QString>

#include <string_view>

namespace quorvel::editor {

// Where the example picture NAME ("jifen.bmp") lies: in "tubiaolizi" beside the program (the build
// tree), else in the installed data folder ../share/quorvel/tubiaolizi. Empty when neither holds the
// file; the caller then leaves the picture out and still inserts the template.
QString examplePicturePath(std::string_view name, const QString& programFolder);
// The same for the running program's folder.
QString examplePicturePath(std::string_view name);

} // namespace quorvel::editor
