#pragma once

#include "base/MessageSink.h"

class QWidget;

namespace quorvel::app {

// Shows the program's messages and questions in modal message boxes with Chinese buttons.
class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    // Questions about losing work come with a warning icon and the buttons Yes, No and Cancel.
    Answer ask(const std::string& text, const std::string& caption) override;

private:
    QWidget* parent_;
};

} // namespace quorvel::app
