#pragma once

#include "base/MessageSink.h"

#include <QString>

namespace quorvel::app {

class TForm1;

// 文件 → 导出图形: the sheet as paper shows it (no handles, marks or selection) as PNG at 1×, 2× or 300 dpi
// for a chosen width, or as SVG or PDF vectors; the default name follows the document's. 编辑 → 复制图形: the
// sheet on the clipboard as PNG at the screen's pixel ratio and as SVG.
void installSheetExport(TForm1& form1, MessageSink& sink);

// The default name of an exported sheet: the document's name with suffix, or 未命名.suffix.
[[nodiscard]] QString exportName(const QString& documentFile, const QString& suffix);

} // namespace quorvel::app
