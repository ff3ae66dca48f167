#include "app/ValueTableDialog.h"
#include "i18n/Translation.h"

#include "app/TForm1.h"
#include "base/NumberFormat.h"
#include "graph/CurveDrawing.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorvel::app {

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(i18n::uiText(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

ValueTableDialog::ValueTableDialog(TForm1& form1) : QDialog(&form1), form1_(form1) {
    setObjectName(QStringLiteral("ValueTable"));
    setWindowTitle(i18n::uiText("数值表"));
    auto* column = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    start_ = new QLineEdit(QStringLiteral("-5"), this);
    start_->setObjectName(QStringLiteral("TableStart"));
    step_ = new QLineEdit(QStringLiteral("1"), this);
    step_->setObjectName(QStringLiteral("TableStep"));
    rows_ = new QSpinBox(this);
    rows_->setObjectName(QStringLiteral("TableRows"));
    rows_->setRange(1, graph::kMaxTableRows);
    rows_->setValue(11);
    fields->addRow(i18n::uiText("起始值(&S)："), start_);
    fields->addRow(i18n::uiText("步长(&P)："), step_);
    fields->addRow(i18n::uiText("行数(&N)："), rows_);
    column->addLayout(fields);
    auto* which = new QHBoxLayout;
    selectedOnly_ = new QRadioButton(i18n::uiText("选中的曲线(&C)"), this);
    selectedOnly_->setObjectName(QStringLiteral("TableSelected"));
    auto* all = new QRadioButton(i18n::uiText("所有曲线(&A)"), this);
    all->setObjectName(QStringLiteral("TableAll"));
    all->setChecked(true);
    which->addWidget(selectedOnly_);
    which->addWidget(all);
    which->addStretch(1);
    column->addLayout(which);
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("TableGrid"));
    grid_->setAccessibleName(windowTitle());
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setVisible(false);
    column->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* copy = button(this, "TableCopy", UI_TEXT("复制(&Y)"));
    QPushButton* save = button(this, "TableSave", UI_TEXT("保存为CSV(&V)…"));
    QPushButton* close = button(this, "TableClose", UI_TEXT("关闭"));
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addWidget(close);
    column->addLayout(buttons);
    resize(460, 420);

    connect(copy, &QPushButton::clicked, this, &ValueTableDialog::copyToClipboard);
    connect(save, &QPushButton::clicked, this, &ValueTableDialog::saveCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    for (QLineEdit* edit : {start_, step_})
        connect(edit, &QLineEdit::textChanged, this, [this] { (void)refresh(); });
    connect(rows_, &QSpinBox::valueChanged, this, [this] { (void)refresh(); });
    connect(selectedOnly_, &QRadioButton::toggled, this, [this] { (void)refresh(); });
    // The table follows every drawing of the sheet while it is open.
    connect(&form1, &TForm1::sheetDrawn, this, [this] {
        if (isVisible()) (void)refresh();
    });
}

void ValueTableDialog::showFor() {
    // A curve is selected: the table starts with it alone.
    const document::ObjectRef first = form1_.document().firstSelected();
    selectedOnly_->setChecked(first.type == document::ObjectRef::Curve);
    (void)refresh();
    show();
    raise();
    activateWindow();
}

bool ValueTableDialog::refresh() {
    const std::optional<double> start = parseDecimal(start_->text().trimmed().toStdString());
    const std::optional<double> step = parseDecimal(step_->text().trimmed().toStdString());
    const bool fieldsOk = start && step && *step != 0;
    start_->setStyleSheet(start ? QString() : QStringLiteral("background: #ffe0e0"));
    step_->setStyleSheet(step && *step != 0 ? QString() : QStringLiteral("background: #ffe0e0"));
    if (!fieldsOk) return false;
    const document::Document& doc = form1_.document();
    const document::ObjectRef first = doc.firstSelected();
    std::vector<graph::CurveFunction> curves;
    std::vector<std::string> names;
    for (int i = 0; i < doc.curveCount(); ++i) {
        const document::DEFINEFUN& c = doc.curve(i);
        if (!c.isCurve()) continue;
        if (selectedOnly_->isChecked() && !(first.type == document::ObjectRef::Curve && first.slot == i))
            continue;
        curves.push_back(graph::CurveFunction::fromItem(c));
        names.push_back(c.name.empty() ? graph::defaultItemName(c.kind, i) : c.name);
    }
    table_ = graph::valueTable(curves, names, *start, *step, rows_->value());
    grid_->setColumnCount(int(table_.headers.size()));
    grid_->setRowCount(int(table_.xs.size()));
    QStringList headers;
    for (const std::string& h : table_.headers)
        headers << QString::fromStdString(h);
    grid_->setHorizontalHeaderLabels(headers);
    const QString noValue = i18n::uiText(graph::kNoValueText);
    for (std::size_t r = 0; r < table_.xs.size(); ++r)
        for (std::size_t c = 0; c < table_.headers.size(); ++c) {
            const std::string cell = graph::cellText(table_, r, c);
            grid_->setItem(
                int(r), int(c),
                new QTableWidgetItem(cell == graph::kNoValueText ? noValue : QString::fromStdString(cell)));
        }
    return true;
}

void ValueTableDialog::copyToClipboard() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(graph::tableTsv(table_)));
}

void ValueTableDialog::saveCsv() {
    const QString name = QFileDialog::getSaveFileName(
        this, i18n::uiText("保存数值表"), i18n::uiText("数值表.csv"), i18n::uiText("CSV 文件 (*.csv)"));
    if (name.isEmpty()) return;
    QSaveFile file(name);
    // With a byte order mark, so spreadsheets read the names as UTF-8.
    if (!file.open(QIODevice::WriteOnly) || file.write("\xEF\xBB\xBF") < 0 ||
        file.write(QByteArray::fromStdString(graph::tableCsv(table_))) < 0 || !file.commit())
        form1_.sink().show(fillTemplate(UI_TEXT("无法保存数值表：%1"), {file.errorString().toStdString()}),
                           kCaptionError, MessageIcon::Error);
}

} // namespace quorvel::app
