#pragma once

#include "base/UiText.h"
#include "document/Document.h"
#include "document/Records.h"
#include "expr/Engine.h"
#include "graph/CurveDrawing.h"
#include "graph/SheetChange.h"
#include "graph/Templates.h"
#include "typeset/Canvas.h"
#include "typeset/FormulaStyle.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::graph {

// Texts of the function editing dialog.
inline constexpr const char* kNewCurveCaption = UI_TEXT("确定");  // OK caption while a new curve is made
inline constexpr const char* kEditCurveCaption = UI_TEXT("修改"); // OK caption while a curve is reopened
inline constexpr const char* kDomainNotNumberMessage = UI_TEXT("请在定义域输入框中输入有效数字！");
inline constexpr const char* kNoFontMessage = UI_TEXT("请选择要输出的函数表达式字体名称！");
inline constexpr const char* kNotNumericMessage = UI_TEXT("你输入的数值型数据中含有不是数字的部分，请修改！");
inline constexpr const char* kFontSizeRangeMessage = typeset::FormulaStyle::kFontSizeRangeMessage;
inline constexpr const char* kDialogMessageCaption = kCaptionHint;
inline constexpr const char* kDefaultLabelFont = "Times New Roman";
inline constexpr int kDefaultLabelSize = 16;
// Parameter names of the templates, in row order.
inline constexpr std::array<const char*, 3> kTemplateParamNames{"A", "B", "C"};

// What the function editing dialog holds when its OK button is pressed.
struct FunctionDialogInput {
    std::string name;
    int pickedColour = document::kBlue;
    std::string domainStart;
    std::string domainEnd;
    std::string fontSize;
    std::optional<std::string> fontName; // nullopt: no font selected in the list
    // Rows A, B, C; nullopt for a hidden row, whose parameter keeps its value.
    std::array<std::optional<std::string>, 3> params;
};

// The dialog's OK: checks the input and writes name, colour, domain, label font and the parameters of the
// shown rows into item. Returns the message for the first problem (domain, then font choice, then the
// numbers of font size and parameters) and leaves item untouched in that case; returns an empty text
// when item was written. The two ends of the domain are not compared.
std::string applyFunctionDialog(const FunctionDialogInput& input, document::DEFINEFUN& item);

// The function editing dialog as the commands see it: the window fills it, shows it and reads what it
// wrote. Implemented by the dialog window and, in tests, by a scripted fake.
class FunctionDialog {
public:
    virtual ~FunctionDialog() = default;

    virtual std::string okCaption() const = 0; // the mode: kNewCurveCaption or kEditCurveCaption
    virtual void setOkCaption(const std::string& caption) = 0;
    virtual void setName(const std::string& name) = 0;
    virtual void setRowVisible(int row, bool visible) = 0; // rows 0 … 2 are A, B, C
    virtual void setRowText(int row, const std::string& text) = 0;
    virtual void setFontSizeText(const std::string& text) = 0;
    virtual void selectFont(const std::string& name) = 0; // no selection when the font is not offered
    virtual void setPickedColour(int colour) = 0;
    virtual void setDomainTexts(const std::string& start, const std::string& end) = 0;
    // Typesets markup as the preview of the formula, in the style's colours and font.
    virtual void setPreview(std::string_view markup, const typeset::FormulaStyle& style) = 0;
    // Shows the dialog modally. Its OK checks the input (applyFunctionDialog), writes it into target and
    // closes; true when it was closed by OK.
    virtual bool execFor(document::DEFINEFUN& target) = 0;
};

// What the curve commands work with: the program's engine and document, the sheet canvas for measuring
// labels, the painter that caches them, the output style new labels take their colours from, and the
// window's drawing for the moment a dialog opens over a changed selection. What a command changed is
// its outcome (changeOf); the window draws and records it.
struct CurveCommandContext {
    expr::Engine& engine;
    document::Document& doc;
    GraphItemPainter& painter;
    typeset::Canvas& measuring;
    const typeset::FormulaStyle& outputStyle;
    int sheetWidth = 0;
    std::function<void()> drawNow;
};

enum class CurveOutcome {
    Created,   // a new item was counted into the document
    Changed,   // the item in slot currentCurve was changed
    Cancelled, // nothing changed
    ListFull,  // the document holds as many graph items as it can; the user was told
};

// What the sheet needs after a command with that outcome: a made or changed item is drawn and recorded,
// a cancelled dialog leaves the sheet to be drawn (its selection may have changed), a full list nothing.
[[nodiscard]] SheetChange changeOf(CurveOutcome outcome);

// Creates (OK caption "确定") or edits (any other caption: the item in slot currentCurve) a template curve
// with paramCount parameters A, B, C and the formula expression through the dialog. On OK the label box
// is sized from the typeset formula, the curve is sampled and a new item is counted into the document;
// a cancelled new item leaves nothing behind. currentCurve is left at the created or edited slot; the
// selection stays.
CurveOutcome affordfunchange(CurveCommandContext& ctx, FunctionDialog& dialog, int paramCount,
                             std::string_view expression);

// A template button: fills the dialog with the template's name and starting values, shows the rows of
// its parameters and makes the curve.
CurveOutcome templateButtonClick(CurveCommandContext& ctx, FunctionDialog& dialog,
                                 const TemplateFunction& entry);

// Reopens the template curve in slot in the dialog (the double click and the properties command call it
// after the item was found and selected): the dialog shows the curve's parameters, name, label font and
// colour with the OK caption "修改"; OK changes the curve. Afterwards the caption is "确定" again and the
// curve is resampled.
// Slots that hold no template curve are left alone (Cancelled).
CurveOutcome reopenTemplateCurve(CurveCommandContext& ctx, FunctionDialog& dialog, int slot);

} // namespace quorvel::graph
