#include "document/DocumentText.h"

#include "base/NumberFormat.h"
#include "document/FieldReader.h"
#include "document/TextFormRules.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace quorvel::document {

namespace {

// --- writing ---

class LineWriter {
public:
    LineWriter& field(std::string_view text) {
        separate();
        out_ += text;
        return *this;
    }
    LineWriter& field(int value) { return field(std::to_string(value)); }
    LineWriter& field(double value) { return field(formatGeneral(value)); }
    // Ends the line with CR LF.
    void end() {
        out_ += kCrLf;
        first_ = true;
    }
    // A field that closes with "##" (annotation text, parameter list).
    void closeWithSeparator() {
        out_ += kFieldSeparator;
        first_ = false;
    }
    void raw(std::string_view text) { out_ += text; }
    std::string take() { return std::move(out_); }

private:
    void separate() {
        if (!first_) out_ += kFieldSeparator;
        first_ = false;
    }
    std::string out_;
    bool first_ = true;
};

void writeRemark(LineWriter& w, const REMARK& r) {
    w.field(r.left).field(r.top).field(r.right).field(r.bottom).field(FontToStr(r.font));
    w.end();
    w.raw(toCrLf(r.text));
    w.closeWithSeparator();
    w.end();
}

void writeItem(LineWriter& w, const DEFINEFUN& c) {
    w.field(c.labelLeft).field(c.labelTop).field(c.labelRight).field(c.labelBottom).field(c.kind);
    w.field(c.domainStart).field(c.domainEnd);
    w.field(c.thickLine).field(c.labelFontSize);
    w.field(c.labelFontName).field(c.expression);
    for (int colour : c.labelColours)
        w.field(colour);
    w.field(c.colour).field(c.name);
    w.end();
    const int params = std::clamp(c.paramCount, 0, kMaxParams);
    w.field(params);
    for (std::size_t k = 0; k < static_cast<std::size_t>(params); ++k)
        w.field(c.paramNames[k]).field(c.paramValues[k]);
    w.closeWithSeparator();
    w.end();
}

// --- reading ---

struct ReadStop {
    std::string detail;
    bool unknownKind = false;
};

// Takes the lines one by one as reading needs them (CR LF, lone CR or lone LF end a line; a break at
// the very end opens no further line), so no index of every line is built.
class LineSource {
public:
    LineSource(std::string_view text, int skip) : rest_(text) {
        for (int k = 0; k < skip && !rest_.empty(); ++k)
            take();
    }

    std::string_view next() {
        if (rest_.empty()) {
            ++taken_; // report the missing line
            throw ReadStop{"the text ends early"};
        }
        return take();
    }
    // 1-based number of the line last taken.
    int lineNumber() const { return taken_; }

private:
    std::string_view take() {
        // A plain scan: find_first_of looks each byte up in its set with a call, which made skipping the
        // lines of a huge file cost more than reading it.
        std::size_t end = 0;
        while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n')
            ++end;
        ++taken_;
        if (end == rest_.size()) {
            const std::string_view line = rest_;
            rest_ = {};
            return line;
        }
        const std::string_view line = rest_.substr(0, end);
        const bool crLf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crLf ? 2 : 1));
        return line;
    }

    std::string_view rest_;
    int taken_ = 0;
};

template <typename T> T need(std::optional<T> value, const char* what) {
    if (!value) throw ReadStop{std::string(what) + " does not convert"};
    return *value;
}

int readCount(std::string_view line, const char* what) {
    const int count = need(toInt32(line), what);
    if (count < 0) throw ReadStop{std::string(what) + " is negative"};
    return count;
}

std::optional<int> truncatedField(FieldReader& fields) {
    const auto field = fields.take();
    return field ? toTruncatedInt32(*field) : std::nullopt;
}

void readView(LineSource& lines, ViewSettings& view) {
    FieldReader l1(lines.next());
    view.originX = need(l1.takeDouble(), "originX");
    view.originY = need(toDouble(l1.rest()), "originY");
    FieldReader l2(lines.next());
    view.unitCommon = need(l2.takeDouble(), "unitCommon");
    view.unitX = need(l2.takeDouble(), "unitX");
    view.unitY = need(toDouble(l2.rest()), "unitY");
    // Written as integers, but read as numbers truncated toward zero ("1.0" is 1).
    FieldReader l3(lines.next());
    view.gridKind = need(truncatedField(l3), "gridKind");
    view.axesShown = need(truncatedField(l3), "axesShown");
    view.gridShown = need(toTruncatedInt32(l3.rest()), "gridShown");
}

// Passes over one annotation the document has no room for: its header line, then its text up to the
// first line that holds "##", the same lines readRemark takes, without converting anything.
void skipRemark(LineSource& lines) {
    lines.next();
    while (lines.next().find(kFieldSeparator) == std::string_view::npos) {
    }
}

