#include "document/DocumentText.h"
#include "DocTestUtil.h"
#include "document/FieldReader.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

using namespace quorvel::document;
using quorvel::document::testing::crlfLines;
using quorvel::document::testing::itemWithBox;
using quorvel::document::testing::remarkWith;

namespace {

const std::string kView = crlfLines({"400##300", "100##100##100", "0##1##0"});
const std::string kDefaultFont = "134##-2147483640##-12##0##9##0##0##0##0##宋体";

Document docWithRemark(const std::string& text) {
    Document doc;
    doc.view = ViewSettings::forSheet(800, 600);
    doc.addRemark(remarkWith(text, 10, 20));
    return doc;
}

// Writes, reads back into a fresh document and returns the text read.
std::string remarkRoundTrip(const std::string& text) {
    Document read;
    EXPECT_TRUE(readDocumentText(writeDocumentText(docWithRemark(text)), read));
    EXPECT_EQ(read.remarkCount(), 1);
    return read.remarkCount() == 1 ? read.remark(0).text : std::string("<missing>");
}

} // namespace

TEST(DocumentText, EmptyDocumentIsFiveLines) {
    Document doc;
    doc.view = ViewSettings::forSheet(800, 600);
    EXPECT_EQ(writeDocumentText(doc), kView + crlfLines({"0", "0"}));
}

TEST(DocumentText, ViewNumbersUseTheGeneralForm) {
    Document doc;
    doc.view.originX = 283.5;
    doc.view.originY = -0.5;
    doc.view.unitCommon = 1e20;
    doc.view.unitX = 1e-6;
    doc.view.unitY = 0.1 + 0.2;
    doc.view.gridKind = GridPolar;
    doc.view.axesShown = 0;
    doc.view.gridShown = 1;
    EXPECT_EQ(writeDocumentText(doc), crlfLines({"283.5##-0.5", "1E20##1E-6##0.3", "2##0##1", "0", "0"}));
}

TEST(DocumentText, AnnotationLinesFollowTheLayout) {
    const struct {
        const char* text;
        std::string lines; // what follows the header line
    } cases[] = {
        {"abc", "abc##\r\n"},
        {"a\r\n\r\nb", "a\r\n\r\nb##\r\n"},
        {"abc\r\n", "abc\r\n##\r\n"},
        {"", "##\r\n"},
        {"x##y", "x##y##\r\n"},
        {"ends with #", "ends with ###\r\n"},
        {"lone\nfeed", "lone\r\nfeed##\r\n"},
    };
    for (const auto& c : cases) {
        const std::string expected =
            kView + crlfLines({"1", "10##20##40##32##" + kDefaultFont}) + c.lines + crlfLines({"0"});
        EXPECT_EQ(writeDocumentText(docWithRemark(c.text)), expected) << c.text;
    }
}

TEST(DocumentText, AnnotationTextsReadBackUnchanged) {
    for (const char* text :
         {"abc", "a\r\n\r\nb", "abc\r\n", "", "x##y", "中文 ## 注释", "#", "a#\r\n#b", "\r\n\r\n"})
        EXPECT_EQ(remarkRoundTrip(text), text);
    // Lone line feeds come back as CR LF, the form documents keep.
    EXPECT_EQ(remarkRoundTrip("1\n2\r3"), "1\r\n2\r\n3");
}

TEST(DocumentText, SeparatorInAnEarlierAnnotationLineEndsTheTextEarly) {
    // The text form has no escape: this is why such texts are refused where they are entered.
    Document read;
    const ReadResult r = readDocumentText(writeDocumentText(docWithRemark("x##y\r\nz")), read);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(read.remarkCount(), 1);
    EXPECT_EQ(read.remark(0).text, "x#"); // the line less its last two characters
    EXPECT_EQ(r.errorLine, 7);            // "z##" is misread as the graph item count
}

