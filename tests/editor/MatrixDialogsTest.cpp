// The dimension dialog and the cell grid as real modal dialogs, driven from timers inside their loops.
#include "editor/Tdimension.h"
#include "editor/Tmarrangform.h"
#include "expr/VariableTable.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace quorvel::editor {
namespace {

// Runs step on the dialog that is modal when the loop starts; a dialog the step leaves open is closed
// so that a failing test cannot hang.
void onModal(std::function<void(QDialog&)> step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        step(*dialog);
        if (dialog->isVisible() && QApplication::activeModalWidget() == dialog) {
            ADD_FAILURE() << "dialog left open: " << dialog->objectName().toStdString();
            dialog->reject();
        }
    });
}

template <class T = QWidget> T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void click(QWidget& dialog, const char* name) {
    child<QPushButton>(dialog, name)->click();
}

void setCell(QWidget& dialog, int row, int column, const char* text) {
    child<QTableWidget>(dialog, "StringGrid1")
        ->setItem(row, column, new QTableWidgetItem(QString::fromUtf8(text)));
}

QString cell(QWidget& dialog, int row, int column) {
    const QTableWidgetItem* item = child<QTableWidget>(dialog, "StringGrid1")->item(row, column);
    return item ? item->text() : QString();
}

struct Fixture : ::testing::Test {
    RecordingSink sink;
    Tmarrangform cells{sink};
    Tdimension dimension{sink, cells};
    QStringList inserted;
    InsertAtCaret insert = [this](const QString& text) { inserted << text; };

    void fill(QDialog& dialog, const char* rows, const char* columns, bool complex = false) {
        child<QLineEdit>(dialog, "Edit1")->setText(QString::fromUtf8(rows));
        child<QLineEdit>(dialog, "Edit2")->setText(QString::fromUtf8(columns));
        child<QRadioButton>(dialog, complex ? "RadioButton2" : "RadioButton1")->setChecked(true);
    }
    QString edits() {
        return dimension.findChild<QLineEdit*>("Edit1")->text() + "|" +
               dimension.findChild<QLineEdit*>("Edit2")->text();
    }
};

using MatrixDialogs = Fixture;

TEST_F(MatrixDialogs, SimpleMethodInsertsSizesThenTheTypedCells) {
    onModal([this](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "dimension");
        EXPECT_EQ(child<QGroupBox>(dialog, "GroupBox1")->title(), "创建矩阵");
        EXPECT_EQ(child<QRadioButton>(dialog, "RadioButton1")->text(), "简单矩阵");
        EXPECT_EQ(dialog.focusWidget(), child(dialog, "Edit1"));
        fill(dialog, "2", "3");
        onModal([](QDialog& grid) {
            EXPECT_EQ(grid.objectName(), "marrangform");
            EXPECT_EQ(grid.windowTitle(), "矩阵和行列式的填写");
            EXPECT_EQ(child<QGroupBox>(grid, "GroupBox1")->title(), "生成矩阵:");
            auto* table = child<QTableWidget>(grid, "StringGrid1");
            EXPECT_EQ(table->rowCount(), 2);
            EXPECT_EQ(table->columnCount(), 3);
            EXPECT_EQ(table->currentRow(), 0);
            EXPECT_EQ(table->currentColumn(), 0);
            setCell(grid, 0, 0, "1");
            setCell(grid, 0, 1, "a");
            setCell(grid, 1, 2, "6");
            click(grid, "BitBtn2"); // 重填 empties and stays open
            EXPECT_TRUE(grid.isVisible());
            EXPECT_EQ(cell(grid, 0, 0), "");
            setCell(grid, 0, 0, "1");
            setCell(grid, 1, 2, "6");
            click(grid, "BitBtn1");
        });
        click(dialog, "BitBtn1");
    });
    EXPECT_TRUE(dimension.execFor(MatrixKind::Matrix, insert));
    EXPECT_EQ(inserted, (QStringList{"2,3,", "1;;;;;6"}));
    EXPECT_EQ(edits(), "|");
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(MatrixDialogs, EnterInAnOpenCellEditorKeepsItsText) {
    onModal([](QDialog& grid) {
        auto* table = child<QTableWidget>(grid, "StringGrid1");
        table->setCurrentCell(0, 1);
        table->edit(table->model()->index(0, 1));
        auto* editor = table->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText("y");
        QTest::keyClick(editor, Qt::Key_Return);
        if (grid.isVisible()) click(grid, "BitBtn1");
    });
    EXPECT_TRUE(cells.execCells(MatrixKind::Determinant, {2, 2}, insert));
    EXPECT_EQ(inserted, (QStringList{";y;;"}));
}

