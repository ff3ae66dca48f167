#pragma once

namespace quorvel::graph {

// What a command changed, for the window to bring the sheet up to date in one place: the samples of
// every graph item are computed again for the view, then the sheet is drawn, then the document's state
// becomes one history entry. Commands never draw or record themselves.
struct SheetChange {
    bool resample = false;
    bool redraw = false;
    bool record = false;
    // The document changed without an entry of its own (the arrow keys' nudge): it counts as changed
    // until the next entry is recorded.
    bool unrecorded = false;

    constexpr SheetChange operator|(SheetChange other) const {
        return {resample || other.resample, redraw || other.redraw, record || other.record,
                unrecorded || other.unrecorded};
    }
    constexpr SheetChange& operator|=(SheetChange other) { return *this = *this | other; }
    constexpr bool operator==(const SheetChange&) const = default;
};

namespace change {
inline constexpr SheetChange kNone{};
// Only what the sheet shows changed: the selection, a dialog's preview, a slider's value.
inline constexpr SheetChange kRedraw{false, true, false};
// The document changed and is one step of the history.
inline constexpr SheetChange kEdit{false, true, true};
inline constexpr SheetChange kUnrecordedEdit{false, true, false, true};
// The view changed in a way the samples depend on, as one step of the history.
inline constexpr SheetChange kViewEdit{true, true, true};
} // namespace change

} // namespace quorvel::graph