TEST(DocumentText, GraphItemLinesFollowTheLayout) {
    Document doc;
    doc.view = ViewSettings::forSheet(800, 600);
    DEFINEFUN c = itemWithBox(0, 120, 145, 170, "Y=A*sin(B*X+C)");
    c.kind = KindTemplateFunction;
    c.domainStart = -9999;
    c.domainEnd = 2.5;
    c.thickLine = 1;
    c.labelColours = {255, 0, 16711680, -2147483640, 32768, 8421504};
    c.colour = kBlue;
    c.name = "名称##带分隔";
    c.paramCount = 3;
    c.paramNames[0] = "A";
    c.paramNames[1] = "B";
    c.paramNames[2] = "C";
    c.paramValues = {1, -0.5, 1e20};
    doc.addCurve(c);
    DEFINEFUN bare;
    doc.addCurve(bare);
    const std::string expected =
        kView +
        crlfLines(
            {"0", "2",
             "0##120##145##170##3##-9999##2.5##1##16##Times New Roman##Y=A*sin(B*X+C)##255##0##16711680##"
             "-2147483640##32768##8421504##16711680##名称##带分隔",
             "3##A##1##B##-0.5##C##1E20##",
             "0##0##0##0##0##-9999##9999##0##16##Times New Roman####0##0##0##"
             "0##0##0##0##",
             "0##"});
    EXPECT_EQ(writeDocumentText(doc), expected);

    Document read;
    int resampled = 0;
    ASSERT_TRUE(readDocumentText(expected, read, [&](DEFINEFUN& item) {
        ++resampled;
        item.resizeSamples(3000); // sheets wider than 2048 pixels
    }));
    EXPECT_EQ(resampled, 2);
    ASSERT_EQ(read.curveCount(), 2);
    EXPECT_TRUE(read.curve(0).sameStoredFields(c));
    EXPECT_EQ(read.curve(0).name, "名称##带分隔");
    EXPECT_EQ(read.curve(0).sampleColumns(), 3000);
    EXPECT_TRUE(read.curve(1).sameStoredFields(bare));
}

TEST(DocumentText, WritingClampsAnOutOfRangeParameterCount) {
    Document doc;
    DEFINEFUN c;
    c.paramCount = 250;
    doc.addCurve(c);
    Document read;
    ASSERT_TRUE(readDocumentText(writeDocumentText(doc), read));
    EXPECT_EQ(read.curve(0).paramCount, kMaxParams);
    c.paramCount = -4;
    doc.curve(0) = c;
    ASSERT_TRUE(readDocumentText(writeDocumentText(doc), read));
    EXPECT_EQ(read.curve(0).paramCount, 0);
}

TEST(DocumentText, ViewLineThreeIsReadAsTruncatedNumbers) {
    const struct {
        const char* line;
        int grid, axes, shown;
    } cases[] = {
        {"1.0##1##0", 1, 1, 0},
        {"2.9##-0.7##1E0", 2, 0, 1},
        {" 1 ##0## 1", 1, 0, 1},
    };
    for (const auto& c : cases) {
        Document doc;
        ASSERT_TRUE(readDocumentText(crlfLines({"1##2", "3##4##5", c.line, "0", "0"}), doc)) << c.line;
        EXPECT_EQ(doc.view.gridKind, c.grid) << c.line;
        EXPECT_EQ(doc.view.axesShown, c.axes) << c.line;
        EXPECT_EQ(doc.view.gridShown, c.shown) << c.line;
    }
}

