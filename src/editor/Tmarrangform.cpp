#include "editor/Tmarrangform.h"
#include "editor/EditorWidgets.h"
#include "i18n/Translation.h"

#include "base/NumberFormat.h"
#include "editor/EditorMessages.h"
#include "expr/VariableTable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel::editor {

namespace {

constexpr int kColumnWidth = 66;
constexpr int kRowHeight = 26;
// A large grid scrolls instead of growing past the screen.
constexpr int kMaxGridWidth = 12 * kColumnWidth;
constexpr int kMaxGridHeight = 20 * kRowHeight;

constexpr const char* kCellsCaption = UI_TEXT("矩阵和行列式的填写");
constexpr const char* kVariablesCaption = UI_TEXT("定值变量设置");
constexpr const char* kCellsButton = UI_TEXT("确定");
constexpr const char* kVariablesButton = UI_TEXT("设置");

} // namespace

// A string grid that can hand over the text of a cell still being edited: OK pressed by Enter comes
// before the editor's own (queued) commit.
class CellGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    // The grid opens at the size of its cells (set as the minimum), not at the platform's default.
    QSize sizeHint() const override { return minimumSize(); }

    void commitOpenEditor() {
        if (state() != QAbstractItemView::EditingState) return;
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

Tmarrangform::Tmarrangform(MessageSink& sink, QWidget* parent) : QDialog(parent), sink_(sink) {
    setObjectName(QStringLiteral("marrangform"));
    setWindowTitle(i18n::uiText(kCellsCaption));

    group_ = new QGroupBox(this);
    group_->setObjectName(QStringLiteral("GroupBox1"));
    grid_ = new CellGrid(group_);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setAccessibleName(QStringLiteral("StringGrid1"));
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->verticalHeader()->setMinimumSectionSize(kRowHeight / 2);
    // Cells are read in column order, so the columns (and the variable rows) stay where they are.
    grid_->horizontalHeader()->setSectionsMovable(false);
    grid_->verticalHeader()->setSectionsMovable(false);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    auto* groupLayout = new QVBoxLayout(group_);
    groupLayout->addWidget(grid_);

    ok_ = makeButton("BitBtn1", i18n::uiText(kCellsButton), this);
    ok_->setAutoDefault(true);
    ok_->setDefault(true);
    refill_ = makeButton("BitBtn2", i18n::uiText("重填"), this);
    cancel_ = makeButton("BitBtn3", i18n::uiText("取消"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(refill_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group_, 1);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &Tmarrangform::confirm);
    connect(refill_, &QPushButton::clicked, this, &Tmarrangform::refill);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        clearCells();
        reject();
    });
}

Tmarrangform::~Tmarrangform() = default;

void Tmarrangform::setMode(Mode mode) {
    mode_ = mode;
    setWindowTitle(i18n::uiText(mode == Mode::Cells ? kCellsCaption : kVariablesCaption));
    ok_->setText(i18n::uiText(mode == Mode::Cells ? kCellsButton : kVariablesButton));
    ok_->setAccessibleName(ok_->text());
}

void Tmarrangform::sizeGrid(int rows, int columns) {
    grid_->clearContents();
    grid_->setRowCount(rows);
    grid_->setColumnCount(columns);
    const bool wide = columns * kColumnWidth > kMaxGridWidth;
    const bool tall = rows * kRowHeight > kMaxGridHeight;
    grid_->setHorizontalScrollBarPolicy(wide ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(tall ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const int frame = 2 * grid_->frameWidth();
    const int bar = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    grid_->setMinimumSize(std::min(columns * kColumnWidth, kMaxGridWidth) + frame + (tall ? bar : 0),
                          std::min(rows * kRowHeight, kMaxGridHeight) + frame + (wide ? bar : 0));
    grid_->updateGeometry();
    adjustSize();
}

bool Tmarrangform::execCells(MatrixKind kind, Dimensions size, const InsertAtCaret& insert) {
    setMode(Mode::Cells);
    group_->setTitle(kind == MatrixKind::Matrix ? i18n::uiText("生成矩阵:") : i18n::uiText("生成行列式"));
    sizeGrid(size.rows, size.columns);
    insert_ = &insert;
    staging_ = nullptr;
    done_ = false;
    grid_->setCurrentCell(0, 0);
    grid_->setFocus();
    exec();
    insert_ = nullptr;
    return done_;
}

bool Tmarrangform::execVariables(expr::VariableTable& staging) {
    setMode(Mode::Variables);
    group_->setTitle(i18n::uiText("变量赋值"));
    const int count = staging.count();
    sizeGrid(count, 2);
    for (int row = 0; row < count; ++row) {
        auto* name = new QTableWidgetItem(qs(staging.name(row)));
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(row, 0, name);
        grid_->setItem(row, 1, new QTableWidgetItem(qs(formatGeneral(staging.value(row)))));
    }
    staging_ = &staging;
    insert_ = nullptr;
    done_ = false;
    grid_->setCurrentCell(0, 1);
    grid_->setFocus();
    exec();
    staging_ = nullptr;
    // The next cell entry must not find the variable mode's captions.
    setMode(Mode::Cells);
    return done_;
}

QString Tmarrangform::cellText(int row, int column) const {
    const QTableWidgetItem* item = grid_->item(row, column);
    return item ? item->text() : QString();
}

void Tmarrangform::clearCells() {
    grid_->commitOpenEditor();
    grid_->clearContents();
}

void Tmarrangform::refill() {
    grid_->commitOpenEditor();
    if (mode_ == Mode::Cells) {
        grid_->clearContents();
        return;
    }
    // The names stay: they tell which row is which variable.
    for (int row = 0; row < grid_->rowCount(); ++row)
        if (QTableWidgetItem* value = grid_->item(row, 1)) value->setText(QString());
}

void Tmarrangform::confirm() {
    grid_->commitOpenEditor();
    if (mode_ == Mode::Cells) {
        std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(grid_->rowCount()));
        for (int row = 0; row < grid_->rowCount(); ++row)
            for (int column = 0; column < grid_->columnCount(); ++column)
                cells[static_cast<std::size_t>(row)].push_back(cellText(row, column).toStdString());
        if (insert_ && *insert_) (*insert_)(qs(joinCells(cells)));
        done_ = true;
        accept();
        return;
    }
    if (!staging_) return;
    std::vector<std::string> names;
    std::vector<std::string> texts;
    for (int row = 0; row < grid_->rowCount(); ++row) {
        names.push_back(cellText(row, 0).toStdString());
        texts.push_back(cellText(row, 1).toStdString());
    }
    const auto values = readVariableValues(names, texts);
    if (const auto* problem = std::get_if<VariableProblem>(&values)) {
        sink_.show(problem->message, kEditorMessageCaption, MessageIcon::Warning);
        grid_->setCurrentCell(problem->row, 1);
        grid_->setFocus();
        return;
    }
    const auto& numbers = std::get<std::vector<double>>(values);
    for (std::size_t row = 0; row < numbers.size(); ++row)
        staging_->setValue(static_cast<int>(row), numbers[row]);
    done_ = true;
    accept();
}

} // namespace quorvel::editor
