#include "app/FontColourDialog.h"
#include "i18n/Translation.h"

#include "app/FontConversion.h"
#include "typeset/qt/ColorConversion.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::app {

FontColourDialog::FontColourDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(i18n::uiText("字体"));
    setAccessibleName(windowTitle());
    auto* column = new QVBoxLayout(this);
    // The platform's font chooser without its own buttons, inside this dialog.
    fonts_ = new QFontDialog(this);
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setObjectName(QStringLiteral("FontChooser"));
    fonts_->setAccessibleName(i18n::uiText("字体"));
    // Escape inside the embedded chooser ends its own dialog role and would hide it here: it ends this
    // dialog instead, and the chooser stays for the next use.
    connect(fonts_, &QDialog::finished, this, [this](int result) {
        fonts_->setVisible(true);
        done(result == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected);
    });
    column->addWidget(fonts_);

    auto* row = new QHBoxLayout;
    auto* label = new QLabel(i18n::uiText("颜色："), this);
    colourButton_ = new QPushButton(this);
    colourButton_->setObjectName(QStringLiteral("ColourButton"));
    colourButton_->setAccessibleName(i18n::uiText("颜色"));
    colourButton_->setToolTip(i18n::uiText("颜色"));
    colourButton_->setAutoDefault(false);
    label->setBuddy(colourButton_);
    connect(colourButton_, &QPushButton::clicked, this, &FontColourDialog::chooseColour);
    row->addWidget(label);
    row->addWidget(colourButton_);
    row->addStretch(1);
    column->addLayout(row);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(i18n::uiText("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(i18n::uiText("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAccessibleName(cancel->text());
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    showColour();
}

void FontColourDialog::setFontSpec(const document::FontSpec& font) {
    start_ = font;
    colour_ = font.colour;
    fonts_->setCurrentFont(toQFont(font));
    offered_ = fonts_->currentFont();
    showColour();
}

document::FontSpec FontColourDialog::fontSpec() const {
    // The chooser lists installed faces only, so a stored face such as 宋体 (drawn through a substitute)
    // or a pixel height shows as its nearest entry. Only what the user changed is taken; the rest stays.
    const QFont now = fonts_->currentFont();
    const document::FontSpec picked = fromQFont(now, colour_, start_.charset);
    document::FontSpec out = start_;
    out.colour = colour_;
    if (now.family() != offered_.family()) out.name = picked.name;
    if (now.pointSize() != offered_.pointSize() || now.pixelSize() != offered_.pixelSize()) {
        out.size = picked.size;
        out.height = picked.height;
    }
    if (now.bold() != offered_.bold()) out.bold = picked.bold;
    if (now.italic() != offered_.italic()) out.italic = picked.italic;
    if (now.underline() != offered_.underline()) out.underline = picked.underline;
    if (now.strikeOut() != offered_.strikeOut()) out.strikeOut = picked.strikeOut;
    return out;
}

void FontColourDialog::chooseColour() {
    const QColor chosen = QColorDialog::getColor(typeset::toQColor(colour_), this, i18n::uiText("颜色"));
    if (!chosen.isValid()) return;
    colour_ = typeset::fromQColor(chosen);
    showColour();
}

void FontColourDialog::showColour() {
    QPixmap swatch(40, 14);
    swatch.fill(typeset::toQColor(colour_));
    colourButton_->setIcon(swatch);
    colourButton_->setIconSize(swatch.size());
}

std::optional<document::FontSpec> chooseFontWithColour(QWidget* parent, const document::FontSpec& start) {
    FontColourDialog dialog(parent);
    dialog.setFontSpec(start);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.fontSpec();
}

} // namespace quorvel::app
