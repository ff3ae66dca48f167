#include "graph/CurveCommands.h"
#include "graph/CurveSampler.h"
#include "graph/ui/ColourSwatch.h"
#include "graph/ui/TForm3.h"
#include "typeset/qt/QtCanvas.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace quorvel::graph {
namespace {

using document::DEFINEFUN;

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class FunctionDialogWindow : public ::testing::Test {
public:
    RecordingSink sink;
    TForm3 form{sink};

    QLineEdit* edit(const char* name) { return child<QLineEdit>(form, name); }
    QPushButton* button(const char* name) { return child<QPushButton>(form, name); }
    QComboBox* fonts() { return child<QComboBox>(form, "ComboBox1"); }

    // Shows the dialog for target and runs step once it is up; a step that leaves it open fails the test.
    bool run(DEFINEFUN& target, std::function<void()> step) {
        QTimer::singleShot(0, &form, std::move(step));
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &form, [this] {
            ADD_FAILURE() << "the dialog was left open";
            form.reject();
        });
        guard.start(10000);
        return form.execFor(target);
    }

    // Fills the dialog as the linear template does.
    void fillLinear() {
        form.setName("正比例函数");
        form.setRowVisible(0, true);
        form.setRowVisible(1, true);
        form.setRowVisible(2, false);
        form.setRowText(0, "1");
        form.setRowText(1, "0");
        form.setRowText(2, "0");
        form.setDomainTexts("-9999", "9999");
        form.setFontSizeText("16");
        form.selectFont("Times New Roman");
    }
};

TEST_F(FunctionDialogWindow, ControlsCarryTheirNamesAndCaptions) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("函数编辑"));
    const std::pair<const char*, const char*> labels[] = {
        {"Label9", "函数标准形式:"}, {"Label4", "函数名称："},  {"Label5", "参数设置："},
        {"Label1", "A ="},           {"Label2", "B ="},         {"Label3", "C ="},
        {"Label6", "输出设置："},    {"Label10", "字体大小："}, {"Label11", "字体名称："},
        {"Label12", "曲线颜色："},
    };
    for (const auto& [name, caption] : labels) {
        if (QLabel* label = child<QLabel>(form, name)) {
            EXPECT_EQ(label->text(), QString::fromUtf8(caption)) << name;
        }
    }
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit6", "Edit7", "Edit8", "Edit9"})
        edit(name);
    EXPECT_EQ(button("SpeedButton2")->text(), QStringLiteral("确定"));
    EXPECT_EQ(button("SpeedButton4")->text(), QStringLiteral("动态演示"));
    EXPECT_EQ(button("SpeedButton5")->text(), QStringLiteral("取消"));
    EXPECT_FALSE(button("SpeedButton1")->isVisibleTo(&form));
    EXPECT_EQ(child<QGroupBox>(form, "GroupBox1")->title(), QStringLiteral("曲线绘制定义域"));
    QLabel* image = child<QLabel>(form, "Image1");
    EXPECT_EQ(image->size(), QSize(209, 49));
    child<ColourSwatch>(form, "Shape1");
    // Name and parameters are typed in blue.
    EXPECT_EQ(edit("Edit6")->palette().color(QPalette::Text), QColor(Qt::blue));
    EXPECT_EQ(edit("Edit2")->palette().color(QPalette::Text), QColor(Qt::blue));
}

