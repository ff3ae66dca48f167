#pragma once

#include "editor/core/EditorTables.h"

#include <string>

namespace quorvel::editor {

// Text being edited with its selection, in characters (code points). anchor == caret: no selection.
struct EditState {
    std::u32string text;
    int anchor = 0;
    int caret = 0;
    int selectionStart() const { return anchor < caret ? anchor : caret; }
    int selectionEnd() const { return anchor < caret ? caret : anchor; }
    friend bool operator==(const EditState&, const EditState&) = default;
};

// Inserts a template at the caret, replacing the selection, and places caret and selection as the
// template says. Positions out of range are clamped first; a template's moves never leave the
// inserted text.
[[nodiscard]] EditState applyTemplate(const EditState& before, const Template& entry);

// The editing key "↙": deletes the selection, or else the character before the caret; at the start
// with no selection nothing changes.
[[nodiscard]] EditState backspace(const EditState& before);

} // namespace quorvel::editor
