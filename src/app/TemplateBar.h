#pragma once

#include <QFrame>
#include <QList>

class QAction;
class QToolButton;
class QVBoxLayout;

namespace quorvel::app {

// The template bar (Panel2) on the left of the sheet: the fourteen template function buttons from top
// to bottom, then the custom function button (SpeedButton13) and the annotation button (SpeedButton17).
// Each button shows its caption, which is also its hint. A button is disabled until a command is
// connected to its action (TForm1::setCommand with its name).
class TemplateBar : public QFrame {
    Q_OBJECT
public:
    struct Entry {
        const char* name;
        const char* caption;
    };
    // The buttons in their order on the bar.
    static const QList<Entry>& entries();

    explicit TemplateBar(QWidget* parent = nullptr);

    QToolButton* button(const QString& name) const;
    const QList<QToolButton*>& buttons() const { return buttons_; }
    // The command of each button, named like it.
    const QList<QAction*>& actions() const { return actions_; }

private:
    QList<QToolButton*> buttons_;
    QList<QAction*> actions_;
};

} // namespace quorvel::app
