#pragma once

#include "graph/ValueTableText.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace quorvel::app {

class TForm1;

// 数值表: x from a start by a step for a number of rows, and y of the selected curve or of every curve
// (a column each), "无定义" where a curve has none. It stays open beside the sheet and follows the
// curves as they change, the demonstration's sliders included. 复制 puts tab-separated text on the
// clipboard (a spreadsheet pastes it into cells); 保存 writes CSV.
class ValueTableDialog : public QDialog {
    Q_OBJECT
public:
    explicit ValueTableDialog(TForm1& form1);

    void showFor();
    // The table as it is shown now.
    const graph::ValueTable& table() const { return table_; }
    // Computes the table again from the fields and the document; false with a message for bad fields.
    bool refresh();
    void copyToClipboard();

private:
    void saveCsv();

    TForm1& form1_;
    QLineEdit* start_ = nullptr;
    QLineEdit* step_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QRadioButton* selectedOnly_ = nullptr;
    QTableWidget* grid_ = nullptr;
    graph::ValueTable table_;
};

} // namespace quorvel::app
