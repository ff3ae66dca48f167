#pragma once

namespace quorvel::editor {

// The caption of every message the editor and its dialogs show (with a warning icon).
inline constexpr const char* kEditorMessageCaption = "提示";

} // namespace quorvel::editor
