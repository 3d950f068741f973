// Fuzz target: both check-digit functions agree with the reference on any
// UTF-16 text (two input bytes a code unit, lone surrogates included).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checksum.h"
#include "reference_checksum.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    using velbarino::testing_support::referenceCheckDigit;
    if (velbarino::ChecksumEan13(text) != referenceCheckDigit(text, 12)) std::abort();
    if (velbarino::ChecksumEan8(text) != referenceCheckDigit(text, 7)) std::abort();
    return 0;
}
