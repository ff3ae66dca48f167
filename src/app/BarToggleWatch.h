#pragma once

#include <QSize>

class QObject;
class QWidget;

namespace quorvel::app {

// A bar shown or hidden makes the sheet grow or shrink around a fixed origin, unlike a window resize.
// The platform may deliver that resize only after the toggle returned, and after resizes that change
// nothing, so the watch stays up until the panel's size differs from the one at the toggle; should
// that resize never come, it ends after a second and later resizes are ordinary ones.
class BarToggleWatch {
public:
    enum class Resize { Ordinary, Pending, FromToggle };

    explicit BarToggleWatch(QObject* owner) : owner_(owner) {}

    // Shows or hides bar; the watch is up before, since showing may resize the sheet at once.
    void toggle(QWidget* bar, bool visible, QSize panel);
    // What a resize of the panel to `panel` is; FromToggle ends the watch.
    [[nodiscard]] Resize classify(QSize panel);

private:
    QObject* owner_;
    bool active_ = false;
    QSize from_;
    int generation_ = 0; // an older toggle's time-out must not end a newer one
};

} // namespace quorvel::app