REMARK readRemark(LineSource& lines) {
    REMARK r;
    FieldReader header(lines.next());
    r.left = need(header.takeInt(), "annotation left");
    r.top = need(header.takeInt(), "annotation top");
    r.right = need(header.takeInt(), "annotation right");
    r.bottom = need(header.takeInt(), "annotation bottom");
    r.font = need(StrToFont(header.rest()), "annotation font");
    // The text runs over lines up to the first line that holds "##"; its closing "##" is dropped.
    std::string text;
    for (bool first = true;; first = false) {
        const std::string_view line = lines.next();
        if (!first) text += kCrLf;
        text += line;
        if (line.find(kFieldSeparator) != std::string_view::npos) break;
    }
    text.resize(text.size() - kFieldSeparator.size());
    r.text = std::move(text);
    return r;
}

DEFINEFUN readItem(LineSource& lines) {
    DEFINEFUN c;
    FieldReader a(lines.next());
    c.labelLeft = need(a.takeInt(), "labelLeft");
    c.labelTop = need(a.takeInt(), "labelTop");
    c.labelRight = need(a.takeInt(), "labelRight");
    c.labelBottom = need(a.takeInt(), "labelBottom");
    c.kind = need(a.takeInt(), "kind");
    // Guessing at an unknown kind would misread the item and every later line that follows its rules.
    if (!knownItemKind(c.kind)) throw ReadStop{"unknown kind " + std::to_string(c.kind), true};
    c.domainStart = need(a.takeDouble(), "domainStart");
    c.domainEnd = need(a.takeDouble(), "domainEnd");
    c.thickLine = need(a.takeInt(), "thickLine");
    c.labelFontSize = need(a.takeInt(), "labelFontSize");
    c.labelFontName = std::string(need(a.take(), "labelFontName"));
    c.expression = std::string(need(a.take(), "expression"));
    for (int& colour : c.labelColours)
        colour = need(a.takeInt(), "labelColours");
    c.colour = need(a.takeInt(), "colour");
    c.name = std::string(a.rest());

    FieldReader b(lines.next());
    c.paramCount = need(b.takeInt(), "paramCount");
    if (c.paramCount < 0 || c.paramCount > kMaxParams) throw ReadStop{"paramCount out of range"};
    for (std::size_t k = 0; k < static_cast<std::size_t>(c.paramCount); ++k) {
        c.paramNames[k] = std::string(need(b.take(), "paramNames"));
        c.paramValues[k] = need(b.takeDouble(), "paramValues");
    }
    return c;
}

} // namespace

std::string writeDocumentText(const Document& doc) {
    LineWriter w;
    const ViewSettings& v = doc.view;
    w.field(v.originX).field(v.originY);
    w.end();
    w.field(v.unitCommon).field(v.unitX).field(v.unitY);
    w.end();
    w.field(v.gridKind).field(v.axesShown).field(v.gridShown);
    w.end();
    w.field(doc.remarkCount());
    w.end();
    for (int j = 0; j < doc.remarkCount(); ++j)
        writeRemark(w, doc.remark(j));
    w.field(doc.curveCount());
    w.end();
    for (int i = 0; i < doc.curveCount(); ++i)
        writeItem(w, doc.curve(i));
    return w.take();
}

ReadResult readDocumentText(std::string_view text, Document& doc, const ResampleHook& resample,
                            int skipLines) {
    doc.clearObjects();
    ReadResult result;
    LineSource lines(text, std::max(skipLines, 0));
    try {
        readView(lines, doc.view);
        const int remarks = readCount(lines.next(), "remarkCount");
        for (int j = 0; j < remarks; ++j) {
            if (doc.remarksFull()) {
                // The graph items follow the annotations, so the extra ones are passed over, not read.
                result.cut = true;
                skipRemark(lines);
                continue;
            }
            doc.addRemark(readRemark(lines));
        }
        const int items = readCount(lines.next(), "curveCount");
        for (int i = 0; i < items; ++i) {
            // Nothing follows the graph items: reading ends at the first one without room.
            if (doc.curvesFull()) {
                result.cut = true;
                break;
            }
            DEFINEFUN c = readItem(lines);
            if (resample) resample(c);
            doc.addCurve(std::move(c));
        }
    } catch (const ReadStop& stop) {
        result.ok = false;
        result.errorLine = lines.lineNumber();
        result.detail = stop.detail;
        result.unknownKind = stop.unknownKind;
    }
    return result;
}

std::string funFileText(const Document& doc) {
    return std::string(kFunFileLeadingLine) + std::string(kCrLf) + writeDocumentText(doc);
}

ReadResult readFunFileText(std::string_view text, Document& doc, const ResampleHook& resample) {
    return readDocumentText(text, doc, resample, 1);
}

} // namespace quorvel::document
