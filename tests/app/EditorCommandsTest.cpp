// The creating commands of the formula editor in the running main window: each places its object, is
// undone and redone, and survives saving and reopening.
#include "AppTestSupport.h"

#include "app/CurveWiring.h"
#include "app/EditorWiring.h"
#include "editor/Tformularymain.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

class EditorCommands : public ::testing::Test {
protected:
    apptest::WindowFixture w;
    expr::Engine engine{w.sink};
    typeset::Typesetter typesetter;
    std::unique_ptr<graph::CurvePlotter> curves = installCurvePlotter(*w.form, engine, w.sink);
    editor::Tformularymain* editor = installFormulaEditor(*w.form, engine, typesetter, w.sink, *curves);

    ~EditorCommands() override {
        delete editor;
        curves.reset();
        w.form->setResampler({});
        w.form->setSheetLayers({});
    }

    // Triggers a command and answers the editor with input; an empty input cancels.
    void runEditor(const char* command, const QString& input) {
        QTimer::singleShot(0, editor, [this, input] {
            if (input.isEmpty()) {
                editor->findChild<QPushButton*>(QStringLiteral("BitBtn4"))->click();
                return;
            }
            editor->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->setPlainText(input);
            editor->findChild<QPushButton*>(QStringLiteral("BitBtn8"))->click();
        });
        w.form->item(QString::fromLatin1(command))->trigger();
    }
    document::Document& doc() { return w.form->document(); }
};

TEST_F(EditorCommands, EachCommandPlacesItsObjectSelectedAndUndoRedoFollow) {
    for (const char* name :
         {"N50", "SpeedButton26", "N40", "SpeedButton18", "N39", "SpeedButton19", "SpeedButton13"})
        EXPECT_TRUE(w.form->item(QString::fromLatin1(name))->isEnabled()) << name;

    runEditor("N50", QStringLiteral("sqrt(x)/2"));
    runEditor("N40", QStringLiteral("1+2"));
    runEditor("N39", QStringLiteral("y=x*x"));
    ASSERT_EQ(doc().curveCount(), 3);
    EXPECT_EQ(doc().curve(0).kind, document::KindFormulaPicture);
    EXPECT_EQ(doc().curve(1).kind, document::KindCalculation);
    EXPECT_EQ(doc().curve(1).expression, "1+2=3");
    EXPECT_EQ(doc().curve(2).kind, document::KindCustomFunction);
    EXPECT_EQ(doc().curve(2).colour, document::kBlue);
    EXPECT_TRUE(doc().curve(2).hasValueAt(doc().curve(2).sampleColumns() / 2));
    // Each stacks below the one before it and is selected alone.
    EXPECT_EQ(doc().curve(1).labelTop, doc().curve(0).labelBottom);
    EXPECT_EQ(doc().selection.selCount(), 1);
    EXPECT_EQ(doc().selection.incheck(2), 0);

    w.form->item(QStringLiteral("A1"))->trigger();
    EXPECT_EQ(doc().curveCount(), 2);
    w.form->item(QStringLiteral("S1"))->trigger();
    ASSERT_EQ(doc().curveCount(), 3);
    EXPECT_EQ(doc().curve(1).expression, "1+2=3");
    EXPECT_TRUE(w.sink.shown.empty());
}

TEST_F(EditorCommands, TheOutputStyleReachesNewCurveLabelsAndFormulaPictures) {
    typesetter.style.colors.variableColor = typeset::rgb(200, 0, 0);
    QTimer::singleShot(0, &curves->form3(), [this] {
        curves->form3().findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
    });
    w.form->item(QStringLiteral("SpeedButton1"))->trigger();
    runEditor("N50", QStringLiteral("x+1"));
    ASSERT_EQ(doc().curveCount(), 2);
    EXPECT_EQ(doc().curve(0).labelColours[0], typeset::rgb(200, 0, 0));
    EXPECT_EQ(doc().curve(1).labelColours[0], typeset::rgb(200, 0, 0));
}

TEST_F(EditorCommands, ACancelledEditorLeavesNoObjectAndNoHistoryEntry) {
    const int before = w.form->history().states();
    runEditor("N40", QString());
    runEditor("N50", QString());
    EXPECT_EQ(doc().curveCount(), 0);
    EXPECT_EQ(w.form->history().states(), before);
}

TEST_F(EditorCommands, ObjectsSurviveSavingAndReopening) {
    runEditor("N50", QStringLiteral("sum(i=0,n,x_ _i)"));
    runEditor("N40", QStringLiteral("2*3"));
    runEditor("N39", QStringLiteral("y=x*x"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("editor.Fun"));
    w.dialogs.saveNames = {path};
    ASSERT_TRUE(w.form->S2Click());
    w.sink.answers = {Answer::No, Answer::No}; // the questions about the unchanged document
    w.form->item(QStringLiteral("N1"))->trigger();
    ASSERT_EQ(doc().curveCount(), 0);
    ASSERT_TRUE(w.form->openFile(path));
    ASSERT_EQ(doc().curveCount(), 3);
    EXPECT_EQ(doc().curve(0).expression, "sum(i=0,n,x__i)"); // stored without blanks
    EXPECT_EQ(doc().curve(1).expression, "2*3=6");
    EXPECT_EQ(doc().curve(2).expression, "y=x*x");
    EXPECT_TRUE(doc().curve(2).hasValueAt(doc().curve(2).sampleColumns() / 2));
}

} // namespace
} // namespace quorvel::app
