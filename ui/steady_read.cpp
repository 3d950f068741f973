#include "steady_read.h"

#include <algorithm>

#include "checksum.h"

namespace velbarino {
namespace {

bool isEan(std::u16string_view code) {
    return (code.size() == 13 || code.size() == 8) && std::all_of(code.begin(), code.end(), isCodeDigit);
}

bool checkDigitHolds(std::u16string_view code) {
    const CheckDigit digit = code.size() == 13 ? ChecksumEan13(code) : ChecksumEan8(code);
    return digit == code.back() - u'0';
}

}  // namespace

std::optional<std::u16string> SteadyRead::frame(std::u16string_view yield) {
    if (!isEan(yield)) {
        code_.clear();
        frames_ = 0;
        return std::nullopt;
    }
    if (yield != code_) {
        code_ = yield;
        frames_ = 0;
    }
    ++frames_;
    if (frames_ < (checkDigitHolds(code_) ? kFramesValid : kFramesMisprint)) return std::nullopt;
    frames_ = 0;  // counted once: the next read needs its own frames
    return code_;
}

}  // namespace velbarino
