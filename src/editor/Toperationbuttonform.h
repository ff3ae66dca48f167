#pragma once

#include "editor/core/EditorTables.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QToolButton;

namespace quorvel::editor {

// The operator palette ("运算符按钮"): nineteen groups of markup buttons, one shown at a time right under
// the editor button that asked for it. A pop-up, so a press outside closes it; it is a child of the editor,
// whose modal loop would otherwise block its buttons.
class Toperationbuttonform : public QWidget {
    Q_OBJECT
public:
    // Called for every active button after the palette has closed.
    using ButtonHandler = std::function<void(const PaletteButton&)>;

    explicit Toperationbuttonform(QWidget* editor);

    void setButtonHandler(ButtonHandler handler) { handler_ = std::move(handler); }
    // Shows only group, its top-left corner just below opener.
    void openGroup(PaletteGroup group, const QWidget* opener);
    // The group panel, named as the design names it ("denghao" ...).
    QWidget* groupPanel(PaletteGroup group) const;
    PaletteGroup shownGroup() const { return shown_; }
    // Buttons of constructs that cannot be plotted or calculated (changebuttonenable).
    void setPlottableEnabled(bool enabled);

private:
    void press(const PaletteButton& button);

    ButtonHandler handler_;
    std::array<QWidget*, kPaletteGroupCount> panels_{};
    std::vector<std::pair<QToolButton*, bool>> buttons_; // with its plottable flag
    PaletteGroup shown_ = PaletteGroup::denghao;
};

} // namespace quorvel::editor
