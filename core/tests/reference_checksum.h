// An independent check digit written from the published EAN rule, for
// comparing against the engine: weights counted from the check digit leftwards
// (3, 1, 3, ...), rounding up by counting.
#pragma once

#include <cstdint>
#include <string_view>

namespace velbarino::testing_support {

/// @param bodyLength 12 for EAN-13, 7 for EAN-8.
inline int referenceCheckDigit(std::u16string_view text, int bodyLength) {
    if (static_cast<int>(text.size()) > bodyLength + 1) return -1;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return -1;
    }
    int total = 0;
    for (int position = 1; position <= bodyLength; ++position) {
        const int digit = position <= static_cast<int>(text.size()) ? text[position - 1] - u'0' : 0;
        const int distanceFromCheck = bodyLength + 1 - position;  // 1 for the digit next to the check digit
        total += digit * (distanceFromCheck % 2 == 1 ? 3 : 1);
    }
    int rounded = total;
    while (rounded % 10 != 0) ++rounded;
    return rounded - total;
}

}  // namespace velbarino::testing_support
