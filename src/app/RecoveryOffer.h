#pragma once

#include "app/RecoveryStore.h"
#include "base/MessageSink.h"

#include <QList>

#include <functional>

class QWidget;

namespace quorvel::app {

class TForm1;

// What the user chose in the recovery dialog for the record at index.
struct RecoveryChoice {
    enum Action { Restore, Discard, Later } action = Later;
    int index = 0;
};
using RecoveryChooser = std::function<RecoveryChoice(const QList<RecoveryRecord>& records)>;

// The dialog "恢复未保存的工作": one row per record (the document's file name or 未命名, the time of its
// last change, the number of objects) and 恢复, 放弃 and 以后再说.
RecoveryChoice chooseRecovery(QWidget* parent, const QList<RecoveryRecord>& records);

// At start: offers the work of programs that died. 恢复 opens the record as a changed document under its
// file name (this instance's recovery data takes it over at once); 放弃 deletes it after a question; the
// others stay for the next start. Files that did not read are named in a message.
void offerRecovery(TForm1& form1, RecoveryStore& store, MessageSink& sink, const RecoveryChooser& choose);

// This instance's recovery data for the window's document, in folder (a child of the window): changes are
// written, a save, a new or opened document and a normal exit remove the file.
RecoveryStore* installRecovery(TForm1& form1, const QString& folder);

} // namespace quorvel::app
