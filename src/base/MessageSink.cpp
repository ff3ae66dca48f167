#include "base/MessageSink.h"

#include <algorithm>

namespace quorvel {

void RecordingSink::show(const std::string& text, const std::string& caption, MessageIcon icon) {
    shown.push_back({text, caption, icon});
}

Answer RecordingSink::ask(const std::string& text, const std::string& caption) {
    asked.push_back({text, caption, MessageIcon::Question});
    if (answers.empty()) return Answer::Cancel;
    const Answer a = answers.front();
    answers.erase(answers.begin());
    return a;
}

void OncePerCommandSink::show(const std::string& text, const std::string& caption, MessageIcon icon) {
    if (std::find(seen_.begin(), seen_.end(), text) != seen_.end()) return;
    seen_.push_back(text);
    target_.show(text, caption, icon);
}

} // namespace quorvel
