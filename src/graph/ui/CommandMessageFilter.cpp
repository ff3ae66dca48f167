#include "graph/ui/CommandMessageFilter.h"

namespace quorvel::graph {

CommandMessageFilter::CommandMessageFilter(MessageSink& target, QObject* parent)
    : QObject(parent), once_(target) {
    reset_.setSingleShot(true);
    reset_.setInterval(0);
    connect(&reset_, &QTimer::timeout, this, &CommandMessageFilter::forgetWhenIdle);
}

void CommandMessageFilter::run(expr::Engine& engine, const std::function<void()>& work) {
    // work may run an event loop (a message box, the function editing dialog) for as long as the user
    // likes. The timer is armed only when the outermost run ends: re-arming a zero timer from inside
    // such a loop would keep the process busy for the whole time the dialog is open.
    struct Route {
        expr::Engine& engine;
        MessageSink& previous;
        int& depth;
        QTimer& reset;
        Route(expr::Engine& e, MessageSink& filter, int& d, QTimer& r)
            : engine(e), previous(e.setSink(filter)), depth(d), reset(r) {
            ++depth;
        }
        ~Route() {
            engine.setSink(previous);
            if (--depth == 0) reset.start(); // fires once control is back in the event loop
        }
    } route(engine, once_, depth_, reset_);
    work();
}

void CommandMessageFilter::forgetWhenIdle() {
    // A timer left from an earlier run may fire inside a later one; that run arms it again as it ends.
    if (depth_ > 0) return;
    once_.reset();
}

} // namespace quorvel::graph
