#pragma once

#include "document/Document.h"
#include "graph/SheetChange.h"
#include "graph/SheetMouse.h"

namespace quorvel::graph {

// Copy and cut work on the object under the last press, found in the press's own order (annotation,
// item box, curve line), so cut removes the very object the user pressed and copied.

// Copies the hit object into the document's internal clipboard, keeping only the most recent selection
// entry. Returns what was copied; type None (clipboard unchanged) when the hit names no object.
[[nodiscard]] document::ObjectRef copyObject(document::Document& doc, SheetHit hit);

// Removes the object (nothing for type None or a slot past the list) and clears the selection.
void removeObject(document::Document& doc, document::ObjectRef object);

// Copy, then removes exactly the copied object and clears the selection. Nothing is removed when copy
// found nothing.
[[nodiscard]] document::ObjectRef cutObject(document::Document& doc, SheetHit hit);

// 全选: every object is selected.
[[nodiscard]] SheetChange selectAll(document::Document& doc);
// 删除: the selected objects go.
[[nodiscard]] SheetChange removeSelected(document::Document& doc);
// 粘贴: the internal clipboard's object is put at `at`, a graph item sampled for the view by resample.
[[nodiscard]] SheetChange pasteAt(document::Document& doc, SheetPoint at,
                                  const document::ResampleHook& resample);
// The arrow keys move the selected objects by whole pixels; not an entry of its own.
[[nodiscard]] SheetChange nudgeSelected(document::Document& doc, int dx, int dy);

} // namespace quorvel::graph
