#pragma once

#include <QString>

namespace quorvel::app {

// The help page: "help/index.htm" in the program's folder, or, for an installed program, in its data
// folder (../share/quorvel/help/index.htm). Returns the first that exists, or the program folder's path
// when neither does.
QString helpPagePath(const QString& programFolder);

} // namespace quorvel::app
