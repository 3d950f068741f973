// Colour values as the window stores them: 0x00BBGGRR, or, with the top bit
// set, the index of a system colour in the low byte. And how every binding
// paints a label: its back colour resolved against the theme, with text that
// stays readable on it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace velbarino {

using ColourValue = std::uint32_t;

inline constexpr ColourValue kWhite = 0x00FFFFFF;
/// System colour 15: the button face, also the window background.
inline constexpr ColourValue kButtonFace = 0x8000000F;

constexpr bool isSystemColour(ColourValue value) noexcept { return (value & 0x80000000u) != 0; }

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

/// The colour of a value that names no system colour.
constexpr Rgb rgbOf(ColourValue value) noexcept {
    return {static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
            static_cast<int>((value >> 16) & 0xFFu)};
}

/// Relative luminance, as WCAG 2 defines it (0 black to 1 white).
inline double luminance(Rgb c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

/// WCAG contrast ratio, 1 to 21.
inline double contrastRatio(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// The text colour for a box painted @p background: the theme's @p preferred
/// text colour while it stays readable (4.5:1, as WCAG asks), else black or
/// white, whichever contrasts more. A dark theme's light text on a white
/// result box would otherwise vanish.
inline Rgb readableTextOn(Rgb background, Rgb preferred) {
    constexpr double kReadable = 4.5;
    if (contrastRatio(preferred, background) >= kReadable) return preferred;
    constexpr Rgb black{0, 0, 0};
    constexpr Rgb white{255, 255, 255};
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

/// The theme's colours that a label is painted with.
struct ThemeColours {
    Rgb buttonFace;  // system colour 15: the window's background, the only system colour the window uses
    Rgb buttonText;
    Rgb windowText;
};

struct LabelColours {
    Rgb back;
    Rgb text;
};

/// @brief How a label with back colour @p backColor is painted under @p theme.
/// No colour of its own, or a system colour, follows the theme: its button
/// face and button text. A fixed colour, such as the white result box, keeps
/// its value under any theme, so its text cannot keep the theme's: it takes
/// the window text while that stays readable, else black or white.
inline LabelColours labelColours(std::optional<ColourValue> backColor, const ThemeColours& theme) {
    const ColourValue value = backColor.value_or(kButtonFace);
    if (isSystemColour(value)) return {theme.buttonFace, readableTextOn(theme.buttonFace, theme.buttonText)};
    const Rgb back = rgbOf(value);
    return {back, readableTextOn(back, theme.windowText)};
}

}  // namespace velbarino
