#pragma once

#include <QIcon>
#include <QString>

namespace quorvel::app {

// The icons of the tool bar buttons: from the desktop's icon theme where it has one, otherwise the
// program's own SVG picture, drawn at whatever size and pixel ratio the bar asks for. Names: new, open,
// save, print, exit, undo, redo, formula, function, calculate, annotation, help; a null icon otherwise.
QIcon toolIcon(const QString& name);

// The program's own icon (a curve on a grid), the same picture the desktop file installs.
QIcon programIcon();

} // namespace quorvel::app
