#include "editor/Tformularymain.h"
#include "i18n/Translation.h"

#include "base/NumberFormat.h"
#include "base/Utf8Text.h"
#include "codec/AtomicSave.h"
#include "document/TextFormRules.h"
#include "editor/CurveKindChoice.h"
#include "editor/EditorWidgets.h"
#include "editor/ExamplePictures.h"
#include "editor/FormulaInput.h"
#include "editor/Tdimension.h"
#include "editor/Tmarrangform.h"
#include "editor/Toperationbuttonform.h"
#include "editor/core/Insertion.h"
#include "expr/CheckFailure.h"
#include "expr/Evaluator.h"
#include "expr/Parser.h"
#include "expr/UnassignedNames.h"
#include "expr/Validation.h"
#include "graph/Messages.h"
#include "graph/ParameterRange.h"
#include "graph/PlaneFormula.h"
#include "typeset/LatexWriter.h"
#include "typeset/MathmlWriter.h"
#include "typeset/qt/FormulaPicture.h"
#include "typeset/qt/QtCanvas.h"
#include "typeset/qt/QtTextCache.h"
#include "typeset/ui/Toutshezhiform.h"

#include <QColor>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <span>
#include <string>

namespace quorvel::editor {

namespace {

// Qt positions count UTF-16 units, the markup rules count characters.
int utf16Index(const QString& text, int codePoint) {
    int seen = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (seen == codePoint) return i;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        ++seen;
    }
    return static_cast<int>(text.size());
}

int codePointIndex(const QString& text, int utf16) {
    int seen = 0;
    for (int i = 0; i < utf16 && i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        ++seen;
    }
    return seen;
}

QPushButton* makeButton(const char* objectName, const char* caption, QWidget* parent) {
    return editor::makeButton(objectName, i18n::uiText(caption), parent);
}

constexpr const char* kMessageCaption = kCaptionHint;
constexpr const char* kDomainNotNumber = UI_TEXT("请在定义域输入框中输入有效数字！");
constexpr const char* kDomainReversed = UI_TEXT("你输入的定义域起始位置大于终点位置，请重输");
constexpr const char* kCannotEmpty = UI_TEXT("不能用修改的方法将函数清空！");
constexpr const char* kNothingToExport = UI_TEXT("没有可以导出的公式，请先输入一个正确的表达式！");
constexpr const char* kShowExamples = UI_TEXT("显示实例");
constexpr const char* kHideExamples = UI_TEXT("隐藏实例");

QString chooseExportFileWithDialog(QWidget* parent) {
    QFileDialog dialog(parent, i18n::uiText("导出表达式"));
    dialog.setObjectName(QStringLiteral("SavePictureDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters{i18n::uiText("PNG 图片 (*.png)"),   i18n::uiText("BMP 位图 (*.bmp)"),
                              i18n::uiText("SVG 矢量图 (*.svg)"), i18n::uiText("PDF 文档 (*.pdf)"),
                              i18n::uiText("LaTeX 公式 (*.tex)"), i18n::uiText("MathML 公式 (*.mml)")};
    const QStringList suffixes{QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("svg"),
                               QStringLiteral("pdf"), QStringLiteral("tex"), QStringLiteral("mml")};
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffixes.front());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(suffixes.value(static_cast<int>(filters.indexOf(filter)), suffixes.front()));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

// The formula as text for a .tex or .mml file, or nothing when the suffix names a picture.
std::optional<std::string> formulaText(const QString& path, const expr::ExprNode& root) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("tex")) return typeset::latexDocument(typeset::toLatex(root));
    if (suffix == QLatin1String("mml")) return typeset::mathmlDocument(typeset::toMathml(root));
    return std::nullopt;
}

// The character to underline: the one a check names, but behind a closing bracket the one that may not
// stand there.
int markIndex(const JoinedInput& joined, const expr::CheckFailure& failure) {
    if (failure.check != expr::CheckKind::AfterBrackets) return inputIndexOf(joined, failure.charPosition);
    // The character behind the bracket, over the blanks the typed text keeps.
    const std::u32string typed = toCodePoints(joined.text);
    auto k = static_cast<std::size_t>(std::max(failure.charPosition, 0));
    while (k < typed.size() && typed[k] == U' ')
        ++k;
    return inputIndexOf(joined, static_cast<int>(k) + 1);
}

} // namespace

