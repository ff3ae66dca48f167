#pragma once

#include <QString>

class QWidget;

namespace quorvel::app {

// The help page: "help/index.htm" in the program's folder, or, for an installed program, in its data
// folder (../share/quorvel/help/index.htm). Returns the first that exists, or the program folder's path
// when neither does.
QString helpPagePath(const QString& programFolder);

// Shows the page in the program's own viewer (a window named "HelpViewer" beside parent, reused), for a
// desktop that cannot open it. Returns the viewer.
QWidget* showHelpViewer(QWidget* parent, const QString& pagePath);

} // namespace quorvel::app
