#pragma once

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "graph/ui/CurvePlotter.h"

#include <memory>

namespace quorvel::app {

class TForm1;

// Puts the function curves on the main window: the sheet draws the graph items above the coordinate
// system, every graph item is sampled for the view and sheet in force (on open, undo, grid and size
// changes), and the template buttons make curves through the function editing dialog. The plotter must
// live as long as the window uses it.
std::unique_ptr<graph::CurvePlotter> installCurvePlotter(TForm1& form1, expr::Engine& engine,
                                                         MessageSink& sink);

} // namespace quorvel::app
