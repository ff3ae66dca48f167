// The file commands of the main window: new, open, save and exit, each asking before unsaved work goes,
// and the window's title, which names the file and marks unsaved changes.
#include "app/Captions.h"
#include "app/TForm1.h"
#include "codec/FunFile.h"
#include "document/Messages.h"

#include <QCloseEvent>
#include <QFileInfo>

namespace quorvel::app {

namespace {

std::string shownName(const QString& path) {
    return QFileInfo(path).fileName().toStdString();
}

} // namespace

bool TForm1::confirmDiscard(const char* question) {
    if (!history_.changed()) return true;
    switch (sink_->ask(question, kCaptionWarning)) {
    case Answer::Yes:
        return S2Click();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void TForm1::replaceDocument(document::Document incoming, const QString& fileName, bool changed) {
    doc_ = std::move(incoming);
    const QSize panel = panelSize();
    sheetExtent_ = {double(panel.width()), double(panel.height())};
    syncViewControls();
    history_.reset();
    fileName_ = fileName;
    emit documentReset();
    apply(graph::change::kViewEdit);
    if (changed) apply({.unrecorded = true});
}

graph::SheetChange TForm1::N1Click() {
    if (!confirmDiscard(kSaveQuestion)) return graph::change::kNone;
    const QSize panel = panelSize();
    document::Document fresh;
    fresh.resetForNew(panel.width(), panel.height());
    replaceDocument(std::move(fresh), QString());
    return graph::change::kNone;
}

graph::SheetChange TForm1::O1Click() {
    // A cancelled dialog leaves the document and its history as they are.
    const QString name = dialogs_->openFileName(this);
    if (!name.isEmpty()) openFile(name);
    return graph::change::kNone;
}

bool TForm1::openFile(const QString& path) {
    // The file is read and checked before anything of the current document is touched: a file that does
    // not read, or an answer of Cancel, leaves the work, its changes and its history as they were.
    const QSize panel = panelSize();
    document::Document incoming;
    incoming.view = doc_.view; // the axes and grid toggles carry over
    const codec::OpenResult result =
        codec::openFunFile(path.toStdString(), incoming, double(panel.width()), double(panel.height()));
    if (result.problem != codec::LoadProblem::None) {
        std::string problem = result.detail;
        if (result.problem == codec::LoadProblem::TooLarge) problem = UI_TEXT("文件太大");
        if (result.problem == codec::LoadProblem::NotRegularFile) problem = UI_TEXT("不是普通文件");
        sink_->show(fillTemplate(UI_TEXT("无法读取文件“%1”：%2"), {shownName(path), problem}), kCaptionError,
                    MessageIcon::Error);
        return false;
    }
    // An item of an unknown kind is never opened in part: what follows it cannot be trusted.
    if (!result.ok && (!result.damaged || result.unknownKind)) {
        sink_->show(result.refusalMessage(), kCaptionError, MessageIcon::Error);
        return false;
    }
    if (result.damaged && sink_->ask(damagedFileQuestion(shownName(path), incoming.objectCount()),
                                     kCaptionWarning) != Answer::Yes)
        return false;
    if (!confirmDiscard(kSaveQuestion)) return false;
    if (result.cut) sink_->show(document::kObjectsCutMessage, kCaptionWarning, MessageIcon::Warning);
    replaceDocument(std::move(incoming), path);
    emit fileUsed(path);
    return result.ok;
}

bool TForm1::S2Click() {
    const QString chosen = dialogs_->saveFileName(this, fileName_);
    if (chosen.isEmpty()) return false;
    const QString name = withFunSuffix(chosen);
    if (QFileInfo::exists(name)) {
        const std::string question =
            fillTemplate(UI_TEXT("文件“%1”已经存在，要替换它吗？"), {shownName(name)});
        if (sink_->ask(question, kCaptionWarning) != Answer::Yes) return false;
    }
    const codec::SaveResult saved = codec::saveFunFile(name.toStdString(), doc_);
    if (!saved.ok) {
        sink_->show(saved.message, kCaptionError, MessageIcon::Error);
        return false;
    }
    fileName_ = name;
    history_.markClean();
    updateTitle();
    emit documentSaved();
    emit fileUsed(name);
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!exitConfirmed_ && !confirmDiscard(kSaveBeforeQuitQuestion)) {
        event->ignore();
        return;
    }
    doc_.Del_zhushi();
    emit closing();
    event->accept();
}

graph::SheetChange TForm1::Q1Click() {
    // The exit command asks even when nothing changed.
    switch (sink_->ask(kSaveBeforeQuitQuestion, kCaptionWarning)) {
    case Answer::Cancel:
        return graph::change::kNone;
    case Answer::Yes:
        if (!S2Click()) return graph::change::kNone;
        break;
    case Answer::No:
        break;
    }
    doc_.Del_zhushi();
    exitConfirmed_ = true;
    close();
    // The user asked to leave and nothing went wrong: the shell sees success.
    endProcess_(0);
    return graph::change::kNone;
}

void TForm1::updateTitle() {
    const QString name = fileName_.isEmpty() ? i18n::uiText(kUntitled) : QFileInfo(fileName_).fileName();
    setWindowTitle(name + QStringLiteral("[*] - ") + QString::fromUtf8(kProgramCaption));
    setWindowModified(history_.changed());
}

} // namespace quorvel::app
