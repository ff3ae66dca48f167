#pragma once

#include "base/MessageSink.h"

#include <QStringList>

namespace quorvel::app {

class TForm1;

// The last documents opened or saved, newest first, without repeats, at most kMaxRecentFiles.
inline constexpr int kMaxRecentFiles = 8;
[[nodiscard]] QStringList withRecentFile(QStringList recent, const QString& path);

// 文件 → 最近的文件: the recent documents, kept in the program's settings. Choosing one opens it as 打开
// does; one that no longer exists is taken off the list with a message.
void installRecentFiles(TForm1& form1, MessageSink& sink);

} // namespace quorvel::app
