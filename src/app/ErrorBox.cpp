#include "app/ErrorBox.h"

#include "app/Captions.h"

#include <new>
#include <string>

namespace quorvel::app {

void showEscapedError(MessageSink& sink, const std::exception* error) {
    std::string text;
    if (dynamic_cast<const std::bad_alloc*>(error))
        text = UI_TEXT("内存不足，命令没有完成。");
    else if (error && *error->what())
        text = error->what();
    else
        text = UI_TEXT("发生了未知错误，命令没有完成。");
    sink.show(text, kProgramCaption, MessageIcon::Error);
}

} // namespace quorvel::app
