#include "base/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using base::clampRound;
using base::numberText;
using base::numberValue;
using base::plainDecimal;
using base::roundHalfEven;

TEST(NumberRule, ReadsTheLeadingNumberIgnoringBlanks) {
    EXPECT_EQ(numberValue("12abc"), 12);
    EXPECT_EQ(numberValue("1 2"), 12);
    EXPECT_EQ(numberValue(" \t-\n3 "), -3);
    EXPECT_EQ(numberValue("2.5"), 2.5);
    EXPECT_EQ(numberValue("+7x"), 7);
    EXPECT_EQ(numberValue(".5"), 0.5);
    EXPECT_EQ(numberValue("3.25.7"), 3.25);
    EXPECT_EQ(numberValue("1,5"), 1);
}

TEST(NumberRule, TextsWithoutANumberGiveZero) {
    for (const char* text : {"", "   ", "-", ".", "+.", "abc", "E5", "&", "&X1", "-.e3"}) {
        EXPECT_EQ(numberValue(text), 0) << text;
    }
}

TEST(NumberRule, ReadsExponentsWithEOrD) {
    EXPECT_EQ(numberValue("1E3"), 1000);
    EXPECT_EQ(numberValue("2d2"), 200);
    EXPECT_EQ(numberValue("5E-1"), 0.5);
    EXPECT_EQ(numberValue("4E"), 4);
    EXPECT_EQ(numberValue("4E+"), 4);
    EXPECT_EQ(numberValue("1 E 2"), 100);
}

TEST(NumberRule, ReadsHexadecimalAndOctal) {
    EXPECT_EQ(numberValue("&H1F"), 31);
    EXPECT_EQ(numberValue("&hff zz"), 255);
    EXPECT_EQ(numberValue("&O17"), 15);
    EXPECT_EQ(numberValue("&O19"), 1);
    EXPECT_EQ(numberValue("&H"), 0);
}

TEST(NumberRule, HugeTextsNeitherCrashNorWrap) {
    EXPECT_TRUE(std::isinf(numberValue("1E400")));
    EXPECT_GT(numberValue("1E400"), 0);
    EXPECT_LT(numberValue("-1E400"), 0);
    EXPECT_EQ(numberValue("&HFFFFFFFFFFFF"), 281474976710655.0);
    const std::string digits(5000, '9');
    EXPECT_TRUE(std::isinf(numberValue(digits)));
    EXPECT_EQ(numberValue(std::string(5000, ' ') + "42"), 42);
    EXPECT_GT(numberValue("&H" + std::string(5000, 'F')), 1e300);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
}

TEST(Rounding, ClampRoundKeepsToTheRangeForAnyValue) {
    EXPECT_EQ(clampRound(0, 1, 100), 1);
    EXPECT_EQ(clampRound(100.5, 1, 100), 100);
    EXPECT_EQ(clampRound(50.5, 1, 100), 50);
    EXPECT_EQ(clampRound(numberValue("1E400"), 1, 100), 100);
    EXPECT_EQ(clampRound(numberValue("-1E400"), 1, 100), 1);
    EXPECT_EQ(clampRound(std::nan(""), 4, 16), 4);
}

TEST(PlainDecimal, AcceptsOnlyANumberWithBlanksAround) {
    EXPECT_EQ(plainDecimal(" 12796"), 12796);
    EXPECT_EQ(plainDecimal("25 "), 25);
    EXPECT_EQ(plainDecimal("-3.5"), -3.5);
    EXPECT_FALSE(plainDecimal(""));
    EXPECT_FALSE(plainDecimal("1 2"));
    EXPECT_FALSE(plainDecimal("12a"));
    EXPECT_FALSE(plainDecimal("&H10"));
    EXPECT_FALSE(plainDecimal("1E3"));
}

TEST(NumberText, ShowsPlainDecimal) {
    EXPECT_EQ(numberText(0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(12796), "12796");
    EXPECT_EQ(numberText(-1), "-1");
    EXPECT_EQ(numberText(3.5), "3.5");
    EXPECT_EQ(numberText(0.1), "0.1");
}
