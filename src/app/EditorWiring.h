#pragma once

#include "base/MessageSink.h"
#include "expr/Engine.h"
#include "graph/ui/CurvePlotter.h"
#include "typeset/Typesetter.h"

namespace quorvel::editor {
class Tformularymain;
}

namespace quorvel::app {

class SheetInteraction;
class TForm1;

// Puts the formula editor on the main window: 公式编辑 places a formula picture, 计算 a calculation
// object and 自定义函数 a custom function curve, each through the editor, from their menu items, tool
// buttons, template button and pop-up items. The editor's output style (in typesetter) is also the style
// new curve labels take. The editor is a child of the window; curves must outlive it.
editor::Tformularymain* installFormulaEditor(TForm1& form1, expr::Engine& engine,
                                             typeset::Typesetter& typesetter, MessageSink& sink,
                                             graph::CurvePlotter& curves);

// Double click and 属性 on a graph item: a template curve opens in the function editing dialog, a formula
// picture, calculation object or custom function in the editor's editing mode.
void installReopening(SheetInteraction& interaction, graph::CurvePlotter& curves,
                      editor::Tformularymain& editor);

} // namespace quorvel::app
