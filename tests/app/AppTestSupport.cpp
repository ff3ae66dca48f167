#include "AppTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QFrame>

namespace quorvel::apptest {

WindowFixture::WindowFixture(QSize size) {
    app::TForm1::Services services;
    services.sink = &sink;
    services.fileDialogs = &dialogs;
    services.endProcess = [this](int code) { exitCodes.push_back(code); };
    form = std::make_unique<app::TForm1>(services);
    form->resize(size);
    form->show();
    settle();
}

WindowFixture::~WindowFixture() {
    // A test may leave the document changed; closing must not ask again here.
    form->hide();
}

QSize WindowFixture::panel() const {
    return form->sheetPanel()->size();
}

void WindowFixture::settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

} // namespace quorvel::apptest
