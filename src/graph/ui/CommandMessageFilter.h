#pragma once

#include "base/MessageSink.h"
#include "expr/Engine.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace quorvel::graph {

// Shows each distinct message of the engine at most once per command: sampling evaluates a formula at
// every pixel column and for every curve, and a formula that complains must not bring up its message
// hundreds of times. What counts as one command is everything until control is back in the event loop
// with no sampling under way; then the filter forgets what it has shown.
class CommandMessageFilter : public QObject {
    Q_OBJECT
public:
    explicit CommandMessageFilter(MessageSink& target, QObject* parent = nullptr);

    // Runs work with the engine's messages routed through the filter.
    void run(expr::Engine& engine, const std::function<void()>& work);

private:
    void forgetWhenIdle();

    OncePerCommandSink once_;
    QTimer reset_;
    int depth_ = 0;
};

} // namespace quorvel::graph