TEST(DocumentText, MalformedTextsStopWithTheLineThatFailed) {
    const struct {
        std::string text;
        int errorLine;
        int remarks;
        int curves;
    } cases[] = {
        {"", 1, 0, 0},
        {crlfLines({"abc##1"}), 1, 0, 0},
        {crlfLines({"1##2##3"}), 1, 0, 0}, // the last field is the rest of the line
        {crlfLines({"1##2", "1##1"}), 2, 0, 0},
        {crlfLines({"1##2", "1##1##1", "1##1"}), 3, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##1E20"}), 3, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "-1"}), 4, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "1.5"}), 4, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "2", "1##2##3##4##" + kDefaultFont, "ok##", "x"}), 7, 1, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "1", "1##2##3##4##134##0##0##0##9##0##0##0", "t##"}), 5, 0,
         0},
        {crlfLines(
             {"1##2", "1##1##1", "0##1##0", "1", "1##2##3##4##" + kDefaultFont, "no end", "still none"}),
         8, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "0", "9"}), 6, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "0", "1",
                    "0##0##0##0##2##a##1##0##16##F##E##0##0##0##0##0##0##0##n", "0##"}),
         6, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "0", "1",
                    "0##0##0##0##2##1##1##0##16##F##E##0##0##0##0##0##0##0##n", "101##"}),
         7, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "0", "1",
                    "0##0##0##0##2##1##1##0##16##F##E##0##0##0##0##0##0##0##n", "1##A##"}),
         7, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "0", "2",
                    "0##0##0##0##2##1##1##0##16##F##E##0##0##0##0##0##0##0##n", "0",
                    "0##0##0##0##2##1##1##0##16##F##E##0##0##0##0##0##0##0##n", "0##"}),
         7, 0, 0},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "0", "2",
                    "0##0##0##0##2##1##1##0##16##F##E##0##0##0##0##0##0##0##n", "0##"}),
         8, 0, 1},
        {crlfLines({"1##2", "1##1##1", "0##1##0", "0", "1",
                    "0##0##0##0##2##1##1##0##16##F##E##0##0##0##0##0##0##99999999999##n", "0##"}),
         6, 0, 0},
    };
    for (const auto& c : cases) {
        Document doc;
        int resampled = 0;
        const ReadResult r = readDocumentText(c.text, doc, [&](DEFINEFUN&) { ++resampled; });
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_FALSE(r.detail.empty()) << c.text;
        EXPECT_EQ(r.errorLine, c.errorLine) << c.text;
        // The counts always equal the objects completely read.
        EXPECT_EQ(doc.remarkCount(), c.remarks) << c.text;
        EXPECT_EQ(doc.curveCount(), c.curves) << c.text;
        EXPECT_EQ(resampled, c.curves) << c.text;
    }
}

