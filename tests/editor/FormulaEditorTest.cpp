// The formula editor window with real widgets: live preview, error marks, modes, OK's rules, keypad and
// palette, export. Messages go to a recording sink.
#include "editor/Tformularymain.h"
#include "editor/Toperationbuttonform.h"
#include "typeset/qt/QtTextCache.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

namespace quorvel::editor {
namespace {

using graph::EditorMode;
using graph::EditorRequest;

class FormulaEditor : public ::testing::Test {
protected:
    RecordingSink sink;
    expr::Engine engine{sink};
    typeset::Typesetter typesetter;
    Tformularymain editor{engine, typesetter, sink, std::make_shared<typeset::QtTextCache>()};

    // The editor's own control: its dialogs (dimension, cell grid, output settings) reuse design names.
    template <class T> T* child(const char* name) {
        for (T* found : editor.findChildren<T*>(QString::fromLatin1(name)))
            if (found->window() == &editor) return found;
        ADD_FAILURE() << name;
        return nullptr;
    }
    QPlainTextEdit* memo1() { return child<QPlainTextEdit>("Memo1"); }
    QString functionForm() { return child<QPlainTextEdit>("Memo2")->toPlainText(); }
    void type(const QString& text) {
        memo1()->setPlainText(text);
        editor.flushPreview();
    }
    QString selected() { return memo1()->textCursor().selectedText(); }
    // A keypad or palette button by its tooltip.
    QToolButton* button(const QString& hint, QWidget* in = nullptr) {
        for (QToolButton* b : (in ? in : static_cast<QWidget*>(&editor))->findChildren<QToolButton*>())
            if (b->toolTip() == hint || b->text() == hint) return b;
        ADD_FAILURE() << hint.toStdString();
        return nullptr;
    }
    // Opens the editor as an opener would, runs script inside its modal loop, returns execFor's answer.
    bool run(const EditorRequest& request, document::DEFINEFUN& target, std::function<void()> script) {
        QTimer::singleShot(0, &editor, [this, script] {
            script();
            if (editor.isVisible()) editor.reject(); // a script that leaves it open ends with a cancel
        });
        return editor.execFor(request, target);
    }
    void ok() { child<QPushButton>("BitBtn8")->click(); }
    static EditorRequest request(EditorMode mode, bool editing = false, std::string input = {}) {
        return EditorRequest{mode, editing, std::move(input), "-9999", "9999"};
    }
};

TEST_F(FormulaEditor, TypingUpdatesTheFunctionFormAndPreviewAndABadStateKeepsTheLastPicture) {
    type(QStringLiteral("1+x/2"));
    EXPECT_EQ(functionForm(), QStringLiteral("add(1,div(x,2))"));
    const QImage good = editor.previewImage();
    ASSERT_FALSE(good.isNull());
    EXPECT_EQ(editor.errorMark(), -1);

    type(QStringLiteral("1+x/2+sin("));
    EXPECT_EQ(editor.previewImage(), good);
    EXPECT_EQ(functionForm(), QStringLiteral("add(1,div(x,2))"));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_GE(editor.errorMark(), 0);
}

TEST_F(FormulaEditor, TheFailingCharacterIsMarkedInTheInputWhereverBlanksAndLinesPutIt) {
    struct Row {
        QString input;
        int mark; // position in Memo1's text
    } rows[] = {
        {QStringLiteral("1+（2）"), 2},       // full-width bracket
        {QStringLiteral("π + ≠ + （2）"), 8}, // after characters that count two GBK bytes
        {QStringLiteral("1 +\n2)"), 5},       // unmatched closer on the second line
        {QStringLiteral("foo(x)"), 0},        // unknown function name
        {QStringLiteral("(x) #"), 4},         // the sign that may not stand behind a bracket
        {QStringLiteral("y = |x"), 4},        // typed notation: the bar without its partner
        {QStringLiteral("x^2 +\n)"), 6},      // a check on the rewritten text marks the typed ")"
    };
    for (const Row& row : rows) {
        type(row.input);
        EXPECT_EQ(editor.errorMark(), row.mark) << row.input.toStdString();
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(FormulaEditor, TreeBuildingLimitsStayQuietWhileTypingAndRefuseTheConversion) {
    QString sum = QStringLiteral("1");
    for (int i = 0; i < 1001; ++i)
        sum += QStringLiteral("+1");
    type(sum);
    EXPECT_TRUE(sink.shown.empty());
    child<QPushButton>("BitBtn1")->click();
    EXPECT_TRUE(editor.conversionFailed());
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(FormulaEditor, APreviewLargerThanItsAreaScrollsBySoMuchAndASmallOneIsCentred) {
    editor.resize(700, 700);
    editor.show();
    QApplication::processEvents();
    QWidget* area = child<QWidget>("PreviewArea");
    QScrollBar* horizontal = child<QScrollBar>("ScrollBar1");
    QString wide = QStringLiteral("x");
    for (int i = 0; i < 200; ++i)
        wide += QStringLiteral("+x");
    type(wide);
    ASSERT_TRUE(horizontal->isVisible());
    EXPECT_EQ(horizontal->maximum(), editor.previewImage().width() - area->width());
    EXPECT_FALSE(child<QScrollBar>("ScrollBar2")->isVisible());

    type(QStringLiteral("x"));
    EXPECT_FALSE(horizontal->isVisible());
    const QLabel* image = child<QLabel>("Image1");
    EXPECT_EQ(image->x(), (area->width() - image->width()) / 2);
    EXPECT_EQ(image->y(), (area->height() - image->height()) / 2);
    editor.hide();
}

TEST_F(FormulaEditor, VariableValuesSetInTheGridReachTheItemOnlyThroughOk) {
    document::DEFINEFUN item;
    ASSERT_TRUE(run(request(EditorMode::Calculation), item, [&] {
        memo1()->setPlainText(QStringLiteral("a+b"));
        QTimer::singleShot(0, &editor, [&] {
            auto* grid = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(grid, nullptr);
            auto* cells = grid->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
            ASSERT_EQ(cells->rowCount(), 2);
            cells->setItem(0, 1, new QTableWidgetItem(QStringLiteral("2")));
            cells->setItem(1, 1, new QTableWidgetItem(QStringLiteral("3.5")));
            grid->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        child<QPushButton>("BitBtn7")->click();
        EXPECT_EQ(item.paramCount, 0); // nothing written before OK
        ok();
    }));
    ASSERT_EQ(item.paramCount, 2);
    EXPECT_EQ(item.paramNames[0], "a");
    EXPECT_EQ(item.paramValues[0], 2);
    EXPECT_EQ(item.paramValues[1], 3.5);
}

TEST_F(FormulaEditor, AMegabyteOfInputDoesNotFreezeThePreview) {
    const QString huge(1 << 20, QLatin1Char('x'));
    QElapsedTimer clock;
    clock.start();
    type(huge);
    // A guard against a hang (a quadratic preview takes minutes), far above the time any machine needs
    // even under load; timings themselves are for the benchmarks.
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(FormulaEditor, EachModeHasItsCaptionsAndTheDefaultsComeBackAfterwards) {
    struct Row {
        EditorMode mode;
        bool editing;
        const char* title;
        const char* okText;
        bool domainEnabled;
        bool variablesEnabled;
    } rows[] = {
        {EditorMode::FormulaPicture, false, "公式编辑器", "确定", false, false},
        {EditorMode::Calculation, false, "计算表达式", "计算", false, true},
        {EditorMode::CustomFunction, false, "绘制自定义函数", "确定", true, true},
        {EditorMode::Calculation, true, "计算表达式", "修改", false, true},
    };
    for (const Row& row : rows) {
        document::DEFINEFUN item;
        EditorRequest request{row.mode, row.editing, "1+2", "-9999", "9999"};
        run(request, item, [&] {
            EXPECT_EQ(editor.windowTitle(), QString::fromUtf8(row.title));
            EXPECT_EQ(child<QPushButton>("BitBtn8")->text(), QString::fromUtf8(row.okText));
            EXPECT_EQ(child<QLineEdit>("Edit2")->isEnabled(), row.domainEnabled);
            EXPECT_EQ(child<QPushButton>("BitBtn7")->isEnabled(), row.variablesEnabled);
            // Sums cannot be plotted or calculated; the button is off outside the formula picture mode.
            EXPECT_EQ(child<QToolButton>("SpeedButton46")->isEnabled(),
                      row.mode == EditorMode::FormulaPicture);
            EXPECT_EQ(editor.focusWidget(), memo1());
        });
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("公式编辑器"));
        EXPECT_EQ(child<QPushButton>("BitBtn8")->text(), QStringLiteral("确定"));
        EXPECT_FALSE(child<QLineEdit>("Edit2")->isEnabled());
        EXPECT_TRUE(child<QLineEdit>("Edit2")->text().isEmpty());
        EXPECT_TRUE(child<QToolButton>("SpeedButton46")->isEnabled());
    }
}

TEST_F(FormulaEditor, OkStoresTheJoinedBlankFreeTextOnOneLine) {
    document::DEFINEFUN item;
    item.labelLeft = 10;
    const bool accepted = run(request(EditorMode::FormulaPicture), item, [&] {
        memo1()->setPlainText(QStringLiteral("1 + 2\n+ 3\n\nignored"));
        ok();
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(item.expression, "1+2+3");
    EXPECT_GT(item.labelRight, item.labelLeft);
    EXPECT_GT(item.labelBottom, item.labelTop);
    EXPECT_EQ(item.labelFontName, "Times New Roman");
}

TEST_F(FormulaEditor, TypedNotationIsStoredAsMarkupAndRefusalsAndZeroNamesAreShownUnderTheInput) {
    document::DEFINEFUN item;
    ASSERT_TRUE(run(request(EditorMode::CustomFunction), item, [&] {
        memo1()->setPlainText(QStringLiteral("y = 2x^2 + sin x"));
        ok();
    }));
    EXPECT_EQ(item.expression, "y=2*cub(x,2)+sin(x)");

    QLabel* message = child<QLabel>("InputMessage");
    document::DEFINEFUN calculation;
    run(request(EditorMode::Calculation), calculation, [&] {
        type(QStringLiteral("a*x+b+e"));
        EXPECT_NE(message->text().indexOf(QStringLiteral("a、x、b。")), -1) << message->text().toStdString();
        EXPECT_EQ(message->accessibleName(), message->text());
        type(QStringLiteral("2^10 +"));
        EXPECT_NE(message->text().indexOf(QStringLiteral("'+'")), -1) << message->text().toStdString();
        type(QStringLiteral("2^10"));
        EXPECT_TRUE(message->isHidden());
    });
    document::DEFINEFUN picture;
    run(request(EditorMode::FormulaPicture), picture, [&] {
        type(QStringLiteral("a+b"));
        EXPECT_TRUE(message->isHidden()); // a picture has no value to take names as 0
    });
}

TEST_F(FormulaEditor, PastedLatexBecomesMarkupAndOtherTextGoesInAsItIs) {
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("\\frac{-b\\pm\\sqrt{b^2-4ac}}{2a}"),
         QStringLiteral("div(-b±sqrt(cub(b,2)-4*a*c),2*a)")},
        {QStringLiteral("\\frac{1}{"), QStringLiteral("\\frac{1}{")}, // refused LaTeX: nothing is lost
        {QStringLiteral("y = x^2"), QStringLiteral("y = x^2")},
    };
    for (const auto& [pasted, input] : rows) {
        memo1()->clear();
        QApplication::clipboard()->setText(pasted);
        memo1()->paste();
        EXPECT_EQ(memo1()->toPlainText(), input) << pasted.toStdString();
    }
}

TEST_F(FormulaEditor, EveryButtonReadsItsCaptionToAScreenReaderInEveryMode) {
    const auto spoken = [](QPushButton* b) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        return a ? a->text(QAccessible::Name) : QString();
    };
    for (const EditorMode mode :
         {EditorMode::FormulaPicture, EditorMode::CustomFunction, EditorMode::Calculation})
        for (const bool editing : {false, true}) {
            document::DEFINEFUN item;
            run(request(mode, editing), item, [&] {
                child<QPushButton>("BitBtn10")->click(); // 显示实例 becomes 隐藏实例
                for (QPushButton* b : editor.findChildren<QPushButton*>()) {
                    if (b->text().isEmpty() || b->window() != &editor) continue;
                    EXPECT_EQ(spoken(b), QString(b->text()).remove(QLatin1Char('&')))
                        << b->objectName().toStdString() << " " << b->text().toStdString();
                }
            });
        }
}

TEST_F(FormulaEditor, OkIsOneTabFromTheInputAndCtrlReturnPressesIt) {
    document::DEFINEFUN item;
    const bool accepted = run(request(EditorMode::FormulaPicture), item, [&] {
        QApplication::setActiveWindow(&editor); // the offscreen platform activates nothing itself
        memo1()->setFocus();
        QTest::keyClick(memo1(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), child<QPushButton>("BitBtn8"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("BitBtn4"));
        memo1()->setFocus();
        QTest::keyClicks(memo1(), QStringLiteral("x^2"));
        QTest::keyClick(memo1(), Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(item.expression, "cub(x,2)");
}

TEST_F(FormulaEditor, OkRefusalsKeepTheWindowOpenAndStoreNothing) {
    struct Row {
        EditorMode mode;
        bool editing;
        QString input;
        QString start, end;
        std::string message; // empty: the message of a check
    } rows[] = {
        {EditorMode::CustomFunction, false, QStringLiteral("x"), QStringLiteral("5"), QStringLiteral("1"),
         "你输入的定义域起始位置大于终点位置，请重输"},
        {EditorMode::CustomFunction, false, QStringLiteral("x"), QStringLiteral("a"), QStringLiteral("1"),
         "请在定义域输入框中输入有效数字！"},
        {EditorMode::FormulaPicture, true, QStringLiteral("   "), {}, {}, "不能用修改的方法将函数清空！"},
        {EditorMode::FormulaPicture, false, QStringLiteral("sin(x"), {}, {}, ""},
        {EditorMode::FormulaPicture, false, QStringLiteral("a##b"), {}, {}, ""},
    };
    for (const Row& row : rows) {
        sink.shown.clear();
        document::DEFINEFUN item;
        bool stillOpen = false;
        const bool accepted = run({row.mode, row.editing, "", "-9999", "9999"}, item, [&] {
            memo1()->setPlainText(row.input);
            if (row.mode == EditorMode::CustomFunction) {
                child<QLineEdit>("Edit2")->setText(row.start);
                child<QLineEdit>("Edit3")->setText(row.end);
            }
            ok();
            stillOpen = editor.isVisible();
        });
        EXPECT_TRUE(stillOpen) << row.input.toStdString();
        EXPECT_FALSE(accepted);
        EXPECT_TRUE(item.expression.empty());
        ASSERT_EQ(sink.shown.size(), 1u) << row.input.toStdString();
        if (!row.message.empty()) {
            EXPECT_EQ(sink.shown[0].text, row.message);
        }
    }
}

TEST_F(FormulaEditor, CancelAfterAnEarlierOkIsNotAccepted) {
    document::DEFINEFUN item;
    EXPECT_TRUE(run(request(EditorMode::Calculation), item, [&] {
        memo1()->setPlainText(QStringLiteral("a+1"));
        ok();
    }));
    document::DEFINEFUN again;
    EXPECT_FALSE(run(request(EditorMode::Calculation, true, "a+1"), again,
                     [&] { child<QPushButton>("BitBtn4")->click(); }));
    EXPECT_TRUE(again.expression.empty());
}

TEST_F(FormulaEditor, CustomFunctionOkWritesTheDomainAndTheVariables) {
    document::DEFINEFUN item;
    ASSERT_TRUE(run(request(EditorMode::CustomFunction), item, [&] {
        memo1()->setPlainText(QStringLiteral("y=a*x*x"));
        child<QLineEdit>("Edit2")->setText(QStringLiteral("-2"));
        child<QLineEdit>("Edit3")->setText(QStringLiteral("3.5"));
        ok();
    }));
    EXPECT_EQ(item.expression, "y=a*x*x");
    EXPECT_EQ(item.domainStart, -2);
    EXPECT_EQ(item.domainEnd, 3.5);
    ASSERT_GE(item.paramCount, 1);
    EXPECT_EQ(item.paramNames[0], "a");
}

TEST_F(FormulaEditor, KeypadInsertsAtTheCaretSelectsThePlaceholderAndShiftSwitchesTemplates) {
    type(QStringLiteral("1+"));
    QTextCursor end = memo1()->textCursor();
    end.movePosition(QTextCursor::End);
    memo1()->setTextCursor(end);
    button(QStringLiteral("sin(x)"))->click();
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("1+sin(x)"));
    EXPECT_EQ(selected(), QStringLiteral("x"));

    child<QToolButton>("SpeedButton45")->click(); // Shift stays on until pressed again
    button(QStringLiteral("sin(x)"))->click();    // replaces the selected x
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("1+sin(arcsin(x))"));
    child<QToolButton>("SpeedButton45")->click();

    child<QToolButton>("SpeedButton30")->click();
    EXPECT_TRUE(memo1()->toPlainText().isEmpty());
    child<QToolButton>("SpeedButton49")->click(); // lim: the first x, "∞" counted as one character
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("lim(x,∞,f(x))"));
    EXPECT_EQ(memo1()->textCursor().selectionStart(), 4);
    EXPECT_EQ(selected(), QStringLiteral("x"));
}

TEST_F(FormulaEditor, BackspaceDeletesTheSelectionOrTheCharacterBeforeTheCaret) {
    type(QStringLiteral("ab∞"));
    QTextCursor cursor = memo1()->textCursor();
    cursor.setPosition(0);
    memo1()->setTextCursor(cursor);
    child<QToolButton>("SpeedButton37")->click();
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("ab∞"));
    cursor.movePosition(QTextCursor::End);
    memo1()->setTextCursor(cursor);
    child<QToolButton>("SpeedButton37")->click();
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("ab"));
    cursor = memo1()->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    memo1()->setTextCursor(cursor);
    child<QToolButton>("SpeedButton37")->click();
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("b"));
}

TEST_F(FormulaEditor, APaletteGroupOpensUnderItsButtonInsertsAndClosesButInactiveButtonsStayOpen) {
    editor.show();
    QApplication::processEvents();
    button(QStringLiteral("sec(x)"))->click();
    Toperationbuttonform& palette = editor.operatorPalette();
    ASSERT_TRUE(palette.isVisible());
    EXPECT_EQ(palette.shownGroup(), PaletteGroup::sec);
    EXPECT_TRUE(palette.groupPanel(PaletteGroup::sec)->isVisible());
    EXPECT_FALSE(palette.groupPanel(PaletteGroup::sanjiao)->isVisible());
    button(QStringLiteral("正割"), &palette)->click();
    EXPECT_FALSE(palette.isVisible());
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("sec(x)"));
    EXPECT_EQ(selected(), QStringLiteral("x"));

    button(QStringLiteral("集合"))->click();
    ASSERT_TRUE(palette.isVisible());
    QToolButton* emptySet = button(QStringLiteral("空集"), &palette);
    EXPECT_FALSE(emptySet->isEnabled());
    emptySet->click();
    EXPECT_TRUE(palette.isVisible());
    EXPECT_EQ(memo1()->toPlainText(), QStringLiteral("sec(x)"));
    palette.hide();
}

TEST_F(FormulaEditor, ExportWritesEveryPictureFormatAndRefusesAnEmptyFormula) {
    QTemporaryDir dir;
    QString target;
    editor.setExportFileChooser([&] { return target; });
    target = dir.filePath(QStringLiteral("none.png"));
    child<QPushButton>("BitBtn3")->click();
    EXPECT_EQ(sink.shown.size(), 1u);
    EXPECT_FALSE(QFile::exists(target));

    type(QStringLiteral("sqrt(x)/2"));
    for (const char* suffix : {"png", "bmp", "svg", "pdf"}) {
        target = dir.filePath(QStringLiteral("f.") + QString::fromLatin1(suffix));
        child<QPushButton>("BitBtn3")->click();
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << suffix;
        EXPECT_GT(file.size(), 100) << suffix;
    }
    EXPECT_EQ(sink.shown.size(), 1u);

    // A file that cannot be written is said in the interface's language, picture or text alike.
    for (const char* name : {"no/such/f.png", "no/such/f.tex"}) {
        target = dir.filePath(QString::fromLatin1(name));
        child<QPushButton>("BitBtn3")->click();
        ASSERT_FALSE(sink.shown.empty());
        EXPECT_EQ(sink.shown.back().text.rfind("无法写入", 0), 0u) << sink.shown.back().text;
    }
}

TEST_F(FormulaEditor, ExportWritesLatexAndMathmlByTheSuffix) {
    QTemporaryDir dir;
    QString target;
    editor.setExportFileChooser([&] { return target; });
    type(QStringLiteral("面积=sqrt(x)/2"));
    const struct {
        const char* name;
        const char* part;
    } rows[] = {
        {"f.tex", "\\frac{\\sqrt{x}}{2}"},
        {"f.MML", "<mfrac><msqrt><mi>x</mi></msqrt><mn>2</mn></mfrac>"},
    };
    for (const auto& row : rows) {
        target = dir.filePath(QString::fromLatin1(row.name));
        child<QPushButton>("BitBtn3")->click();
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << row.name;
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.contains(row.part)) << bytes.toStdString();
        EXPECT_TRUE(bytes.contains("面积")) << row.name;
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(FormulaEditor, TheExampleAreaStartsHiddenAndTogglesItsCaption) {
    QPushButton* toggle = child<QPushButton>("BitBtn10");
    EXPECT_EQ(toggle->text(), QStringLiteral("显示实例"));
    toggle->click();
    EXPECT_EQ(toggle->text(), QStringLiteral("隐藏实例"));
    button(QStringLiteral("∫"))->click();
    EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("ing1(a;b,x,x)"));
    toggle->click();
    EXPECT_EQ(toggle->text(), QStringLiteral("显示实例"));
}

} // namespace
} // namespace quorvel::editor
