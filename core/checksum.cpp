#include "checksum.h"

#include <array>
#include <cstddef>

namespace velbarino {
namespace {

// Weight of each position (1-based, here from index 0). The last position of a
// complete code is read, so it must be a digit, but weighs nothing; positions
// beyond a short text count as 0 and so add nothing either.
constexpr std::array<int, 13> kWeightsEan13 = {1, 3, 1, 3, 1, 3, 1, 3, 1, 3, 1, 3, 0};
constexpr std::array<int, 8> kWeightsEan8 = {3, 1, 3, 1, 3, 1, 3, 0};

template <std::size_t TableSize>
CheckDigit checkDigit(std::u16string_view text, const std::array<int, TableSize>& weights) noexcept {
    if (text.size() > TableSize) return -1;
    // At most 9 * (3 * 6 + 6) = 216: no overflow to guard against.
    int total = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!isCodeDigit(c)) return -1;
        total += (c - u'0') * weights[i];
    }
    // Distance up to the next multiple of ten (0 when already one).
    return static_cast<CheckDigit>((10 - total % 10) % 10);
}

}  // namespace

CheckDigit ChecksumEan13(std::u16string_view text) noexcept { return checkDigit(text, kWeightsEan13); }

CheckDigit ChecksumEan8(std::u16string_view text) noexcept { return checkDigit(text, kWeightsEan8); }

}  // namespace velbarino
