#pragma once

#include <memory>

class QGuiApplication;

namespace quorvel::typeset {

// Fonts and painting need a QGuiApplication. Headless tools (the command-line tool, benchmarks) call
// this first: it creates one on the offscreen platform unless QT_QPA_PLATFORM chooses another, installs
// the font substitutions, and returns it (null when an application already exists).
std::unique_ptr<QGuiApplication> startHeadlessGui();

} // namespace quorvel::typeset
