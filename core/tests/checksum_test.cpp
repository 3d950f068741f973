#include <gtest/gtest.h>

#include <string>

#include "checksum.h"
#include "named_case.h"

namespace velbarino {
namespace {

using testing_support::NamedCase;

struct DigitCase : NamedCase {
    CheckDigit (*function)(std::u16string_view) noexcept;
    std::u16string text;
    CheckDigit expected;
};

constexpr auto ean13 = ChecksumEan13;
constexpr auto ean8 = ChecksumEan8;

class DigitOf : public testing::TestWithParam<DigitCase> {};

TEST_P(DigitOf, matchesThePublishedRule) { EXPECT_EQ(GetParam().function(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Checksum, DigitOf,
    testing::Values(DigitCase{{"ean13Total89RoundsTo90"}, ean13, u"400638133393", 1},
                    DigitCase{{"ean13Total83"}, ean13, u"590123412345", 7},
                    DigitCase{{"ean13Total93RoundsTo100"}, ean13, u"978030640615", 7},
                    DigitCase{{"ean13Total90IsAlreadyAMultipleOfTen"}, ean13, u"501234567890", 0},
                    DigitCase{{"ean13TwelveZeros"}, ean13, u"000000000000", 0},
                    DigitCase{{"ean13CompleteCodeIgnoresItsLastDigit"}, ean13, u"4006381333932", 1},
                    DigitCase{{"ean13ShortTextCountsMissingPositionsAsZero"}, ean13, u"12345", 3},
                    DigitCase{{"ean13EmptyTextIsZero"}, ean13, u"", 0},
                    DigitCase{{"ean13FourteenCharactersFail"}, ean13, u"40063813339312", -1},
                    DigitCase{{"ean13HugeTextFails"}, ean13, std::u16string(1'000'000, u'1'), -1},
                    DigitCase{{"ean13LetterInBodyFails"}, ean13, u"40063813339a", -1},
                    DigitCase{{"ean13BlankInBodyFails"}, ean13, u"4006381 3393", -1},
                    DigitCase{{"ean13LetterInUnweightedLastPlaceFails"}, ean13, u"400638133393x", -1},
                    DigitCase{{"ean13SignFails"}, ean13, u"+00638133393", -1},
                    DigitCase{{"ean13FullwidthDigitFails"}, ean13, u"40063813339\uFF13", -1},
                    DigitCase{{"ean13FullwidthZeroFails"}, ean13, u"40063813339\uFF10", -1},
                    DigitCase{{"ean13ArabicIndicDigitFails"}, ean13, u"40063813339\u0663", -1},
                    DigitCase{{"ean13SurrogatePairFails"}, ean13, u"4006381333\U0001D7D9", -1},
                    DigitCase{{"ean13NulFails"}, ean13, std::u16string(u"4006\0" u"81333931", 13), -1},
                    DigitCase{{"ean8Total86"}, ean8, u"9638507", 4},
                    DigitCase{{"ean8Total63"}, ean8, u"7351353", 7},
                    DigitCase{{"ean8Total60IsAMultipleOfTen"}, ean8, u"1234567", 0},
                    DigitCase{{"ean8CompleteCodeIgnoresItsLastDigit"}, ean8, u"96385075", 4},
                    DigitCase{{"ean8ShortTextCountsMissingPositionsAsZero"}, ean8, u"9", 3},
                    DigitCase{{"ean8NineCharactersFail"}, ean8, u"963850745", -1},
                    DigitCase{{"ean8LetterInUnweightedLastPlaceFails"}, ean8, u"9638507x", -1}),
    testing_support::NamedCaseName());

}  // namespace
}  // namespace velbarino
