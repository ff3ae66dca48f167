#include "app/BarToggleWatch.h"

#include <QLayout>
#include <QList>
#include <QTimer>
#include <QWidget>

namespace quorvel::app {

void BarToggleWatch::toggle(QWidget* bar, bool visible, QSize panel) {
    from_ = panel;
    active_ = true;
    bar->setVisible(visible);
    // Outer layouts first, so each inner one is laid out in its new size.
    QList<QLayout*> layouts;
    for (QWidget* w = bar->parentWidget(); w; w = w->parentWidget())
        if (w->layout()) layouts.prepend(w->layout());
    for (QLayout* layout : layouts)
        layout->activate();
    const int generation = ++generation_;
    QTimer::singleShot(1000, owner_, [this, generation] {
        if (generation == generation_) active_ = false;
    });
}

BarToggleWatch::Resize BarToggleWatch::classify(QSize panel) {
    if (!active_) return Resize::Ordinary;
    if (panel == from_) return Resize::Pending;
    active_ = false;
    return Resize::FromToggle;
}

} // namespace quorvel::app
