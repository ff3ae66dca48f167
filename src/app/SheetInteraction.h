#pragma once

#include "graph/SheetMouse.h"

#include <QObject>

#include <functional>

class QMouseEvent;
class QPoint;

namespace quorvel::expr {
class Engine;
}

namespace quorvel::app {

class TForm1;

// The pointer on the sheet: forwards the sheet's mouse events, in sheet pixels, to the sheet's state
// machine and does what it asks for: redraw, cursor, status text, one history entry per drag, the
// pop-up menu, reopening an object.
class SheetInteraction : public QObject {
    Q_OBJECT
public:
    SheetInteraction(TForm1& form1, expr::Engine& engine);

    graph::SheetMouse& mouse() { return mouse_; }
    // Opens the editor of an object (double click and 属性); the wiring of the editors sets it.
    void setReopen(std::function<void(document::ObjectRef)> reopen) { reopen_ = std::move(reopen); }
    // 属性: reopens what lies under the last press.
    void reopenAtLastPress();

private:
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);
    void doubleClicked(QMouseEvent* event);
    void followSheetSize();
    void apply(const graph::MouseOutcome& outcome, const QPoint& globalPos);

    TForm1& form1_;
    graph::SheetMouse mouse_;
    std::function<void(document::ObjectRef)> reopen_;
};

// Shows the sheet's pop-up menu at globalPos with the items enabled for what the right press hit; the
// thick-line item names what it will do to the selected curve.
void showSheetPopup(TForm1& form1, const QPoint& globalPos, graph::HitKind hit);

// The interaction is a child of the window and lives as long as it.
SheetInteraction* installSheetInteraction(TForm1& form1, expr::Engine& engine);

} // namespace quorvel::app
