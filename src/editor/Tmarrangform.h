#pragma once

#include "base/MessageSink.h"
#include "editor/core/MatrixMarkup.h"

#include <QDialog>
#include <QString>

#include <functional>

class QGroupBox;
class QPushButton;

namespace quorvel::expr {
class VariableTable;
}

namespace quorvel::editor {

class CellGrid;

// Inserts at the input's caret, replacing the selection.
using InsertAtCaret = std::function<void(const QString&)>;

// The cell grid ("矩阵和行列式的填写"): types the cells of a matrix or determinant, and in its second mode
// ("定值变量设置") the values of an expression's variables. The mode is explicit, never read back from a
// caption, and each use sets its own captions.
class Tmarrangform : public QDialog {
    Q_OBJECT
public:
    explicit Tmarrangform(MessageSink& sink, QWidget* parent = nullptr);
    ~Tmarrangform() override;

    // An empty rows x columns grid; OK inserts the cells joined row by row and closes. True when inserted.
    bool execCells(MatrixKind kind, Dimensions size, const InsertAtCaret& insert);
    // One row per variable: names read-only, values editable. 设置 writes every value into staging or,
    // on a bad value, none. True when values were set.
    bool execVariables(expr::VariableTable& staging);

private:
    enum class Mode { Cells, Variables };

    void setMode(Mode mode);
    void sizeGrid(int rows, int columns);
    void refill();
    void confirm();
    void clearCells();
    QString cellText(int row, int column) const;

    MessageSink& sink_;
    QGroupBox* group_ = nullptr;
    CellGrid* grid_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* refill_ = nullptr;
    QPushButton* cancel_ = nullptr;

    Mode mode_ = Mode::Cells;
    const InsertAtCaret* insert_ = nullptr;
    expr::VariableTable* staging_ = nullptr;
    bool done_ = false;
};

} // namespace quorvel::editor
