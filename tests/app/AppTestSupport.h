#pragma once

#include "app/FileDialogs.h"
#include "app/TForm1.h"
#include "base/MessageSink.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>
#include <string>
#include <vector>

namespace quorvel::apptest {

// File dialogs that answer from queues; an empty queue answers "cancelled".
class ScriptedFileDialogs : public app::FileDialogs {
public:
    QString openFileName(QWidget*) override { return take(openNames, openAsked); }
    QString saveFileName(QWidget*, const QString& suggested) override {
        lastSuggested = suggested;
        return take(saveNames, saveAsked);
    }

    QStringList openNames;
    QStringList saveNames;
    int openAsked = 0;
    int saveAsked = 0;
    QString lastSuggested;

private:
    static QString take(QStringList& names, int& asked) {
        ++asked;
        return names.isEmpty() ? QString() : names.takeFirst();
    }
};

// A main window with recording services, shown offscreen at a fixed size.
struct WindowFixture {
    RecordingSink sink;
    ScriptedFileDialogs dialogs;
    std::vector<int> exitCodes;
    std::unique_ptr<app::TForm1> form;

    explicit WindowFixture(QSize size = QSize(1000, 700));
    ~WindowFixture();

    // The panel (PW x PH) the sheet lives in.
    QSize panel() const;
    // Lets queued layout and resize events run.
    static void settle();
};

// The shown controls of root whose accessible name differs from their caption, one per line.
std::string namesOtherThanCaptions(QWidget* root);

// A temporary folder that lives as long as the fixture.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

// quorvel-cli run with arguments: its exit code and what it wrote to stderr.
struct CliRun {
    int exitCode;
    QString errors;
};
CliRun runCli(const QStringList& arguments);

} // namespace quorvel::apptest