Tformularymain::Tformularymain(expr::Engine& engine, typeset::Typesetter& typesetter, MessageSink& sink,
                               std::shared_ptr<typeset::QtTextCache> cache, QWidget* parent)
    : QDialog(parent), engine_(engine), typesetter_(typesetter), sink_(sink),
      cache_(cache ? std::move(cache) : std::make_shared<typeset::QtTextCache>()) {
    setObjectName(QStringLiteral("formularymain"));
    setModal(true);
    chooseExportFile_ = [this] { return chooseExportFileWithDialog(this); };
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(0);
    connect(previewTimer_, &QTimer::timeout, this, [this] { livePreview(); });

    palette_ = new Toperationbuttonform(this);
    palette_->setButtonHandler([this](const PaletteButton& button) { palettePress(button); });
    cells_ = new Tmarrangform(sink_, this);
    dimension_ = new Tdimension(sink_, *cells_, this);
    outputSettings_ = new typeset::Toutshezhiform(sink_, this);

    buildControls();
    restoreDefaults();
}

Tformularymain::~Tformularymain() = default;

void Tformularymain::buildControls() {
    auto* main = new QVBoxLayout(this);
    main->addWidget(buildClassRow());

    Memo1 = new FormulaInput(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setToolTip(i18n::uiText("输入区"));
    Memo1->setAccessibleName(Memo1->toolTip());
    Memo1->setTabChangesFocus(true);
    Memo1->setFixedHeight(84);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &Tformularymain::Memo1Change);
    main->addWidget(Memo1);

    // Why the input is refused, or which names will be taken as 0, as the user types.
    inputMessage_ = new QLabel(this);
    inputMessage_->setObjectName(QStringLiteral("InputMessage"));
    inputMessage_->setWordWrap(true);
    inputMessage_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    inputMessage_->hide();
    main->addWidget(inputMessage_);

    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setToolTip(i18n::uiText("函数表达式"));
    Memo2->setAccessibleName(Memo2->toolTip());
    Memo2->setReadOnly(true);
    Memo2->setEnabled(false);
    Memo2->setFixedHeight(40);
    main->addWidget(Memo2);

    Memo3 = new QPlainTextEdit(this);
    Memo3->setObjectName(QStringLiteral("Memo3"));
    Memo3->hide();

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setToolTip(i18n::uiText("预览区"));
    auto* previewGrid = new QGridLayout(GroupBox2);
    previewGrid->setContentsMargins(4, 4, 4, 4);
    previewGrid->setSpacing(0);
    previewArea_ = new QWidget(GroupBox2);
    previewArea_->setObjectName(QStringLiteral("PreviewArea"));
    previewArea_->setMinimumSize(420, 130);
    Image1 = new QLabel(previewArea_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(i18n::uiText("预览区"));
    Image1->setAccessibleName(Image1->toolTip());
    ScrollBar1 = new QScrollBar(Qt::Horizontal, GroupBox2);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setAccessibleName(i18n::uiText("水平滚动"));
    ScrollBar2 = new QScrollBar(Qt::Vertical, GroupBox2);
    ScrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
    ScrollBar2->setAccessibleName(i18n::uiText("垂直滚动"));
    ScrollBar1->hide();
    ScrollBar2->hide();
    previewGrid->addWidget(previewArea_, 0, 0);
    previewGrid->addWidget(ScrollBar2, 0, 1);
    previewGrid->addWidget(ScrollBar1, 1, 0);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &Tformularymain::ScrollBar1Change);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &Tformularymain::ScrollBar2Change);
    main->addWidget(GroupBox2, 1);

    GroupBox5 = new QGroupBox(i18n::uiText("绘制曲线的定义域"), this);
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    auto* domain = new QHBoxLayout(GroupBox5);
    auto* label3 = new QLabel(QStringLiteral("x:"), GroupBox5);
    label3->setObjectName(QStringLiteral("Label3"));
    Edit2 = new QLineEdit(GroupBox5);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setAccessibleName(i18n::uiText("定义域起点"));
    auto* label4 = new QLabel(i18n::uiText(" ～ "), GroupBox5);
    label4->setObjectName(QStringLiteral("Label4"));
    Edit3 = new QLineEdit(GroupBox5);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setAccessibleName(i18n::uiText("定义域终点"));
    label3->setBuddy(Edit2);
    domain->addWidget(label3);
    domain->addWidget(Edit2);
    domain->addWidget(label4);
    domain->addWidget(Edit3);
    domain->addStretch(1);
    kindChoice_ = new CurveKindChoice(this, GroupBox5, label3, Edit2, Edit3);
    auto* curveRow = new QHBoxLayout;
    curveRow->addWidget(kindChoice_->label());
    curveRow->addWidget(kindChoice_->box());
    curveRow->addWidget(GroupBox5, 1);
    main->addLayout(curveRow);

    main->addWidget(buildKeypad());

    auto* buttons = new QHBoxLayout;
    BitBtn10 = makeButton("BitBtn10", kShowExamples, this);
    BitBtn6 = makeButton("BitBtn6", UI_TEXT("输出设置"), this);
    BitBtn7 = makeButton("BitBtn7", UI_TEXT("变量赋值"), this);
    BitBtn3 = makeButton("BitBtn3", UI_TEXT("导出表达式"), this);
    BitBtn8 = makeButton("BitBtn8", graph::kOkCaption, this);
    BitBtn4 = makeButton("BitBtn4", UI_TEXT("取消"), this);
    BitBtn8->setDefault(true);
    for (QPushButton* b : {BitBtn10, BitBtn6, BitBtn7, BitBtn3})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn8);
    buttons->addWidget(BitBtn4);
    main->addLayout(buttons);
    // From the input, OK is one Tab away and Ctrl+Return presses it; the keypad comes after Cancel.
    setTabOrder(Memo1, BitBtn8);
    setTabOrder(BitBtn8, BitBtn4);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &Tformularymain::BitBtn8Click);

    // The steps that other commands press for the window; never shown.
    BitBtn1 = makeButton("BitBtn1", UI_TEXT("转换成函数形式"), this);
    BitBtn2 = makeButton("BitBtn2", UI_TEXT("生成数学表达式"), this);
    BitBtn9 = makeButton("BitBtn9", UI_TEXT("效果查看"), this);
    BitBtn5 = makeButton("BitBtn5", UI_TEXT("清空"), this);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn9, BitBtn5})
        b->hide();
    BitBtn2->setEnabled(false);

    GroupBox3 = new QGroupBox(i18n::uiText("实例显示"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* example = new QGridLayout(GroupBox3);
    auto* label2 = new QLabel(i18n::uiText("对应的函数       "), GroupBox3);
    label2->setObjectName(QStringLiteral("Label2"));
    Label1 = new QLabel(GroupBox3);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Image2 = new QLabel(GroupBox3);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAccessibleName(i18n::uiText("实例图片"));
    Image2->hide();
    example->addWidget(Image2, 0, 0, 1, 2, Qt::AlignLeft);
    example->addWidget(label2, 1, 0);
    example->addWidget(Label1, 1, 1);
    example->setColumnStretch(1, 1);
    GroupBox3->hide(); // the area starts hidden; 显示实例 shows it
    main->addWidget(GroupBox3);

    connect(BitBtn1, &QPushButton::clicked, this, &Tformularymain::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Tformularymain::BitBtn2Click);
    connect(BitBtn9, &QPushButton::clicked, this, &Tformularymain::BitBtn9Click);
    connect(BitBtn8, &QPushButton::clicked, this, &Tformularymain::BitBtn8Click);
    connect(BitBtn4, &QPushButton::clicked, this, &Tformularymain::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &Tformularymain::BitBtn5Click);
    connect(BitBtn7, &QPushButton::clicked, this, &Tformularymain::BitBtn7Click);
    connect(BitBtn6, &QPushButton::clicked, this, &Tformularymain::BitBtn6Click);
    connect(BitBtn3, &QPushButton::clicked, this, &Tformularymain::BitBtn3Click);
    connect(BitBtn10, &QPushButton::clicked, this, &Tformularymain::BitBtn10Click);
}

QWidget* Tformularymain::buildClassRow() {
    // Every palette group that no keypad button opens gets a class button here, so every template can
    // be reached.
    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("ClassButtons"));
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    int index = 0;
    for (const PaletteGroupSpec& groupSpec : paletteGroups()) {
        if (groupSpec.openerHint.empty()) continue;
        // A class's Chinese name ends in 类 (class); the button shows the name without it.
        QString caption = i18n::uiText(groupSpec.openerHint);
        if (caption.endsWith(QStringLiteral("类"))) caption.chop(1);
        auto* button = new QToolButton(row);
        button->setText(caption + QStringLiteral(" ▾"));
        button->setToolTip(i18n::uiText(groupSpec.openerHint));
        button->setAccessibleName(button->toolTip());
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const PaletteGroup group = groupSpec.group;
        connect(button, &QToolButton::clicked, this,
                [this, group, button] { palette_->openGroup(group, button); });
        if (!groupSpec.plottable) unplottable_.push_back(button);
        grid->addWidget(button, index / 7, index % 7);
        ++index;
    }
    return row;
}

