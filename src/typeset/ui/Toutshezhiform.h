#pragma once

#include "base/MessageSink.h"
#include "typeset/FormulaStyle.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QColorDialog;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel::typeset {

class ColorSwatch;

// The output settings dialog ("输出设置"): font size, font face, italic letter variables and the six
// token colours of formula pictures. The formula editor hands it the current style with editStyle and
// re-typesets its preview when it closes.
class Toutshezhiform : public QDialog {
    Q_OBJECT
public:
    explicit Toutshezhiform(MessageSink& sink, QWidget* parent = nullptr);

    // Fills the controls from style, shows the dialog modally and, when it is confirmed, writes the
    // result into style. Returns whether it was confirmed.
    bool editStyle(FormulaStyle& style);

    // Opening: the size as a decimal number, the face selected when the list holds it exactly (nothing
    // selected otherwise), the six swatches from the colours.
    void loadStyle(const FormulaStyle& style);
    // The style the controls would confirm (valid after BitBtn1Click accepted).
    const FormulaStyle& result() const { return result_; }

    // How a swatch asks for a colour; starts from the colour chosen last. The default shows the one
    // colour dialog that all six swatches share. Tests replace it.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;
    void setColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }

    // Event handlers, named after their controls.
    void BitBtn1Click(); // 确定
    void BitBtn2Click(); // 取消
    void ComboBox1Change();
    void Label7Click();
    void Label8Click();
    void Label9Click();
    void Label10Click();
    void Label11Click();
    void Label13Click();

    static constexpr const char* kEmptySizeMessage = UI_TEXT("请输入输出的字体大小，不能为空！");
    static constexpr const char* kBadSizeMessage = UI_TEXT("输入有误");
    static constexpr const char* kSizeRangeMessage = FormulaStyle::kFontSizeRangeMessage;

private:
    void chooseColor(ColorSwatch* swatch);
    std::optional<QColor> showColorDialog(const QColor& initial);

    MessageSink& sink_;
    FormulaStyle result_;
    ColorChooser chooser_;
    QColor lastChosen_ = Qt::black;

    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QLabel* Label1; // 字体大小：
    QLabel* Label2; // 字体：
    QLineEdit* Edit1;
    QComboBox* ComboBox1;
    QCheckBox* CheckBox1;                    // 字母变量用斜体
    std::array<ColorSwatch*, 6> swatches_{}; // Label7 Label8 Label9 Label10 Label11 Label13
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QColorDialog* ColorDialog1 = nullptr; // created when first needed
};

} // namespace quorvel::typeset
