#include "typeset/ui/Toutshezhiform.h"
#include "base/MessageSink.h"
#include "typeset/SystemColor.h"
#include "typeset/ui/ColorSwatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace quorvel::typeset {
namespace {

class ToutshezhiformTest : public ::testing::Test {
protected:
    RecordingSink sink;
    Toutshezhiform dialog{sink};

    QLineEdit* edit() { return dialog.findChild<QLineEdit*>("Edit1"); }
    QComboBox* combo() { return dialog.findChild<QComboBox*>("ComboBox1"); }
    ColorSwatch* swatch(const char* name) { return dialog.findChild<ColorSwatch*>(name); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(name); }

    FormulaStyle sampleStyle() {
        FormulaStyle s;
        s.colors = {rgb(1, 0, 0), rgb(2, 0, 0), rgb(3, 0, 0), rgb(4, 0, 0), rgb(5, 0, 0), kWindowTextColor};
        s.fontSize = 20;
        s.fontName = "Times New Roman";
        return s;
    }

    // Opens the dialog without blocking and presses OK with size typed into Edit1.
    bool confirmWithSize(const QString& size) {
        dialog.loadStyle(sampleStyle());
        dialog.show();
        edit()->setText(size);
        QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
        const bool closed = !dialog.isVisible();
        dialog.hide();
        return closed;
    }
};

TEST_F(ToutshezhiformTest, HasTheDesignedControls) {
    EXPECT_EQ(dialog.objectName(), "Toutshezhiform");
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("输出设置"));
    EXPECT_EQ(dialog.size(), QSize(188, 360));
    ASSERT_NE(edit(), nullptr);
    ASSERT_NE(combo(), nullptr);
    EXPECT_FALSE(combo()->isEditable());
    for (const char* name : {"Label7", "Label8", "Label9", "Label10", "Label11", "Label13"})
        EXPECT_NE(swatch(name), nullptr) << name;
    EXPECT_EQ(button("BitBtn1")->text(), QString::fromUtf8("确定"));
    EXPECT_EQ(button("BitBtn2")->text(), QString::fromUtf8("取消"));
    EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->text(), QString::fromUtf8("字体："));
    dialog.loadStyle(sampleStyle());
    dialog.show();
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(QUORVEL_RENDER_DIR "/Toutshezhiform.png")));
    dialog.hide();
}

TEST_F(ToutshezhiformTest, StartsWithTheDesignValues) {
    EXPECT_EQ(edit()->text(), "16");
    EXPECT_EQ(combo()->currentText(), "Times New Roman");
    EXPECT_GT(combo()->count(), 3);
    EXPECT_EQ(swatch("Label7")->color(), kBlack);
    EXPECT_EQ(swatch("Label8")->color(), kBlack);
    EXPECT_EQ(swatch("Label9")->color(), kWindowTextColor);
    EXPECT_EQ(swatch("Label13")->color(), kWindowTextColor);
}

TEST_F(ToutshezhiformTest, OpeningShowsTheStyle) {
    dialog.loadStyle(sampleStyle());
    EXPECT_EQ(edit()->text(), "20");
    EXPECT_EQ(combo()->currentText(), "Times New Roman");
    EXPECT_EQ(swatch("Label7")->color(), rgb(1, 0, 0));
    EXPECT_EQ(swatch("Label8")->color(), rgb(2, 0, 0));
    EXPECT_EQ(swatch("Label9")->color(), rgb(3, 0, 0));
    EXPECT_EQ(swatch("Label10")->color(), rgb(4, 0, 0));
    EXPECT_EQ(swatch("Label11")->color(), rgb(5, 0, 0));
    EXPECT_EQ(swatch("Label13")->color(), kWindowTextColor);
}

TEST_F(ToutshezhiformTest, ConfirmingWithoutChangesKeepsTheStyle) {
    EXPECT_TRUE(confirmWithSize("20"));
    EXPECT_EQ(dialog.result(), sampleStyle());
    EXPECT_TRUE(sink.shown.empty());
}

// The italic switch starts off, shows the style's setting and is stored with the style on OK only.
TEST_F(ToutshezhiformTest, ItalicVariablesTravelWithTheStyle) {
    auto* box = dialog.findChild<QCheckBox*>("CheckBox1");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isChecked());
    FormulaStyle italic = sampleStyle();
    italic.italicVariables = true;
    dialog.loadStyle(italic);
    EXPECT_TRUE(box->isChecked());
    box->setChecked(false);
    dialog.BitBtn2Click();
    EXPECT_TRUE(dialog.result().italicVariables) << "cancel keeps the style";
    dialog.loadStyle(sampleStyle());
    box->setChecked(true);
    dialog.BitBtn1Click();
    EXPECT_TRUE(dialog.result().italicVariables);
}

