#pragma once

#include "base/UiText.h"
#include "document/Records.h"
#include "graph/CurveCommands.h"

#include <string>

namespace quorvel::graph {

// The modes the formula editor opens in; the window's caption and OK caption follow from them. The custom
// function road draws every kind of curve the user types: functions, parametric and polar equations,
// implicit curves and inequalities.
enum class EditorMode { FormulaPicture, CustomFunction, Calculation };

inline constexpr const char* kFormulaEditorCaption = UI_TEXT("公式编辑器");
inline constexpr const char* kCustomFunctionCaption = UI_TEXT("绘制自定义函数");
inline constexpr const char* kCalculationCaption = UI_TEXT("计算表达式");
inline constexpr const char* kOkCaption = UI_TEXT("确定");
inline constexpr const char* kCalculateCaption = UI_TEXT("计算");
inline constexpr const char* kModifyCaption = UI_TEXT("修改");

// What an opener asks of the editor.
struct EditorRequest {
    EditorMode mode = EditorMode::FormulaPicture;
    bool editing = false;              // an existing item is changed (OK reads "修改"); its values are kept
    std::string input;                 // markup put into the input box
    std::string domainStart = "-9999"; // custom function road only: the domain, or the range of t or θ
    std::string domainEnd = "9999";
    // Custom function road only: the kind of curve (function, parametric, polar, implicit or region) the
    // editor starts in; its OK writes the kind the formula is drawn as into the item.
    int curveKind = document::KindCustomFunction;
};

const char* windowCaption(EditorMode mode);
const char* okCaption(EditorMode mode, bool editing);

// The formula editor as the commands see it. execFor shows it modally; its OK validates the input and
// writes expression (blank-free, one line), label style, box, parameters and, for a custom function, the
// domain into target, then returns true. Cancel or closing returns false and leaves target as it was.
class FormulaEditorDialog {
public:
    virtual ~FormulaEditorDialog() = default;
    virtual bool execFor(const EditorRequest& request, document::DEFINEFUN& target) = 0;
};

// The three creating commands. Each prepares a new item below the existing boxes (refusing with the
// full-list message when the document holds as many items as it can), opens the editor, and on OK
// counts the item into the document and selects it alone (Created); a cancelled editor leaves no
// record (Cancelled). changeOf says what the sheet needs.
// 公式编辑: a formula picture (kind 4).
CurveOutcome formulaEditCommand(CurveCommandContext& ctx, FormulaEditorDialog& editor);
// 计算: a calculation object (kind 0) whose expression is the input, "=" and the result, or "错误" after the
// message; the box is measured from that text.
CurveOutcome calculationCommand(CurveCommandContext& ctx, FormulaEditorDialog& editor);
// 自定义函数: a curve of the kind the editor gives (a custom function with its domain, a parametric or
// polar curve with its range, an implicit curve or a region) in the next colour of the palette.
CurveOutcome customFunctionCommand(CurveCommandContext& ctx, FormulaEditorDialog& editor);

// Reopens the formula picture, calculation object or curve of the custom function road in slot (double click
// or 属性) in the editor's editing mode: the item is selected alone, the editor gets its markup (a
// calculation's input without the result behind its last "="), its label style, parameters and domain.
// OK writes the edited item back, computes a calculation anew (the recalculation message on failure) or
// resamples a curve and sizes the box (Changed). Cancel changes nothing.
// Other kinds and empty slots are left alone (Cancelled).
CurveOutcome reopenFormulaItem(CurveCommandContext& ctx, FormulaEditorDialog& editor, int slot);

} // namespace quorvel::graph
