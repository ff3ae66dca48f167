#pragma once

#include "base/MessageSink.h"
#include "document/Document.h"
#include "document/Records.h"
#include "graph/SheetChange.h"
#include "graph/SheetMouse.h"
#include "typeset/Canvas.h"

#include <functional>
#include <optional>

namespace quorvel::graph {

// The annotation dialog as the commands see it; the window's dialog and, in tests, a scripted fake.
// Neither call writes into the document.
class AnnotationDialog {
public:
    virtual ~AnnotationDialog() = default;
    // A new annotation's text and font; nothing on cancel or for an empty text.
    virtual std::optional<document::REMARK> writeNew() = 0;
    // An existing annotation's new text and font; an empty text comes back empty; nothing on cancel.
    virtual std::optional<document::REMARK> edit(const document::REMARK& remark) = 0;
    // The font last chosen in the dialog; new annotations and curve labels take it.
    virtual document::FontSpec lastChosenFont() const = 0;
};

// The font dialog: the chosen font, or nothing on cancel.
using FontChooser = std::function<std::optional<document::FontSpec>(const document::FontSpec& current)>;

// What the annotation commands work with. Boxes are measured on the sheet's own canvas, so the stored box
// is the drawn one and history texts do not depend on the screen.
struct AnnotationContext {
    document::Document& doc;
    typeset::Canvas& measuring;
    MessageSink& sink;
    std::function<void()> drawNow; // before a dialog opens over a changed selection
};

// The annotation command's press: a new annotation at `at` (its top left, whole pixels), selected
// nothing; a full list is reported and nothing is asked.
[[nodiscard]] SheetChange placeAnnotation(AnnotationContext& ctx, AnnotationDialog& dialog, SheetPoint at);
// Edits the annotation in slot (double click, 属性); an emptied annotation is removed, as it could never
// be hit again.
[[nodiscard]] SheetChange editAnnotation(AnnotationContext& ctx, AnnotationDialog& dialog, int slot);
// 设置字体 on the annotation named first in the selection.
[[nodiscard]] SheetChange refontSelectedAnnotation(AnnotationContext& ctx, const FontChooser& chooseFont);
// 添加标注: an annotation holding the name of the curve named first in the selection, in its colour and
// the dialog's last font, at `at`.
[[nodiscard]] SheetChange labelSelectedCurve(AnnotationContext& ctx, const document::FontSpec& font,
                                             SheetPoint at);

} // namespace quorvel::graph
