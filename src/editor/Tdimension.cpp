#include "editor/Tdimension.h"
#include "editor/EditorWidgets.h"
#include "i18n/Translation.h"

#include "editor/EditorMessages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvel::editor {

namespace {

QLineEdit* makeEdit(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromUtf8(name));
    edit->setAccessibleName(accessibleName);
    return edit;
}

} // namespace

Tdimension::Tdimension(MessageSink& sink, Tmarrangform& cells, QWidget* parent)
    : QDialog(parent), sink_(sink), cells_(cells) {
    setObjectName(QStringLiteral("dimension"));
    setWindowTitle(i18n::uiText("维数"));

    methodGroup_ = new QGroupBox(i18n::uiText("输入方式"), this);
    methodGroup_->setObjectName(QStringLiteral("GroupBox2"));
    simple_ = new QRadioButton(i18n::uiText("简单行列式"), methodGroup_);
    simple_->setObjectName(QStringLiteral("RadioButton1"));
    simple_->setChecked(true);
    complex_ = new QRadioButton(i18n::uiText("复杂行列式"), methodGroup_);
    complex_->setObjectName(QStringLiteral("RadioButton2"));
    auto* methods = new QHBoxLayout(methodGroup_);
    methods->addWidget(simple_);
    methods->addWidget(complex_);

    createGroup_ = new QGroupBox(this);
    createGroup_->setObjectName(QStringLiteral("GroupBox1"));
    rows_ = makeEdit("Edit1", i18n::uiText("行数"), createGroup_);
    columns_ = makeEdit("Edit2", i18n::uiText("列数"), createGroup_);
    auto* rowsLabel = new QLabel(i18n::uiText("行数:"), createGroup_);
    rowsLabel->setBuddy(rows_);
    auto* columnsLabel = new QLabel(i18n::uiText("列数:"), createGroup_);
    columnsLabel->setBuddy(columns_);
    auto* sizes = new QGridLayout(createGroup_);
    sizes->addWidget(rowsLabel, 0, 0);
    sizes->addWidget(rows_, 0, 1);
    sizes->addWidget(columnsLabel, 1, 0);
    sizes->addWidget(columns_, 1, 1);

    ok_ = makeButton("BitBtn1", i18n::uiText("确定"), this);
    ok_->setAutoDefault(true);
    ok_->setDefault(true);
    cancel_ = makeButton("BitBtn2", i18n::uiText("取消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(methodGroup_);
    layout->addWidget(createGroup_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &Tdimension::confirm);
    connect(cancel_, &QPushButton::clicked, this, &Tdimension::cancel);
}

bool Tdimension::execFor(MatrixKind kind, const InsertAtCaret& insert) {
    kind_ = kind;
    const bool matrix = kind == MatrixKind::Matrix;
    createGroup_->setTitle(matrix ? i18n::uiText("创建矩阵") : i18n::uiText("创建行列式"));
    simple_->setText(matrix ? i18n::uiText("简单矩阵") : i18n::uiText("简单行列式"));
    complex_->setText(matrix ? i18n::uiText("复杂矩阵") : i18n::uiText("复杂行列式"));
    simple_->setAccessibleName(simple_->text());
    complex_->setAccessibleName(complex_->text());
    createGroup_->setAccessibleName(createGroup_->title());
    insert_ = &insert;
    inserted_ = false;
    rows_->setFocus();
    exec();
    insert_ = nullptr;
    return inserted_;
}

void Tdimension::confirm() {
    DimensionInput input;
    input.kind = kind_;
    input.rows = rows_->text().toStdString();
    input.columns = columns_->text().toStdString();
    input.method = simple_->isChecked()    ? EntryMethod::Simple
                   : complex_->isChecked() ? EntryMethod::Complex
                                           : EntryMethod::None;
    const auto checked = checkDimensions(input);
    if (const auto* message = std::get_if<std::string>(&checked)) {
        // Nothing is inserted yet; the dialog stays open with what the user typed.
        sink_.show(*message, kEditorMessageCaption, MessageIcon::Warning);
        return;
    }
    const Dimensions size = std::get<Dimensions>(checked);
    const InsertAtCaret insert = insert_ ? *insert_ : InsertAtCaret();
    if (insert) insert(QString::fromStdString(dimensionsText(size)));
    inserted_ = true;
    if (input.method == EntryMethod::Simple) {
        cells_.execCells(kind_, size, insert);
        rows_->clear();
        columns_->clear();
    } else {
        if (insert) insert(QString::fromStdString(placeholderCells(size)));
    }
    accept();
}

void Tdimension::cancel() {
    rows_->clear();
    columns_->clear();
    reject();
}

} // namespace quorvel::editor
