#pragma once

#include "base/MessageSink.h"

#include <memory>

namespace quorvel::app {

class TForm1;

// Everything the main window's commands are made of: the engine shared by the plotter and the formula
// editor, the curves, the editor, the pointer and the keys, the edit commands and the annotations.
struct Program;

// Connects every command of the program to the main window, in the windows' fixed order. A command
// name given twice, or one without its menu item or button, throws (std::logic_error). The program
// must live as long as the window uses it.
[[nodiscard]] std::shared_ptr<Program> installProgram(TForm1& form1, MessageSink& sink);

} // namespace quorvel::app
