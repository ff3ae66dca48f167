#include "graph/ui/CommandMessageFilter.h"

namespace quorvel::graph {

CommandMessageFilter::CommandMessageFilter(MessageSink& target, QObject* parent)
    : QObject(parent), once_(target) {
    reset_.setSingleShot(true);
    reset_.setInterval(0);
    connect(&reset_, &QTimer::timeout, this, &CommandMessageFilter::forgetWhenIdle);
}

void CommandMessageFilter::run(expr::Engine& engine, const std::function<void()>& work) {
    // A message box shown by work runs an event loop; the timer may fire inside it, and then waits.
    struct Route {
        expr::Engine& engine;
        MessageSink& previous;
        int& depth;
        Route(expr::Engine& e, MessageSink& filter, int& d)
            : engine(e), previous(e.setSink(filter)), depth(d) {
            ++depth;
        }
        ~Route() {
            engine.setSink(previous);
            --depth;
        }
    } route(engine, once_, depth_);
    reset_.start(); // fires once the command is over
    work();
}

void CommandMessageFilter::forgetWhenIdle() {
    if (depth_ > 0) {
        reset_.start();
        return;
    }
    once_.reset();
}

} // namespace quorvel::graph
