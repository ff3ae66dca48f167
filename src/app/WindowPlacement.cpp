#include "app/WindowPlacement.h"

#include "app/ProgramSettings.h"

#include <QEvent>
#include <QMainWindow>
#include <QScreen>

namespace quorvel::app {

namespace {

// Writes the placement as the window closes, before its widgets go.
class PlacementKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && event->isAccepted()) {
            auto* window = static_cast<QMainWindow*>(watched);
            const auto settings = programSettings();
            settings->setValue(QString::fromLatin1(kWindowGeometryKey), window->saveGeometry());
            settings->setValue(QString::fromLatin1(kWindowStateKey), window->saveState());
        }
        return false;
    }
};

} // namespace

void showInKeptPlacement(QMainWindow& window) {
    window.installEventFilter(new PlacementKeeper(&window));
    const auto settings = programSettings();
    const QByteArray geometry = settings->value(QString::fromLatin1(kWindowGeometryKey)).toByteArray();
    if (!geometry.isEmpty() && window.restoreGeometry(geometry)) {
        window.restoreState(settings->value(QString::fromLatin1(kWindowStateKey)).toByteArray());
        window.show();
        return;
    }
    // Without a window manager (a bare X server) maximising does nothing, so the window takes the
    // screen's free area itself first.
    if (const QScreen* screen = window.screen()) window.setGeometry(screen->availableGeometry());
    window.showMaximized();
}

} // namespace quorvel::app
