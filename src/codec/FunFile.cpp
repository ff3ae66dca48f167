#include "codec/FunFile.h"

#include "codec/AtomicSave.h"

#include "codec/GbCodec.h"
#include "document/DocumentText.h"
#include "document/TextFormRules.h"

#include <QFile>
#include <QString>

namespace quorvel::codec {

namespace {

constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

struct FileBytes {
    QByteArray bytes;
    std::string error; // empty when the bytes were read
};

FileBytes loadFile(const std::string& path) {
    FileBytes out;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        out.error = file.errorString().toStdString();
        return out;
    }
    // Documents are small; a cap keeps a device or a huge foreign file from exhausting memory.
    out.bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        out.error = file.errorString().toStdString();
    else if (out.bytes.size() > kMaxFileBytes)
        out.error = "file too large";
    return out;
}

document::ReadResult failedRead(std::string detail) {
    document::ReadResult failed;
    failed.ok = false;
    failed.detail = std::move(detail);
    return failed;
}

std::string_view view(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

std::string funFileBytes(const document::Document& doc) {
    return utf8ToGb18030(document::funFileText(doc));
}

document::ReadResult readFunFileBytes(std::string_view bytes, document::Document& doc,
                                      const document::ResampleHook& resample) {
    if (!gb18030Available()) return failedRead("no GB18030 converter");
    return document::readFunFileText(gb18030ToUtf8(bytes).utf8, doc, resample);
}

document::ReadResult openFunFile(const std::string& path, document::Document& doc, double sheetWidth,
                                 double sheetHeight, const document::ResampleHook& resample) {
    const FileBytes file = loadFile(path);
    if (!file.error.empty()) return failedRead(file.error);
    if (!gb18030Available()) return failedRead("no GB18030 converter");
    doc.resetForOpen(sheetWidth, sheetHeight);
    return readFunFileBytes(view(file.bytes), doc, resample);
}

document::ReadResult readFunFile(const std::string& path, document::Document& doc,
                                 const document::ResampleHook& resample) {
    const FileBytes file = loadFile(path);
    if (!file.error.empty()) return failedRead(file.error);
    return readFunFileBytes(view(file.bytes), doc, resample);
}

SaveResult saveFunFile(const std::string& path, const document::Document& doc) {
    SaveResult result;
    if (auto problem = document::documentProblem(doc)) {
        result.message = *problem;
        return result;
    }
    if (!gb18030Available()) {
        result.message = "无法使用GB18030编码保存文件！";
        return result;
    }
    const std::string bytes = funFileBytes(doc);
    QString error;
    if (!saveBytesAtomically(QString::fromStdString(path), QByteArray::fromStdString(bytes), &error)) {
        result.message = "文件保存失败：" + error.toStdString();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace quorvel::codec
