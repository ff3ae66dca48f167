#include "codec/FunFile.h"

#include "base/UiText.h"
#include "codec/AtomicSave.h"

#include "codec/GbCodec.h"
#include "document/DocumentText.h"
#include "document/TextFormRules.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

namespace quorvel::codec {

namespace {

document::ReadResult failedRead(std::string detail) {
    document::ReadResult failed;
    failed.ok = false;
    failed.detail = std::move(detail);
    return failed;
}

LoadedText loadProblem(LoadProblem problem, std::string detail) {
    LoadedText out;
    out.problem = problem;
    out.detail = std::move(detail);
    return out;
}

// Bytes read from the file per step.
constexpr qint64 kReadBlock = qint64(1) << 20;

} // namespace

std::string funFileBytes(const document::Document& doc) {
    return utf8ToGb18030(document::funFileText(doc));
}

document::ReadResult readFunFileBytes(std::string_view bytes, document::Document& doc,
                                      const document::ResampleHook& resample) {
    if (!gb18030Available()) return failedRead("no GB18030 converter");
    return document::readFunFileText(gb18030ToUtf8(bytes).utf8, doc, resample);
}

LoadedText loadFunFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    QFile file(name);
    if (!info.exists()) {
        (void)file.open(QIODevice::ReadOnly); // only for the system's reason
        return loadProblem(LoadProblem::CannotOpen, file.errorString().toStdString());
    }
    // Opening a FIFO for reading waits for a writer, and a device may never end: neither is opened.
    if (!info.isFile()) return loadProblem(LoadProblem::NotRegularFile, "not a regular file");
    if (info.size() > kMaxFunFileBytes) return loadProblem(LoadProblem::TooLarge, "file too large");
    if (!gb18030Available()) return loadProblem(LoadProblem::NoConverter, "no GB18030 converter");
    if (!file.open(QIODevice::ReadOnly))
        return loadProblem(LoadProblem::CannotOpen, file.errorString().toStdString());

    LoadedText out;
    // Room for text that grows in decoding (two GB18030 bytes become three UTF-8 bytes).
    out.utf8.reserve(static_cast<std::size_t>(info.size() + info.size() / 2));
    // Blocks are decoded up to their last line break, which is never part of a multi-byte character;
    // the rest is carried into the next block.
    std::string block;
    qint64 total = 0;
    for (;;) {
        const std::size_t carried = block.size();
        block.resize(carried + static_cast<std::size_t>(kReadBlock));
        const qint64 got = file.read(block.data() + carried, kReadBlock);
        if (got < 0) return loadProblem(LoadProblem::CannotOpen, file.errorString().toStdString());
        block.resize(carried + static_cast<std::size_t>(got));
        total += got;
        // The file may have grown since its size was checked.
        if (total > kMaxFunFileBytes) return loadProblem(LoadProblem::TooLarge, "file too large");
        if (got == 0) break;
        const std::size_t cut = block.find_last_of('\n', block.size() - 1);
        if (cut == std::string::npos) continue;
        appendGb18030AsUtf8(std::string_view(block).substr(0, cut + 1), out.utf8);
        block.erase(0, cut + 1);
    }
    appendGb18030AsUtf8(block, out.utf8);
    return out;
}

OpenResult openFunFile(const std::string& path, document::Document& doc, double sheetWidth,
                       double sheetHeight, const document::ResampleHook& resample) {
    OpenResult result;
    LoadedText file = loadFunFile(path);
    if (!file) {
        static_cast<document::ReadResult&>(result) = failedRead(file.detail);
        result.problem = file.problem;
        return result;
    }
    doc.resetForOpen(sheetWidth, sheetHeight);
    static_cast<document::ReadResult&>(result) = document::readFunFileText(file.utf8, doc, resample);
    const std::string_view leading = document::kFunFileLeadingLine;
    result.damaged = !result.ok && file.utf8.compare(0, leading.size(), leading) == 0;
    return result;
}

document::ReadResult readFunFile(const std::string& path, document::Document& doc,
                                 const document::ResampleHook& resample) {
    const LoadedText file = loadFunFile(path);
    if (!file) return failedRead(file.detail);
    return document::readFunFileText(file.utf8, doc, resample);
}

SaveResult saveFunFile(const std::string& path, const document::Document& doc) {
    SaveResult result;
    if (auto problem = document::documentProblem(doc)) {
        result.message = *problem;
        return result;
    }
    if (!gb18030Available()) {
        result.message = UI_TEXT("无法使用GB18030编码保存文件！");
        return result;
    }
    const std::string bytes = funFileBytes(doc);
    QString error;
    if (!saveBytesAtomically(QString::fromStdString(path), QByteArray::fromStdString(bytes), &error)) {
        result.message = fillTemplate(UI_TEXT("文件保存失败：%1"), {error.toStdString()});
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace quorvel::codec
