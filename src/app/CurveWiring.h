#pragma once

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "graph/CurveStyleCommands.h"
#include "graph/ui/CurvePlotter.h"

#include <functional>
#include <memory>
#include <optional>

namespace quorvel::app {

class TForm1;

// Puts the function curves on the main window: the sheet draws the graph items above the coordinate
// system, every graph item is sampled for the view and sheet in force (on open, undo, grid and size
// changes), and the template buttons make curves through the function editing dialog. The plotter must
// live as long as the window uses it.
std::unique_ptr<graph::CurvePlotter> installCurvePlotter(TForm1& form1, expr::Engine& engine,
                                                         MessageSink& sink);

// Picks a colour starting at current (the stored form); nothing when the user cancels.
using ColourChooser = graph::ColourChooser;

// The pop-up commands on a curve, acting on the selected curve (a right press on a curve line selects
// exactly that one): 修改颜色 (default chooser: the colour dialog), 粗线/细线 and 动态演示.
void installCurvePopupCommands(TForm1& form1, graph::CurvePlotter& curves, ColourChooser chooseColour = {});

} // namespace quorvel::app
