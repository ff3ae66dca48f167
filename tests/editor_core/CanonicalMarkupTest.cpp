// Markup that a button inserts or an example shows is read as it is: rewriting typed notation leaves it
// byte for byte.
#include "editor/core/EditorTables.h"
#include "expr/TypedNotation.h"

#include <gtest/gtest.h>

namespace quorvel::editor {
namespace {

void expectUnchanged(std::string_view markup) {
    const expr::TypedRewrite r = expr::rewriteTypedNotation(markup);
    EXPECT_FALSE(r.failure) << markup;
    EXPECT_EQ(r.markup, markup);
}

TEST(CanonicalMarkup, ExamplesAndTemplatesPassThroughTheRewriting) {
    for (const ExamplePicture& example : examplePictures())
        expectUnchanged(example.markup);
    for (const KeypadButton& button : keypadButtons()) {
        expectUnchanged(button.normal.text);
        if (button.shifted) expectUnchanged(button.shifted->text);
    }
    for (const PaletteGroupSpec& group : paletteGroups())
        for (const PaletteButton& button : group.buttons)
            expectUnchanged(button.insert.text);
}

} // namespace
} // namespace quorvel::editor
