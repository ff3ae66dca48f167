#include "graph/AnnotationDrawing.h"

#include "document/AnnotationLayout.h"
#include "graph/CurveDrawing.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel::graph {

void applyAnnotationFont(typeset::Canvas& canvas, const document::FontSpec& font) {
    canvas.setFontName(font.name);
    if (font.size > 0)
        canvas.setFontSize(font.size);
    else
        canvas.setFontPixelHeight(static_cast<int>(std::min<long long>(std::llabs(font.height), 1 << 24)));
    canvas.setFontStyle(font.bold, font.italic, font.underline, font.strikeOut);
    canvas.setFontColor(font.colour);
}

int measureRemark(typeset::Canvas& canvas, document::REMARK& remark) {
    applyAnnotationFont(canvas, remark.font);
    const int lineHeight = canvas.textHeight("temp");
    document::measureAnnotation(remark, lineHeight,
                                [&canvas](std::string_view line) { return canvas.textWidth(line); });
    return lineHeight;
}

void measureRemarks(typeset::Canvas& canvas, document::Document& doc) {
    const std::string face = canvas.fontName();
    const int size = canvas.fontSize();
    for (int j = 0; j < doc.remarkCount(); ++j)
        (void)measureRemark(canvas, doc.remark(j));
    canvas.setFontName(face);
    canvas.setFontSize(size);
}

void Draw_remark(typeset::Canvas& canvas, document::Document& doc) {
    const std::string face = canvas.fontName();
    const int size = canvas.fontSize();
    for (int j = 0; j < doc.remarkCount(); ++j) {
        document::REMARK& remark = doc.remark(j);
        const int lineHeight = measureRemark(canvas, remark);
        if (doc.selection.incheck(doc.combinedOfRemark(j)) >= 0) {
            canvas.setBrush(kSelectedBoxColor, typeset::BrushStyle::Solid);
            canvas.fillRect({remark.left, remark.top, remark.right, remark.bottom});
        }
        canvas.setBrush(typeset::kWhite, typeset::BrushStyle::Clear);
        long long y = remark.top;
        for (const std::string_view line : document::annotationLines(remark.text)) {
            canvas.textOut(remark.left, static_cast<int>(std::clamp<long long>(y, -(1LL << 28), 1LL << 28)),
                           line);
            y += lineHeight;
        }
    }
    canvas.setFontName(face);
    canvas.setFontSize(size);
    canvas.setFontStyle(false, false, false, false);
}

} // namespace quorvel::graph
