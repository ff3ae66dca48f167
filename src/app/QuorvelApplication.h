#pragma once

#include "base/MessageSink.h"

#include <QApplication>

namespace quorvel::app {

// The desktop application: the interface language the locale asks for (Chinese by default), the Windows
// font names mapped to installed faces, and the standard error box for any error that escapes an event
// handler.
class QuorvelApplication : public QApplication {
    Q_OBJECT
public:
    QuorvelApplication(int& argc, char** argv);

    // Where escaped errors are shown; without one they go to standard error.
    void setErrorSink(MessageSink* sink) { errorSink_ = sink; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void reportEscapedError(const std::exception* error);

    MessageSink* errorSink_ = nullptr;
    bool reporting_ = false;
};

// The first argument that names a file (file managers pass one), or an empty string.
QString documentArgument(const QStringList& arguments);

} // namespace quorvel::app
