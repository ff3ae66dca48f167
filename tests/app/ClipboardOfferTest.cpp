// What the system clipboard is offered for each kind of copied object.
#include "app/ClipboardOffer.h"
#include "graph/CurveDrawing.h"
#include "typeset/qt/QtCanvas.h"

#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::app {
namespace {

using document::DEFINEFUN;
using document::ObjectRef;

constexpr int kWidth = 800;
const QString kSvg = QStringLiteral("image/svg+xml");
const QString kMathml = QStringLiteral("application/mathml+xml");

class Offer : public ::testing::Test {
protected:
    std::shared_ptr<typeset::QtTextCache> cache = std::make_shared<typeset::QtTextCache>();
    document::Document doc;
    graph::GraphItemPainter painter;

    Offer() { doc.view = document::ViewSettings::forSheet(kWidth, 600); }

    // An item whose box is sized as the sheet sizes it.
    int addItem(int kind, const std::string& markup) {
        DEFINEFUN item;
        item.kind = kind;
        item.expression = markup;
        item.labelLeft = 20;
        item.labelTop = 30;
        typeset::QtCanvas measuring(cache);
        painter.sizeLabelBox(item, measuring);
        painter.labels().clear();
        doc.addCurve(std::move(item));
        return doc.curveCount() - 1;
    }
    // A curve with the value f(x) at every column.
    int addCurve(double (*f)(double)) {
        DEFINEFUN item;
        item.kind = document::KindCustomFunction;
        item.expression = "Y=f(X)";
        item.resizeSamples(kWidth + 1);
        for (int c = 0; c <= kWidth; ++c) {
            item.defined[static_cast<std::size_t>(c)] = 1;
            item.ys[static_cast<std::size_t>(c)] = f(doc.view.mathX(c));
        }
        doc.addCurve(std::move(item));
        return doc.curveCount() - 1;
    }
    std::unique_ptr<QMimeData> offer(ObjectRef target) { return clipboardOffer(doc, target, kWidth, cache); }
    static QImage image(const QMimeData& data) { return qvariant_cast<QImage>(data.imageData()); }
};

TEST_F(Offer, EachKindOffersItsFormats) {
    struct Row {
        const char* name;
        ObjectRef target;
        bool svg;
        QString text;
        const char* mathml; // what the MathML offer holds, or null for none
    };
    const int formula = addItem(document::KindFormulaPicture, "a/b+c");
    const int calculation = addItem(document::KindCalculation, "1+2=3");
    const int curve = addCurve([](double x) { return std::sin(x); });
    document::REMARK remark;
    remark.text = "第一行\r\nsecond";
    doc.addRemark(remark);

    const Row rows[] = {
        {"formula picture",
         {ObjectRef::Curve, formula},
         true,
         "a/b+c",
         "<mrow><mfrac><mi>a</mi><mi>b</mi></mfrac><mo>+</mo><mi>c</mi></mrow>"},
        {"calculation",
         {ObjectRef::Curve, calculation},
         true,
         "1+2=3",
         "<mrow><mrow><mn>1</mn><mo>+</mo><mn>2</mn></mrow><mo>=</mo><mn>3</mn></mrow>"},
        {"curve", {ObjectRef::Curve, curve}, false, "Y=f(X)", nullptr},
        {"annotation", {ObjectRef::Remark, 0}, true, QStringLiteral("第一行\nsecond"), nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto data = offer(row.target);
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(data->hasImage());
        EXPECT_FALSE(image(*data).isNull());
        EXPECT_EQ(data->hasFormat(kSvg), row.svg);
        if (row.svg) {
            EXPECT_TRUE(data->data(kSvg).contains("<svg"));
        }
        EXPECT_EQ(data->text(), row.text);
        EXPECT_EQ(data->hasFormat(kMathml), row.mathml != nullptr);
        if (row.mathml) {
            EXPECT_TRUE(data->data(kMathml).contains(row.mathml)) << data->data(kMathml).toStdString();
        }
    }
}

TEST_F(Offer, NothingForNoObjectOrAStaleSlot) {
    addItem(document::KindFormulaPicture, "a");
    EXPECT_EQ(offer({}), nullptr);
    EXPECT_EQ(offer({ObjectRef::Curve, 1}), nullptr);
    EXPECT_EQ(offer({ObjectRef::Curve, -1}), nullptr);
    EXPECT_EQ(offer({ObjectRef::Remark, 0}), nullptr);
}

TEST_F(Offer, FormulaPictureIsAsWideAsItsBox) {
    // Brackets the drawing adds get an allowance in the box; the picture keeps it.
    const int slot = addItem(document::KindFormulaPicture, "((a+b)*c)/(d+e)");
    const auto data = offer({ObjectRef::Curve, slot});
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(image(*data).width(), doc.curve(slot).boxWidth());
    EXPECT_TRUE(data->data(kSvg).contains(
        QStringLiteral("viewBox=\"0 0 %1 ").arg(doc.curve(slot).boxWidth()).toUtf8()));
}

TEST_F(Offer, FlatCurveGivesAOnePixelHighBitmap) {
    const auto data = offer({ObjectRef::Curve, addCurve([](double) { return 0.0; })});
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(image(*data).size(), QSize(kWidth, 1));
}

TEST_F(Offer, CurveHitByItsBoxOffersItsFormula) {
    const int slot = addCurve([](double x) { return x; });
    doc.curve(slot).expression = "Y=X";
    doc.curve(slot).labelRight = 77;
    const auto data = clipboardOffer(doc, {ObjectRef::Curve, slot}, ItemHit::Box, kWidth, cache);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat(kSvg));
    EXPECT_EQ(image(*data).width(), 77);
}

TEST_F(Offer, AnnotationPictureHoldsEveryLine) {
    document::REMARK remark;
    remark.text = "one\r\ntwo\r\nthree";
    remark.right = remark.bottom = 0; // never drawn yet
    doc.addRemark(remark);
    typeset::QtCanvas measuring(cache);
    measuring.setFontName(remark.font.name);
    measuring.setFontSize(remark.font.size);
    const int lineHeight = measuring.textHeight("temp");
    const auto data = offer({ObjectRef::Remark, 0});
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(image(*data).height(), 3 * lineHeight);
    EXPECT_EQ(image(*data).width(), measuring.textWidth("three"));
}

} // namespace
} // namespace quorvel::app
