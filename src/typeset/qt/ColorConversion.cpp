#include "typeset/qt/ColorConversion.h"

#include "typeset/SystemColor.h"

#include <QGuiApplication>

namespace quorvel::typeset {

QPalette currentPalette() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::palette()
                                                                        : QPalette();
}

QColor toQColor(Color color, const QPalette& palette) {
    if (!isSystemColor(color)) return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    using R = SystemColorRole;
    switch (static_cast<R>(systemColorIndex(color))) {
    case R::ScrollBar:
        return palette.color(QPalette::Button);
    case R::Background:
        return palette.color(QPalette::Window);
    case R::ActiveCaption:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case R::InactiveCaption:
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case R::Menu:
        return palette.color(QPalette::Window);
    case R::Window:
        return palette.color(QPalette::Base);
    case R::WindowFrame:
        return palette.color(QPalette::Shadow);
    case R::MenuText:
        return palette.color(QPalette::WindowText);
    case R::WindowText:
        return palette.color(QPalette::Text);
    case R::CaptionText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case R::ActiveBorder:
        return palette.color(QPalette::Window);
    case R::InactiveBorder:
        return palette.color(QPalette::Window);
    case R::AppWorkspace:
        return palette.color(QPalette::Dark);
    case R::Highlight:
        return palette.color(QPalette::Highlight);
    case R::HighlightText:
        return palette.color(QPalette::HighlightedText);
    case R::ButtonFace:
        return palette.color(QPalette::Button);
    case R::ButtonShadow:
        return palette.color(QPalette::Dark);
    case R::GrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case R::ButtonText:
        return palette.color(QPalette::ButtonText);
    case R::InactiveCaptionText:
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case R::ButtonHighlight:
        return palette.color(QPalette::Light);
    case R::DarkShadow3D:
        return palette.color(QPalette::Shadow);
    case R::Light3D:
        return palette.color(QPalette::Midlight);
    case R::InfoText:
        return palette.color(QPalette::ToolTipText);
    case R::InfoBackground:
        return palette.color(QPalette::ToolTipBase);
    }
    return palette.color(QPalette::Text);
}

QColor toQColor(Color color) {
    return toQColor(color, currentPalette());
}

Color fromQColor(const QColor& color) {
    const QColor c = color.toRgb();
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace quorvel::typeset
