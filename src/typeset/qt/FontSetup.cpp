#include "typeset/qt/FontSetup.h"

#include <QFont>
#include <QFontDatabase>

#include <algorithm>
#include <array>

namespace quorvel::typeset {

namespace {

struct Substitution {
    const char* name;
    std::array<const char*, 4> faces; // preferred first; unused entries null
};

// Metric-compatible faces for the Western names, Song/Ming faces for the serif Chinese names, and the
// closest installed faces for the others.
constexpr std::array<Substitution, 14> kSubstitutions{{
    {"Times New Roman", {"Liberation Serif", "Tinos", "DejaVu Serif", nullptr}},
    {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans", nullptr}},
    {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono", nullptr}},
    {"宋体", {"AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC", "WenQuanYi Zen Hei"}},
    {"SimSun", {"AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC", "WenQuanYi Zen Hei"}},
    {"新宋体", {"AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC", "WenQuanYi Zen Hei"}},
    {"NSimSun", {"AR PL UMing CN", "AR PL UMing TW", "Noto Serif CJK SC", "WenQuanYi Zen Hei"}},
    {"仿宋_GB2312", {"AR PL UMing CN", "Noto Serif CJK SC", nullptr, nullptr}},
    {"楷体_GB2312", {"AR PL UKai CN", "AR PL UMing CN", "Noto Serif CJK SC", nullptr}},
    {"楷体", {"AR PL UKai CN", "AR PL UMing CN", "Noto Serif CJK SC", nullptr}},
    {"黑体", {"Noto Sans CJK SC", "WenQuanYi Zen Hei", "Droid Sans Fallback", "AR PL UMing CN"}},
    {"SimHei", {"Noto Sans CJK SC", "WenQuanYi Zen Hei", "Droid Sans Fallback", "AR PL UMing CN"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", nullptr, nullptr}},
    {"微软雅黑", {"Noto Sans CJK SC", "WenQuanYi Zen Hei", "Droid Sans Fallback", "AR PL UMing CN"}},
}};

QStringList facesOf(const Substitution& s) {
    QStringList list;
    for (const char* face : s.faces)
        if (face) list << QString::fromUtf8(face);
    return list;
}

} // namespace

void installFontSubstitutions() {
    for (const Substitution& s : kSubstitutions) {
        const QString name = QString::fromUtf8(s.name);
        const QStringList wanted = facesOf(s);
        if (QFont::substitutes(name) != wanted) {
            QFont::removeSubstitutions(name);
            QFont::insertSubstitutions(name, wanted);
        }
    }
}

bool isFontAvailable(const QString& face) {
    if (QFontDatabase::hasFamily(face)) return true;
    const QStringList substitutes = QFont::substitutes(face);
    return std::any_of(substitutes.begin(), substitutes.end(),
                       [](const QString& s) { return QFontDatabase::hasFamily(s); });
}

QStringList formulaFontFamilies() {
    QStringList families = QFontDatabase::families();
    for (const Substitution& s : kSubstitutions) {
        const QString name = QString::fromUtf8(s.name);
        if (families.contains(name) || !isFontAvailable(name)) continue;
        const auto at = std::find_if(families.begin(), families.end(), [&](const QString& f) {
            return QString::compare(f, name, Qt::CaseInsensitive) > 0;
        });
        families.insert(at, name);
    }
    return families;
}

} // namespace quorvel::typeset
