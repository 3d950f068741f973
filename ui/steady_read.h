// SteadyRead: when what the camera's frames yield counts as a read. A decoder
// can misread one frame as another code, its check digit right by chance; a
// code counts only once consecutive frames agree on it, for longer when its
// check digit is wrong (a misprinted label, or a misread that agrees with
// itself). Frm_Ean feeds it each new frame that a camera's view decodes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velbarino {

class SteadyRead {
public:
    /// Consecutive frames that must agree on a code whose check digit holds,
    /// and on one whose check digit is wrong (docs/benchmarks.md says why).
    static constexpr int kFramesValid = 2;
    static constexpr int kFramesMisprint = 3;

    /// @brief One new frame's yield: the digits it read, empty for none.
    /// @return the code once this frame makes it count, else nothing. A
    /// frame that yields another code, or none, starts again; a yield of
    /// other than 8 or 13 digits is none.
    std::optional<std::u16string> frame(std::u16string_view yield);

private:
    std::u16string code_;
    int frames_ = 0;
};

}  // namespace velbarino
