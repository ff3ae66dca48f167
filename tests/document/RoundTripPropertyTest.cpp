#include "document/DocumentText.h"
#include "document/TextFormRules.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorvel::document;

namespace {

// Random documents within what the text form can carry: multi-line annotation texts (the last line
// may hold "##"), fonts, items with parameters and odd doubles.
class RandomDocuments {
public:
    explicit RandomDocuments(unsigned seed) : rng_(seed) {}

    Document next() {
        Document doc;
        doc.view.originX = number();
        doc.view.originY = number();
        doc.view.unitCommon = number();
        doc.view.unitX = number();
        doc.view.unitY = number();
        doc.view.gridKind = pick(0, 2);
        doc.view.axesShown = pick(0, 1);
        doc.view.gridShown = pick(0, 1);
        for (int j = pick(0, 4); j > 0; --j)
            doc.addRemark(remark());
        for (int i = pick(0, 4); i > 0; --i)
            doc.addCurve(item());
        return doc;
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    int anyInt() {
        return static_cast<int>(std::uniform_int_distribution<long long>(-2147483648LL, 2147483647LL)(rng_));
    }

    double number() {
        static const double odd[] = {0,
                                     1E20,
                                     1E-6,
                                     -0.5,
                                     100,
                                     283.5,
                                     1.0 / 3,
                                     -1e-300,
                                     1.7976931348623157e308,
                                     0.00001,
                                     123456789012345.0,
                                     1e15,
                                     -9999,
                                     5e-324};
        if (pick(0, 2) == 0) return odd[pick(0, static_cast<int>(std::size(odd)) - 1)];
        // Full-precision doubles: only 15 digits are written, yet the second write must not differ.
        return std::uniform_real_distribution<double>(-1e6, 1e6)(rng_) * std::pow(10.0, pick(-12, 12));
    }

    std::string piece() {
        static const char* const parts[] = {"a", "Z", "中", "文", "≠",     "π",   " ", "#",
                                            "1", ".", "=",  "(",  "Y=A*X", "x_1", "∞", "é"};
        return parts[pick(0, static_cast<int>(std::size(parts)) - 1)];
    }

    // Holds no "##" and no line break, and does not end with "#".
    std::string innerField() {
        std::string s;
        for (int n = pick(0, 8); n > 0; --n) {
            std::string p = piece();
            if (p == "#" && !s.empty() && s.back() == '#') continue;
            s += p;
        }
        while (!s.empty() && s.back() == '#')
            s.pop_back();
        return s;
    }

    std::string lastField() {
        std::string s = innerField();
        if (pick(0, 3) == 0) s += "##" + innerField() + "#";
        return s;
    }

    std::string annotationText() {
        std::string text;
        const int lines = pick(1, 5);
        for (int l = 0; l < lines; ++l) {
            if (l > 0) text += "\r\n";
            std::string line = pick(0, 4) == 0 ? std::string() : innerField();
            if (pick(0, 3) == 0) line += "#"; // a single "#" at a line's end is safe
            text += line;
        }
        // Either a closing line break (its empty last line follows) or "##" in the last line.
        if (pick(0, 5) == 0)
            text += "\r\n";
        else if (pick(0, 3) == 0)
            text += "x##y";
        return text;
    }

    FontSpec font() {
        FontSpec f;
        f.charset = pick(0, 255);
        f.colour = anyInt();
        f.height = pick(-72, 72);
        f.pitch = pick(0, 2);
        f.size = pick(1, 72);
        f.bold = pick(0, 1) == 1;
        f.italic = pick(0, 1) == 1;
        f.underline = pick(0, 1) == 1;
        f.strikeOut = pick(0, 1) == 1;
        f.name = lastField();
        return f;
    }

    REMARK remark() {
        REMARK r;
        r.font = font();
        r.text = annotationText();
        r.left = anyInt();
        r.top = pick(-100, 2000);
        r.right = anyInt();
        r.bottom = pick(-100, 2000);
        return r;
    }

    DEFINEFUN item() {
        DEFINEFUN c;
        c.labelLeft = anyInt();
        c.labelTop = pick(-5000, 5000);
        c.labelRight = pick(-5000, 5000);
        c.labelBottom = anyInt();
        c.kind = std::array{0, 2, 3, 4}[static_cast<std::size_t>(pick(0, 3))];
        c.domainStart = number();
        c.domainEnd = number();
        c.thickLine = pick(0, 1);
        c.labelFontSize = pick(1, 96);
        c.labelFontName = innerField();
        c.expression = innerField();
        for (int& colour : c.labelColours)
            colour = anyInt();
        c.colour = anyInt();
        c.name = lastField();
        c.paramCount = pick(0, 1) == 0 ? pick(0, 3) : pick(0, kMaxParams);
        for (std::size_t k = 0; k < static_cast<std::size_t>(c.paramCount); ++k) {
            c.paramNames[k] = innerField();
            c.paramValues[k] = number();
        }
        return c;
    }

    std::mt19937 rng_;
};

} // namespace

TEST(RoundTripProperty, WriteReadWriteIsByteIdentical) {
    RandomDocuments gen(20240611u);
    for (int round = 0; round < 400; ++round) {
        const Document doc = gen.next();
        const auto problem = documentProblem(doc);
        ASSERT_FALSE(problem) << "generator made a value the text cannot carry: " << *problem;
        const std::string first = writeDocumentText(doc);
        Document read;
        const ReadResult r = readDocumentText(first, read, [](DEFINEFUN& c) { c.resizeSamples(16); });
        ASSERT_TRUE(r.ok) << "round " << round << ", line " << r.errorLine << ": " << r.detail << "\n"
                          << first;
        ASSERT_EQ(read.remarkCount(), doc.remarkCount());
        ASSERT_EQ(read.curveCount(), doc.curveCount());
        // Texts, fonts, integers and strings come back exactly.
        for (int j = 0; j < doc.remarkCount(); ++j)
            ASSERT_EQ(read.remark(j), doc.remark(j)) << "round " << round;
        for (int i = 0; i < doc.curveCount(); ++i) {
            ASSERT_EQ(read.curve(i).expression, doc.curve(i).expression);
            ASSERT_EQ(read.curve(i).name, doc.curve(i).name);
            ASSERT_EQ(read.curve(i).paramCount, doc.curve(i).paramCount);
            ASSERT_EQ(read.curve(i).labelColours, doc.curve(i).labelColours);
        }
        ASSERT_EQ(writeDocumentText(read), first) << "round " << round;
    }
}

TEST(RoundTripProperty, DamagedTextsNeverBreakTheDocument) {
    RandomDocuments gen(77u);
    std::mt19937 rng(5u);
    const auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    static const std::string_view edits[] = {"#", "##", "\r\n", "\n", "-", "9", "1E400", "中", ""};
    int readWell = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text = writeDocumentText(gen.next());
        for (int e = 1 + static_cast<int>(below(4)); e > 0 && !text.empty(); --e) {
            const std::size_t at = below(text.size());
            const std::size_t cut = below(4);
            text.replace(at, std::min(cut, text.size() - at), edits[below(std::size(edits))]);
        }
        Document doc;
        int resampled = 0;
        const ReadResult r = readDocumentText(text, doc, [&](DEFINEFUN&) { ++resampled; });
        ASSERT_EQ(resampled, doc.curveCount());
        ASSERT_LE(doc.remarkCount(), kMaxObjects);
        ASSERT_LE(doc.curveCount(), kMaxObjects);
        if (!r.ok) continue;
        ++readWell;
        // Whatever was read is a document whose own text is stable.
        const std::string first = writeDocumentText(doc);
        Document again;
        ASSERT_TRUE(readDocumentText(first, again)) << first;
        ASSERT_EQ(writeDocumentText(again), first);
    }
    EXPECT_GT(readWell, 0);
}
