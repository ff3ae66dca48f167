#pragma once

#include "base/UiText.h"
#include "typeset/Canvas.h"

#include <array>
#include <string>

namespace quorvel::typeset {

// The six colours by token class, in the order the drawing code saves and restores them as one block.
struct TokenColors {
    Color variableColor = kBlack;  // variables, numbers, plain text; the current text colour while drawing
    Color bracketColor = kBlack;   // literal and automatic brackets, the piecewise brace
    Color conditionColor = kBlack; // everything inside the conditions of a conditional branch
    Color operatorColor = kBlack;  // operator signs and drawn operator shapes
    Color functionColor = kBlack;  // function names
    Color labelColor = kBlack;     // superscripts and subscripts of labelled names, labels of a "tab" term

    std::array<Color, 6> asArray() const {
        return {variableColor, bracketColor, conditionColor, operatorColor, functionColor, labelColor};
    }
    static TokenColors fromArray(const std::array<Color, 6>& c) {
        return {c[0], c[1], c[2], c[3], c[4], c[5]};
    }
    friend bool operator==(const TokenColors&, const TokenColors&) = default;
};

// How formula pictures look. Lives in memory for the run; every program start begins with the defaults.
struct FormulaStyle {
    static constexpr int kDefaultFontSize = 16;
    static constexpr const char* kDefaultFontName = "Times New Roman";
    // Sizes the output settings accept; a picture at a larger size would need a bitmap of gigabytes.
    static constexpr int kMinFontSize = 1;
    static constexpr int kMaxFontSize = 500;
    static constexpr const char* kFontSizeRangeMessage = UI_TEXT("字体大小必须在1到500之间，请修改！");

    TokenColors colors;
    int fontSize = kDefaultFontSize;
    std::string fontName = kDefaultFontName;
    // Letter variables (names of Latin letters only) in the italic of the face, as textbooks print
    // them; numbers, function names, signs and text stay upright.
    bool italicVariables = false;

    friend bool operator==(const FormulaStyle&, const FormulaStyle&) = default;
};

} // namespace quorvel::typeset
