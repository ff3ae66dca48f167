#pragma once

#include <QString>
#include <QStringList>

namespace quorvel::typeset {

// Maps the Windows face names that formulas, documents and the defaults use ("Times New Roman", "宋体",
// "SimSun", "Arial", ...) to installed faces with QFont::insertSubstitution, so that they render well on
// a machine with the fonts the setup installs. Safe to call more than once; needs a QGuiApplication.
void installFontSubstitutions();

// Whether a face can be drawn as itself or through a substitution to an installed face.
bool isFontAvailable(const QString& face);

// The names a font list offers: every installed family, in the font database's order, plus each
// substituted Windows name whose substitute is installed, placed in that order too.
QStringList formulaFontFamilies();

} // namespace quorvel::typeset
