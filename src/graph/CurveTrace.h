#pragma once

#include "document/Document.h"
#include "graph/CurveFunction.h"
#include "graph/ReadingWords.h"
#include "typeset/Canvas.h"

#include <optional>
#include <string>
#include <utility>

namespace quorvel::graph {

// Tracing a curve: a marker sits on one curve at an x, its value computed exactly there (never read off
// the samples). The keys step it a pixel at a time, move it to the next curve or the ends of the view,
// and a typed number puts it at that x. On a parametric or polar curve the marker stands at a value of
// the parameter t or θ instead, steps about a pixel along the curve, and its ends are the ends of the
// range. Screen only, as the marks are.
class CurveTrace {
public:
    // Starts on the selected curve (the one chosen last; else the first curve) at the sheet column sheetX
    // (a parametric curve at its point nearest to (sheetX, sheetY)); false when the document has no curve.
    [[nodiscard]] bool start(const document::Document& doc, double sheetX, double sheetY);
    void stop() { slot_ = -1; }
    bool active() const { return slot_ >= 0; }
    int slot() const { return slot_; }
    // The marker's x, or its parameter on a parametric or polar curve.
    double x() const { return x_; }

    // The marker goes to x (a typed number; the parameter on a parametric or polar curve).
    void moveTo(double x) { x_ = x; }
    // The marker follows the pointer at sheet point (sheetX, sheetY): to its column, or to the nearest point
    // of a parametric or polar curve.
    void follow(const document::Document& doc, double sheetX, double sheetY);
    // By whole pixels of the view (along a parametric or polar curve, about that many pixels).
    void step(const document::Document& doc, int pixels);
    // To the next (+1) or previous (-1) curve, going round, at the same x (the nearest point of a
    // parametric or polar curve).
    void nextCurve(const document::Document& doc, int direction);
    // To the left or right edge of a sheet sheetWidth pixels wide (the ends of a parameter's range).
    void toEdge(const document::Document& doc, int sheetWidth, bool right);
    // The words of the status and the label (Chinese unless given).
    void setWords(ReadingWords words) { words_ = std::move(words); }

    // The value at the marker: nothing where the curve has none. Follows the curve as it is now (the
    // demonstration may change it between calls).
    [[nodiscard]] std::optional<double> value(const document::Document& doc) const;
    // What the marker's number is: "x", or "t" or "θ" on a parametric or polar curve.
    [[nodiscard]] const char* variableName(const document::Document& doc) const;
    // The marker's point of the plane: nothing where the curve has none.
    [[nodiscard]] std::optional<std::pair<double, double>> point(const document::Document& doc) const;
    // "追踪 正弦函数：x = 1.57, y = 1", or "… y 无定义"; decimals as the zoom makes meaningful.
    [[nodiscard]] std::string statusText(const document::Document& doc) const;
    // The marker and its label.
    void draw(typeset::Canvas& canvas, const document::Document& doc) const;

private:
    // The status for the marker's point p (as point gives it), so a drawing evaluates the curve once.
    [[nodiscard]] std::string statusAt(const document::Document& doc,
                                       const std::optional<std::pair<double, double>>& p) const;

    ReadingWords words_;
    int slot_ = -1;
    double x_ = 0;
};

} // namespace quorvel::graph