TEST_F(FunctionDialogWindow, StartsWithBlueAndTheDefaultFontSelected) {
    EXPECT_EQ(form.pickedColour, document::kBlue);
    EXPECT_EQ(child<ColourSwatch>(form, "Shape1")->colour(), document::kBlue);
    ASSERT_GT(fonts()->count(), 1);
    EXPECT_EQ(fonts()->currentText(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(form.findFontIndex(QStringLiteral("Times New Roman")), fonts()->currentIndex());
    EXPECT_EQ(form.findFontIndex(QStringLiteral("No Such Font 123")), -1);
    EXPECT_EQ(form.findFontIndex(QStringLiteral("times new roman")), -1); // exact names only
    form.selectFont("No Such Font 123");
    EXPECT_EQ(fonts()->currentIndex(), -1);
}

TEST_F(FunctionDialogWindow, DemonstrationButtonFollowsTheModeAndItsAvailability) {
    QPushButton* demo = button("SpeedButton4");
    form.setOkCaption(kNewCurveCaption);
    form.FormActivate();
    EXPECT_FALSE(demo->isEnabled());
    form.setOkCaption(kEditCurveCaption);
    form.FormActivate();
    EXPECT_FALSE(demo->isEnabled()); // nothing to start yet: disabled, and the hint says so
    EXPECT_FALSE(demo->toolTip().isEmpty());
    form.setDemonstrationHandler([] {});
    form.FormActivate();
    EXPECT_TRUE(demo->isEnabled());
    form.setOkCaption(kNewCurveCaption);
    form.FormActivate();
    EXPECT_FALSE(demo->isEnabled());
}

TEST_F(FunctionDialogWindow, OkWritesTheRecordAndCloses) {
    fillLinear();
    DEFINEFUN target;
    const bool accepted = run(target, [this] {
        edit("Edit6")->setText(QStringLiteral("直线"));
        edit("Edit1")->setText(QStringLiteral("2.5"));
        edit("Edit7")->setText(QStringLiteral("2.7"));
        edit("Edit8")->setText(QStringLiteral("1e2"));
        form.selectFont("宋体");
        button("SpeedButton2")->click();
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(form.dialogResult, 1);
    EXPECT_EQ(target.name, "直线");
    EXPECT_EQ(target.paramValues[0], 2.5);
    EXPECT_EQ(target.labelFontSize, 2);
    EXPECT_EQ(target.domainStart, 100);
    EXPECT_EQ(target.labelFontName, "宋体");
    EXPECT_EQ(target.colour, document::kBlue);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(FunctionDialogWindow, RefusedOkShowsTheMessageAndStaysOpen) {
    struct Case {
        const char* what;
        std::function<void(FunctionDialogWindow&)> spoil;
        const char* message;
    };
    const Case cases[] = {
        {"domain", [](FunctionDialogWindow& t) { t.edit("Edit8")->setText(QStringLiteral("abc")); },
         kDomainNotNumberMessage},
        {"parameter", [](FunctionDialogWindow& t) { t.edit("Edit2")->setText(QStringLiteral("1,5")); },
         kNotNumericMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sink.shown.clear();
        fillLinear();
        DEFINEFUN target;
        target.name = "before";
        bool stayedOpen = false;
        const bool accepted = run(target, [&] {
            c.spoil(*this);
            button("SpeedButton2")->click();
            stayedOpen = form.isVisible();
            button("SpeedButton5")->click();
        });
        EXPECT_FALSE(accepted);
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown[0].text, c.message);
        EXPECT_EQ(target.name, "before");
    }
}

TEST_F(FunctionDialogWindow, HiddenRowsAreNotRead) {
    fillLinear();
    form.setRowText(2, "not a number");
    DEFINEFUN target;
    target.paramValues[2] = 4;
    EXPECT_TRUE(run(target, [this] { button("SpeedButton2")->click(); }));
    EXPECT_EQ(target.paramValues[2], 4);
    EXPECT_FALSE(edit("Edit3")->isVisibleTo(&form));
    EXPECT_FALSE(child<QLabel>(form, "Label3")->isVisibleTo(&form));
}

TEST_F(FunctionDialogWindow, SwatchPressPicksTheCurveColourUnlessCancelled) {
    std::optional<int> answer = typeset::rgb(0, 200, 0);
    int startedAt = -1;
    form.setColourChooser([&](int current, QWidget*) {
        startedAt = current;
        return answer;
    });
    auto* swatch = child<ColourSwatch>(form, "Shape1");
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(startedAt, document::kBlue);
    EXPECT_EQ(form.pickedColour, typeset::rgb(0, 200, 0));
    EXPECT_EQ(swatch->colour(), typeset::rgb(0, 200, 0));
    answer.reset();
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(form.pickedColour, typeset::rgb(0, 200, 0));
}

// ---------------------------------------------------------------- the commands through the real dialog

class DialogRoad : public FunctionDialogWindow {
protected:
    expr::Engine engine{sink};
    document::Document doc;
    GraphItemPainter painter;
    typeset::QtCanvas measuring;
    typeset::FormulaStyle style;
    CurveCommandContext ctx{engine, doc, painter, measuring, style, 800, {}};

    DialogRoad() { doc.view = document::ViewSettings::forSheet(800, 600); }

    CurveOutcome pressTemplate(const char* buttonName, std::function<void()> step) {
        QTimer::singleShot(0, &form, std::move(step));
        return templateButtonClick(ctx, form, *findTemplate(buttonName));
    }
};

TEST_F(DialogRoad, PowerTemplateShowsRowAWithHalfAndStoresIt) {
    bool onlyRowA = false;
    QString rowA;
    const CurveOutcome outcome = pressTemplate("SpeedButton4", [&] {
        onlyRowA = edit("Edit1")->isVisible() && !edit("Edit2")->isVisible() && !edit("Edit3")->isVisible();
        rowA = edit("Edit1")->text();
        button("SpeedButton2")->click();
    });
    ASSERT_EQ(outcome, CurveOutcome::Created);
    EXPECT_TRUE(onlyRowA);
    form.grab().save(QStringLiteral(QUORVEL_RENDER_DIR "/function-dialog.png"));
    EXPECT_EQ(rowA, QStringLiteral("0.5"));
    ASSERT_EQ(doc.curveCount(), 1);
    EXPECT_EQ(doc.curve(0).paramValues[0], 0.5);
    EXPECT_EQ(doc.curve(0).paramValues[1], 0);
    EXPECT_EQ(doc.curve(0).name, "幂函数");

    // The preview shows the typeset formula on the button face.
    const QImage& preview = form.previewImage();
    ASSERT_EQ(preview.size(), QSize(209, 49));
    const QRgb face = preview.pixel(0, 0);
    int inked = 0;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            inked += preview.pixel(x, y) != face;
    EXPECT_GT(inked, 20);
}

TEST_F(DialogRoad, WithoutTheDefaultFontTheCurveWaitsForAFontChoice) {
    const CurveOutcome outcome = pressTemplate("SpeedButton1", [&] {
        fonts()->setCurrentIndex(-1); // as if "Times New Roman" were not installed
        button("SpeedButton2")->click();
        EXPECT_EQ(doc.curveCount(), 0);
        fonts()->setCurrentIndex(0);
        button("SpeedButton2")->click();
    });
    EXPECT_EQ(outcome, CurveOutcome::Created);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, kNoFontMessage);
    EXPECT_EQ(doc.curve(0).labelFontName, fonts()->itemText(0).toStdString());
}

TEST_F(DialogRoad, ReopenedCurveEnablesTheDemonstrationWhichClosesWithoutApplying) {
    pressTemplate("SpeedButton7", [&] { button("SpeedButton2")->click(); });
    int started = 0;
    int startedFor = -1;
    form.setDemonstrationHandler([&] {
        ++started;
        startedFor = doc.currentCurve;
    });
    bool enabled = false;
    QString caption;
    QTimer::singleShot(0, &form, [&] {
        enabled = button("SpeedButton4")->isEnabled();
        caption = button("SpeedButton2")->text();
        edit("Edit1")->setText(QStringLiteral("5")); // not applied: the demonstration leaves without OK
        button("SpeedButton4")->click();
    });
    EXPECT_EQ(reopenTemplateCurve(ctx, form, 0), CurveOutcome::Cancelled);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(caption, QStringLiteral("修改"));
    EXPECT_EQ(started, 1);
    EXPECT_EQ(startedFor, 0);
    EXPECT_EQ(doc.curve(0).paramValues[0], 1);
    EXPECT_EQ(form.okCaption(), kNewCurveCaption);
}

} // namespace
} // namespace quorvel::graph
