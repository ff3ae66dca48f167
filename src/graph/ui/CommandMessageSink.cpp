#include "graph/ui/CommandMessageSink.h"

namespace quorvel::graph {

CommandMessageSink::CommandMessageSink(MessageSink& target, QObject* parent)
    : QObject(parent), once_(target) {
    forget_.setSingleShot(true);
    forget_.setInterval(0);
    connect(&forget_, &QTimer::timeout, this, [this] { once_.reset(); });
}

void CommandMessageSink::show(const std::string& text, const std::string& caption, MessageIcon icon) {
    once_.show(text, caption, icon);
    // Armed only after the box is closed: its own event loop must not end the command that opened it.
    // Nothing is armed while nothing is shown, so a dialog open for long keeps the process idle.
    forget_.start();
}

Answer CommandMessageSink::ask(const std::string& text, const std::string& caption) {
    return once_.ask(text, caption);
}

} // namespace quorvel::graph
