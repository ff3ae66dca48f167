#include "expr/Keyword.h"

#include <array>
#include <utility>

namespace quorvel::expr {

namespace {

// clang-format off
constexpr std::array<std::pair<std::string_view, Keyword>, 71> kNames{{
    {"sqrt", Keyword::Sqrt},     {"abs", Keyword::Abs},       {"sin", Keyword::Sin},
    {"cos", Keyword::Cos},       {"vec", Keyword::Vec},       {"tg", Keyword::Tg},
    {"mus", Keyword::Mus},       {"pos", Keyword::Pos},       {"pom", Keyword::Pom},
    {"ctg", Keyword::Ctg},       {"arcsin", Keyword::Arcsin}, {"arccos", Keyword::Arccos},
    {"arctg", Keyword::Arctg},   {"arcctg", Keyword::Arcctg}, {"sec", Keyword::Sec},
    {"csc", Keyword::Csc},       {"sgn", Keyword::Sgn},       {"sh", Keyword::Sh},
    {"ch", Keyword::Ch},         {"th", Keyword::Th},         {"exp", Keyword::Exp},
    {"ln", Keyword::Ln},         {"lg", Keyword::Lg},         {"fac", Keyword::Fac},
    {"f", Keyword::F},           {"pd", Keyword::Pd},         {"add", Keyword::Add},
    {"cub", Keyword::Cub},       {"ind", Keyword::Ind},       {"aoc", Keyword::Aoc},
    {"sup", Keyword::Sup},       {"suf", Keyword::Suf},       {"les", Keyword::Les},
    {"ges", Keyword::Ges},       {"lts", Keyword::Lts},       {"gts", Keyword::Gts},
    {"p", Keyword::P},           {"c", Keyword::C},           {"eql", Keyword::Eql},
    {"nes", Keyword::Nes},       {"usu", Keyword::Usu},       {"app", Keyword::App},
    {"inc", Keyword::Inc},       {"div", Keyword::Div},       {"mul", Keyword::Mul},
    {"mud", Keyword::Mud},       {"muw", Keyword::Muw},       {"sub", Keyword::Sub},
    {"mod", Keyword::Mod},       {"ext", Keyword::Ext},       {"log", Keyword::Log},
    {"derive", Keyword::Derive}, {"pderive", Keyword::Pderive}, {"upr", Keyword::Upr},
    {"par", Keyword::Par},       {"res", Keyword::Res},       {"gru", Keyword::Gru},
    {"lak", Keyword::Lak},       {"con", Keyword::Con},       {"ing1", Keyword::Ing1},
    {"ing2", Keyword::Ing2},     {"tab", Keyword::Tab},       {"sum", Keyword::Sum},
    {"matrix", Keyword::Matrix}, {"range", Keyword::Range},   {"prod", Keyword::Prod},
    {"lim", Keyword::Lim},       {"(", Keyword::Paren},       {"[", Keyword::Bracket},
    {"{", Keyword::Brace},       {"", Keyword::None},
}};
// clang-format on

} // namespace

Keyword keywordOf(std::string_view text) {
    if (text.empty() || text.size() > 7) return Keyword::None;
    for (const auto& [name, kw] : kNames)
        if (name == text) return kw;
    return Keyword::None;
}

std::string_view keywordName(Keyword kw) {
    for (const auto& [name, k] : kNames)
        if (k == kw) return name;
    return {};
}

int findKeyword(std::string_view name) {
    const Keyword kw = keywordOf(name);
    if (kw >= Keyword::Sqrt && kw <= Keyword::Pd) return 1;
    if (kw >= Keyword::Add && kw <= Keyword::Lak) return 2;
    if (kw >= Keyword::Con && kw <= Keyword::Lim) return 3;
    return 0;
}

} // namespace quorvel::expr
