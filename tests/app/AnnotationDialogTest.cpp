// The annotation dialog and the font-with-colour dialog, driven as the user drives them.
#include "app/FontColourDialog.h"
#include "app/FontConversion.h"
#include "app/TForm6.h"
#include "base/MessageSink.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace quorvel::app {
namespace {

using document::FontSpec;
using document::REMARK;

// Runs act on the modal dialog once it is open (polling, since exec() shows it first).
void whenModal(std::function<void(QWidget*)> act, int triesLeft = 200) {
    QTimer::singleShot(5, [act = std::move(act), triesLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible())
            act(modal);
        else if (triesLeft > 0)
            whenModal(std::move(act), triesLeft - 1);
    });
}

template <class T = QPushButton> T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Chinese arrives committed by the input method.
void type(QWidget* w, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
}

void click(QWidget* w, const char* name) {
    if (auto* b = child(w, name)) QTest::mouseClick(b, Qt::LeftButton);
}

FontSpec boldTwenty() {
    FontSpec f;
    f.name = "黑体";
    f.height = -20;
    f.size = 0;
    f.bold = true;
    f.colour = 0x0000ff;
    return f;
}

class AnnotationDialog : public ::testing::Test {
protected:
    RecordingSink sink;
    TForm6 form6{sink};
    QPlainTextEdit* memo() { return form6.findChild<QPlainTextEdit*>(QStringLiteral("Memo1")); }
};

TEST_F(AnnotationDialog, NewTextComesBackWithCrLfInTheDefaultFont) {
    QString caption;
    bool memoFocused = false;
    QPoint corner;
    whenModal([&](QWidget* d) {
        corner = d->pos();
        caption = child(d, "BitBtn1")->text();
        memoFocused = d->focusWidget() == memo();
        type(memo(), QStringLiteral("第一行"));
        QTest::keyClick(memo(), Qt::Key_Return); // a line break, not OK
        type(memo(), QStringLiteral("第二行"));
        click(d, "BitBtn1");
    });
    const std::optional<REMARK> r = form6.execNew(QPoint(40, 30));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "第一行\r\n第二行");
    EXPECT_EQ(r->font, FontSpec::annotationDefault());
    EXPECT_EQ(caption, QStringLiteral("确定"));
    EXPECT_TRUE(memoFocused);
    EXPECT_EQ(corner, QPoint(40, 30));
    EXPECT_TRUE(memo()->toPlainText().isEmpty());
}

TEST_F(AnnotationDialog, CancelAndEmptyTextGiveNothingAndEmptyTheBox) {
    QRect placed;
    whenModal([&](QWidget* d) {
        placed = d->frameGeometry();
        type(memo(), QStringLiteral("草稿"));
        click(d, "BitBtn2");
    });
    EXPECT_FALSE(form6.execNew(QPoint(100000, 100000))); // far off: kept on the screen
    EXPECT_TRUE(memo()->toPlainText().isEmpty());
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(placed));

    whenModal([&](QWidget* d) { click(d, "BitBtn1"); });
    EXPECT_FALSE(form6.execNew(QPoint(0, 0)));

    // A request while open is refused and leaves the text being written alone.
    std::optional<REMARK> nested = REMARK{};
    whenModal([&](QWidget* d) {
        type(memo(), QStringLiteral("正在写"));
        nested = form6.execEdit(REMARK{});
        click(d, "BitBtn1");
    });
    const std::optional<REMARK> r = form6.execNew(QPoint(0, 0));
    EXPECT_FALSE(nested);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "正在写");
}

TEST_F(AnnotationDialog, EditKeepsItsOwnFontUnlessAnotherIsChosen) {
    REMARK remark;
    remark.text = "甲\r\n乙";
    remark.font = boldTwenty();

    QString caption, shown;
    whenModal([&](QWidget* d) {
        caption = child(d, "BitBtn1")->text();
        shown = memo()->toPlainText();
        type(memo(), QStringLiteral("丙"));
        click(d, "BitBtn1");
    });
    std::optional<REMARK> r = form6.execEdit(remark);
    ASSERT_TRUE(r);
    EXPECT_EQ(caption, QStringLiteral("修改"));
    EXPECT_EQ(shown, QStringLiteral("甲\n乙"));
    EXPECT_EQ(r->font, boldTwenty());

    // 设置字体 starts from the font shown; both the label and the button open the chooser.
    FontSpec chosen = FontSpec::annotationDefault();
    chosen.name = "楷体";
    chosen.italic = true;
    std::vector<FontSpec> offered;
    form6.setFontChooser([&](QWidget*, const FontSpec& start) {
        offered.push_back(start);
        return std::optional<FontSpec>(chosen);
    });
    whenModal([&](QWidget* d) {
        QTest::mouseClick(child<QWidget>(d, "Label1"), Qt::LeftButton);
        click(d, "BitBtn3");
        click(d, "BitBtn1");
    });
    r = form6.execEdit(remark);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->font, chosen);
    EXPECT_EQ(form6.lastChosenFont(), chosen);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0], boldTwenty());
    EXPECT_EQ(offered[1], chosen);

    // Emptied on edit: returned empty, so the caller can remove it.
    whenModal([&](QWidget* d) {
        memo()->clear();
        click(d, "BitBtn1");
    });
    r = form6.execEdit(remark);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->text.empty());
}