QWidget* Tformularymain::buildKeypad() {
    // The editing keys in a row above the two keypad panels.
    auto* keypad = new QWidget(this);
    keypad->setObjectName(QStringLiteral("Keypad"));
    auto* rows = new QVBoxLayout(keypad);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* columns = new QHBoxLayout;
    std::array<QGridLayout*, 3> panels{};
    const std::array<const char*, 3> names{"EditingKeys", "Panel2", "Panel3"};
    for (std::size_t p = 0; p < panels.size(); ++p) {
        auto* panel = new QWidget(keypad);
        panel->setObjectName(QString::fromLatin1(names[p]));
        panels[p] = new QGridLayout(panel);
        panels[p]->setContentsMargins(0, 0, 0, 0);
        panels[p]->setSpacing(2);
        panels[p]->setAlignment(p == 0 ? Qt::AlignLeft : Qt::AlignTop);
        if (p == 0)
            rows->addWidget(panel);
        else
            columns->addWidget(panel, 1);
    }
    rows->addLayout(columns);
    for (const KeypadButton& entry : keypadButtons()) {
        const auto panel = static_cast<std::size_t>(std::clamp(entry.panel, 0, 2));
        auto* button = new QToolButton(keypad);
        if (!entry.objectName.empty()) button->setObjectName(qs(entry.objectName));
        button->setText(i18n::uiText(entry.caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        button->setToolTip(i18n::uiText(entry.hint.empty() ? entry.caption : entry.hint));
        button->setAccessibleName(button->toolTip());
        button->setMinimumHeight(26);
        // Never narrower than the caption: keypad captions must stay readable.
        button->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
        if (entry.action == ButtonAction::Shift) {
            button->setCheckable(true);
            shiftKey_ = button;
        }
        if (!entry.plottable) unplottable_.push_back(button);
        panels[panel]->addWidget(button, entry.row, entry.column);
        const KeypadButton* data = &entry;
        connect(button, &QToolButton::clicked, this, [this, data, button] { keypadPress(*data, button); });
    }
    return keypad;
}

// --- modes ---

bool Tformularymain::execFor(const graph::EditorRequest& request, document::DEFINEFUN& target) {
    mode_ = request.mode;
    editing_ = request.editing;
    // Every opener starts from a clean result: a flag left from an earlier OK must not make a cancelled
    // reopen look accepted.
    accepted_ = false;
    modifyMode_ = request.editing;
    target_ = &target;
    BitBtn5Click();
    if (editing_) {
        const auto n = static_cast<std::size_t>(std::clamp(target.paramCount, 0, document::kMaxParams));
        engine_.variables.load(std::span(target.paramNames.data(), n),
                               std::span(target.paramValues.data(), n));
        typesetter_.style.colors = typeset::TokenColors::fromArray(target.labelColours);
        typesetter_.style.fontSize = target.labelFontSize;
        typesetter_.style.fontName = target.labelFontName;
        Memo1->setPlainText(qs(request.input));
    }
    applyMode();
    if (mode_ == graph::EditorMode::CustomFunction)
        kindChoice_->start(true, request.curveKind, request.domainStart, request.domainEnd);
    flushPreview();
    exec();
    restoreDefaults();
    target_ = nullptr;
    return accepted_;
}

void Tformularymain::applyMode() {
    setWindowTitle(i18n::uiText(graph::windowCaption(mode_)));
    BitBtn8->setText(i18n::uiText(graph::okCaption(mode_, editing_)));
    const bool custom = mode_ == graph::EditorMode::CustomFunction;
    Edit2->setEnabled(custom);
    Edit3->setEnabled(custom);
    BitBtn7->setEnabled(mode_ != graph::EditorMode::FormulaPicture);
    changebuttonenable(mode_ == graph::EditorMode::FormulaPicture);
}

void Tformularymain::restoreDefaults() {
    mode_ = graph::EditorMode::FormulaPicture;
    editing_ = false;
    setWindowTitle(i18n::uiText(graph::kFormulaEditorCaption));
    BitBtn8->setText(i18n::uiText(graph::kOkCaption));
    kindChoice_->start(false, document::KindCustomFunction, {}, {});
    BitBtn7->setEnabled(true);
    changebuttonenable(true);
}

void Tformularymain::changebuttonenable(bool enabled) {
    for (QAbstractButton* button : unplottable_)
        button->setEnabled(enabled);
    palette_->setPlottableEnabled(enabled);
}

// --- input and preview ---

JoinedInput Tformularymain::joinedInput() const {
    return joinInput(Memo1->toPlainText().toStdU32String(), Blanks::Keep);
}

expr::Conversion Tformularymain::convertInput(const JoinedInput& joined, bool loud) {
    const expr::Road road =
        mode_ == graph::EditorMode::FormulaPicture ? expr::Road::Picture : expr::Road::Value;
    expr::Conversion conversion = expr::convertText(joined.text, road);
    if (conversion.failure) {
        markError(markIndex(joined, *conversion.failure));
        showInputMessage(conversion.failure->message, true);
        if (loud) expr::report(sink_, *conversion.failure);
        return conversion;
    }
    markError(-1);
    std::string note;
    if (road == expr::Road::Value) {
        // What the user set in the grid, or the values a reopened item brings, counts as given.
        expr::VariableTable given;
        if (modifyMode_) given = engine_.variables;
        if (editing_ && target_)
            for (int j = 0; j < std::clamp(target_->paramCount, 0, document::kMaxParams); ++j) {
                const auto k = static_cast<std::size_t>(j);
                if (target_->paramValues[k] != 0)
                    (void)given.assign(target_->paramNames[k], target_->paramValues[k]);
            }
        std::vector<std::string> zeros =
            expr::namesTakenAsZero(conversion.functionForm, given, plottingVariable());
        if (mode_ == graph::EditorMode::CustomFunction) {
            // The kind follows the formula first, so y of x^2+y^2=4 is no name taken as 0.
            const int kind = graph::curveKindOfTree(conversion.tree.get());
            kindChoice_->follow(kind);
            std::erase_if(zeros,
                          [kind](const std::string& name) { return graph::isCurveVariable(name, kind); });
        }
        note = expr::takenAsZeroNote(zeros, i18n::uiText(expr::kNameListSeparator).toStdString());
    }
    showInputMessage(note, false);
    return conversion;
}

expr::PlottingVariable Tformularymain::plottingVariable() const {
    // A calculation has no axis: its x is a name like any other.
    return mode_ == graph::EditorMode::Calculation ? expr::PlottingVariable::Collect
                                                   : expr::PlottingVariable::Skip;
}

void Tformularymain::showInputMessage(const std::string& text, bool refusal) {
    inputMessage_->setText(i18n::uiMessage(text));
    inputMessage_->setAccessibleName(inputMessage_->text());
    inputMessage_->setStyleSheet(refusal ? QStringLiteral("color: #c00000;")
                                         : QStringLiteral("color: #805000;"));
    inputMessage_->setVisible(!text.empty());
}

void Tformularymain::Memo1Change() {
    // Coalesced: a paste or a burst of keys previews once, when the event loop comes round.
    previewTimer_->start();
}

void Tformularymain::flushPreview() {
    if (previewTimer_->isActive()) previewTimer_->stop();
    livePreview();
}

void Tformularymain::livePreview() {
    const JoinedInput joined = joinedInput();
    if (joined.text.size() > static_cast<std::size_t>(kLivePreviewLimit)) return;
    if (joined.text.find_first_not_of(' ') == std::string::npos) {
        markError(-1);
        showInputMessage({}, false);
        Memo2->clear();
        clearPreview();
        return;
    }
    expr::Conversion conversion = convertInput(joined, false);
    if (!conversion.ok()) return; // the last valid preview stays
    Memo2->setPlainText(qs(conversion.functionForm));
    Memo3->setPlainText(qs(expr::treeToText(conversion.tree.get())));
    typeset::QtCanvas measuring(cache_);
    showPreview(typeset::TypesetFormula(std::move(conversion.tree), typesetter_.style, measuring));
}

void Tformularymain::showPreview(typeset::TypesetFormula formula) {
    preview_ = std::move(formula);
    typeset::PictureOptions options;
    options.background = palette().color(QPalette::Button);
    previewImage_ = typeset::renderFormulaImage(preview_, cache_, options);
    Image1->setPixmap(QPixmap::fromImage(previewImage_));
    Image1->resize(previewImage_.size());
    ScrollBar1->setValue(0);
    ScrollBar2->setValue(0);
    adjustPreview();
}

void Tformularymain::clearPreview() {
    preview_ = typeset::TypesetFormula();
    previewImage_ = QImage();
    Image1->clear();
    Image1->resize(0, 0);
    adjustPreview();
}

void Tformularymain::adjustPreview() {
    // Per axis: a picture smaller than the area is centred, a larger one scrolls.
    const QSize picture = previewImage_.size();
    const QSize area = previewArea_->size();
    const auto axis = [](QScrollBar* bar, int size, int room) {
        if (size > room) {
            bar->setRange(0, size - room);
            bar->setPageStep(room);
            bar->show();
            return -bar->value();
        }
        bar->setRange(0, 0);
        bar->hide();
        return (room - size) / 2;
    };
    const int x = axis(ScrollBar1, picture.width(), area.width());
    const int y = axis(ScrollBar2, picture.height(), area.height());
    Image1->move(x, y);
}

void Tformularymain::ScrollBar1Change() {
    Image1->move(-ScrollBar1->value(), Image1->y());
}

void Tformularymain::ScrollBar2Change() {
    Image1->move(Image1->x(), -ScrollBar2->value());
}

void Tformularymain::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    adjustPreview();
}

void Tformularymain::markError(int inputIndex) {
    errorMark_ = -1;
    QList<QTextEdit::ExtraSelection> marks;
    if (inputIndex >= 0) {
        const QString text = Memo1->toPlainText();
        const int at = std::min(utf16Index(text, inputIndex), static_cast<int>(text.size()));
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(Memo1->document());
        // Past the end there is no character to underline; the last one stands for the gap.
        mark.cursor.setPosition(at < text.size() ? at : std::max(0, at - 1));
        mark.cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.format.setUnderlineColor(Qt::red);
        mark.format.setBackground(QColor(255, 224, 224));
        errorMark_ = mark.cursor.selectionStart();
        marks.append(mark);
    }
    Memo1->setExtraSelections(marks);
}

// --- the steps ---

void Tformularymain::BitBtn1Click() {
    conversionFailed_ = false;
    canonical_.clear();
    Memo2->clear();
    Memo3->clear();
    expr::Conversion conversion = convertInput(joinedInput(), true);
    if (!conversion.ok()) {
        engine_.freeTree(engine_.currentTree);
        conversionFailed_ = true;
        BitBtn2->setEnabled(false);
        return;
    }
    canonical_ = conversion.canonical;
    Memo2->setPlainText(qs(conversion.functionForm));
    engine_.currentTree = std::move(conversion.tree);
    const std::string text = expr::treeToText(engine_.currentTree.get());
    Memo3->setPlainText(qs(text));
    BitBtn2->setEnabled(!text.empty());
}

void Tformularymain::BitBtn2Click() {
    if (!engine_.currentTree) return; // generating needs a converted tree
    const std::string text = expr::treeToText(engine_.currentTree.get());
    typeset::QtCanvas measuring(cache_);
    showPreview(typeset::TypesetFormula(std::move(engine_.currentTree), typesetter_.style, measuring));

    std::string refusal;
    const std::string expanded = expr::expandPiecewise(engine_, text, &refusal);
    if (!engine_.reportRefusal(refusal)) return;
    engine_.rebuildCurrentTree(expanded, false);
    collectVariables();
}

void Tformularymain::collectVariables() {
    const expr::ExprNode* root = engine_.currentTree.get();
    if (!root) return;
    if (root->exactKind == expr::Keyword::Eql && root->second) root = root->second.get();
    if (!editing_ && !modifyMode_) {
        engine_.variables.clear();
        expr::collectVariables(engine_, root, plottingVariable());
        return;
    }
    // Values the user set in this session first, then those of the item being edited.
    const expr::VariableTable staged = engine_.variables;
    engine_.variables.clear();
    expr::collectVariables(engine_, root, plottingVariable());
    for (int i = 0; i < engine_.variables.count(); ++i) {
        const std::string& name = engine_.variables.name(i);
        if (const int k = staged.find(name); k >= 0) {
            engine_.variables.setValue(i, staged.value(k));
        } else if (target_) {
            for (int j = 0; j < std::clamp(target_->paramCount, 0, document::kMaxParams); ++j)
                if (target_->paramNames[static_cast<std::size_t>(j)] == name)
                    engine_.variables.setValue(i, target_->paramValues[static_cast<std::size_t>(j)]);
        }
    }
}

void Tformularymain::BitBtn9Click() {
    BitBtn1Click();
    // Generating runs only on a successful conversion.
    if (!conversionFailed_) BitBtn2Click();
}

void Tformularymain::BitBtn8Click() {
    std::optional<double> start;
    std::optional<double> end;
    const int requestedKind = kindChoice_->chosenKind();
    const bool parameterRange =
        requestedKind == document::KindParametric || requestedKind == document::KindPolar;
    if (mode_ == graph::EditorMode::CustomFunction && requestedKind == document::KindCustomFunction) {
        start = parseDecimal(Edit2->text().trimmed().toStdString());
        end = parseDecimal(Edit3->text().trimmed().toStdString());
        if (!start || !end) {
            sink_.show(kDomainNotNumber, kMessageCaption, MessageIcon::Warning);
            return;
        }
        if (*start > *end) {
            sink_.show(kDomainReversed, kMessageCaption, MessageIcon::Warning);
            return;
        }
    } else if (mode_ == graph::EditorMode::CustomFunction && parameterRange) {
        start = graph::parameterBound(Edit2->text().trimmed().toStdString());
        end = graph::parameterBound(Edit3->text().trimmed().toStdString());
        if (!start || !end) {
            sink_.show(graph::kRangeNotNumberMessage, kMessageCaption, MessageIcon::Warning);
            return;
        }
        if (*start >= *end) {
            sink_.show(graph::kRangeEmptyMessage, kMessageCaption, MessageIcon::Warning);
            return;
        }
    }
    const JoinedInput joined = joinedInput();
    if (joined.text.find_first_not_of(' ') == std::string::npos && editing_) {
        sink_.show(kCannotEmpty, kMessageCaption, MessageIcon::Warning);
        return;
    }
    BitBtn9Click();
    if (conversionFailed_) return;
    // What is stored is the markup the typed text was rewritten into, checked and previewed.
    if (const auto problem = document::innerFieldProblem(canonical_, document::kExpressionField)) {
        sink_.show(*problem, kMessageCaption, MessageIcon::Warning);
        return;
    }
    std::optional<int> drawnKind;
    if (mode_ == graph::EditorMode::CustomFunction) {
        const graph::KindFit fit = graph::fitCurveKind(canonical_, requestedKind);
        if (!fit.kind) {
            sink_.show(fit.problem, kMessageCaption, MessageIcon::Warning);
            return;
        }
        drawnKind = fit.kind;
    }
    engine_.freeTree(engine_.currentTree);

    if (target_) {
        document::DEFINEFUN& item = *target_;
        const typeset::FormulaStyle& style = typesetter_.style;
        item.labelColours = style.colors.asArray();
        item.labelFontSize = style.fontSize;
        item.labelFontName = style.fontName;
        item.expression = canonical_;
        // Measured with the item's font on the sheet's metrics, so the box fits what the sheet draws.
        const typeset::TypesetFormula measured = typeset::typesetMarkup(item.expression, style, cache_);
        item.labelRight = item.labelLeft + measured.layout().boxWidth();
        item.labelBottom = item.labelTop + measured.layout().boxHeight();
        const expr::VariableTable& vars = engine_.variables;
        // The variables a curve is drawn over (y, t, θ) are no parameters to set or sweep.
        const auto isParameter = [&](int i) {
            return !drawnKind || !graph::isCurveVariable(vars.name(i), *drawnKind);
        };
        item.paramNames.fill({});
        item.paramValues.fill(0);
        item.paramCount = 0;
        for (int i = 0; i < vars.count() && item.paramCount < document::kMaxParams; ++i) {
            if (!isParameter(i)) continue;
            const auto k = static_cast<std::size_t>(item.paramCount++);
            item.paramNames[k] = vars.name(i);
            item.paramValues[k] = vars.value(i);
        }
        if (drawnKind) {
            item.kind = *drawnKind;
            item.domainStart = start.value_or(document::kDefaultDomainStart);
            item.domainEnd = end.value_or(document::kDefaultDomainEnd);
        }
    }
    accepted_ = true;
    accept();
}

void Tformularymain::BitBtn4Click() {
    accepted_ = false;
    reject();
}

void Tformularymain::done(int result) {
    if (result != QDialog::Accepted) accepted_ = false;
    palette_->hide();
    previewTimer_->stop();
    {
        const QSignalBlocker blocker(Memo1);
        Memo1->clear();
    }
    Memo2->clear();
    Memo3->clear();
    markError(-1);
    showInputMessage({}, false);
    engine_.freeTree(engine_.currentTree);
    QDialog::done(result);
}

void Tformularymain::BitBtn5Click() {
    {
        const QSignalBlocker blocker(Memo1);
        Memo1->clear();
    }
    previewTimer_->stop();
    Memo2->clear();
    Memo3->clear();
    markError(-1);
    showInputMessage({}, false);
    clearPreview();
    resetExample();
    conversionFailed_ = false;
    BitBtn2->setEnabled(false);
}

void Tformularymain::BitBtn7Click() {
    expr::Conversion conversion = convertInput(joinedInput(), true);
    if (!conversion.ok()) return;
    Memo3->clear();
    // The names of the pieces too, as the value roads see them.
    std::string refusal;
    const std::string expanded = expr::expandPiecewise(engine_, conversion.canonical, &refusal);
    if (!engine_.reportRefusal(refusal)) return;
    bool built = false;
    engine_.rebuildCurrentTree(expanded, false, &built);
    if (built) collectVariables();
    // No tree is kept across the grid's modal loop.
    engine_.freeTree(engine_.currentTree);
    if (!built) return;
    if (cells_->execVariables(engine_.variables)) {
        modifyMode_ = true;
        flushPreview(); // the note on names taken as 0 follows the values given
    }
}

void Tformularymain::BitBtn6Click() {
    if (outputSettings_->editStyle(typesetter_.style)) flushPreview();
}

void Tformularymain::BitBtn3Click() {
    if (preview_.empty()) {
        sink_.show(kNothingToExport, kMessageCaption, MessageIcon::Warning);
        return;
    }
    const QString path = chooseExportFile_ ? chooseExportFile_() : QString();
    if (path.isEmpty()) return;
    QString error;
    if (const auto text = formulaText(path, *preview_.root())) {
        if (!codec::saveBytesAtomically(path, QByteArray::fromStdString(*text), &error))
            sink_.show(i18n::uiText("无法写入%1：%2").arg(path, error).toStdString(), kCaptionError,
                       MessageIcon::Error);
        return;
    }
    if (!typeset::writeFormulaPicture(preview_, cache_, path, &error))
        sink_.show(error.toStdString(), kCaptionError, MessageIcon::Error);
}

void Tformularymain::BitBtn10Click() {
    const bool shown = !GroupBox3->isHidden();
    const int delta = GroupBox3->sizeHint().height() + layout()->spacing();
    GroupBox3->setVisible(!shown);
    BitBtn10->setText(i18n::uiText(shown ? kShowExamples : kHideExamples));
    resize(width(), std::max(minimumSizeHint().height(), height() + (shown ? -delta : delta)));
}

void Tformularymain::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    palette_->hide();
    Memo1->setFocus(Qt::ActiveWindowFocusReason);
    adjustPreview();
}

