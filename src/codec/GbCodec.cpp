#include "codec/GbCodec.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <stdexcept>

namespace quorvel::codec {

namespace {
constexpr const char* kEncoding = "GB18030";

QByteArrayView view(std::string_view bytes) {
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
void requireValid(const QStringConverter& converter) {
    if (!converter.isValid()) throw std::runtime_error("no GB18030 converter in this Qt build");
}

} // namespace

bool gb18030Available() {
    return QStringEncoder(kEncoding).isValid() && QStringDecoder(kEncoding).isValid();
}

std::string utf8ToGb18030(std::string_view utf8) {
    const QString text = QString::fromUtf8(view(utf8));
    QStringEncoder encoder(kEncoding);
    requireValid(encoder);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

Decoded gb18030ToUtf8(std::string_view bytes) {
    QStringDecoder decoder(kEncoding);
    requireValid(decoder);
    const QString text = decoder.decode(view(bytes));
    Decoded out;
    out.hadInvalidBytes = decoder.hasError();
    const QByteArray utf8 = text.toUtf8();
    out.utf8.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    return out;
}

void appendGb18030AsUtf8(std::string_view bytes, std::string& utf8) {
    QStringDecoder decoder(kEncoding);
    requireValid(decoder);
    const QByteArray piece = QString(decoder.decode(view(bytes))).toUtf8();
    utf8.append(piece.constData(), static_cast<std::size_t>(piece.size()));
}

std::string withLineBreaks(std::string_view text, std::string_view lineBreak) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += lineBreak;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace quorvel::codec
