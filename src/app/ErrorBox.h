#pragma once

#include "base/MessageSink.h"

#include <exception>

namespace quorvel::app {

// The standard error box for an error that escaped a command: the error's own text under the program's
// caption. Pass nullptr for an error that is not a std::exception.
void showEscapedError(MessageSink& sink, const std::exception* error);

} // namespace quorvel::app