TEST(DocumentText, CurvesOfThePlaneReadBackExactly) {
    Document doc;
    doc.view = ViewSettings::forSheet(800, 600);
    const std::pair<int, const char*> kinds[] = {
        {KindParametric, "lak(2,x=A*cos(t);y=sin(t))"},
        {KindPolar, "r=1+2*cos(θ)"},
        {KindImplicit, "x^2/4+y^2/9=1"},
        {KindRegion, "lak(3,x+y<=2;x>=0;y>=0)"},
    };
    for (const auto& [kind, expression] : kinds) {
        DEFINEFUN c = itemWithBox(0, 0, 50, 30, expression);
        c.kind = kind;
        c.domainStart = kind == KindParametric ? 0 : -9999;
        c.domainEnd = kind == KindParametric ? 6.28318530717959 : 9999;
        c.paramCount = 1;
        c.paramNames[0] = "A";
        c.paramValues[0] = 2;
        doc.addCurve(c);
    }
    const std::string text = writeDocumentText(doc);
    Document read;
    ASSERT_TRUE(readDocumentText(text, read));
    ASSERT_EQ(read.curveCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(read.curve(i).sameStoredFields(doc.curve(i))) << i;
    EXPECT_EQ(writeDocumentText(read), text);
}

TEST(DocumentText, AnItemOfUnknownKindRefusesTheText) {
    for (const char* kind : {"1", "9", "-2", "100"}) {
        const std::string text = crlfLines(
            {"1##2", "1##1##1", "0##1##0", "0", "2",
             "0##0##0##0##2##1##1##0##16##F##E##0##0##0##0##0##0##0##n", "0##",
             std::string("0##0##0##0##") + kind + "##1##1##0##16##F##E##0##0##0##0##0##0##0##n", "0##"});
        Document doc;
        const ReadResult r = readDocumentText(text, doc);
        EXPECT_FALSE(r.ok) << kind;
        EXPECT_TRUE(r.unknownKind) << kind;
        EXPECT_EQ(r.errorLine, 8) << kind;
        EXPECT_STREQ(r.refusalMessage(), kUnknownKindMessage);
    }
}

TEST(DocumentText, FailedReadKeepsWhatWasReadBefore) {
    Document doc;
    doc.resetForOpen(640, 480);
    doc.view.axesShown = 0;
    const ReadResult bad = readDocumentText(crlfLines({"12##34", "50##60##oops"}), doc);
    EXPECT_FALSE(bad);
    EXPECT_EQ(doc.view.originX, 12);
    EXPECT_EQ(doc.view.originY, 34);
    EXPECT_EQ(doc.view.unitCommon, 50);
    EXPECT_EQ(doc.view.unitX, 60);
    EXPECT_EQ(doc.view.unitY, 100);
    EXPECT_EQ(doc.view.axesShown, 0);
}

TEST(DocumentText, ReadingReplacesObjectsButKeepsTheClipboard) {
    Document doc;
    doc.addCurve(itemWithBox(0, 0, 5, 5, "old"));
    doc.addRemark(remarkWith("old"));
    doc.copyCurveToClipboard(0);
    ASSERT_TRUE(readDocumentText(writeDocumentText(docWithRemark("new")), doc));
    EXPECT_EQ(doc.curveCount(), 0);
    ASSERT_EQ(doc.remarkCount(), 1);
    EXPECT_EQ(doc.remark(0).text, "new");
    ASSERT_NE(doc.clipboardCurve(), nullptr);
    EXPECT_EQ(doc.clipboardCurve()->expression, "old");
}

TEST(DocumentText, MoreThan999ObjectsAreCut) {
    std::string text = crlfLines({"0##0", "100##100##100", "0##1##0", "1001"});
    for (int j = 0; j < 1001; ++j)
        text += crlfLines({"0##0##1##1##" + kDefaultFont, "note " + std::to_string(j) + "##"});
    text += crlfLines({"1000"});
    for (int i = 0; i < 1000; ++i)
        text += crlfLines(
            {"0##0##1##1##2##-9999##9999##0##16##F##Y=" + std::to_string(i) + "##0##0##0##0##0##0##0##",
             "0##"});
    Document doc;
    int resampled = 0;
    const ReadResult r = readDocumentText(text, doc, [&](DEFINEFUN&) { ++resampled; });
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.cut);
    EXPECT_EQ(doc.remarkCount(), kMaxObjects);
    EXPECT_EQ(doc.curveCount(), kMaxObjects);
    EXPECT_EQ(resampled, kMaxObjects);
    EXPECT_EQ(doc.remark(998).text, "note 998");
    EXPECT_EQ(doc.curve(998).expression, "Y=998");
    // The cut document writes counts that match its objects.
    Document again;
    const ReadResult second = readDocumentText(writeDocumentText(doc), again);
    EXPECT_TRUE(second.ok);
    EXPECT_FALSE(second.cut);
}

