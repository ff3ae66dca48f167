#pragma once

#include "base/MessageSink.h"
#include "document/Records.h"

#include <array>
#include <optional>
#include <string_view>

namespace quorvel::graph {

// Texts of the dynamic demonstration.
inline constexpr const char* kStepNotNumberMessage = UI_TEXT("请输入一个实数");
inline constexpr const char* kStepMessageCaption = kCaptionHint;

// Reads a step edit. A step must be a finite number other than 0: the value is snapped to multiples of
// it, so a zero or infinite step has no grid to snap to.
std::optional<double> parseSweepStep(std::string_view text);

// The value a parameter takes when its slider moved by distance positions: value + step·distance,
// nudged a tenth of a step away from zero and cut to a whole multiple of the step towards zero. That
// lands on the step grid without the rounding errors that adding steps collects (1 + ten steps of 0.1
// is exactly 0.1·20); 0 stays 0. The grid is that of |step|, so a negative step turns the slider round
// without pulling the value off the grid. No value (the step is refused) when the step is no usable
// step or so small against the value that the count of steps leaves the 64-bit integer range.
std::optional<double> sweptValue(double value, double step, int distance);

enum class SweepChange {
    Ignored, // not active, or a row the item has no parameter for
    Applied, // the parameter took its new value
    Refused, // the step edit holds no usable step; nothing changed
};

// The state of the demonstration over one item: which slider positions were last applied, the
// parameter values to go back to, and whether slider changes count (not while the sliders are reset).
class ParameterSweep {
public:
    static constexpr int kRows = 3;    // parameters A, B, C
    static constexpr int kMiddle = 50; // slider position at opening
    static constexpr int kMaxPosition = 100;

    // How many rows an item with paramCount parameters shows.
    static int shownRows(int paramCount);

    // Opening: remembers the slider positions and the item's parameter values, and starts applying.
    void activate(const document::DEFINEFUN& item, const std::array<int, kRows>& positions);
    // Slider row moved to position with stepText in its step edit: the parameter moves by the whole
    // distance since the last applied position. A refused step leaves lastPosition as it was, so the
    // next accepted change applies the whole distance.
    SweepChange slide(document::DEFINEFUN& item, int row, int position, std::string_view stepText);
    // Puts back the values the item had at opening.
    void restore(document::DEFINEFUN& item) const;

    std::array<int, kRows> lastPosition{kMiddle, kMiddle, kMiddle};
    std::array<double, kRows> savedValues{};
    int active = 0;

private:
    int rows_ = 0; // shown rows of the item being swept
};

} // namespace quorvel::graph
