#pragma once

#include "document/Document.h"
#include "expr/Engine.h"
#include "graph/SheetChange.h"
#include "graph/StatusText.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quorvel::graph {

enum class MouseButton { Left, Right };
enum class SheetCursor { Arrow, Hand, DragMove, SplitH, SplitV };
enum class HitKind { Nothing, Annotation, ItemBox, CurveLine };
enum class DragKind { None, Objects, Pan, UnitX, UnitY };

// What a pointer position hits; slot is the annotation's or the graph item's slot (-1 for nothing).
struct SheetHit {
    HitKind kind = HitKind::Nothing;
    int slot = -1;
};

struct SheetPoint {
    double x = 0;
    double y = 0;
};

// What the window has to do after one pointer event. The pointer samples the curves itself while it
// pans and zooms (only the new columns of a pan), so its change never asks for a resample.
struct MouseOutcome {
    SheetChange change; // a drag that moved something records one history entry at its release
    SheetCursor cursor = SheetCursor::Arrow;
    std::optional<std::string> status;         // new status bar text
    std::optional<SheetHit> popup;             // show the sheet's pop-up menu for this hit
    std::optional<document::ObjectRef> reopen; // double click: edit this object
    std::optional<SheetPoint> placeAnnotation; // the pending annotation goes here
};

// Tolerances of the curve-line test in pixels above and below the curve point.
constexpr int kCurvePressTolerance = 5;
constexpr int kCurveHoverTolerance = 3;

// The one curve-line test: item is a curve with a sample at column trunc(x), the column lies on a sheet
// sheetWidth wide (0 … sheetWidth) and inside the buffers, and the curve point there lies less than
// tolerance pixels above or below y.
bool curveLineHitAt(const document::Document& doc, const document::DEFINEFUN& item, double x, double y,
                    int sheetWidth, int tolerance = kCurvePressTolerance);
// First curve (slot order) whose line passes the point, or -1.
int curveLineSlotAt(const document::Document& doc, double x, double y, int sheetWidth,
                    int tolerance = kCurvePressTolerance);

// The pointer on the drawing sheet: selection, dragging of objects, panning, the unit markers, hover
// cursors, the status bar text and the pop-up request. Positions are sheet pixels.
class SheetMouse {
public:
    SheetMouse(document::Document& doc, expr::Engine& engine, int sheetWidth, int sheetHeight);

    void setSheetSize(int width, int height);
    const document::Document& document() const { return doc_; }
    // Annotation boxes follow their text and font; the window measures them before they are hit-tested.
    void setRemarkMeasure(std::function<void(document::REMARK&)> measure) { measure_ = std::move(measure); }
    // The next left press places a new annotation instead of selecting.
    void setRemarkMode(bool on) { remarkMode_ = on; }
    bool remarkMode() const { return remarkMode_; }

    [[nodiscard]] MouseOutcome press(double x, double y, MouseButton button);
    [[nodiscard]] MouseOutcome move(double x, double y);
    [[nodiscard]] MouseOutcome release(double x, double y, MouseButton button);
    // Qt delivers the double click in place of the second press, so nothing is skipped afterwards.
    [[nodiscard]] MouseOutcome doubleClick(double x, double y);
    // The wheel: steps notches (positive away from the user) zoom about the point under the pointer, which
    // stays put; both units scale (on every grid), within the unit clamps. Redraws when anything changed;
    // the window records one history entry per burst of steps.
    [[nodiscard]] MouseOutcome wheel(double x, double y, double steps);
    // The keyboard's press: selects only the object after (step 1) or before (step -1) the one last
    // chosen, in the order of the combined index, going round; the commands that follow a press (copy,
    // cut, the arrow keys) then act on it. Nothing happens on a sheet without objects.
    [[nodiscard]] MouseOutcome selectNext(int step);
    // The keyboard's press on empty sheet: nothing stays chosen, and copy and cut have nothing to act on.
    [[nodiscard]] MouseOutcome chooseNone();

    // New and open: a quiet sheet.
    void reset();

    bool dragging() const { return drag_ != DragKind::None; } // undo and redo wait while true
    DragKind dragKind() const { return drag_; }
    SheetHit lastPress() const { return lastPress_; } // what the last left press hit
    SheetPoint anchor() const { return anchor_; }
    // Where pasted objects go: the last press, kept on the sheet.
    SheetPoint pastePosition() const;

    // Hits in the order a press tests them.
    SheetHit pressHit(double x, double y);
    SheetCursor cursorAt(double x, double y);
    // The status text's pattern for the pointer's coordinates (kPointerStatus in another language).
    void setStatusPattern(std::string pattern) { statusPattern_ = std::move(pattern); }

private:
    static bool boxHit(const document::DEFINEFUN& c, double x, double y);
    // First item (slot order) hit by its box or its curve line, or -1.
    int itemAt(double x, double y) const;
    int annotationAt(double x, double y);
    bool onUnitX(double x, double y) const;
    bool onUnitY(double x, double y) const;
    MouseOutcome leftPress(double x, double y);
    MouseOutcome rightPress(double x, double y);
    void choose(int combined);
    void dragTo(double x, double y, MouseOutcome& out);

    document::Document& doc_;
    expr::Engine& engine_;
    int width_;
    int height_;
    std::function<void(document::REMARK&)> measure_;
    bool remarkMode_ = false;
    DragKind drag_ = DragKind::None;
    bool leftDown_ = false;
    bool moved_ = false;
    std::optional<SheetHit> pendingPopup_;
    SheetHit lastPress_;
    SheetPoint anchor_;
    std::string statusPattern_ = kPointerStatus;
};

// Pop-up menu items whose enabled state follows what the right press hit.
enum class PopupRule { Off, On, OnUnlessFormulaPicture };
struct PopupRow {
    std::string_view name;
    std::array<PopupRule, 4> rule; // by HitKind: nothing, annotation, item box, curve line
};
inline constexpr PopupRule kOff = PopupRule::Off;
inline constexpr PopupRule kOn = PopupRule::On;
inline constexpr std::array<PopupRow, 14> kPopupTable{{
    {"N21", {kOff, kOn, kOn, kOn}},
    {"N23", {kOff, kOn, kOn, kOn}},
    {"N22", {kOn, kOn, kOn, kOn}},
    {"N25", {kOff, kOn, kOn, kOn}},
    {"N36", {kOn, kOff, kOff, kOff}},
    {"N37", {kOn, kOff, kOff, kOff}},
    {"N28", {kOn, kOff, kOff, kOff}},
    {"N32", {kOn, kOff, kOff, kOff}},
    {"N49", {kOn, kOff, kOff, kOff}},
    {"N48", {kOff, kOff, kOff, kOn}},
    {"N33", {kOff, kOff, kOff, kOn}},
    {"N34", {kOff, kOn, kOff, kOff}},
    {"N43", {kOff, kOff, PopupRule::OnUnlessFormulaPicture, PopupRule::OnUnlessFormulaPicture}},
    {"N41", {kOff, kOff, kOff, kOn}},
}};

// Whether the named item is enabled for the hit; the demonstration is refused when the first selected
// object is a formula picture. Names outside the table give nullopt (their state is kept elsewhere).
std::optional<bool> popupItemEnabled(std::string_view name, HitKind hit, bool firstSelectedIsFormulaPicture);

} // namespace quorvel::graph
