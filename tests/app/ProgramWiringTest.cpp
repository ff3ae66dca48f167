// The whole program on the main window: each command name is given once, to an item that exists, and
// every control a screen reader meets is named by the caption it shows, in every mode of the editor and
// in the dialogs.
#include "AppTestSupport.h"

#include "app/ProgramWiring.h"
#include "app/TForm6.h"
#include "editor/Tdimension.h"
#include "editor/Tformularymain.h"
#include "graph/ui/TForm3.h"

#include <QAbstractButton>
#include <QAction>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvel::app {
namespace {

struct Program : ::testing::Test {
    apptest::WindowFixture w;
    std::shared_ptr<app::Program> program = installProgram(*w.form, w.sink);

    ~Program() override {
        w.form->setResampler({});
        w.form->setSheetLayers({});
    }
};

// Triggers command, checks dialog while it is shown and closes it with its cancel button.
std::string checkedWhileShown(TForm1& form, const char* command, QWidget* dialog, const char* cancel) {
    std::string wrong = "never shown";
    QTimer::singleShot(0, dialog, [&] {
        wrong = apptest::namesOtherThanCaptions(dialog);
        dialog->findChild<QAbstractButton*>(QString::fromLatin1(cancel))->click();
    });
    form.item(QString::fromLatin1(command))->trigger();
    return wrong;
}

TEST_F(Program, EachCommandIsGivenOnceAndOnlyToAnItemThatExists) {
    const TForm1::Command nothing = [] { return graph::change::kNone; };
    EXPECT_THROW(w.form->setCommand(QStringLiteral("N50"), nothing), std::logic_error);
    EXPECT_THROW(w.form->setCommand(QStringLiteral("A1"), nothing), std::logic_error);
    EXPECT_THROW(w.form->setCommand(QStringLiteral("NoSuchItem"), nothing), std::logic_error);
    EXPECT_THROW((void)installProgram(*w.form, w.sink), std::logic_error);
}

TEST_F(Program, EveryControlIsNamedByItsCaptionInEveryModeAndDialog) {
    auto* editor = w.form->findChild<editor::Tformularymain*>();
    ASSERT_NE(editor, nullptr);
    for (const char* command : {"N50", "N40", "N39"}) // formula picture, calculation, custom function
        EXPECT_EQ(checkedWhileShown(*w.form, command, editor, "BitBtn4"), "") << command;
    auto* functionDialog = w.form->findChild<graph::TForm3*>();
    ASSERT_NE(functionDialog, nullptr);
    EXPECT_EQ(checkedWhileShown(*w.form, "SpeedButton1", functionDialog, "SpeedButton5"), "");

    auto* annotationDialog = w.form->findChild<TForm6*>();
    ASSERT_NE(annotationDialog, nullptr);
    std::string wrong = "never shown";
    QTimer::singleShot(0, annotationDialog, [&] {
        wrong = apptest::namesOtherThanCaptions(annotationDialog);
        static_cast<QDialog*>(annotationDialog)->reject();
    });
    (void)annotationDialog->execNew(QPoint());
    EXPECT_EQ(wrong, "");

    editor::Tdimension& dimension = editor->dimensionDialog();
    wrong = "never shown";
    QTimer::singleShot(0, &dimension, [&] {
        wrong = apptest::namesOtherThanCaptions(&dimension);
        dimension.reject();
    });
    dimension.exec();
    EXPECT_EQ(wrong, "");
}

} // namespace
} // namespace quorvel::app
