#pragma once

#include "base/MessageSink.h"
#include "editor/core/EditorTables.h"
#include "editor/core/InputText.h"
#include "expr/Conversion.h"
#include "expr/Engine.h"
#include "expr/Evaluator.h"
#include "graph/FormulaCommands.h"
#include "typeset/TypesetFormula.h"
#include "typeset/Typesetter.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;
class QWidget;

namespace quorvel::typeset {
class QtTextCache;
class Toutshezhiform;
} // namespace quorvel::typeset

namespace quorvel::editor {

class CurveKindChoice;

class Tdimension;
class Tmarrangform;
class Toperationbuttonform;

// The formula editor: the markup is typed into Memo1, helped by a keypad and the operator palette; every
// change is checked quietly and, when valid, shown in function form and typeset live. The main window
// opens it in one of its modes (formula picture, custom function, calculation; new or editing) through
// execFor, and its OK writes the result into the item it was opened for.
class Tformularymain : public QDialog, public graph::FormulaEditorDialog {
    Q_OBJECT
public:
    // Live previews stop at this input size: beyond it the typing stays responsive and the formula is
    // checked when the user converts or confirms it.
    static constexpr int kLivePreviewLimit = 64 * 1024;

    // engine: the program's engine state (variables, domain text, math flag, current tree); typesetter:
    // the output style the previews, the stored items and the curve labels share; cache: the sheet's text
    // metrics, so a stored box fits what the sheet draws.
    Tformularymain(expr::Engine& engine, typeset::Typesetter& typesetter, MessageSink& sink,
                   std::shared_ptr<typeset::QtTextCache> cache, QWidget* parent = nullptr);
    ~Tformularymain() override;

    // graph::FormulaEditorDialog
    bool execFor(const graph::EditorRequest& request, document::DEFINEFUN& target) override;

    // The mode the window is in while it is shown (captions follow from it).
    graph::EditorMode mode() const { return mode_; }
    bool editing() const { return editing_; }
    bool accepted() const { return accepted_; }
    bool conversionFailed() const { return conversionFailed_; }
    // The picture of the last valid preview (null before the first).
    const QImage& previewImage() const { return previewImage_; }
    // The character the last failed check marked in Memo1, as a position in Memo1's text; -1 for none.
    int errorMark() const { return errorMark_; }
    // Enables (true) or disables the buttons of constructs that cannot be plotted or calculated.
    void changebuttonenable(bool enabled);

    // Where the export command writes; the default asks with the save dialog. Tests replace it.
    void setExportFileChooser(std::function<QString()> chooser) { chooseExportFile_ = std::move(chooser); }
    Toperationbuttonform& operatorPalette() { return *palette_; }
    Tdimension& dimensionDialog() { return *dimension_; }
    Tmarrangform& cellGrid() { return *cells_; }
    typeset::Toutshezhiform& outputSettings() { return *outputSettings_; }

    // Event handlers, named after their controls.
    void Memo1Change();
    void BitBtn1Click();  // 转换成函数形式
    void BitBtn2Click();  // 生成数学表达式
    void BitBtn9Click();  // 效果查看
    void BitBtn8Click();  // 确定 / 计算 / 修改
    void BitBtn4Click();  // 取消
    void BitBtn5Click();  // 清空
    void BitBtn7Click();  // 变量赋值
    void BitBtn6Click();  // 输出设置
    void BitBtn3Click();  // 导出表达式
    void BitBtn10Click(); // 显示实例 / 隐藏实例
    void ScrollBar1Change();
    void ScrollBar2Change();

    // Runs the live preview now instead of when the event loop comes round (tests, benchmarks).
    void flushPreview();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    QWidget* buildKeypad();
    QWidget* buildClassRow();
    void applyMode();
    void restoreDefaults();
    void livePreview();
    void showPreview(typeset::TypesetFormula formula);
    void clearPreview();
    void adjustPreview();
    void markError(int inputIndex);
    JoinedInput joinedInput() const;
    // Validates the joined input with messages; marks the failing character. True when it passed.
    // The typed input converted on this mode's road; a refusal is marked in Memo1 and shown under it,
    // and (when loud) in a message box.
    expr::Conversion convertInput(const JoinedInput& joined, bool loud);
    // The line under the input: a refusal in red, or the note on names taken as 0.
    void showInputMessage(const std::string& text, bool refusal);
    expr::PlottingVariable plottingVariable() const;
    void collectVariables();

    void keypadPress(const KeypadButton& button, QAbstractButton* widget);
    void palettePress(const PaletteButton& button);
    void insertTemplate(const Template& entry);
    void openDimensions(bool determinant);
    void insertAtCaret(const QString& text);
    void resetExample();
    void showExample(const Example& example);
    void backspaceKey();

    expr::Engine& engine_;
    typeset::Typesetter& typesetter_;
    MessageSink& sink_;
    std::shared_ptr<typeset::QtTextCache> cache_;
    std::function<QString()> chooseExportFile_;

    // Window state.
    graph::EditorMode mode_ = graph::EditorMode::FormulaPicture;
    bool editing_ = false;
    bool shiftOn_ = false;
    bool accepted_ = false;
    bool modifyMode_ = false;
    bool conversionFailed_ = false;
    // The markup of the last successful conversion: what OK stores.
    std::string canonical_;
    int errorMark_ = -1;
    document::DEFINEFUN* target_ = nullptr;
    typeset::TypesetFormula preview_;
    QImage previewImage_;
    QTimer* previewTimer_ = nullptr;

    QPlainTextEdit* Memo1 = nullptr;
    QLabel* inputMessage_ = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QWidget* previewArea_ = nullptr;
    QLabel* Image1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QScrollBar* ScrollBar2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    CurveKindChoice* kindChoice_ = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn5 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn7 = nullptr;
    QPushButton* BitBtn8 = nullptr;
    QPushButton* BitBtn9 = nullptr;
    QPushButton* BitBtn10 = nullptr;
    QAbstractButton* shiftKey_ = nullptr;
    // Buttons that changebuttonenable switches, keypad and class row.
    std::vector<QAbstractButton*> unplottable_;

    Toperationbuttonform* palette_ = nullptr;
    Tmarrangform* cells_ = nullptr;
    Tdimension* dimension_ = nullptr;
    typeset::Toutshezhiform* outputSettings_ = nullptr;
};

} // namespace quorvel::editor
