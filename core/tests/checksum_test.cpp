#include <gtest/gtest.h>

#include <string>

#include "checksum.h"

namespace velbarino {
namespace {

struct DigitCase {
    const char* name;
    std::u16string text;
    CheckDigit expected;
};

// Test logs name the case instead of dumping its bytes.
void PrintTo(const DigitCase& c, std::ostream* os) { *os << c.name; }


std::string caseName(const testing::TestParamInfo<DigitCase>& info) { return info.param.name; }

class Ean13Digit : public testing::TestWithParam<DigitCase> {};

TEST_P(Ean13Digit, matchesPublishedRule) { EXPECT_EQ(ChecksumEan13(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Checksum, Ean13Digit,
    testing::Values(DigitCase{"total89RoundsTo90", u"400638133393", 1},
                    DigitCase{"total83", u"590123412345", 7},
                    DigitCase{"total93RoundsTo100", u"978030640615", 7},
                    DigitCase{"total90IsAlreadyMultipleOfTen", u"501234567890", 0},
                    DigitCase{"twelveZeros", u"000000000000", 0},
                    DigitCase{"completeCodeIgnoresLastDigit", u"4006381333931", 1},
                    DigitCase{"wrongCheckDigitStillGivesBodyDigit", u"4006381333932", 1},
                    DigitCase{"shortTextCountsMissingAsZero", u"12345", 3},
                    DigitCase{"emptyTextIsZero", u"", 0},
                    DigitCase{"fourteenCharactersFail", u"40063813339312", -1},
                    DigitCase{"letterInBodyFails", u"40063813339a", -1},
                    DigitCase{"blankInBodyFails", u"4006381 3393", -1},
                    DigitCase{"letterInUnweightedLastPlaceFails", u"400638133393x", -1},
                    DigitCase{"signFails", u"+00638133393", -1},
                    DigitCase{"fullwidthDigitFails", u"40063813339\uFF13", -1},
                    DigitCase{"arabicIndicDigitFails", u"40063813339\u0663", -1},
                    DigitCase{"superscriptDigitFails", u"40063813339\u00B3", -1},
                    DigitCase{"surrogatePairFails", u"4006381333\U0001D7D9", -1},
                    DigitCase{"nulFails", std::u16string(u"4006\0" u"81333931", 13), -1}),
    caseName);

class Ean8Digit : public testing::TestWithParam<DigitCase> {};

TEST_P(Ean8Digit, matchesPublishedRule) { EXPECT_EQ(ChecksumEan8(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Checksum, Ean8Digit,
                         testing::Values(DigitCase{"total86", u"9638507", 4},
                                         DigitCase{"total63", u"7351353", 7},
                                         DigitCase{"total60IsMultipleOfTen", u"1234567", 0},
                                         DigitCase{"completeCodeIgnoresLastDigit", u"96385074", 4},
                                         DigitCase{"nineCharactersFail", u"963850745", -1},
                                         DigitCase{"letterInUnweightedLastPlaceFails", u"9638507x", -1},
                                         DigitCase{"shortTextCountsMissingAsZero", u"9", 3}),
                         caseName);

TEST(Checksum, hugeTextFailsWithoutReadingIt) {
    EXPECT_EQ(ChecksumEan13(std::u16string(1'000'000, u'1')), -1);
    EXPECT_EQ(ChecksumEan8(std::u16string(70'000, u'1')), -1);
}

}  // namespace
}  // namespace velbarino
