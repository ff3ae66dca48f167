#include "app/RecoveryOffer.h"
#include "i18n/Translation.h"

#include "app/Captions.h"
#include "app/TForm1.h"
#include "document/DocumentText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::app {

namespace {

QString rowText(const RecoveryRecord& record) {
    const QString name =
        record.documentFile.isEmpty() ? i18n::uiText(kUntitled) : QFileInfo(record.documentFile).fileName();
    return i18n::uiText("%1    %2    %3个对象")
        .arg(name, record.changedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
        .arg(record.objects);
}

QPushButton* addButton(QDialogButtonBox* box, const char* name, const char* caption) {
    auto* button = box->addButton(i18n::uiText(caption), QDialogButtonBox::ActionRole);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

RecoveryChoice chooseRecovery(QWidget* parent, const QList<RecoveryRecord>& records) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("RecoveryDialog"));
    dialog.setWindowTitle(i18n::uiText("恢复未保存的工作"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* intro = new QLabel(i18n::uiText("上次程序没有正常退出。以下工作还没有保存，可以恢复："), &dialog);
    intro->setObjectName(QStringLiteral("RecoveryIntro"));
    layout->addWidget(intro);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("RecoveryList"));
    list->setAccessibleName(intro->text());
    for (const RecoveryRecord& record : records)
        list->addItem(rowText(record));
    list->setCurrentRow(records.size() - 1); // the latest work
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    RecoveryChoice choice;
    const auto choose = [&](RecoveryChoice::Action action) {
        choice = {action, list->currentRow()};
        dialog.accept();
    };
    QPushButton* restore = addButton(buttons, "RestoreButton", UI_TEXT("恢复(&R)"));
    restore->setDefault(true);
    QObject::connect(restore, &QPushButton::clicked, &dialog, [&] { choose(RecoveryChoice::Restore); });
    QObject::connect(addButton(buttons, "DiscardButton", UI_TEXT("放弃(&D)")), &QPushButton::clicked, &dialog,
                     [&] { choose(RecoveryChoice::Discard); });
    QObject::connect(addButton(buttons, "LaterButton", UI_TEXT("以后再说(&L)")), &QPushButton::clicked,
                     &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog,
                     [&] { choose(RecoveryChoice::Restore); });
    dialog.resize(520, 260);
    if (dialog.exec() != QDialog::Accepted || choice.index < 0) return {};
    return choice;
}

void offerRecovery(TForm1& form1, RecoveryStore& store, MessageSink& sink, const RecoveryChooser& choose) {
    RecoveryStore::Orphans orphans = store.takeOrphans();
    if (!orphans.setAside.isEmpty()) {
        QStringList shown;
        for (const QString& path : orphans.setAside)
            shown << QDir::toNativeSeparators(path);
        sink.show(fillTemplate(UI_TEXT("以下恢复数据无法读取，已原样保留：\n%1"),
                               {shown.join(QLatin1Char('\n')).toStdString()}),
                  kCaptionWarning, MessageIcon::Warning);
    }
    QList<RecoveryRecord>& records = orphans.records;
    while (!records.isEmpty()) {
        const RecoveryChoice choice = choose(records);
        if (choice.action == RecoveryChoice::Later || choice.index < 0 || choice.index >= records.size())
            return;
        const RecoveryRecord record = records[choice.index];
        if (choice.action == RecoveryChoice::Discard) {
            if (sink.ask(UI_TEXT("要放弃这份恢复数据吗？放弃后不能再找回。"), kCaptionWarning) ==
                Answer::Yes) {
                store.dropOrphan(record);
                records.removeAt(choice.index);
            }
            continue;
        }
        document::Document restored;
        (void)restored.open(record.text, {}); // it was checked when it was found
        form1.replaceDocument(std::move(restored), record.documentFile, true);
        // This instance keeps the work from now on; only then does the old file go.
        store.writeNow();
        store.dropOrphan(record);
        return; // one document per window: the others wait for the next start
    }
}

RecoveryStore* installRecovery(TForm1& form1, const QString& folder) {
    const auto snapshot = [&form1]() -> std::optional<RecoveryRecord> {
        if (!form1.history().changed()) return std::nullopt;
        RecoveryRecord record;
        record.documentFile = form1.fileName();
        record.changedAt = QDateTime::currentDateTimeUtc();
        record.objects = form1.document().objectCount();
        record.text = document::writeDocumentText(form1.document());
        return record;
    };
    auto* store = new RecoveryStore(folder, snapshot, &form1);
    QObject::connect(&form1, &TForm1::documentChanged, store, &RecoveryStore::changed);
    QObject::connect(&form1, &TForm1::documentSaved, store, &RecoveryStore::discard);
    QObject::connect(&form1, &TForm1::documentReset, store, &RecoveryStore::discard);
    QObject::connect(&form1, &TForm1::closing, store, &RecoveryStore::discard);
    return store;
}

} // namespace quorvel::app
