#pragma once

#include <functional>

namespace quorvel::expr {

// The readers of outside text descend recursively, a level per bracket, power or command. A level takes
// about 1 KB of stack in a release build and up to 16 KB with the sanitizers, so a text nested to the
// limit (Limits.h) does not fit the 8 MB of a thread's usual stack there.

// Texts that may nest more than this are read on a stack of their own.
inline constexpr int kNestingOnTheCallersStack = 200;

// Runs work on a thread with a stack large enough for the nesting limit with the sanitizers' frames
// (only the pages used are touched), and waits for it; an exception work throws is thrown here. False,
// without running work, when no such thread can be started.
[[nodiscard]] bool runOnDeepStack(const std::function<void()>& work);

} // namespace quorvel::expr
