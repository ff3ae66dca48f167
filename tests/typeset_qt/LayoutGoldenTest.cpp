// The layout numbers of real formulas (keypad examples and nested cases at three sizes) against the
// numbers recorded in data/layout_golden.txt: any change to a width, height or bracket count shows here.
#include "expr/Parser.h"
#include "typeset/Typesetter.h"
#include "typeset/qt/QtCanvas.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel::typeset {
namespace {

// The lines that `quorvel-cli measure` prints: every node in pre-order, then the bracket count.
std::string measureLines(const std::string& markup, int size, bool italic) {
    expr::ExprTree tree = expr::buildTree(expr::toFunctionForm(expr::stripBlanks(markup)));
    if (!tree) return "refused\n";
    expr::linkParents(tree.get());
    QtCanvas canvas;
    Typesetter typesetter;
    typesetter.style.fontSize = size;
    typesetter.style.italicVariables = italic;
    const FormulaLayout layout = typesetter.layout(tree.get(), canvas);
    std::ostringstream out;
    std::vector<std::pair<const expr::ExprNode*, int>> pending{{tree.get(), 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        out << depth << '\t' << node->text << '\t' << node->width << '\t' << node->height << '\t'
            << node->headWidth << '\t' << node->headHeight << '\n';
        if (node->next) pending.emplace_back(node->next.get(), depth);
        for (const expr::ExprNode* child : {node->third.get(), node->second.get(), node->first.get()})
            if (child) pending.emplace_back(child, depth + 1);
    }
    out << "bracketCount\t" << layout.bracketCount << '\n';
    return out.str();
}

struct GoldenCase {
    int size = 0;
    bool italic = false;
    std::string markup;
    std::string expected;
};

std::vector<GoldenCase> readGolden() {
    std::ifstream in(QUORVEL_LAYOUT_GOLDEN);
    std::vector<GoldenCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("#", 0) == 0) continue;
        if (line.rfind("== ", 0) == 0) {
            const auto space = line.find(' ', 3);
            std::string markup = line.substr(space + 1);
            const bool italic = markup.rfind("italic ", 0) == 0;
            if (italic) markup.erase(0, 7);
            cases.push_back({std::stoi(line.substr(3, space - 3)), italic, markup, {}});
        } else if (!cases.empty()) {
            cases.back().expected += line + '\n';
        }
    }
    return cases;
}

TEST(LayoutGoldenTest, EveryRecordedFormulaMeasuresAsBefore) {
    const std::vector<GoldenCase> cases = readGolden();
    ASSERT_GE(cases.size(), 240u) << "the golden file is missing or cut short: " << QUORVEL_LAYOUT_GOLDEN;
    for (const GoldenCase& c : cases)
        EXPECT_EQ(measureLines(c.markup, c.size, c.italic), c.expected)
            << "size " << c.size << (c.italic ? " italic: " : ": ") << c.markup;
}

} // namespace
} // namespace quorvel::typeset