// --- keypad and palette ---

void Tformularymain::keypadPress(const KeypadButton& button, QAbstractButton* widget) {
    switch (button.action) {
    case ButtonAction::Insert:
        insertTemplate(shiftOn_ && button.shifted ? *button.shifted : button.normal);
        break;
    case ButtonAction::OpenGroup:
        palette_->openGroup(button.group, widget);
        break;
    case ButtonAction::Matrix:
    case ButtonAction::Determinant:
        insertTemplate(button.normal);
        openDimensions(button.action == ButtonAction::Determinant);
        break;
    case ButtonAction::Shift:
        shiftOn_ = !shiftOn_;
        if (shiftKey_) shiftKey_->setChecked(shiftOn_);
        break;
    case ButtonAction::Left:
    case ButtonAction::Right: {
        QTextCursor cursor = Memo1->textCursor();
        cursor.movePosition(button.action == ButtonAction::Left ? QTextCursor::Left : QTextCursor::Right);
        Memo1->setTextCursor(cursor);
        Memo1->setFocus();
        break;
    }
    case ButtonAction::Backspace:
        backspaceKey();
        break;
    case ButtonAction::Clear:
        Memo1->clear();
        flushPreview();
        Memo1->setFocus();
        break;
    case ButtonAction::Inactive:
        break;
    }
}

