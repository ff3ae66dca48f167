#pragma once

#include "document/Document.h"
#include "expr/Engine.h"
#include "graph/CurveCommands.h"
#include "graph/CurveDrawing.h"
#include "graph/ui/TForm3.h"
#include "graph/ui/TForm4.h"
#include "typeset/FormulaStyle.h"
#include "typeset/qt/QtCanvas.h"

#include <QPointer>
#include <QSize>

#include <functional>
#include <memory>
#include <string_view>

class QWidget;

namespace quorvel::typeset {
class QtTextCache;
}

namespace quorvel::graph {

// What the plotter needs from the main window: its document and sheet, and the sheet's drawing for the
// middle of a command (a dialog opening over a changed selection, the demonstration's sliders).
struct PlotterSheet {
    document::Document& doc;
    std::function<QSize()> sheetSize;
    std::function<void()> drawNow;
    std::shared_ptr<typeset::QtTextCache> textCache; // the sheet's text metrics
};

// The function curves of the main window: samples the graph items, draws them on the sheet, and runs the
// template commands and the reopening of a template curve through the function editing dialog, and the
// dynamic demonstration, whose dialogs it owns.
class CurvePlotter {
public:
    CurvePlotter(expr::Engine& engine, MessageSink& sink, PlotterSheet sheet,
                 QWidget* dialogParent = nullptr);
    ~CurvePlotter();

    // The output style new labels take their colours from (the formula editor's); the defaults until set.
    // After every drawing of the sheet it is the style of the last label drawn, so a new formula starts
    // in the style of the last item on the sheet.
    void setOutputStyle(typeset::FormulaStyle* style) { outputStyle_ = style; }

    // Samples one graph item for the view and sheet in force (confirm_funvalue). Messages of the formula
    // show once per command.
    void confirm_funvalue(document::DEFINEFUN& item);
    document::ResampleHook resampler();
    // The graph items layer of the sheet (Draw_definefun); the output style follows the last label.
    void Draw_definefun(typeset::Canvas& canvas);

    // The commands return what they changed, including what a demonstration opened from the function
    // editing dialog changed meanwhile.
    // The template button named buttonName (SpeedButton1 … SpeedButton16 but 12 and 13).
    [[nodiscard]] SheetChange templateButtonClick(std::string_view buttonName);
    // Reopens the template curve in slot in the dialog (the double click and the properties command).
    [[nodiscard]] SheetChange reopenTemplateCurve(int slot);

    // Runs a command of the graph layer with the plotter's context (engine, document, label painter,
    // sheet metrics, drawing); its messages show once.
    [[nodiscard]] SheetChange runCommand(const std::function<CurveOutcome(CurveCommandContext&)>& command);

    // The dynamic demonstration for the graph item in slot (the popup command and the function editing
    // dialog's button); currentCurve names it while the dialog is open. Nothing when slot holds no item.
    [[nodiscard]] SheetChange openDemonstration(int slot);
    // Brings the item in slot up to date with its parameters: resamples a curve, recomputes a
    // calculation object.
    void refreshItem(int slot);

    TForm3& form3() { return *form3_; }
    TForm4& form4() { return *form4_; }
    GraphItemPainter& painter() { return painter_; }

private:
    CurveCommandContext context(typeset::Canvas& measuring);
    SheetChange finish(CurveOutcome outcome);

    expr::Engine& engine_;
    PlotterSheet sheet_;
    // The dialogs are children of their parent window too; whichever goes first takes them along.
    QPointer<TForm3> form3_;
    QPointer<TForm4> form4_;
    GraphItemPainter painter_;
    typeset::FormulaStyle defaultStyle_;
    typeset::FormulaStyle* outputStyle_ = nullptr;
    SheetChange nested_; // what a demonstration inside the function editing dialog changed
};

} // namespace quorvel::graph
