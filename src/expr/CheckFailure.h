#pragma once

#include <string>

namespace quorvel::expr {

// The input checks, in the order validation runs them; then the check only the roads that compute a
// value run (ValueChecks.h), which validation leaves out; and the rewriting of typed text into markup,
// which runs before them all.
enum class CheckKind {
    Limits,
    Brackets,
    Arguments,
    Commas,
    AfterBrackets,
    Counts,
    EmptyOperand,
    TypedNotation
};

// The first fault an input check found. Positions are 1-based and point at the character the message is
// about (for two named characters the first of them); 0 when the fault has no character of its own.
struct CheckFailure {
    CheckKind check = CheckKind::Limits;
    // GBK byte position: an ASCII character counts one, any other character two (as messages count).
    int gbkPosition = 0;
    // Code point position, for placing a mark in an input box.
    int charPosition = 0;
    // Why the text is refused.
    std::string message;
    // Shown before message on the loud path, or empty: a count that is no natural number is first
    // answered with "输入有误", then with the message of its construct.
    std::string precedingMessage;
};

} // namespace quorvel::expr
