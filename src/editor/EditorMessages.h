#pragma once

#include "base/MessageSink.h"

namespace quorvel::editor {

// The caption of every message the editor and its dialogs show (with a warning icon).
inline constexpr const char* kEditorMessageCaption = kCaptionHint;

} // namespace quorvel::editor
