#include "graph/ui/TForm3.h"
#include "graph/ui/DialogWidgets.h"
#include "i18n/Translation.h"

#include "graph/ui/ColourSwatch.h"
#include "typeset/SystemColor.h"
#include "typeset/TypesetFormula.h"
#include "typeset/qt/ColorConversion.h"
#include "typeset/qt/FontSetup.h"
#include "typeset/qt/QtCanvas.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::graph {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
std::string std8(const QString& text) {
    return text.toStdString();
}

// Captions of the parameter rows A, B, C.
constexpr std::array<const char*, 3> kRowCaptions{"A =", "B =", "C ="};
constexpr std::array<const char*, 3> kRowLabelNames{"Label1", "Label2", "Label3"};
constexpr std::array<const char*, 3> kRowEditNames{"Edit1", "Edit2", "Edit3"};
constexpr const char* kDemonstrationUnavailable = UI_TEXT("动态演示功能暂不可用");

QLineEdit* makeEdit(const char* objectName, QWidget* parent, bool blueText = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromUtf8(objectName));
    if (blueText) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Text, Qt::blue);
        edit->setPalette(palette);
    }
    return edit;
}

QPushButton* makeButton(const char* objectName, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(i18n::uiText(caption), parent);
    button->setObjectName(QString::fromUtf8(objectName));
    button->setAutoDefault(false);
    return button;
}

std::optional<int> runColourDialog(int current, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(typeset::toQColor(current), parent);
    if (!chosen.isValid()) return std::nullopt;
    return typeset::fromQColor(chosen);
}

} // namespace

TForm3::TForm3(MessageSink& sink, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      sink_(sink), chooseColour_(runColourDialog) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(i18n::uiText("函数编辑"));
    setModal(true);
    buildControls();
    FormCreate();
}

