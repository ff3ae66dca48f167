#pragma once

#include "document/Document.h"
#include "graph/CurveAnalysis.h"
#include "graph/ReadingWords.h"
#include "typeset/Canvas.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::graph {

// What a marked point is: a point of interest of the selected curve, or where it meets another curve.
enum class MarkKind { Zero, Minimum, Maximum, YIntercept, Intersection };

struct CurveMark {
    MarkKind kind;
    double x;
    double y;
};

// A reading's label: text in a pale box framed in colour, its bottom-left corner at (left, bottom).
void drawReadingLabel(typeset::Canvas& canvas, int left, int bottom, const std::string& text,
                      typeset::Color colour);

// 零点, 极小值, 极大值, 与y轴的交点, 交点, or their words in another language.
[[nodiscard]] const std::string& markKindName(MarkKind kind, const ReadingWords& words);

// The points of interest of the selected curve (the one chosen last) in the visible range, and its
// intersections with every other curve there, shown as small hollow dots in its colour while it is selected.
// They belong to the screen only: never to the document, the history, printing or exports. Computed when the
// selection, a curve or the view changes, never while the sheet is merely drawn again.
class CurveMarks {
public:
    // Brings the marks up to date for doc on a sheet sheetWidth pixels wide; cheap when nothing changed.
    void update(const document::Document& doc, int sheetWidth);
    // The words of the labels (Chinese unless given).
    void setWords(ReadingWords words) { words_ = std::move(words); }

    const std::vector<CurveMark>& marks() const { return marks_; }
    // The mark whose dot lies within a few pixels of sheet point (x, y), nearest first.
    [[nodiscard]] std::optional<int> markAt(const document::ViewSettings& view, double x, double y) const;
    // "极小值 (2, -1)", the coordinates as the zoom makes meaningful.
    [[nodiscard]] std::string describe(int index, const document::ViewSettings& view) const;
    // "(2, -1)" at full precision, for the clipboard.
    [[nodiscard]] std::string coordinates(int index) const;

    // The label follows the pointer over a dot; a click keeps it until the next press.
    void setHovered(std::optional<int> index) { hovered_ = index; }
    void setPinned(std::optional<int> index) { pinned_ = index; }
    std::optional<int> hovered() const { return hovered_; }
    std::optional<int> pinned() const { return pinned_; }

    // The dots, and the label of the hovered or pinned mark.
    void draw(typeset::Canvas& canvas, const document::ViewSettings& view) const;

private:
    ReadingWords words_;
    std::string key_;
    std::vector<CurveMark> marks_;
    int colour_ = 0;
    std::optional<int> hovered_;
    std::optional<int> pinned_;
};

} // namespace quorvel::graph
