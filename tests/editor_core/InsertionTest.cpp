#include "editor/core/Insertion.h"

#include "base/Utf8Text.h"

#include <gtest/gtest.h>

namespace quorvel::editor {
namespace {

EditState state(std::string_view text, int anchor, int caret) {
    return {toCodePoints(text), anchor, caret};
}

struct InsertRow {
    const char* what;
    EditState before;
    Template entry;
    const char* text;
    int anchor, caret;
};

TEST(Insertion, ApplyTemplate) {
    const InsertRow rows[] = {
        {"into empty input", state("", 0, 0), {"sin(x)", 2, 1, {}}, "sin(x)", 4, 5},
        {"replaces the selection", state("a+bc", 2, 3), {"sin(x)", 2, 1, {}}, "a+sin(x)c", 6, 7},
        {"replaces a selection made leftwards", state("a+bc", 3, 2), {"sin(x)", 2, 1, {}}, "a+sin(x)c", 6, 7},
        {"a symbol leaves the caret behind it", state("ab", 1, 1), {"π", 0, 0, {}}, "aπb", 2, 2},
        {"infinity is one character",
         state("1+", 2, 2),
         {"lim(x,∞,f(x))", 7, 0, {}},
         "1+lim(x,∞,f(x))",
         8,
         8},
        {"positions past the end are clamped", state("ab", 7, 99), {"()", 1, 0, {}}, "ab()", 3, 3},
        {"negative positions are clamped", state("ab", -3, -1), {"()", 1, 0, {}}, "()ab", 1, 1},
        {"Left stops at the start of the template", state("ab", 2, 2), {"xy", 9, 0, {}}, "abxy", 2, 2},
        {"the selection stops at its end", state("ab", 0, 0), {"f(x)", 2, 5, {}}, "f(x)ab", 2, 4},
        {"negative moves do nothing", state("", 0, 0), {"x", -2, -1, {}}, "x", 1, 1},
    };
    for (const InsertRow& row : rows) {
        const EditState after = applyTemplate(row.before, row.entry);
        EXPECT_EQ(toUtf8(after.text), row.text) << row.what;
        EXPECT_EQ(after.anchor, row.anchor) << row.what;
        EXPECT_EQ(after.caret, row.caret) << row.what;
    }
}

struct BackspaceRow {
    const char* what;
    EditState before;
    const char* text;
    int caret;
};

TEST(Insertion, Backspace) {
    const BackspaceRow rows[] = {
        {"at the start nothing changes", state("ab", 0, 0), "ab", 0},
        {"empty input", state("", 0, 0), "", 0},
        {"deletes the character before the caret", state("abc", 2, 2), "ac", 1},
        {"deletes infinity as one character", state("x∞y", 2, 2), "xy", 1},
        {"deletes the selection only", state("abcd", 1, 3), "ad", 1},
        {"deletes a leftward selection", state("abcd", 3, 1), "ad", 1},
        {"a selection from the start", state("abcd", 0, 4), "", 0},
        {"a caret past the end deletes the last", state("ab", 5, 5), "a", 1},
    };
    for (const BackspaceRow& row : rows) {
        const EditState after = backspace(row.before);
        EXPECT_EQ(toUtf8(after.text), row.text) << row.what;
        EXPECT_EQ(after.anchor, row.caret) << row.what;
        EXPECT_EQ(after.caret, row.caret) << row.what;
    }
}

} // namespace
} // namespace quorvel::editor
