#pragma once

#include "base/MessageSink.h"
#include "editor/Tmarrangform.h"
#include "editor/core/MatrixMarkup.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorvel::editor {

// The dimension dialog ("维数"): rows, columns and the input method of a new matrix or determinant.
// Its OK inserts "r,c," and then either opens the cell grid (simple) or inserts placeholder cells (complex).
class Tdimension : public QDialog {
    Q_OBJECT
public:
    Tdimension(MessageSink& sink, Tmarrangform& cells, QWidget* parent = nullptr);

    // Shows the dialog modally for kind. True when anything was inserted.
    bool execFor(MatrixKind kind, const InsertAtCaret& insert);

private:
    void confirm();
    void cancel();

    MessageSink& sink_;
    Tmarrangform& cells_;
    QGroupBox* createGroup_ = nullptr;
    QGroupBox* methodGroup_ = nullptr;
    QRadioButton* simple_ = nullptr;
    QRadioButton* complex_ = nullptr;
    QLineEdit* rows_ = nullptr;
    QLineEdit* columns_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;

    MatrixKind kind_ = MatrixKind::Matrix;
    const InsertAtCaret* insert_ = nullptr;
    bool inserted_ = false;
};

} // namespace quorvel::editor
