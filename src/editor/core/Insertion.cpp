#include "editor/core/Insertion.h"

#include "base/Utf8Text.h"

#include <algorithm>

namespace quorvel::editor {

namespace {

EditState clamped(const EditState& state) {
    EditState out = state;
    const int size = static_cast<int>(out.text.size());
    out.anchor = std::clamp(out.anchor, 0, size);
    out.caret = std::clamp(out.caret, 0, size);
    return out;
}

} // namespace

EditState applyTemplate(const EditState& before, const Template& entry) {
    const EditState state = clamped(before);
    const int start = state.selectionStart();
    const std::u32string inserted = toCodePoints(entry.text);
    const int length = static_cast<int>(inserted.size());

    EditState after;
    after.text = state.text.substr(0, static_cast<std::size_t>(start)) + inserted +
                 state.text.substr(static_cast<std::size_t>(state.selectionEnd()));
    // The Left presses stop at the start of the inserted text and the selection at its end, so a
    // template never moves the caret into the text around it.
    const int back = std::clamp(entry.caretBack, 0, length);
    const int select = std::clamp(entry.selectLength, 0, back);
    after.anchor = start + length - back;
    after.caret = after.anchor + select;
    return after;
}

EditState backspace(const EditState& before) {
    EditState state = clamped(before);
    int from = state.selectionStart();
    const int to = state.selectionEnd();
    if (from == to) {
        if (from == 0) return state;
        --from;
    }
    state.text.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    state.anchor = state.caret = from;
    return state;
}

} // namespace quorvel::editor
