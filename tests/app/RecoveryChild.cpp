// A program that is killed: the main window with its recovery data saves a document, changes it, waits
// until the recovery file holds the change, prints the last history entry and waits to be killed.
#include "app/FileDialogs.h"
#include "app/QuorvelApplication.h"
#include "app/RecoveryOffer.h"
#include "app/TForm1.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

class SaveTo : public quorvel::app::FileDialogs {
public:
    explicit SaveTo(QString path) : path_(std::move(path)) {}
    QString openFileName(QWidget*) override { return {}; }
    QString saveFileName(QWidget*, const QString&) override { return path_; }

private:
    QString path_;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    quorvel::app::QuorvelApplication application(argc, argv);
    if (argc < 3) return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    quorvel::RecordingSink sink;
    SaveTo dialogs(QString::fromLocal8Bit(argv[2]));
    quorvel::app::TForm1 form({&sink, &dialogs, {}});
    quorvel::app::RecoveryStore* store = quorvel::app::installRecovery(form, folder);
    form.resize(900, 700);
    form.show();
    form.item(QStringLiteral("N18"))->trigger();
    if (!form.S2Click()) return 3;
    form.item(QStringLiteral("N11"))->trigger();
    form.item(QStringLiteral("Y1"))->trigger();

    auto* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, &form, [&] {
        if (!QFileInfo::exists(store->ownPath())) return;
        poll->stop();
        std::printf("READY %s\n", QByteArray::fromStdString(form.history().current()).toHex().constData());
        std::fflush(stdout);
    });
    poll->start(50);
    return application.exec();
}