void TForm3::buildControls() {
    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(makeLabel("Label9", UI_TEXT("函数标准形式:"), this), row, 0, 1, 2);
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setFixedSize(kPreviewWidth, kPreviewHeight);
    form->addWidget(image1_, ++row, 0, 1, 3);

    form->addWidget(makeLabel("Label4", UI_TEXT("函数名称："), this), ++row, 0);
    edit6_ = makeEdit("Edit6", this, true);
    form->addWidget(edit6_, row, 1, 1, 2);

    form->addWidget(makeLabel("Label5", UI_TEXT("参数设置："), this), ++row, 0);
    for (std::size_t k = 0; k < 3; ++k) {
        rowLabels_[k] = makeLabel(kRowLabelNames[k], kRowCaptions[k], this);
        rowLabels_[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowEdits_[k] = makeEdit(kRowEditNames[k], this, true);
        form->addWidget(rowLabels_[k], ++row, 0);
        form->addWidget(rowEdits_[k], row, 1, 1, 2);
    }

    form->addWidget(makeLabel("Label6", UI_TEXT("输出设置："), this), ++row, 0);
    form->addWidget(makeLabel("Label10", UI_TEXT("字体大小："), this), ++row, 0);
    edit7_ = makeEdit("Edit7", this);
    form->addWidget(edit7_, row, 1, 1, 2);
    label11_ = makeLabel("Label11", UI_TEXT("字体名称："), this);
    form->addWidget(label11_, ++row, 0);
    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->setEditable(false);
    comboBox1_->setMaxVisibleItems(20);
    form->addWidget(comboBox1_, row, 1, 1, 2);
    form->addWidget(makeLabel("Label12", UI_TEXT("曲线颜色："), this), ++row, 0);
    shape1_ = new ColourSwatch(this);
    shape1_->setObjectName(QStringLiteral("Shape1"));
    shape1_->setFixedSize(60, 20);
    shape1_->setToolTip(i18n::uiText("单击选择曲线颜色"));
    form->addWidget(shape1_, row, 1, 1, 1, Qt::AlignLeft);
    main->addLayout(form);

    auto* domain = new QGroupBox(i18n::uiText("曲线绘制定义域"), this);
    domain->setObjectName(QStringLiteral("GroupBox1"));
    auto* domainRow = new QHBoxLayout(domain);
    domainRow->addWidget(makeLabel(nullptr, "x:", domain));
    edit8_ = makeEdit("Edit8", domain);
    domainRow->addWidget(edit8_);
    domainRow->addWidget(makeLabel(nullptr, UI_TEXT(" ～ "), domain));
    edit9_ = makeEdit("Edit9", domain);
    domainRow->addWidget(edit9_);
    main->addWidget(domain);

    auto* buttons = new QHBoxLayout;
    speedButton1_ = makeButton("SpeedButton1", "", this);
    speedButton1_->setVisible(false);
    speedButton1_->setEnabled(false);
    speedButton4_ = makeButton("SpeedButton4", UI_TEXT("动态演示"), this);
    speedButton2_ = makeButton("SpeedButton2", kNewCurveCaption, this);
    speedButton2_->setDefault(true);
    speedButton5_ = makeButton("SpeedButton5", UI_TEXT("取消"), this);
    buttons->addWidget(speedButton1_);
    buttons->addWidget(speedButton4_);
    buttons->addStretch(1);
    buttons->addWidget(speedButton2_);
    buttons->addWidget(speedButton5_);
    main->addLayout(buttons);

    connect(comboBox1_, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(shape1_, &ColourSwatch::pressed, this, [this] { Shape1MouseDown(); });
    connect(speedButton2_, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(speedButton5_, &QPushButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(speedButton4_, &QPushButton::clicked, this, [this] { SpeedButton4Click(); });
}

void TForm3::FormCreate() {
    pickedColour = document::kBlue;
    shape1_->setColour(pickedColour);
    comboBox1_->clear();
    comboBox1_->addItems(typeset::formulaFontFamilies());
    comboBox1_->setCurrentIndex(findFontIndex(QString::fromUtf8(kDefaultLabelFont)));
}

void TForm3::FormActivate() {
    const bool reopened = okCaption() == kEditCurveCaption;
    speedButton4_->setEnabled(reopened && demonstration_ != nullptr);
    speedButton4_->setToolTip(reopened && !demonstration_ ? i18n::uiText(kDemonstrationUnavailable)
                                                          : QString());
    ComboBox1Change();
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm3::ComboBox1Change() {
    QFont font = label11_->font();
    if (comboBox1_->currentIndex() >= 0)
        font.setFamily(comboBox1_->currentText());
    else
        font = QFont();
    label11_->setFont(font);
}

void TForm3::Shape1MouseDown() {
    if (!chooseColour_) return;
    if (const std::optional<int> chosen = chooseColour_(pickedColour, this)) setPickedColour(*chosen);
}

int TForm3::findFontIndex(const QString& name) const {
    for (int i = 0; i < comboBox1_->count(); ++i)
        if (comboBox1_->itemText(i) == name) return i;
    return -1;
}

FunctionDialogInput TForm3::currentInput() const {
    FunctionDialogInput in;
    in.name = std8(edit6_->text());
    in.pickedColour = pickedColour;
    in.domainStart = std8(edit8_->text());
    in.domainEnd = std8(edit9_->text());
    in.fontSize = std8(edit7_->text());
    if (comboBox1_->currentIndex() >= 0) in.fontName = std8(comboBox1_->currentText());
    for (std::size_t k = 0; k < 3; ++k)
        if (rowShown_[k]) in.params[k] = std8(rowEdits_[k]->text());
    return in;
}

void TForm3::SpeedButton2Click() {
    if (!target_) { // shown without a record to write into: nothing to accept
        SpeedButton5Click();
        return;
    }
    const std::string message = applyFunctionDialog(currentInput(), *target_);
    if (!message.empty()) {
        sink_.show(message, kDialogMessageCaption, MessageIcon::Warning);
        return;
    }
    dialogResult = 1;
    accept();
}

void TForm3::SpeedButton5Click() {
    dialogResult = 0;
    reject();
}

void TForm3::SpeedButton4Click() {
    if (!demonstration_) return;
    dialogResult = 0;
    demonstrationRequested_ = true;
    reject();
}

std::string TForm3::okCaption() const {
    return okCaption_;
}
void TForm3::setOkCaption(const std::string& caption) {
    okCaption_ = caption;
    speedButton2_->setText(i18n::uiMessage(caption));
}
void TForm3::setName(const std::string& name) {
    edit6_->setText(qs(name));
}

void TForm3::setRowVisible(int row, bool visible) {
    if (row < 0 || row > 2) return;
    const auto k = static_cast<std::size_t>(row);
    rowShown_[k] = visible;
    rowLabels_[k]->setVisible(visible);
    rowEdits_[k]->setVisible(visible);
}

void TForm3::setRowText(int row, const std::string& text) {
    if (row >= 0 && row <= 2) rowEdits_[static_cast<std::size_t>(row)]->setText(qs(text));
}

void TForm3::setFontSizeText(const std::string& text) {
    edit7_->setText(qs(text));
}
void TForm3::selectFont(const std::string& name) {
    comboBox1_->setCurrentIndex(findFontIndex(qs(name)));
}

void TForm3::setPickedColour(int colour) {
    pickedColour = colour;
    shape1_->setColour(colour);
}

void TForm3::setDomainTexts(const std::string& start, const std::string& end) {
    edit8_->setText(qs(start));
    edit9_->setText(qs(end));
}

void TForm3::setPreview(std::string_view markup, const typeset::FormulaStyle& style) {
    preview_ = QImage(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    preview_.fill(typeset::toQColor(typeset::kButtonFaceColor));
    {
        typeset::QtCanvas canvas(preview_);
        typeset::TypesetFormula formula = typeset::TypesetFormula::fromMarkup(markup, style, canvas);
        if (!formula.empty()) formula.drawAt(canvas, 5, formula.root()->headHeight / 2 + 10);
    }
    image1_->setPixmap(QPixmap::fromImage(preview_));
}

bool TForm3::execFor(document::DEFINEFUN& target) {
    target_ = &target;
    dialogResult = 0;
    demonstrationRequested_ = false;
    speedButton1_->setEnabled(false);
    speedButton2_->setEnabled(true);
    exec();
    target_ = nullptr;
    const bool accepted = dialogResult == 1;
    if (demonstrationRequested_ && demonstration_) {
        demonstrationRequested_ = false;
        demonstration_();
    }
    return accepted;
}

} // namespace quorvel::graph
