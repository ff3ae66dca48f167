#pragma once

#include <QObject>

#include <string>
#include <utility>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace quorvel::editor {

// The kind of curve the custom function road draws (函数, 参数方程, 极坐标方程, 隐函数/不等式) with the box
// of its domain or parameter range: the box's caption, variable and default bounds follow the kind, and a
// kind with no range greys the bounds out. The kind follows what the formula is (x^2+y^2=4 is implicit,
// r=1+cos θ polar) until the user picks one by hand.
class CurveKindChoice : public QObject {
public:
    CurveKindChoice(QWidget* parent, QGroupBox* rangeBox, QLabel* variable, QLineEdit* start, QLineEdit* end);

    QComboBox* box() const { return box_; }
    QLabel* label() const { return label_; }

    // Opens for an item of kind with its bounds; enabled only on the custom function road.
    void start(bool enabled, int kind, const std::string& rangeStart, const std::string& rangeEnd);
    // The kind the chosen entry stands for (implicit for 隐函数/不等式; the formula decides between an
    // implicit curve and a region).
    int chosenKind() const;
    // The formula's own kind, as the preview found it: followed unless the user picked a kind by hand.
    void follow(int formulaKind);

private:
    void show(int entry, bool keepBounds);
    void picked(int entry);

    QComboBox* box_;
    QLabel* label_;
    QGroupBox* rangeBox_;
    QLabel* variable_;
    QLineEdit* start_;
    QLineEdit* end_;
    int entry_ = 0;
    bool pickedByHand_ = false;
};

} // namespace quorvel::editor