TEST_F(AnnotationDialog, TextTheFileCannotCarryIsRefusedAndTheDialogStays) {
    bool stillOpen = false;
    whenModal([&](QWidget* d) {
        memo()->setPlainText(QStringLiteral("a##\nb"));
        click(d, "BitBtn1");
        stillOpen = d->isVisible();
        memo()->setPlainText(QStringLiteral("a\nb##")); // "##" on the last line reads back
        click(d, "BitBtn1");
    });
    const std::optional<REMARK> r = form6.execNew(QPoint(0, 0));
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].caption, "提示");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "a\r\nb##");
}

TEST(FontConversion, StoredFontsSurviveTheQtRoundTrip) {
    struct Row {
        const char* name;
        int size;
        int height;
        bool bold, italic;
        int colour;
        int expectSize; // a pixel-only font gets its size at 96 dots per inch
    };
    const Row rows[] = {
        {"宋体", 9, -12, false, false, document::kWindowTextColour, 9},
        {"黑体", 20, -27, true, false, 0x0000ff, 20},
        {"Times New Roman", 12, -16, false, true, 0x00ff00, 12},
        {"楷体", 0, -20, true, true, 0xabcdef, 15},
    };
    for (const Row& row : rows) {
        FontSpec in;
        in.name = row.name, in.size = row.size, in.height = row.height;
        in.bold = row.bold, in.italic = row.italic, in.colour = row.colour;
        const QFont q = toQFont(in);
        if (row.size > 0)
            EXPECT_EQ(q.pointSize(), row.size) << row.name;
        else
            EXPECT_EQ(q.pixelSize(), -row.height) << row.name;
        const FontSpec out = fromQFont(q, row.colour);
        EXPECT_EQ(out.name, row.name);
        EXPECT_EQ(out.size, row.expectSize) << row.name;
        EXPECT_EQ(out.bold, row.bold) << row.name;
        EXPECT_EQ(out.italic, row.italic) << row.name;
        EXPECT_EQ(out.colour, row.colour) << row.name;
        EXPECT_EQ(out.charset, document::kCharsetGb2312);
    }
    EXPECT_EQ(fontColour(FontSpec{}), QApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(fontColour(boldTwenty()), QColor(255, 0, 0)); // red in the lowest byte
}

// The chooser lists installed faces only: confirming must not turn 宋体 or a pixel height into its nearest
// entry, while what the user changes is taken. Escape in the embedded chooser cancels the whole dialog.
TEST(FontColourDialogTest, KeepsWhatTheUserLeavesAndTakesWhatTheyChange) {
    const QString face = QFontDatabase::families().value(0);
    FontColourDialog dialog;
    auto* chooser = dialog.findChild<QFontDialog*>(QStringLiteral("FontChooser"));
    ASSERT_NE(chooser, nullptr);
    for (const FontSpec& start : {FontSpec::annotationDefault(), boldTwenty()}) {
        dialog.setFontSpec(start);
        whenModal([](QWidget* d) { click(d, "OkButton"); });
        ASSERT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(dialog.fontSpec(), start);
    }
    whenModal([&](QWidget* d) {
        QFont other(face);
        other.setPointSize(14);
        chooser->setCurrentFont(other);
        click(d, "OkButton");
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    const FontSpec got = dialog.fontSpec();
    EXPECT_EQ(QString::fromStdString(got.name), face);
    EXPECT_EQ(std::make_pair(got.size, got.height), std::make_pair(14, -19));
    EXPECT_EQ(got.colour, boldTwenty().colour);

    for (int round = 0; round < 2; ++round) {
        bool chooserShown = false;
        whenModal([&](QWidget*) {
            chooserShown = chooser->isVisible();
            QTest::keyClick(chooser->focusWidget() ? chooser->focusWidget() : chooser, Qt::Key_Escape);
        });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_TRUE(chooserShown) << round;
    }
}

} // namespace
} // namespace quorvel::app
