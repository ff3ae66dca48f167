#pragma once

#include "document/FontSpec.h"

#include <QDialog>
#include <QFont>

#include <optional>

class QFontDialog;
class QPushButton;

namespace quorvel::app {

// A font with its colour in one dialog: the font chooser and a colour button with its swatch.
class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontColourDialog(QWidget* parent = nullptr);

    void setFontSpec(const document::FontSpec& font);
    document::FontSpec fontSpec() const;

private:
    void chooseColour();
    void showColour();

    QFontDialog* fonts_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    document::FontSpec start_;
    QFont offered_; // what the chooser showed for start_

    int colour_ = document::kWindowTextColour;
};

// Shows the dialog modally, starting at start; nothing when cancelled.
std::optional<document::FontSpec> chooseFontWithColour(QWidget* parent, const document::FontSpec& start);

} // namespace quorvel::app