TEST(DocumentText, ObjectsPastTheCutAreNotConverted) {
    // The extra annotations' headers do not convert and their text runs over lines; the extra graph
    // item is broken or missing. None of it is read: the result is the cut document, and the graph
    // items after the annotations still are read.
    const std::string brokenItem = crlfLines({"broken"});
    for (const std::string& tail : {brokenItem, std::string()}) {
        std::string text = crlfLines({"0##0", "100##100##100", "0##1##0", "1500"});
        for (int j = 0; j < 1500; ++j)
            text += j < kMaxObjects ? crlfLines({"0##0##1##1##" + kDefaultFont, "note##"})
                                    : crlfLines({"not##a##header", "line 1", "line 2 ##"});
        text += crlfLines({"1000"});
        for (int i = 0; i < kMaxObjects; ++i)
            text += crlfLines({"0##0##1##1##2##-9999##9999##0##16##F##Y=X##0##0##0##0##0##0##0##", "0##"});
        text += tail;
        Document doc;
        const ReadResult r = readDocumentText(text, doc);
        EXPECT_TRUE(r.ok) << r.detail << " at line " << r.errorLine;
        EXPECT_TRUE(r.cut);
        EXPECT_EQ(doc.remarkCount(), kMaxObjects);
        EXPECT_EQ(doc.curveCount(), kMaxObjects);
    }
    // Skipping still needs the extra annotations' lines to be there.
    std::string shortText = crlfLines({"0##0", "100##100##100", "0##1##0", "1000"});
    for (int j = 0; j < kMaxObjects; ++j)
        shortText += crlfLines({"0##0##1##1##" + kDefaultFont, "note##"});
    shortText += crlfLines({"header", "text without its end"});
    Document doc;
    const ReadResult r = readDocumentText(shortText, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorLine, 4 + 2 * kMaxObjects + 3);
}

TEST(DocumentText, LinesMaySplitAtAnyBreakAndTrailingTextIsIgnored) {
    Document doc;
    const std::string text =
        "1##2\n3##4##5\r6##0##1\r\n1\n0##0##0##0##" + kDefaultFont + "\nx\r\ny##\n0\nextra\n";
    ASSERT_TRUE(readDocumentText(text, doc));
    EXPECT_EQ(doc.view.gridKind, 6);
    EXPECT_EQ(doc.remark(0).text, "x\r\ny");
}

TEST(DocumentText, FunFileSkipsItsLeadingLine) {
    Document doc;
    doc.view = ViewSettings::forSheet(800, 600);
    doc.addRemark(remarkWith("中文"));
    const std::string file = funFileText(doc);
    EXPECT_EQ(file.substr(0, file.find("\r\n")), kFunFileLeadingLine);
    Document read;
    ASSERT_TRUE(readFunFileText("anything at all ## 1##2\r\n" + writeDocumentText(doc), read));
    EXPECT_EQ(read.remark(0).text, "中文");
    const ReadResult noBody = readFunFileText("only a leading line\r\n", read);
    EXPECT_FALSE(noBody.ok);
    EXPECT_EQ(noBody.errorLine, 2);
}

TEST(FieldReader, SplitsLinesLikeALineList) {
    const struct {
        const char* text;
        std::vector<std::string_view> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\rb\nc\r\n\nd", {"a", "b", "c", "", "d"}},
        {"a\n\r", {"a", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.text), c.lines) << c.text;
}

TEST(FieldReader, TakesFieldsUpToTheFirstSeparator) {
    FieldReader r("1###2####x##");
    EXPECT_EQ(r.take(), "1");
    EXPECT_EQ(r.take(), "#2");
    EXPECT_EQ(r.take(), "");
    EXPECT_EQ(r.take(), "x");
    EXPECT_EQ(r.rest(), "");
    EXPECT_EQ(r.take(), std::nullopt);

    EXPECT_EQ(toInt32("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(toInt32("2147483648"), std::nullopt);
    EXPECT_EQ(toInt32("1.0"), std::nullopt);
    EXPECT_EQ(toInt32(""), std::nullopt);
    EXPECT_EQ(toDouble("INF"), std::nullopt);
    EXPECT_EQ(toDouble("1E400"), std::nullopt);
    // The largest double is written rounded up past the range and must still read back.
    EXPECT_EQ(toDouble("1.79769313486232E308"), std::numeric_limits<double>::max());
    EXPECT_EQ(toDouble(" -1.79769313486232E308"), -std::numeric_limits<double>::max());
    EXPECT_EQ(toDouble("1.79769313486233E308"), std::nullopt);
    EXPECT_EQ(toTruncatedInt32("-2.99"), -2);
    EXPECT_EQ(toTruncatedInt32("3E9"), std::nullopt);
    EXPECT_EQ(truncToInt(-7.9), -7);
    EXPECT_EQ(clampedAdd(2147483647, 5), 2147483647);
}
