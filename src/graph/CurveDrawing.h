#pragma once

#include "base/MessageSink.h"
#include "document/Document.h"
#include "document/Records.h"
#include "expr/Engine.h"
#include "typeset/Canvas.h"
#include "typeset/FormulaStyle.h"
#include "typeset/TypesetFormula.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel::graph {

// Colours of the graph items on the sheet.
inline constexpr typeset::Color kSelectedBoxColor = typeset::rgb(255, 175, 255);
inline constexpr typeset::Color kSelectedCurveColor = typeset::rgb(255, 0, 255);
inline constexpr int kSelectedCurveWidth = 3;
// Opacity (of 255) of a region's fill in the item's colour.
inline constexpr int kRegionFillAlpha = 56;

// A curve's points are joined only while neighbouring columns differ by at most this many pixels.
inline constexpr double kJumpPixels = 100;
// Points above sheet row -1800 or below row 2400 are not drawn (nor joined to).
inline constexpr double kBandAbove = 1800;
inline constexpr double kBandBelow = 2400;

// The name an item gets at its first drawing when it has none.
std::string defaultItemName(int kind, int slot);

// The sheet row of value y, or no row when the point lies outside the band of rows drawn (or y is no
// finite number).
bool curveRow(double y, const document::ViewSettings& view, int& row);
// Where value y really lies on the row curveRow gave it: that row moved by what its rounding dropped
// (less than a pixel), so smooth drawing can follow the curve between pixel rows.
double exactCurveRow(double y, const document::ViewSettings& view, int row);

// Shows nothing: drawing never brings up a message box.
class QuietSink : public MessageSink {
public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
    Answer ask(const std::string&, const std::string&) override { return Answer::Cancel; }
};

// The typeset labels of the graph items, kept between redraws: an item's label is parsed and measured again
// only when its expression, font name or font size changed (colours are applied at every drawing and need
// no new layout). Entries of items that were not drawn in the last pass are dropped. Labels are measured
// with the canvas handed in; call clear() before drawing on a canvas with other font metrics.
class CurveLabelCache {
public:
    struct Label {
        typeset::TypesetFormula formula;
        // Where a piecewise formula is defined (nonzero) as a tree; null for other formulas.
        expr::ExprTree domainCondition;
    };

    Label& labelFor(const document::DEFINEFUN& item, typeset::Canvas& measuring);

    // A drawing pass marks what it uses; the end of the pass forgets the rest.
    void beginPass();
    void endPass();
    void clear() { entries_.clear(); }

    int size() const { return static_cast<int>(entries_.size()); }
    // How many labels were typeset since the cache was made (the cost the cache saves).
    std::uint64_t typesetCount() const { return typesetCount_; }

private:
    struct Entry {
        std::string expression;
        std::string fontName;
        int fontSize = 0;
        bool typeset = false; // label holds the typesetting of the three fields above
        bool used = false;
        Label label;
    };

    std::unordered_map<const document::DEFINEFUN*, Entry> entries_;
    std::uint64_t typesetCount_ = 0;
    QuietSink quiet_;
    expr::Engine engine_{quiet_}; // expands piecewise formulas without touching the program's engine
};

// Draws the graph items of a document: for each, in slot order, the pink box of a selected item, the typeset
// label in its box and, for curves, the curve from its samples. Keeps the label cache between redraws.
class GraphItemPainter {
public:
    // Draws every item of doc on canvas (a sheet sheetWidth × sheetHeight pixels). Items without a name get
    // their default name here. Leaves the canvas with a black pen of width 1 and a clear brush. Returns the
    // style (colours, font size and face) of the last label drawn, which the program takes as the output
    // style of the next formula; nothing when no label was drawn.
    std::optional<typeset::FormulaStyle> Draw_definefun(typeset::Canvas& canvas, document::Document& doc,
                                                        int sheetWidth, int sheetHeight);

    // Sets labelRight and labelBottom of item from its typeset label: width, two "(" per counted bracket
    // pair and 5 pixels of margin on each side.
    void sizeLabelBox(document::DEFINEFUN& item, typeset::Canvas& measuring);

    CurveLabelCache& labels() { return labels_; }

private:
    void drawLabel(typeset::Canvas& canvas, const document::DEFINEFUN& item, CurveLabelCache::Label& label);
    void drawCurve(typeset::Canvas& canvas, const document::DEFINEFUN& item,
                   const document::ViewSettings& view, int sheetWidth, bool selected,
                   expr::ExprNode* condition);
    void flushRun(typeset::Canvas& canvas);
    // A curve of the plane from its shape for the view (traced when the view or the item changed).
    void drawPlaneCurve(typeset::Canvas& canvas, document::DEFINEFUN& item,
                        const document::ViewSettings& view, int sheetWidth, int sheetHeight, bool selected);

    CurveLabelCache labels_;
    QuietSink quiet_;
    expr::Engine conditionEngine_{quiet_}; // the item's parameters, for its domain condition
    std::vector<typeset::Point> run_;      // points joined by one line
    std::vector<double> runRows_;          // the exact row of each point of run_
};

} // namespace quorvel::graph
