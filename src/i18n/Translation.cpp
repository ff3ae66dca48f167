#include "i18n/Translation.h"

#include "i18n/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <vector>

namespace quorvel::i18n {

namespace {

struct Template {
    QString source;
    QRegularExpression pattern; // the literal parts, each placeholder a lazy group
    std::vector<int> numbers;   // the placeholder number of each group
    qsizetype literalLength = 0;
};

bool isPlaceholder(const QString& text, qsizetype i) {
    return text[i] == QLatin1Char('%') && i + 1 < text.size() && text[i + 1] >= QLatin1Char('1') &&
           text[i + 1] <= QLatin1Char('9');
}

Template compile(const QString& source) {
    Template t{source, {}, {}, 0};
    QString pattern = QStringLiteral("^");
    QString literal;
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (!isPlaceholder(source, i)) {
            literal += source[i];
            continue;
        }
        pattern += QRegularExpression::escape(literal) + QStringLiteral("(.*?)");
        t.literalLength += literal.size();
        literal.clear();
        t.numbers.push_back(source[++i].digitValue());
    }
    t.literalLength += literal.size();
    t.pattern.setPattern(pattern + QRegularExpression::escape(literal) + QStringLiteral("$"));
    t.pattern.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
    return t;
}

// The catalogue's sources that have placeholders, read once from the .ts the resources carry.
const std::vector<Template>& templates() {
    static const std::vector<Template> all = [] {
        std::vector<Template> out;
        QFile file(QStringLiteral(":/i18n/quorvel_en.ts"));
        if (!file.open(QIODevice::ReadOnly)) return out;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("source"))
                continue;
            const QString source = xml.readElementText();
            if (source.contains(QRegularExpression(QStringLiteral("%[1-9]")))) out.push_back(compile(source));
        }
        return out;
    }();
    return all;
}

QString translated(const QString& chinese, int depth);

QString fromTemplate(const QString& message, int depth) {
    const Template* best = nullptr;
    QRegularExpressionMatch bestMatch;
    for (const Template& t : templates()) {
        if (best && t.literalLength <= best->literalLength) continue;
        QRegularExpressionMatch match = t.pattern.match(message);
        if (!match.hasMatch()) continue;
        best = &t;
        bestMatch = match;
    }
    if (!best) return message;
    const QByteArray source = best->source.toUtf8();
    const QString translation = QCoreApplication::translate(kContext, source.constData());
    QString out;
    for (qsizetype i = 0; i < translation.size(); ++i) {
        if (!isPlaceholder(translation, i)) {
            out += translation[i];
            continue;
        }
        const int number = translation[++i].digitValue();
        for (std::size_t g = 0; g < best->numbers.size(); ++g)
            if (best->numbers[g] == number) {
                out += translated(bestMatch.captured(static_cast<int>(g) + 1), depth + 1);
                break;
            }
    }
    return out;
}

QString translated(const QString& chinese, int depth) {
    const QByteArray utf8 = chinese.toUtf8();
    const QString whole = QCoreApplication::translate(kContext, utf8.constData());
    if (whole != chinese || depth > 3) return whole;
    return fromTemplate(chinese, depth);
}

} // namespace

QString uiText(const char* chinese) {
    return QCoreApplication::translate(kContext, chinese);
}

QString uiMessage(const QString& chinese) {
    if (currentLanguage() == Language::Chinese) return chinese;
    return translated(chinese, 0);
}

} // namespace quorvel::i18n
