#pragma once

#include "graph/CurveMarks.h"
#include "graph/CurveTrace.h"

#include <QObject>

#include <optional>

class QMouseEvent;

namespace quorvel::app {

class TForm1;
class ValueTableDialog;

// Reading curves on the sheet: the marks of the selected curve (hover shows a label and the status bar,
// a click keeps it until the next press, a right click copies the coordinates), the trace (追踪曲线,
// Ctrl+T) with its keys, and the table of values (数值表, Ctrl+B). A child of the window.
class CurveReading : public QObject {
    Q_OBJECT
public:
    explicit CurveReading(TForm1& form1);

    graph::CurveMarks& marks() { return marks_; }
    graph::CurveTrace& trace() { return trace_; }
    ValueTableDialog* table() const { return table_; }

    // 追踪曲线: starts on the selected curve at the pointer's column (the middle when it is elsewhere).
    void startTrace();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pointerMoved(QMouseEvent* event);
    bool traceKey(int key, bool shifted, const QString& text);
    void jumpByTypedNumber(const QString& typed);
    void showStatus(const std::string& text);
    void copyCoordinates(int mark, const QPoint& globalPos);

    TForm1& form1_;
    graph::CurveMarks marks_;
    graph::CurveTrace trace_;
    ValueTableDialog* table_ = nullptr;
};

// Installs the reading of curves on the window.
CurveReading* installCurveReading(TForm1& form1);

} // namespace quorvel::app
