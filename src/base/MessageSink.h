#pragma once

#include "base/UiText.h"

#include <string>
#include <vector>

namespace quorvel {

enum class MessageIcon { None, Information, Warning, Error, Question };

// The captions of message boxes, one set for every layer.
inline constexpr const char* kCaptionError = UI_TEXT("错误");
inline constexpr const char* kCaptionWarning = UI_TEXT("警告");
inline constexpr const char* kCaptionHint = UI_TEXT("提示");
enum class Answer { Yes, No, Cancel };

// Every message the program shows goes through this interface; core code never opens a window.
// The desktop program implements it with message boxes, tests and the command-line tool record.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    virtual Answer ask(const std::string& text, const std::string& caption) = 0;
};

// Remembers what was shown; answers questions from a queue (Cancel when it runs dry).
class RecordingSink : public MessageSink {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption) override;

    std::vector<Message> shown;
    std::vector<Message> asked;
    std::vector<Answer> answers; // consumed from the front
};

// Shows each distinct message at most once until reset: sampling a curve evaluates once per pixel
// column and must not repeat the same message hundreds of times within one command.
class OncePerCommandSink : public MessageSink {
public:
    explicit OncePerCommandSink(MessageSink& target) : target_(target) {}
    void show(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption) override {
        return target_.ask(text, caption);
    }
    void reset() { seen_.clear(); }

private:
    MessageSink& target_;
    std::vector<std::string> seen_;
};

} // namespace quorvel
