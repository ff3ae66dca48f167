#include "PlotterFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace quorvel::graph {
namespace {

using document::DEFINEFUN;

template <typename T> T* child(QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// Runs step once window is up in its modal loop (the demonstration opens only after the function editing
// dialog's loop has ended); gives up after a while so that a window that never shows fails the test.
void whenShown(QWidget* window, std::function<void()> step, int triesLeft = 400) {
    QTimer::singleShot(5, window, [window, step = std::move(step), triesLeft]() mutable {
        if (window->isVisible())
            step();
        else if (triesLeft > 0)
            whenShown(window, std::move(step), triesLeft - 1);
        else
            ADD_FAILURE() << window->objectName().toStdString() << " never showed";
    });
}

class Demonstration : public testing::PlotterFixture {
protected:
    TForm4& form = plotter.form4();

    // Makes a template curve with the dialog's starting values; returns its slot.
    int makeCurve(const char* button) {
        whenShown(&plotter.form3(),
                  [this] { child<QPushButton>(plotter.form3(), QStringLiteral("SpeedButton2"))->click(); });
        EXPECT_EQ(run(plotter.templateButtonClick(button)), change::kEdit);
        return doc.curveCount() - 1;
    }

    // Opens the demonstration for slot, runs step in it and closes it.
    void demonstrate(int slot, std::function<void()> step) {
        whenShown(&form, [this, step = std::move(step)] {
            step();
            form.close();
        });
        (void)run(plotter.openDemonstration(slot));
    }

    QSlider* trackBar(int row) { return child<QSlider>(form, QStringLiteral("TrackBar%1").arg(row)); }
    QLineEdit* stepEdit(int row) { return child<QLineEdit>(form, QStringLiteral("Edit%1").arg(row)); }
    QLabel* label(int n) { return child<QLabel>(form, QStringLiteral("Label%1").arg(n)); }
    QRadioButton* radio(int n) { return child<QRadioButton>(form, QStringLiteral("RadioButton%1").arg(n)); }
};

TEST_F(Demonstration, RowsFollowTheParameterCount) {
    const int power = makeCurve("SpeedButton4");
    const int linear = makeCurve("SpeedButton1");
    const int arcsine = makeCurve("SpeedButton11");
    auto shownRows = [this] {
        QString shown;
        for (int row = 1; row <= 3; ++row)
            shown += QStringLiteral("%1%2%3%4 ")
                         .arg(label(row)->isVisible())
                         .arg(trackBar(row)->isVisible())
                         .arg(stepEdit(row)->isVisible())
                         .arg(label(row + 3)->isVisible());
        return shown;
    };

    QString rows, nameA, valueA;
    demonstrate(power, [&] {
        rows = shownRows();
        nameA = label(1)->text();
        valueA = label(4)->text();
    });
    EXPECT_EQ(rows, QStringLiteral("1111 0000 0000 "));
    EXPECT_EQ(nameA, QStringLiteral("A"));
    EXPECT_EQ(valueA, QStringLiteral("0.5"));

    QString nameB;
    demonstrate(linear, [&] {
        rows = shownRows();
        nameB = label(2)->text();
        form.grab().save(QStringLiteral(QUORVEL_RENDER_DIR "/demonstration-dialog.png"));
    });
    EXPECT_EQ(rows, QStringLiteral("1111 1111 0000 "));
    EXPECT_EQ(nameB, QStringLiteral("B"));

    demonstrate(arcsine, [&] { rows = shownRows(); }); // no parameters: only row A's name
    EXPECT_EQ(rows, QStringLiteral("1000 0000 0000 "));
}

TEST_F(Demonstration, SliderStepsFollowTheCurveAndKeepingIsOneUndoStep) {
    const int sine = makeCurve("SpeedButton7"); // A = 1, B = 1, C = 0
    const int column = 330;
    const double x = doc.curve(sine).xs[column];
    const int historyBefore = history;
    const int redrawsBefore = redraws;

    QStringList shownValues;
    demonstrate(sine, [&] {
        for (int position = 51; position <= 60; ++position) {
            trackBar(1)->setValue(position);
            shownValues << label(4)->text();
        }
    });
    EXPECT_EQ(shownValues.join(QLatin1Char(' ')), QStringLiteral("1.1 1.2 1.3 1.4 1.5 1.6 1.7 1.8 1.9 2"));
    EXPECT_DOUBLE_EQ(doc.curve(sine).paramValues[0], 2);
    EXPECT_NEAR(doc.curve(sine).ys[column], 2 * std::sin(x), 1e-12);
    EXPECT_GE(redraws - redrawsBefore, 10);
    EXPECT_EQ(history - historyBefore, 1);
    EXPECT_EQ(trackBar(1)->value(), 50);
    EXPECT_TRUE(sink.shown.empty());

    // The next opening starts from the kept value, with the sliders in the middle again.
    demonstrate(sine, [&] { trackBar(1)->setValue(45); });
    EXPECT_DOUBLE_EQ(doc.curve(sine).paramValues[0], 1.5);
    EXPECT_EQ(history - historyBefore, 2);
}

TEST_F(Demonstration, NotKeepingRestoresAndRedrawsWithoutHistory) {
    const int sine = makeCurve("SpeedButton7");
    const int column = 330;
    const double before = doc.curve(sine).ys[column];
    const int historyBefore = history;

    double during = 0;
    int redrawsAtClose = 0;
    demonstrate(sine, [&] {
        radio(2)->setChecked(true);
        stepEdit(2)->setText(QStringLiteral("0.5"));
        trackBar(1)->setValue(40); // ten steps at once: A = 0
        trackBar(2)->setValue(52); // B = 2
        during = doc.curve(sine).ys[column];
        redrawsAtClose = redraws;
    });
    EXPECT_EQ(during, 0);
    EXPECT_EQ(doc.curve(sine).paramValues[0], 1);
    EXPECT_EQ(doc.curve(sine).paramValues[1], 1);
    EXPECT_EQ(doc.curve(sine).ys[column], before);
    EXPECT_GT(redraws, redrawsAtClose);
    EXPECT_EQ(history, historyBefore);

    // The radio choice and the step edits carry over to the next use.
    bool stillNotKeeping = false;
    QString step;
    demonstrate(sine, [&] {
        stillNotKeeping = radio(2)->isChecked();
        step = stepEdit(2)->text();
    });
    EXPECT_TRUE(stillNotKeeping);
    EXPECT_EQ(step, QStringLiteral("0.5"));
    EXPECT_EQ(history, historyBefore);
}

TEST_F(Demonstration, AStepThatIsNoNumberIsRefusedAndTheNextChangeAppliesTheWholeDistance) {
    const int sine = makeCurve("SpeedButton7");
    const std::vector<double> samples = doc.curve(sine).ys;
    double valueAfterRefusal = 0;
    bool samplesKept = false;
    QString labelAfterRefusal;
    demonstrate(sine, [&] {
        stepEdit(1)->setText(QStringLiteral("x"));
        trackBar(1)->setValue(55);
        valueAfterRefusal = doc.curve(sine).paramValues[0];
        samplesKept = doc.curve(sine).ys == samples;
        labelAfterRefusal = label(4)->text();
        stepEdit(1)->setText(QStringLiteral("0.1"));
        trackBar(1)->setValue(56);
    });
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, kStepNotNumberMessage);
    EXPECT_EQ(sink.shown[0].caption, "提示");
    EXPECT_EQ(valueAfterRefusal, 1);
    EXPECT_TRUE(samplesKept);
    EXPECT_EQ(labelAfterRefusal, QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(doc.curve(sine).paramValues[0], 1.6);
}

TEST_F(Demonstration, TheFunctionDialogsButtonOpensItForAReopenedCurveOnly) {
    bool enabledForNew = true;
    whenShown(&plotter.form3(), [&] {
        enabledForNew = child<QPushButton>(plotter.form3(), QStringLiteral("SpeedButton4"))->isEnabled();
        child<QPushButton>(plotter.form3(), QStringLiteral("SpeedButton2"))->click();
    });
    (void)run(plotter.templateButtonClick("SpeedButton1"));
    EXPECT_FALSE(enabledForNew);
    makeCurve("SpeedButton7");
    const int historyBefore = history;

    bool opened = false;
    whenShown(&plotter.form3(), [&] {
        child<QPushButton>(plotter.form3(), QStringLiteral("SpeedButton4"))->click();
        whenShown(&form, [&] {
            opened = label(3)->isVisible();
            trackBar(3)->setValue(55); // C = 0.5 on the sine curve
            form.close();
        });
    });
    EXPECT_EQ(run(plotter.reopenTemplateCurve(1)), change::kEdit); // the demonstration kept its values
    EXPECT_TRUE(opened);
    EXPECT_EQ(doc.currentCurve, 1);
    EXPECT_DOUBLE_EQ(doc.curve(1).paramValues[2], 0.5);
    EXPECT_EQ(doc.curve(0).paramValues[2], 0);
    EXPECT_EQ(history - historyBefore, 1);
}

TEST_F(Demonstration, ACalculationObjectIsRecomputedWhileItsSliderMoves) {
    DEFINEFUN calc;
    calc.kind = document::KindCalculation;
    calc.expression = "a*2=6";
    calc.paramCount = 1;
    calc.paramNames[0] = "a";
    calc.paramValues[0] = 3;
    doc.addCurve(calc);

    std::string during;
    QString name;
    int rightDuring = 0;
    demonstrate(0, [&] {
        name = label(1)->text();
        radio(2)->setChecked(true);
        trackBar(1)->setValue(60);
        during = doc.curve(0).expression;
        rightDuring = doc.curve(0).labelRight;
    });
    EXPECT_EQ(name, QStringLiteral("a"));
    EXPECT_EQ(during, "muw(a,2)=8");
    EXPECT_GT(rightDuring, 0);
    EXPECT_EQ(doc.curve(0).expression, "muw(a,2)=6"); // restored and recomputed
    EXPECT_EQ(doc.curve(0).paramValues[0], 3);
    EXPECT_EQ(engine.currentTree, nullptr);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(Demonstration, ASlotWithoutItemOpensNothing) {
    makeCurve("SpeedButton1");
    bool shown = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, &form, [&] {
        shown = shown || form.isVisible();
        form.close();
    });
    guard.start(1);
    doc.currentCurve = 7;
    (void)run(plotter.openDemonstration(doc.currentCurve));
    (void)run(plotter.openDemonstration(-1));
    (void)run(plotter.openDemonstration(1));
    EXPECT_FALSE(shown);
    EXPECT_EQ(history, 1);
}

} // namespace
} // namespace quorvel::graph
