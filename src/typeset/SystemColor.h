#pragma once

#include "typeset/Canvas.h"

namespace quorvel::typeset {

// Colour values with the high byte 0xFF name a system colour instead of an RGB value; documents and the
// output style store them as they are, and the canvas backend resolves them to the palette when it
// draws. The low byte is the index of the role, in the platform's numbering.
enum class SystemColorRole : int {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
};

constexpr Color systemColor(SystemColorRole role) {
    return static_cast<Color>(0xFF000000u | static_cast<unsigned>(role));
}

constexpr bool isSystemColor(Color color) {
    return color < 0;
}

// The role index of a system colour (only meaningful when isSystemColor).
constexpr int systemColorIndex(Color color) {
    return static_cast<int>(static_cast<unsigned>(color) & 0xFFu);
}

constexpr Color kWindowTextColor = systemColor(SystemColorRole::WindowText);
constexpr Color kWindowColor = systemColor(SystemColorRole::Window);
constexpr Color kButtonFaceColor = systemColor(SystemColorRole::ButtonFace);

} // namespace quorvel::typeset