void Tformularymain::palettePress(const PaletteButton& button) {
    switch (button.action) {
    case ButtonAction::Matrix:
    case ButtonAction::Determinant:
        insertTemplate(button.insert);
        openDimensions(button.action == ButtonAction::Determinant);
        break;
    case ButtonAction::Insert:
        insertTemplate(button.insert);
        break;
    default:
        break;
    }
}

void Tformularymain::insertTemplate(const Template& entry) {
    resetExample();
    const QString text = Memo1->toPlainText();
    const QTextCursor current = Memo1->textCursor();
    EditState before;
    before.text = text.toStdU32String();
    before.anchor = codePointIndex(text, current.anchor());
    before.caret = codePointIndex(text, current.position());
    const EditState after = applyTemplate(before, entry);

    QTextCursor edit(Memo1->document());
    edit.setPosition(utf16Index(text, before.selectionStart()));
    edit.setPosition(utf16Index(text, before.selectionEnd()), QTextCursor::KeepAnchor);
    edit.insertText(qs(entry.text));
    const QString now = Memo1->toPlainText();
    QTextCursor placed(Memo1->document());
    placed.setPosition(utf16Index(now, after.anchor));
    placed.setPosition(utf16Index(now, after.caret), QTextCursor::KeepAnchor);
    Memo1->setTextCursor(placed);
    Memo1->setFocus();
    showExample(entry.example);
}

void Tformularymain::openDimensions(bool determinant) {
    dimension_->execFor(determinant ? MatrixKind::Determinant : MatrixKind::Matrix,
                        [this](const QString& text) { insertAtCaret(text); });
    Memo1->setFocus();
}

void Tformularymain::insertAtCaret(const QString& text) {
    QTextCursor cursor = Memo1->textCursor();
    cursor.insertText(text);
    Memo1->setTextCursor(cursor);
}

void Tformularymain::backspaceKey() {
    QTextCursor cursor = Memo1->textCursor();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    else if (cursor.position() > 0)
        cursor.deletePreviousChar();
    Memo1->setTextCursor(cursor);
    flushPreview();
    Memo1->setFocus();
}

void Tformularymain::resetExample() {
    Image2->hide();
    Label1->clear();
}

void Tformularymain::showExample(const Example& example) {
    if (!example.present()) return;
    Label1->setText(qs(example.markup));
    if (example.picture.empty()) return;
    // A missing picture only leaves the picture out.
    const QString path = examplePicturePath(example.picture);
    const QPixmap picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    if (picture.isNull()) return;
    Image2->setPixmap(picture);
    Image2->show();
}

} // namespace quorvel::editor
