// Check digits of EAN-13 and EAN-8 codes: the arithmetic under the compute and
// verify actions. Pure functions of the entry text, no window state.
#pragma once

#include <cstdint>
#include <string_view>

namespace velbarino {

/// A check-digit result: 0 to 9, or -1 when the digit cannot be computed.
using CheckDigit = std::int16_t;

/// @brief Check digit of the EAN-13 code in @p text.
///
/// Position i (from 1) of the text is digit d_i. Positions 2, 4, ..., 12 weigh 3,
/// positions 1, 3, ..., 11 weigh 1, position 13 is read but not weighted, and
/// positions past the end of a short text count as 0. So both a 12-digit body
/// and a complete 13-digit code give the digit of the body.
/// @return 0 to 9, or -1 for a text longer than 13 characters or holding any
///         character other than '0' to '9' (the last position included).
CheckDigit ChecksumEan13(std::u16string_view text) noexcept;

/// @brief Check digit of the EAN-8 code in @p text.
///
/// Positions 1, 3, 5, 7 weigh 3, positions 2, 4, 6 weigh 1, position 8 is read
/// but not weighted; missing positions count as 0.
/// @return 0 to 9, or -1 for a text longer than 8 characters or holding any
///         character other than '0' to '9'.
CheckDigit ChecksumEan8(std::u16string_view text) noexcept;

/// @brief True for the ten characters '0' to '9' and nothing else: no other
/// Unicode digit (fullwidth, Arabic-Indic, superscript) is a code digit.
constexpr bool isCodeDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

}  // namespace velbarino
