#include "typeset/ui/Toutshezhiform.h"
#include "i18n/Translation.h"

#include "base/NumberFormat.h"
#include "typeset/SystemColor.h"
#include "typeset/qt/ColorConversion.h"
#include "typeset/qt/FontSetup.h"
#include "typeset/ui/ColorSwatch.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace quorvel::typeset {

namespace {

QLabel* caption(const char* text, const char* name, QWidget* parent) {
    auto* label = new QLabel(i18n::uiText(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

Toutshezhiform::Toutshezhiform(MessageSink& sink, QWidget* parent) : QDialog(parent), sink_(sink) {
    setObjectName(QStringLiteral("Toutshezhiform"));
    setWindowTitle(i18n::uiText("输出设置"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    GroupBox1 = new QGroupBox(i18n::uiText("字体大小"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label1 = caption(UI_TEXT("字体大小："), "Label1", GroupBox1);
    Edit1 = new QLineEdit(QStringLiteral("16"), GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label2 = caption(UI_TEXT("字体："), "Label2", GroupBox1);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    ComboBox1->addItems(formulaFontFamilies());
    ComboBox1->setCurrentIndex(ComboBox1->findText(QString::fromUtf8(FormulaStyle::kDefaultFontName)));
    auto* fontGrid = new QGridLayout(GroupBox1);
    fontGrid->addWidget(Label1, 0, 0);
    fontGrid->addWidget(Edit1, 0, 1);
    fontGrid->addWidget(Label2, 1, 0);
    fontGrid->addWidget(ComboBox1, 1, 1);
    CheckBox1 = new QCheckBox(i18n::uiText("字母变量用斜体"), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    fontGrid->addWidget(CheckBox1, 2, 0, 1, 2);

    GroupBox2 = new QGroupBox(i18n::uiText("颜色"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    struct Row {
        const char* caption;
        const char* captionName;
        const char* swatchName;
        Color designColor;
    };
    const Row rows[6] = {{UI_TEXT("变量："), "Label3", "Label7", kBlack},
                         {UI_TEXT("括号："), "Label4", "Label8", kBlack},
                         {UI_TEXT("条件："), "Label5", "Label9", kWindowTextColor},
                         {UI_TEXT("运算符："), "Label6", "Label10", kWindowTextColor},
                         {UI_TEXT("函数名："), "Label12", "Label11", kWindowTextColor},
                         {UI_TEXT("标号："), "Label14", "Label13", kWindowTextColor}};
    auto* colorGrid = new QGridLayout(GroupBox2);
    for (int i = 0; i < 6; ++i) {
        colorGrid->addWidget(caption(rows[i].caption, rows[i].captionName, GroupBox2), i, 0);
        auto* swatch = new ColorSwatch(GroupBox2);
        swatch->setObjectName(QString::fromLatin1(rows[i].swatchName));
        swatch->setColor(rows[i].designColor);
        swatch->setMinimumSize(60, 16);
        colorGrid->addWidget(swatch, i, 1);
        swatches_[static_cast<std::size_t>(i)] = swatch;
    }

    BitBtn1 = new QPushButton(i18n::uiText("确定"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(i18n::uiText("取消"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addLayout(buttons);
    setFixedSize(188, 360);

    connect(BitBtn1, &QPushButton::clicked, this, &Toutshezhiform::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Toutshezhiform::BitBtn2Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &Toutshezhiform::ComboBox1Change);
    connect(swatches_[0], &ColorSwatch::clicked, this, &Toutshezhiform::Label7Click);
    connect(swatches_[1], &ColorSwatch::clicked, this, &Toutshezhiform::Label8Click);
    connect(swatches_[2], &ColorSwatch::clicked, this, &Toutshezhiform::Label9Click);
    connect(swatches_[3], &ColorSwatch::clicked, this, &Toutshezhiform::Label10Click);
    connect(swatches_[4], &ColorSwatch::clicked, this, &Toutshezhiform::Label11Click);
    connect(swatches_[5], &ColorSwatch::clicked, this, &Toutshezhiform::Label13Click);
    ComboBox1Change();
}

void Toutshezhiform::loadStyle(const FormulaStyle& style) {
    result_ = style;
    Edit1->setText(QString::number(style.fontSize));
    // Exact, case-sensitive match; a face the list does not hold leaves nothing selected.
    const QString face = QString::fromStdString(style.fontName);
    int index = -1;
    for (int i = 0; i < ComboBox1->count(); ++i)
        if (ComboBox1->itemText(i) == face) {
            index = i;
            break;
        }
    ComboBox1->setCurrentIndex(index);
    CheckBox1->setChecked(style.italicVariables);
    const auto colors = style.colors.asArray();
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        swatches_[i]->setColor(colors[i]);
}

bool Toutshezhiform::editStyle(FormulaStyle& style) {
    loadStyle(style);
    if (exec() != QDialog::Accepted) return false;
    style = result_;
    return true;
}

void Toutshezhiform::BitBtn1Click() {
    const std::string text = Edit1->text().toStdString();
    if (text.empty()) {
        sink_.show(kEmptySizeMessage, kCaptionHint, MessageIcon::Warning);
        return;
    }
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        sink_.show(kBadSizeMessage, kCaptionError, MessageIcon::Error);
        return;
    }
    const auto size = parseInteger(text);
    if (!size || *size > std::numeric_limits<int>::max()) {
        sink_.show(kBadSizeMessage, kCaptionError, MessageIcon::Error);
        return;
    }
    // Size 0 draws nothing, and a huge size asks for pictures of gigabytes: refuse both.
    if (*size < FormulaStyle::kMinFontSize || *size > FormulaStyle::kMaxFontSize) {
        sink_.show(kSizeRangeMessage, kCaptionError, MessageIcon::Error);
        return;
    }
    std::array<Color, 6> colors{};
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        colors[i] = swatches_[i]->color();
    result_.colors = TokenColors::fromArray(colors);
    result_.fontSize = static_cast<int>(*size);
    result_.italicVariables = CheckBox1->isChecked();
    // With no face selected (the style's face is not installed) the face stays as it was, rather than
    // becoming an empty name.
    if (ComboBox1->currentIndex() >= 0) result_.fontName = ComboBox1->currentText().toStdString();
    accept();
}

void Toutshezhiform::BitBtn2Click() {
    reject();
}

void Toutshezhiform::ComboBox1Change() {
    QFont preview = Label2->font();
    if (ComboBox1->currentIndex() >= 0) preview.setFamily(ComboBox1->currentText());
    Label2->setFont(preview);
}

void Toutshezhiform::Label7Click() {
    chooseColor(swatches_[0]);
}
void Toutshezhiform::Label8Click() {
    chooseColor(swatches_[1]);
}
void Toutshezhiform::Label9Click() {
    chooseColor(swatches_[2]);
}
void Toutshezhiform::Label10Click() {
    chooseColor(swatches_[3]);
}
void Toutshezhiform::Label11Click() {
    chooseColor(swatches_[4]);
}
void Toutshezhiform::Label13Click() {
    chooseColor(swatches_[5]);
}

void Toutshezhiform::chooseColor(ColorSwatch* swatch) {
    const std::optional<QColor> chosen = chooser_ ? chooser_(lastChosen_) : showColorDialog(lastChosen_);
    // Cancelling the colour dialog leaves the swatch as it was.
    if (!chosen || !chosen->isValid()) return;
    lastChosen_ = *chosen;
    swatch->setColor(fromQColor(*chosen));
}

std::optional<QColor> Toutshezhiform::showColorDialog(const QColor& initial) {
    if (!ColorDialog1) {
        ColorDialog1 = new QColorDialog(this);
        ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
    }
    ColorDialog1->setCurrentColor(initial);
    if (ColorDialog1->exec() != QDialog::Accepted) return std::nullopt;
    return ColorDialog1->selectedColor();
}

} // namespace quorvel::typeset