TEST_F(MatrixDialogs, ComplexMethodInsertsPlaceholdersAndKeepsTheEdits) {
    onModal([this](QDialog& dialog) {
        EXPECT_EQ(child<QRadioButton>(dialog, "RadioButton2")->text(), "复杂行列式");
        fill(dialog, "02", "2", true);
        click(dialog, "BitBtn1");
    });
    EXPECT_TRUE(dimension.execFor(MatrixKind::Determinant, insert));
    EXPECT_EQ(inserted, (QStringList{"2,2,", "X_ _11;X_ _12;X_ _21;X_ _22"}));
    EXPECT_EQ(edits(), "02|2");
}

TEST_F(MatrixDialogs, RefusalKeepsTheDialogOpenAndInsertsNothing) {
    onModal([this](QDialog& dialog) {
        fill(dialog, "2", "3", true);
        click(dialog, "BitBtn1");
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown[0].text, "行列式的行和列的数目不等！");
        EXPECT_EQ(sink.shown[0].caption, "提示");
        EXPECT_EQ(sink.shown[0].icon, MessageIcon::Warning);
        EXPECT_EQ(edits(), "2|3");
        click(dialog, "BitBtn2"); // 取消 empties both edits
    });
    EXPECT_FALSE(dimension.execFor(MatrixKind::Determinant, insert));
    EXPECT_TRUE(inserted.isEmpty());
    EXPECT_EQ(edits(), "|");
}

TEST_F(MatrixDialogs, LargestGridOpensAndCancelInsertsNoCells) {
    onModal([this](QDialog& dialog) {
        fill(dialog, "100", "100");
        onModal([](QDialog& grid) {
            auto* table = child<QTableWidget>(grid, "StringGrid1");
            EXPECT_EQ(table->rowCount(), 100);
            EXPECT_EQ(table->columnCount(), 100);
            EXPECT_LT(grid.width(), 1200);
            EXPECT_LT(grid.height(), 900);
            setCell(grid, 99, 99, "z");
            click(grid, "BitBtn3");
        });
        click(dialog, "BitBtn1");
    });
    EXPECT_TRUE(dimension.execFor(MatrixKind::Matrix, insert));
    EXPECT_EQ(inserted, (QStringList{"100,100,"}));
}

TEST_F(MatrixDialogs, VariableModeWritesStagingOnlyAndAllOrNothing) {
    expr::VariableTable staging;
    ASSERT_TRUE(staging.append("a", 1));
    ASSERT_TRUE(staging.append("b", 0.5));
    onModal([&](QDialog& grid) {
        EXPECT_EQ(grid.windowTitle(), "定值变量设置");
        EXPECT_EQ(child<QGroupBox>(grid, "GroupBox1")->title(), "变量赋值");
        EXPECT_EQ(child<QPushButton>(grid, "BitBtn1")->text(), "设置");
        auto* table = child<QTableWidget>(grid, "StringGrid1");
        EXPECT_EQ(table->currentColumn(), 1);
        EXPECT_EQ(cell(grid, 1, 0), "b");
        EXPECT_EQ(cell(grid, 1, 1), "0.5");
        EXPECT_FALSE(table->item(0, 0)->flags() & Qt::ItemIsEditable);
        click(grid, "BitBtn2"); // 重填 keeps the names
        EXPECT_EQ(cell(grid, 0, 0), "a");
        EXPECT_EQ(cell(grid, 0, 1), "");

        setCell(grid, 0, 1, " 5 ");
        setCell(grid, 1, 1, "x");
        click(grid, "BitBtn1");
        EXPECT_TRUE(grid.isVisible());
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown[0].text, "你输入的变量b不正确！");
        EXPECT_EQ(table->currentRow(), 1);
        EXPECT_EQ(table->currentColumn(), 1);
        EXPECT_EQ(staging.value(0), 1); // the good first row is not applied either

        setCell(grid, 1, 1, "-2E3");
        click(grid, "BitBtn1");
    });
    EXPECT_TRUE(cells.execVariables(staging));
    EXPECT_EQ(staging.value(0), 5);
    EXPECT_EQ(staging.value(1), -2000);

    // Cancelling changes nothing.
    onModal([](QDialog& grid) {
        setCell(grid, 0, 1, "7");
        click(grid, "BitBtn3");
    });
    EXPECT_FALSE(cells.execVariables(staging));
    EXPECT_EQ(staging.value(0), 5);

    // The cell entry afterwards is cell entry again.
    EXPECT_EQ(cells.windowTitle(), "矩阵和行列式的填写");
    onModal([](QDialog& grid) {
        EXPECT_EQ(child<QPushButton>(grid, "BitBtn1")->text(), "确定");
        EXPECT_EQ(child<QGroupBox>(grid, "GroupBox1")->title(), "生成行列式");
        setCell(grid, 0, 0, "q");
        click(grid, "BitBtn1");
    });
    EXPECT_TRUE(cells.execCells(MatrixKind::Determinant, {1, 1}, insert));
    EXPECT_EQ(inserted, (QStringList{"q"}));
}

} // namespace
} // namespace quorvel::editor
