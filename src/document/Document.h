#pragma once

#include "document/ReadResult.h"
#include "document/Records.h"
#include "document/Selection.h"
#include "document/ViewSettings.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel::document {

// A list has 1000 slots of which slot 999 is the internal clipboard, so a document holds at most 999
// annotations and 999 graph items. (The clipboard entries are kept beside the lists, not in them.)
constexpr int kListCapacity = 1000;
constexpr int kClipboardSlot = 999;
constexpr int kMaxObjects = 999;

// Which internal clipboard entry paste uses.
enum ClipKind : int { ClipNone = 0, ClipRemark = 2, ClipCurve = 3 };

// Recomputes a graph item's samples from its stored fields (the plotter provides it).
using ResampleHook = std::function<void(DEFINEFUN&)>;

// A sheet object named by its combined index.
struct ObjectRef {
    enum Type { None, Curve, Remark };
    Type type = None;
    int slot = -1;
};

// The experiment: graph items and annotations in creation order, the view settings, the selection and
// the internal clipboard. An object is identified only by its slot; removal moves later objects down.
class Document {
public:
    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    Document(Document&&) noexcept = default;
    Document& operator=(Document&&) noexcept = default;

    ViewSettings view;
    Selection selection;
    // Slot of the graph item being created or edited; equals curveCount() while a new item is prepared.
    int currentCurve = 0;

    // --- lists ---
    int curveCount() const { return static_cast<int>(curves_.size()); }
    int remarkCount() const { return static_cast<int>(remarks_.size()); }
    int objectCount() const { return curveCount() + remarkCount(); }
    bool curvesFull() const { return curveCount() >= kMaxObjects; }
    bool remarksFull() const { return remarkCount() >= kMaxObjects; }

    // Live objects; slot must be below the count (std::out_of_range otherwise).
    DEFINEFUN& curve(int slot);
    const DEFINEFUN& curve(int slot) const;
    REMARK& remark(int slot);
    const REMARK& remark(int slot) const;

    // Appends a finished object; nullptr (nothing stored) when its list already holds kMaxObjects.
    DEFINEFUN* addCurve(DEFINEFUN item);
    REMARK* addRemark(REMARK remark);

    // --- combined index ---
    int combinedOfCurve(int slot) const { return slot; }
    int combinedOfRemark(int slot) const { return curveCount() + slot; }
    ObjectRef resolve(int combined) const;
    // The object of the first selection entry (the one a right press chose), or None.
    ObjectRef firstSelected() const { return selection.empty() ? ObjectRef{} : resolve(selection[0]); }

    // --- new objects prepared in the slot after the last, counted only when committed ---
    // Creates a fresh graph item in slot curveCount(), placed below the existing boxes, and points
    // currentCurve at it. nullptr when the list is full. A previous uncommitted item is discarded.
    DEFINEFUN* beginNewCurve();
    DEFINEFUN* newCurve() { return newCurve_.get(); }
    // Counts the prepared item into the document; returns its slot, or -1 when none was prepared.
    int commitNewCurve();
    void discardNewCurve() { newCurve_.reset(); }
    // The item in slot currentCurve: the prepared one when currentCurve == curveCount(), or nullptr.
    DEFINEFUN* currentRecord();

    // Same for an annotation waiting for its text (the dialog works on slot remarkCount()).
    REMARK* beginNewRemark();
    REMARK* newRemark() { return newRemark_.get(); }
    int commitNewRemark();
    void discardNewRemark() { newRemark_.reset(); }

    // Box placement of a new item: at the last item's left edge, below the lowest existing box.
    void placeNewItem(DEFINEFUN& item) const;

    // --- removal ---
    void removeCurve(int slot);  // later items move down one slot; out-of-range slots are ignored
    void removeRemark(int slot); // likewise for annotations
    // Removes every selected object (walking the selection in order and shifting the later entries so
    // they keep naming the same objects), then clears the selection.
    void removeSelected();
    // Destroys every annotation and graph item, the prepared ones and both clipboard entries. Leaves
    // the view settings, the selection and currentCurve alone.
    void Del_zhushi();
    // Destroys the live objects only (rebuilding from a history entry keeps the clipboard).
    void clearObjects();

    // Moves every selected object by (dx, dy) pixels: the arrow-key nudge.
    void moveSelected(int dx, int dy);

    // --- internal clipboard ---
    int clipKind() const { return clipKind_; }
    const DEFINEFUN* clipboardCurve() const { return clipCurve_.get(); }
    const REMARK* clipboardRemark() const { return clipRemark_.get(); }
    void copyCurveToClipboard(int slot);
    void copyRemarkToClipboard(int slot);
    // Forgets which entry paste uses (new and open); the entries stay until Del_zhushi.
    void resetClipKind() { clipKind_ = ClipNone; }
    // Creates a copy of the clipboard object with its top-left corner at the truncated position;
    // graph items are resampled through the hook. Returns the new object's combined index, or -1
    // when the clipboard is empty or the list is full. The selection is not changed.
    int pasteAt(double mouseX, double mouseY, const ResampleHook& resample);

    // --- whole-document operations ---
    // New experiment: default view for the sheet, no objects, empty clipboard and selection.
    void resetForNew(double sheetWidth, double sheetHeight);
    // Before a file is read: as new, but the axes and grid toggles keep their values.
    void resetForOpen(double sheetWidth, double sheetHeight);
    // Rebuilds the objects and view settings from a document text (an undo or redo step). Reading stops
    // at the first error; what was read stays. Selection entries naming no object are dropped.
    ReadResult open(std::string_view text, const ResampleHook& resample);

private:
    std::vector<std::unique_ptr<DEFINEFUN>> curves_;
    std::vector<std::unique_ptr<REMARK>> remarks_;
    std::unique_ptr<DEFINEFUN> newCurve_;
    std::unique_ptr<REMARK> newRemark_;
    std::unique_ptr<DEFINEFUN> clipCurve_;
    std::unique_ptr<REMARK> clipRemark_;
    int clipKind_ = ClipNone;
};

} // namespace quorvel::document