TEST_F(ToutshezhiformTest, RefusedSizesKeepTheDialogOpen) {
    struct Case {
        const char* size;
        const char* message;
    } cases[] = {{"", Toutshezhiform::kEmptySizeMessage},   {"12.5", Toutshezhiform::kBadSizeMessage},
                 {" 16", Toutshezhiform::kBadSizeMessage},  {"-3", Toutshezhiform::kBadSizeMessage},
                 {"1a", Toutshezhiform::kBadSizeMessage},   {"99999999999", Toutshezhiform::kBadSizeMessage},
                 {"0", Toutshezhiform::kSizeRangeMessage},  {"10000", Toutshezhiform::kSizeRangeMessage},
                 {"501", Toutshezhiform::kSizeRangeMessage}};
    for (const Case& c : cases) {
        sink.shown.clear();
        EXPECT_FALSE(confirmWithSize(QString::fromUtf8(c.size))) << c.size;
        ASSERT_EQ(sink.shown.size(), 1u) << c.size;
        EXPECT_EQ(sink.shown[0].text, c.message) << c.size;
        EXPECT_EQ(edit()->text(), QString::fromUtf8(c.size)) << "the contents stay as typed";
    }
    EXPECT_TRUE(confirmWithSize("500"));
    EXPECT_EQ(dialog.result().fontSize, 500);
    EXPECT_TRUE(confirmWithSize("007"));
    EXPECT_EQ(dialog.result().fontSize, 7);
}

TEST_F(ToutshezhiformTest, AFaceThatIsNotInstalledIsKept) {
    FormulaStyle style = sampleStyle();
    style.fontName = "No Such Face 4711";
    dialog.loadStyle(style);
    EXPECT_EQ(combo()->currentIndex(), -1) << "nothing selected";
    dialog.show();
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result().fontName, "No Such Face 4711");
}

TEST_F(ToutshezhiformTest, FaceMatchIsExact) {
    FormulaStyle style = sampleStyle();
    style.fontName = "times new roman";
    dialog.loadStyle(style);
    EXPECT_EQ(combo()->currentIndex(), -1);
}

TEST_F(ToutshezhiformTest, ChoosingAFaceStoresItAndPreviewsItOnTheCaption) {
    dialog.loadStyle(sampleStyle());
    const int index = combo()->findText(QString::fromUtf8("宋体"));
    ASSERT_GE(index, 0);
    combo()->setCurrentIndex(index);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->font().family(), QString::fromUtf8("宋体"));
    dialog.show();
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result().fontName, "宋体");
}

TEST_F(ToutshezhiformTest, SwatchesTakeTheChosenColourAndCancelKeepsThem) {
    std::vector<QColor> offered;
    std::optional<QColor> answer = QColor(10, 20, 30);
    dialog.setColorChooser([&](const QColor& initial) {
        offered.push_back(initial);
        return answer;
    });
    dialog.loadStyle(sampleStyle());
    dialog.show();
    QTest::mouseClick(swatch("Label10"), Qt::LeftButton);
    EXPECT_EQ(swatch("Label10")->color(), rgb(10, 20, 30));
    answer = std::nullopt;
    QTest::mouseClick(swatch("Label11"), Qt::LeftButton);
    EXPECT_EQ(swatch("Label11")->color(), rgb(5, 0, 0)) << "a cancelled colour dialog changes nothing";
    answer = QColor(40, 50, 60);
    QTest::mouseClick(swatch("Label13"), Qt::LeftButton);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[1], QColor(10, 20, 30)) << "the dialog starts from the colour chosen last";
    EXPECT_EQ(offered[2], QColor(10, 20, 30));
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    const TokenColors& c = dialog.result().colors;
    EXPECT_EQ(c.operatorColor, rgb(10, 20, 30));
    EXPECT_EQ(c.functionColor, rgb(5, 0, 0));
    EXPECT_EQ(c.labelColor, rgb(40, 50, 60));
    EXPECT_EQ(c.variableColor, rgb(1, 0, 0));
}

TEST_F(ToutshezhiformTest, SwatchShowsASystemColourThroughThePalette) {
    swatch("Label9")->setColor(kWindowTextColor);
    EXPECT_EQ(swatch("Label9")->palette().color(QPalette::Window),
              swatch("Label9")->palette().color(QPalette::Text));
}

TEST_F(ToutshezhiformTest, EditStyleWritesBackOnlyWhenConfirmed) {
    FormulaStyle style = sampleStyle();
    QTimer::singleShot(0, &dialog, [&] {
        edit()->setText("30");
        QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.editStyle(style));
    EXPECT_EQ(style, sampleStyle());

    QTimer::singleShot(0, &dialog, [&] {
        edit()->setText("30");
        QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.editStyle(style));
    EXPECT_EQ(style.fontSize, 30);
    EXPECT_EQ(style.colors, sampleStyle().colors);
}

} // namespace
} // namespace quorvel::typeset
