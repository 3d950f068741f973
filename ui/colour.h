// Colour values as the window stores them: 0x00BBGGRR, or, with the top bit
// set, the index of a system colour in the low byte.
#pragma once

#include <cstdint>

namespace velbarino {

using ColourValue = std::uint32_t;

inline constexpr ColourValue kWhite = 0x00FFFFFF;
/// System colour 15: the button face, also the window background.
inline constexpr ColourValue kButtonFace = 0x8000000F;

constexpr bool isSystemColour(ColourValue value) noexcept { return (value & 0x80000000u) != 0; }
constexpr int systemColourIndex(ColourValue value) noexcept { return static_cast<int>(value & 0xFFu); }
constexpr int redOf(ColourValue value) noexcept { return static_cast<int>(value & 0xFFu); }
constexpr int greenOf(ColourValue value) noexcept { return static_cast<int>((value >> 8) & 0xFFu); }
constexpr int blueOf(ColourValue value) noexcept { return static_cast<int>((value >> 16) & 0xFFu); }

}  // namespace velbarino
