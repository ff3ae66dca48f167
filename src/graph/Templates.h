#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace quorvel::graph {

// One button of the template bar: the curve it makes and the values the function editing dialog starts
// with. The first paramCount of A, B, C are shown in the dialog; the others are filled with 0.
struct TemplateFunction {
    std::string_view buttonName; // object name of the template button, e.g. "SpeedButton1"
    std::string_view caption;    // the button's caption and hint
    std::string_view name;       // the name the curve is given
    std::string_view expression; // markup passed as written, blanks included (the parser drops them)
    int paramCount;
    std::array<double, 3> startValues; // A, B, C
};

// The fourteen templates in their order on the bar, from top to bottom.
std::span<const TemplateFunction> templateFunctions();

// The template of a button, or nullptr when the button makes no template curve.
const TemplateFunction* findTemplate(std::string_view buttonName);

// What a template button writes into the function editing dialog before it is shown.
struct TemplateDialogFill {
    std::string name;
    std::array<bool, 3> rowVisible{};        // rows A, B, C
    std::array<std::string, 3> paramTexts{}; // in the general number format ("0.5", "-1", "0")
};
TemplateDialogFill dialogFillFor(const TemplateFunction& entry);

} // namespace quorvel::graph
