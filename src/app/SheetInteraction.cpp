#include "app/SheetInteraction.h"

#include "app/SheetWidget.h"
#include "app/TForm1.h"
#include "graph/CurveStyleCommands.h"
#include "graph/GridCommands.h"
#include "i18n/Translation.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

namespace quorvel::app {

namespace {

Qt::CursorShape cursorShape(graph::SheetCursor cursor) {
    switch (cursor) {
    case graph::SheetCursor::Hand:
        return Qt::PointingHandCursor;
    case graph::SheetCursor::DragMove:
        return Qt::DragMoveCursor;
    case graph::SheetCursor::SplitH:
        return Qt::SplitHCursor;
    case graph::SheetCursor::SplitV:
        return Qt::SplitVCursor;
    case graph::SheetCursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

// Whole logical pixels, as the pan's column shift and the box moves work in.
QPoint sheetPoint(const QMouseEvent* event) {
    return event->position().toPoint();
}

} // namespace

SheetInteraction::SheetInteraction(TForm1& form1, expr::Engine& engine)
    : QObject(&form1), form1_(form1), mouse_(form1.document(), engine, form1.sheet()->sheetSize().width(),
                                             form1.sheet()->sheetSize().height()) {
    mouse_.setStatusPattern(i18n::uiText(graph::kPointerStatus).toStdString());
    SheetWidget* sheet = form1.sheet();
    connect(sheet, &SheetWidget::mousePressed, this, &SheetInteraction::pressed);
    connect(sheet, &SheetWidget::mouseMoved, this, &SheetInteraction::moved);
    connect(sheet, &SheetWidget::mouseReleased, this, &SheetInteraction::released);
    connect(sheet, &SheetWidget::mouseDoubleClicked, this, &SheetInteraction::doubleClicked);
    connect(&form1, &TForm1::documentReset, this, [this] { mouse_.reset(); });
    // Paste keeps to the sheet as it is now, even when no pointer event came since it shrank.
    connect(sheet, &SheetWidget::resized, this, &SheetInteraction::followSheetSize);
    connect(sheet, &SheetWidget::wheelTurned, this, &SheetInteraction::wheelTurned);
    wheelBurst_ = new QTimer(this);
    wheelBurst_->setSingleShot(true);
    wheelBurst_->setInterval(400);
    connect(wheelBurst_, &QTimer::timeout, this, [this] { form1_.apply({.record = true}); });
}

void SheetInteraction::followSheetSize() {
    const QSize sheet = form1_.sheet()->sheetSize();
    mouse_.setSheetSize(sheet.width(), sheet.height());
}

void SheetInteraction::pressed(QMouseEvent* event) {
    form1_.sheet()->setFocus(Qt::MouseFocusReason); // the arrow keys nudge what was pressed
    followSheetSize();
    const QPoint at = sheetPoint(event);
    const graph::MouseButton button =
        event->button() == Qt::LeftButton ? graph::MouseButton::Left : graph::MouseButton::Right;
    apply(mouse_.press(at.x(), at.y(), button), event->globalPosition().toPoint());
}

void SheetInteraction::moved(QMouseEvent* event) {
    followSheetSize();
    const QPoint at = sheetPoint(event);
    apply(mouse_.move(at.x(), at.y()), event->globalPosition().toPoint());
}

void SheetInteraction::released(QMouseEvent* event) {
    const QPoint at = sheetPoint(event);
    const graph::MouseButton button =
        event->button() == Qt::LeftButton ? graph::MouseButton::Left : graph::MouseButton::Right;
    apply(mouse_.release(at.x(), at.y(), button), event->globalPosition().toPoint());
}

void SheetInteraction::doubleClicked(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    followSheetSize();
    const QPoint at = sheetPoint(event);
    apply(mouse_.doubleClick(at.x(), at.y()), event->globalPosition().toPoint());
}

void SheetInteraction::wheelTurned(QWheelEvent* event) {
    followSheetSize();
    const QPoint at = event->position().toPoint();
    const graph::MouseOutcome outcome = mouse_.wheel(at.x(), at.y(), event->angleDelta().y() / 120.0);
    event->accept();
    if (!outcome.change.redraw) return;
    apply(outcome, event->globalPosition().toPoint());
    wheelBurst_->start(); // a burst of steps is one entry, taken when the wheel rests
}

void SheetInteraction::reopenAtLastPress() {
    // The same search as a double click at the place of the last press.
    const graph::SheetPoint at = mouse_.anchor();
    apply(mouse_.doubleClick(at.x, at.y), QPoint());
}

bool SheetInteraction::chooseByKey(int step) {
    graph::MouseOutcome outcome = step == 0 ? mouse_.chooseNone() : mouse_.selectNext(step);
    if (!outcome.change.redraw) return false;
    const QPoint global = QCursor::pos();
    const QPoint at = form1_.sheet()->mapFromGlobal(global);
    outcome.cursor = mouse_.cursorAt(at.x(), at.y()); // the pointer stays where it is
    apply(outcome, global);
    return true;
}

void SheetInteraction::apply(const graph::MouseOutcome& outcome, const QPoint& globalPos) {
    form1_.sheet()->setCursor(cursorShape(outcome.cursor));
    if (outcome.status) form1_.statusPanel()->setText(QString::fromStdString(*outcome.status));
    // Frames of a drag may be plain; the first frame at rest is smooth again, even when the release
    // itself changed nothing.
    const bool dragging = mouse_.dragKind() != graph::DragKind::None;
    form1_.sheet()->setInteractive(dragging);
    graph::SheetChange change = outcome.change;
    if (change.redraw || (!dragging && plainFrameShown_)) {
        change.redraw = true;
        plainFrameShown_ = dragging;
    }
    form1_.apply(change);
    if (outcome.popup) showSheetPopup(form1_, globalPos, outcome.popup->kind);
    // Dialogs open after the mouse event has finished, so the pointer grab is over.
    const auto later = [this](TForm1::Command run) {
        QMetaObject::invokeMethod(
            this, [this, run = std::move(run)] { form1_.runCommand(run); }, Qt::QueuedConnection);
    };
    if (outcome.reopen) {
        const document::ObjectRef target = *outcome.reopen;
        const auto& reopen = target.type == document::ObjectRef::Remark ? reopenRemark_ : reopenItem_;
        if (reopen) later([reopen, slot = target.slot] { return reopen(slot); });
    }
    if (outcome.placeAnnotation && placeRemark_)
        later([this, at = *outcome.placeAnnotation, globalPos] { return placeRemark_(at, globalPos); });
}

void showSheetPopup(TForm1& form1, const QPoint& globalPos, graph::HitKind hit) {
    document::Document& doc = form1.document();
    const document::ObjectRef first = doc.firstSelected();
    const document::DEFINEFUN* firstItem =
        first.type == document::ObjectRef::Curve ? &doc.curve(first.slot) : nullptr;
    const bool firstIsPicture = firstItem && firstItem->kind == document::KindFormulaPicture;
    for (const graph::PopupRow& row : graph::kPopupTable) {
        const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
        const bool enabled = graph::popupItemEnabled(row.name, hit, firstIsPicture).value_or(false);
        // The grid submenu has no command of its own; its entries have.
        if (name == QLatin1String("N28"))
            form1.item(name)->setEnabled(enabled);
        else
            form1.setItemEnabled(name, enabled);
    }
    const std::string caption(hit == graph::HitKind::CurveLine ? graph::thickLineCaption(doc)
                                                               : UI_TEXT("粗线(&t)"));
    form1.item(QStringLiteral("N48"))->setText(i18n::uiText(caption.c_str()));
    form1.popupMenu()->popup(globalPos);
}

SheetInteraction* installSheetInteraction(TForm1& form1, expr::Engine& engine) {
    auto* interaction = new SheetInteraction(form1, engine);
    form1.setCommand(QStringLiteral("N21"), [interaction] {
        interaction->reopenAtLastPress();
        return graph::change::kNone;
    });
    // The view the program starts with: origin in the middle, 100 pixels per unit.
    form1.setCommand(QStringLiteral("N19"), [&form1] {
        const QSize sheet = form1.sheet()->sheetSize();
        return graph::resetView(form1.document().view, sheet.width(), sheet.height());
    });
    return interaction;
}

} // namespace quorvel::app
