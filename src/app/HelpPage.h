#pragma once

#include <QString>

class QWidget;

namespace quorvel::app {

// The help page: "help/index.htm" in the program's folder, or, for an installed program, in its data
// folder (../share/quorvel/help/index.htm). Returns the first that exists, or the program folder's path
// when neither does.
QString helpPagePath(const QString& programFolder);

// Shows the page in the program's own help window (named "HelpViewer", beside parent, reused), so help
// opens on every desktop, with or without a browser. Returns the window.
QWidget* showHelpViewer(QWidget* parent, const QString& pagePath);

} // namespace quorvel::app
