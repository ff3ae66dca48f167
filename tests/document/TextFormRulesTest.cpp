#include "document/TextFormRules.h"
#include "DocTestUtil.h"
#include "document/DocumentText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quorvel::document;
using quorvel::document::testing::itemWithBox;
using quorvel::document::testing::remarkWith;

TEST(TextFormRules, WhichValuesFitWhere) {
    const struct {
        const char* value;
        bool inner, last, annotation;
    } cases[] = {
        {"", true, true, true},           {"Y=A*X", true, true, true},
        {"a##b", false, true, true},      {"#start", true, true, true},
        {"end#", false, true, true},      {"two\r\nlines", false, false, true},
        {"lf\nonly", false, false, true}, {"a##\r\nb", false, false, false},
        {"a\r\nb##", false, false, true}, {"a\nb##c\rd", false, false, false},
        {"中文##", false, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitsInnerField(c.value), c.inner) << c.value;
        EXPECT_EQ(fitsLastField(c.value), c.last) << c.value;
        EXPECT_EQ(fitsAnnotationText(c.value), c.annotation) << c.value;
        EXPECT_EQ(innerFieldProblem(c.value, "x").has_value(), !c.inner) << c.value;
        EXPECT_EQ(annotationTextProblem(c.value).has_value(), !c.annotation) << c.value;
    }
    EXPECT_EQ(*innerFieldProblem("a##b", "表达式"), "表达式中不能含有“##”,请修改！");
    EXPECT_EQ(toCrLf("a\nb\rc\r\nd\n"), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(TextFormRules, EveryValueThatFitsReadsBackUnchanged) {
    // The refusal rules are exactly the ones that keep the text form safe.
    for (const char* value : {"", "#start", "a#b", "中文", "x # y"}) {
        ASSERT_TRUE(fitsInnerField(value));
        Document doc;
        DEFINEFUN c;
        c.expression = value;
        c.labelFontName = value;
        c.paramCount = 2;
        c.paramNames[0] = value;
        c.paramNames[1] = value;
        doc.addCurve(c);
        Document read;
        ASSERT_TRUE(readDocumentText(writeDocumentText(doc), read)) << value;
        EXPECT_TRUE(read.curve(0).sameStoredFields(c)) << value;
    }
    // A refused value would not.
    Document doc;
    DEFINEFUN c;
    c.expression = "end#";
    doc.addCurve(c);
    Document read;
    readDocumentText(writeDocumentText(doc), read);
    EXPECT_FALSE(read.curveCount() == 1 && read.curve(0).expression == "end#");
}

TEST(TextFormRules, DocumentProblemNamesTheObject) {
    Document doc;
    EXPECT_FALSE(documentProblem(doc));
    doc.addRemark(remarkWith("fine"));
    doc.addRemark(remarkWith("bad##\r\nx"));
    const auto remarkProblemText = documentProblem(doc);
    ASSERT_TRUE(remarkProblemText);
    EXPECT_NE(remarkProblemText->find("第2个注释"), std::string::npos);
    doc.remark(1).text = "fixed";
    EXPECT_FALSE(documentProblem(doc));

    DEFINEFUN item = itemWithBox(0, 0, 1, 1);
    item.paramCount = 1;
    item.paramNames[0] = "A##";
    doc.addCurve(item);
    EXPECT_TRUE(documentProblem(doc));
    doc.curve(0).paramNames[0] = "A";
    doc.curve(0).paramValues[0] = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(documentProblem(doc));
    doc.curve(0).paramValues[0] = 1;
    doc.curve(0).name = "a\nb";
    EXPECT_TRUE(documentProblem(doc));
    doc.curve(0).name = "a##b";
    EXPECT_FALSE(documentProblem(doc));
    doc.view.unitX = std::nan("");
    EXPECT_TRUE(documentProblem(doc));
}
