#pragma once

#include "base/MessageSink.h"
#include "document/Document.h"
#include "graph/ParameterSweep.h"
#include "graph/SheetChange.h"

#include <QDialog>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace quorvel::graph {

// What the demonstration does to the sheet around it while its sliders move.
struct DemonstrationSheet {
    std::function<void(int slot)> refresh; // resample the item, or recompute a calculation object
    std::function<void()> drawNow;
};

// The dynamic demonstration: three sliders sweep the parameters A, B, C of one graph item by the step in
// their step edits while the sheet follows; on closing, the radio buttons decide whether the new values
// stay (one undo step) or the old ones come back. Step edits and the radio choice carry over from one use
// to the next; the sliders are back in the middle every time.
class TForm4 : public QDialog, public ParameterSweep {
    Q_OBJECT
public:
    explicit TForm4(MessageSink& sink, QWidget* parent = nullptr);

    void setSheet(DemonstrationSheet sheet) { sheet_ = std::move(sheet); }

    // Shows the dialog modally for the graph item in slot of doc, with the rows of its parameters, and
    // returns what closing it left: the new values as one history entry, or the old values back.
    // Nothing happens when slot holds no item.
    [[nodiscard]] SheetChange execFor(document::Document& doc, int slot);

    // Event handlers.
    void FormActivate();
    void TrackBar1Change() { trackBarChange(0); }
    void TrackBar2Change() { trackBarChange(1); }
    void TrackBar3Change() { trackBarChange(2); }
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override; // every way of closing passes here

private:
    void buildControls();
    void setRowsFor(int paramCount);
    void trackBarChange(int row);
    document::DEFINEFUN* target() const;

    MessageSink& sink_;
    DemonstrationSheet sheet_;
    SheetChange closing_; // what FormClose left
    document::Document* doc_ = nullptr;
    int slot_ = -1;

    std::array<QLabel*, kRows> nameLabels_{};
    std::array<QLabel*, kRows> minusSigns_{};
    std::array<QSlider*, kRows> trackBars_{};
    std::array<QLabel*, kRows> plusSigns_{};
    std::array<QLabel*, kRows> stepCaptions_{};
    std::array<QLineEdit*, kRows> stepEdits_{};
    std::array<QLabel*, kRows> valueLabels_{};
    QRadioButton* radioButton1_ = nullptr;
    QRadioButton* radioButton2_ = nullptr;
};

} // namespace quorvel::graph
