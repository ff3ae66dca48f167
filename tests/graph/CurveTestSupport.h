#pragma once

#include "RecordingCanvas.h"
#include "base/MessageSink.h"
#include "document/Document.h"
#include "expr/Engine.h"
#include "graph/CurveCommands.h"
#include "graph/CurveDrawing.h"
#include "graph/CurveSampler.h"

#include <functional>
#include <string>

namespace quorvel::curvetest {

// An 800 x 600 sheet with the origin in the middle and 100 pixels per unit.
inline document::ViewSettings standardView() {
    return document::ViewSettings::forSheet(800, 600);
}
inline constexpr int kSheetWidth = 800;

inline document::DEFINEFUN curveItem(const std::string& expression, int kind = document::KindCustomFunction) {
    document::DEFINEFUN item;
    item.kind = kind;
    item.expression = expression;
    item.colour = typeset::rgb(0, 128, 0);
    return item;
}

inline void setParams(document::DEFINEFUN& item, std::initializer_list<double> values) {
    int k = 0;
    for (double v : values) {
        item.paramNames[static_cast<std::size_t>(k)] =
            graph::kTemplateParamNames[static_cast<std::size_t>(k)];
        item.paramValues[static_cast<std::size_t>(k)] = v;
        ++k;
    }
    item.paramCount = k;
}

// The function editing dialog as a script: it keeps what the command writes into it and, when shown,
// answers with onExec (by default: OK with the input as it stands).
class FakeDialog : public graph::FunctionDialog {
public:
    std::string caption = graph::kNewCurveCaption;
    graph::FunctionDialogInput input{};
    std::array<bool, 3> rowVisible{};
    std::string domainStartText, domainEndText, previewMarkup, fontSelected, captionWhileShown;
    typeset::FormulaStyle previewStyle;
    int execCount = 0;
    std::vector<std::string> messages; // refusals of OK presses
    std::function<bool(FakeDialog&, document::DEFINEFUN&)> onExec =
        [](FakeDialog& d, document::DEFINEFUN& t) { return d.pressOk(t); };
    std::vector<std::string> installedFonts{"Times New Roman", "宋体"};

    FakeDialog() { input.pickedColour = document::kBlue; }

    // The dialog's OK: true when accepted.
    bool pressOk(document::DEFINEFUN& target) {
        graph::FunctionDialogInput shown = input;
        for (std::size_t k = 0; k < 3; ++k)
            if (!rowVisible[k]) shown.params[k].reset();
        std::string message = graph::applyFunctionDialog(shown, target);
        if (message.empty()) return true;
        messages.push_back(message);
        return false;
    }

    std::string okCaption() const override { return caption; }
    void setOkCaption(const std::string& c) override { caption = c; }
    void setName(const std::string& name) override { input.name = name; }
    void setRowVisible(int row, bool visible) override {
        rowVisible[static_cast<std::size_t>(row)] = visible;
    }
    void setRowText(int row, const std::string& text) override {
        input.params[static_cast<std::size_t>(row)] = text;
    }
    void setFontSizeText(const std::string& text) override { input.fontSize = text; }
    void selectFont(const std::string& name) override {
        fontSelected = name;
        input.fontName.reset();
        for (const std::string& f : installedFonts)
            if (f == name) input.fontName = name;
    }
    void setPickedColour(int colour) override { input.pickedColour = colour; }
    void setDomainTexts(const std::string& start, const std::string& end) override {
        domainStartText = input.domainStart = start;
        domainEndText = input.domainEnd = end;
    }
    void setPreview(std::string_view markup, const typeset::FormulaStyle& style) override {
        previewMarkup = std::string(markup);
        previewStyle = style;
    }
    bool execFor(document::DEFINEFUN& target) override {
        ++execCount;
        captionWhileShown = caption;
        return onExec(*this, target);
    }
};

// The program around the curve commands: engine, document, painter, a fixed-metrics sheet canvas.
struct CurveWorld {
    RecordingSink sink;
    expr::Engine engine{sink};
    document::Document doc;
    graph::GraphItemPainter painter;
    fakes::RecordingCanvas canvas;
    typeset::FormulaStyle style;
    graph::CurveCommandContext ctx{engine, doc, painter, canvas, style, kSheetWidth, {}};

    CurveWorld() { doc.view = standardView(); }
};

} // namespace quorvel::curvetest
