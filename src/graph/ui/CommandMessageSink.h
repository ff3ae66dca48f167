#pragma once

#include "base/MessageSink.h"

#include <QObject>
#include <QTimer>

namespace quorvel::graph {

// The engine's one sink for the whole run: it shows each distinct message once per command. Sampling
// evaluates a formula at every pixel column and for every curve, and a document of many curves that
// complain must not bring up the same box once per curve. A command ends when control is back in the
// event loop after a message was shown; then the sink forgets what it has shown. Nothing routes the
// engine's messages elsewhere for a while: callers say what went wrong, this decides how often it shows.
class CommandMessageSink : public QObject, public MessageSink {
    Q_OBJECT
public:
    explicit CommandMessageSink(MessageSink& target, QObject* parent = nullptr);

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption) override;

private:
    OncePerCommandSink once_;
    QTimer forget_;
};

} // namespace quorvel::graph
