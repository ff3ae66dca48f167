#pragma once

#include "graph/SheetMouse.h"

#include <QObject>

#include <functional>

#include <QPoint>

class QMouseEvent;
class QTimer;
class QWheelEvent;

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
    // Opens the editor of a graph item or an annotation in slot (double click and 属性); the wiring of the
    // editors sets them.
    using Reopen = std::function<graph::SheetChange(int slot)>;
    void setReopenItem(Reopen reopen) { reopenItem_ = std::move(reopen); }
    void setReopenRemark(Reopen reopen) { reopenRemark_ = std::move(reopen); }
    // Places a new annotation at a sheet point after the annotation command; globalPos is the press on
    // the screen, where its dialog opens.
    using Place = std::function<graph::SheetChange(graph::SheetPoint at, QPoint globalPos)>;
    void setPlaceRemark(Place place) { placeRemark_ = std::move(place); }
    // Tab (step 1) and Shift+Tab (-1) choose one object after another, Esc (0) none; false when nothing
    // changed.
    bool chooseByKey(int step);
    // 属性: reopens what lies under the last press.
    void reopenAtLastPress();

private:
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);
    void doubleClicked(QMouseEvent* event);
    void wheelTurned(QWheelEvent* event);
    void followSheetSize();
    void apply(const graph::MouseOutcome& outcome, const QPoint& globalPos);

    TForm1& form1_;
    graph::SheetMouse mouse_;
    Reopen reopenItem_;
    Reopen reopenRemark_;
    Place placeRemark_;
    QTimer* wheelBurst_ = nullptr; // one history entry when the wheel has rested
    bool plainFrameShown_ = false; // the sheet on screen was drawn during a drag
};

// Shows the sheet's pop-up menu at globalPos with the items enabled for what the right press hit; the
// thick-line item names what it will do to the selected curve.
void showSheetPopup(TForm1& form1, const QPoint& globalPos, graph::HitKind hit);

// The interaction is a child of the window and lives as long as it.
SheetInteraction* installSheetInteraction(TForm1& form1, expr::Engine& engine);

} // namespace quorvel::app
