#pragma once

#include <QDialog>

namespace quorvel::app {

// The about box: the program's name, its version and what it is for.
class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
};

} // namespace quorvel::app
