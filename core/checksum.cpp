#include "checksum.h"

#include <array>
#include <cstddef>

namespace velbarino {
namespace {

// Sums the digits at the given weight-3 and weight-1 positions (1-based) of a
// text of at most TableSize characters. Every character, weighted or not, must
// be a digit; positions beyond the text count as 0.
template <std::size_t TableSize, std::size_t N3, std::size_t N1>
CheckDigit checkDigit(std::u16string_view text, const std::array<int, N3>& weight3,
                      const std::array<int, N1>& weight1) noexcept {
    if (text.size() > TableSize) return -1;

    std::array<int, TableSize + 1> digits{};  // entry 0 unused, positions from 1
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (!isCodeDigit(c)) return -1;
        digits[i + 1] = c - u'0';
    }

    // Bounded by 9 * (3 * 6 + 6) = 216, far inside 16 bits: no overflow to guard.
    int s1 = 0;
    for (int p : weight3) s1 += digits[p];
    int s3 = 0;
    for (int p : weight1) s3 += digits[p];
    const int total = s1 * 3 + s3;

    // Distance up to the next multiple of ten (0 when already one).
    return static_cast<CheckDigit>((10 - total % 10) % 10);
}

}  // namespace

CheckDigit ChecksumEan13(std::u16string_view text) noexcept {
    return checkDigit<13>(text, std::array{12, 10, 8, 6, 4, 2}, std::array{11, 9, 7, 5, 3, 1});
}

CheckDigit ChecksumEan8(std::u16string_view text) noexcept {
    return checkDigit<8>(text, std::array{7, 5, 3, 1}, std::array{6, 4, 2});
}

}  // namespace velbarino
