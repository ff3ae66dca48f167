#pragma once

#include "base/MessageSink.h"
#include "document/FontSpec.h"

#include <functional>
#include <optional>

class QWidget;

namespace quorvel::app {

class SheetInteraction;
class TForm1;
class TForm6;

// Picks a font with its colour starting at start; nothing when the user cancels.
using FontChooser = std::function<std::optional<document::FontSpec>(QWidget*, const document::FontSpec&)>;

// Annotations on the main window: the annotation command (SpeedButton17, SpeedButton12, N44) places the
// next one at a left press through the dialog TForm6; a double click or 属性 edits one; the sheet draws
// them above the graph items; the pop-up menu's 修改字体 changes the selected one's font and 函数标签 puts
// the selected curve's name beside it in the curve's colour. The dialog is a child of the window.
TForm6* installAnnotations(TForm1& form1, SheetInteraction& interaction, MessageSink& sink,
                           FontChooser chooseFont = {});

} // namespace quorvel::app
