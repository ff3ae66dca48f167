#include "CurveTestSupport.h"

#include "document/DocumentText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorvel::graph {
namespace {

using curvetest::curveItem;
using curvetest::kSheetWidth;
using curvetest::setParams;
using curvetest::standardView;
using document::DEFINEFUN;

class Sampling : public ::testing::Test {
protected:
    RecordingSink sink;
    expr::Engine engine{sink};
    document::ViewSettings view = standardView(); // origin (400, 300), 100 pixels per unit

    DEFINEFUN sampled(DEFINEFUN item, int width = kSheetWidth) {
        confirm_funvalue(engine, item, view, width);
        return item;
    }
    static int definedCount(const DEFINEFUN& item) {
        int n = 0;
        for (auto d : item.defined)
            n += d;
        return n;
    }
};

TEST_F(Sampling, LinearTemplateHasAValueAtEveryColumnIncludingTheLast) {
    DEFINEFUN item = curveItem("Y=A*X+B", document::KindTemplateFunction);
    setParams(item, {1, 0});
    item = sampled(item);
    ASSERT_EQ(item.sampleColumns(), kSheetWidth + 1);
    for (int j : {0, 1, 399, 400, 401, 650, kSheetWidth}) {
        SCOPED_TRACE(j);
        ASSERT_TRUE(item.hasValueAt(j));
        EXPECT_DOUBLE_EQ(item.xs[static_cast<std::size_t>(j)], (j - 400) / 100.0);
        EXPECT_DOUBLE_EQ(item.ys[static_cast<std::size_t>(j)], (j - 400) / 100.0);
    }
}

TEST_F(Sampling, ParametersOfTheItemAreUsedAndReplaceWhatTheTableHeld) {
    engine.variables.assign("A", 100);
    DEFINEFUN item = curveItem("Y=A*sin(B*X+C)", document::KindTemplateFunction);
    setParams(item, {2, 3, 0.5});
    item = sampled(item);
    for (int j : {0, 123, 400, 777}) {
        const double x = (j - 400) / 100.0;
        EXPECT_NEAR(item.ys[static_cast<std::size_t>(j)], 2 * std::sin(3 * x + 0.5), 1e-12) << j;
    }
    EXPECT_EQ(engine.variables.count(), 3);
}

TEST_F(Sampling, GapsWhereTheFormulaHasNoValueOrXLeavesTheDomain) {
    struct Case {
        const char* expression;
        double domainStart, domainEnd;
        std::vector<int> withValue, without;
        int count;
    };
    const Case cases[] = {
        {"Y=arcsin(X)", -9999, 9999, {300, 400, 500}, {299, 501}, 201}, // |x| <= 1 only
        {"Y =1/X+0", -9999, 9999, {399, 401}, {400}, 800},              // the pole
        {"Y=X*X", 0, 1, {400, 500}, {399, 501}, 101},                   // both ends of the domain
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        DEFINEFUN item = curveItem(c.expression);
        item.domainStart = c.domainStart;
        item.domainEnd = c.domainEnd;
        item = sampled(item);
        for (int j : c.withValue)
            EXPECT_TRUE(item.hasValueAt(j)) << j;
        for (int j : c.without)
            EXPECT_FALSE(item.hasValueAt(j)) << j;
        EXPECT_EQ(definedCount(item), c.count);
        EXPECT_DOUBLE_EQ(item.xs[600], 2); // every column knows its x
    }
}

TEST_F(Sampling, SheetsWiderThanTwoThousandColumnsAreSampledToTheirLastColumn) {
    view = document::ViewSettings::forSheet(5000, 600);
    DEFINEFUN item = sampled(curveItem("Y=X"), 5000);
    ASSERT_EQ(item.sampleColumns(), 5001);
    EXPECT_TRUE(item.hasValueAt(5000));
    EXPECT_DOUBLE_EQ(item.ys[5000], 25);
    // A narrower sheet later shrinks the buffers again.
    item = sampled(item, 100);
    EXPECT_EQ(item.sampleColumns(), 101);
    item = sampled(item, -5);
    EXPECT_EQ(item.sampleColumns(), 1);
}

TEST_F(Sampling, ResamplingClearsColumnsThatLostTheirValue) {
    DEFINEFUN item = sampled(curveItem("Y=X"));
    ASSERT_TRUE(item.hasValueAt(100));
    item.domainStart = 0;
    item = sampled(item);
    EXPECT_FALSE(item.hasValueAt(100));
}

TEST_F(Sampling, ValuesThatAreNotFiniteGiveNoPoint) {
    view.unitX = 0.1; // column 0 is x = -4000
    DEFINEFUN item = sampled(curveItem("Y=sh(X)"));
    EXPECT_FALSE(item.hasValueAt(0));
    EXPECT_TRUE(item.hasValueAt(400));
    for (int j = 0; j <= kSheetWidth; ++j) {
        if (item.hasValueAt(j)) {
            ASSERT_TRUE(std::isfinite(item.ys[static_cast<std::size_t>(j)])) << j;
        }
    }
}

TEST_F(Sampling, PicturesAndCalculationsAreNotEvaluated) {
    for (int kind : {document::KindCalculation, document::KindFormulaPicture}) {
        DEFINEFUN item = sampled(curveItem("fac(2.5)+X", kind));
        EXPECT_EQ(definedCount(item), 0) << kind;
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(Sampling, TextsTheParserRefusesGiveACurveWithoutPoints) {
    DEFINEFUN item = sampled(curveItem(std::string(2000, '(') + "X"));
    EXPECT_EQ(item.sampleColumns(), kSheetWidth + 1);
    EXPECT_EQ(definedCount(item), 0);
    item = sampled(curveItem(""));
    EXPECT_EQ(definedCount(item), 0);
}

TEST_F(Sampling, NaturalNumberMessageShowsOncePerCommandNotPerColumn) {
    DEFINEFUN item = sampled(curveItem("Y=fac(2.5)+X"));
    EXPECT_EQ(definedCount(item), 0);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "输入有误");

    // Each complaining curve says why once; the program's sink keeps a repeat to once per command.
    RecordingSink shown;
    OncePerCommandSink once(shown);
    expr::Engine program(once);
    document::Document doc;
    doc.view = view;
    doc.addCurve(curveItem("Y=fac(2.5)"));
    doc.addCurve(curveItem("Y=fac(X+0.5)"));
    resampleAll(program, doc, kSheetWidth);
    EXPECT_EQ(shown.shown.size(), 1u);
}

TEST_F(Sampling, ReadingADocumentSamplesEveryItemThroughTheHookAndSpeaksOnce) {
    document::Document source;
    source.view = view;
    source.addCurve(curveItem("Y=fac(2.5)*X"));
    source.addCurve(curveItem("Y=fac(1.5)+X"));
    DEFINEFUN sine = curveItem("Y=A*sin(B*X+C)", document::KindTemplateFunction);
    setParams(sine, {1, 1, 0});
    source.addCurve(sine);
    const std::string text = document::writeDocumentText(source);

    OncePerCommandSink once(sink);
    expr::Engine program(once);
    document::Document doc;
    document::readDocumentText(text, doc, resampleHook(program, doc.view, kSheetWidth));
    ASSERT_EQ(doc.curveCount(), 3);
    EXPECT_EQ(doc.curve(2).sampleColumns(), kSheetWidth + 1);
    EXPECT_NEAR(doc.curve(2).ys[500], std::sin(1.0), 1e-12);
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(Sampling, PanShiftsTheSamplesAndEvaluatesOnlyTheNewColumns) {
    DEFINEFUN moved = curveItem("Y=cub(X,2)-X");
    moved = sampled(moved);
    for (int dx : {7, -13, 1, -1}) {
        SCOPED_TRACE(dx);
        view.originX += dx;
        shiftSamples(engine, moved, view, kSheetWidth, dx);
        const DEFINEFUN fresh = sampled(curveItem("Y=cub(X,2)-X"));
        ASSERT_EQ(moved.sampleColumns(), fresh.sampleColumns());
        for (int j = 0; j <= kSheetWidth; ++j) {
            ASSERT_EQ(moved.defined[static_cast<std::size_t>(j)], fresh.defined[static_cast<std::size_t>(j)])
                << j;
            ASSERT_NEAR(moved.ys[static_cast<std::size_t>(j)], fresh.ys[static_cast<std::size_t>(j)], 1e-9)
                << j;
        }
    }
}

// Refined branch ends follow a pan exactly as a full resample finds them, on both sides of each pole.
TEST_F(Sampling, PanKeepsTheRefinedBranchEndsOfAFullResample) {
    view.unitX = view.unitY = view.unitCommon = 50;
    DEFINEFUN moved = sampled(curveItem("Y=tg(X)"));
    for (int dx : {7, -13, 1, -1, 60}) {
        SCOPED_TRACE(dx);
        view.originX += dx;
        shiftSamples(engine, moved, view, kSheetWidth, dx);
        const DEFINEFUN fresh = sampled(curveItem("Y=tg(X)"));
        ASSERT_GE(fresh.branchEnds.size(), 4u);
        ASSERT_EQ(moved.branchEnds.size(), fresh.branchEnds.size());
        for (std::size_t i = 0; i < fresh.branchEnds.size(); ++i) {
            EXPECT_EQ(moved.branchEnds[i].column, fresh.branchEnds[i].column) << i;
            EXPECT_EQ(moved.branchEnds[i].side, fresh.branchEnds[i].side) << i;
            EXPECT_NEAR(moved.branchEnds[i].path.back(), fresh.branchEnds[i].path.back(), 1e-6) << i;
        }
    }
}

} // namespace
} // namespace quorvel::graph
