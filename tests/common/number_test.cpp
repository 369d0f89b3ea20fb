#include "base/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>

using base::numberValue;

TEST(NumberRule, TakesTheLeadingNumberOfTheTextIgnoringBlanks) {
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12},    {"1 2", 12},      {" \t-\n3 ", -3}, {"2.5", 2.5},   {"+7x", 7},
        {".5", 0.5},      {"3.25.7", 3.25}, {"1,5", 1},       {"1E3", 1000},  {"2d2", 200},
        {"5E-1", 0.5},    {"4E", 4},        {"4E+", 4},       {"1 E 2", 100}, {"&H1F", 31},
        {"&hff zz", 255}, {"&O17", 15},     {"&O18", 1},      {"", 0},        {"-", 0},
        {".", 0},         {"E5", 0},        {"&X1", 0},       {"&H", 0},      {"-.e3", 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(numberValue(text), value) << text;
    // Overlong texts neither crash nor wrap: they grow towards an infinity.
    EXPECT_EQ(numberValue("1E400"), INFINITY);
    EXPECT_EQ(numberValue("&HFFFFFFFFFFFF"), 281474976710655.0);
    EXPECT_EQ(numberValue("&H" + std::string(5000, 'F')), INFINITY);
}

TEST(Rounding, HalvesGoToTheEvenNeighbourWithinTheRange) {
    const std::pair<double, double> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},   {-2.5, -2},
                                               {-3.5, -4}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& [value, rounded] : cases) EXPECT_EQ(base::roundHalfEven(value), rounded);
    const std::tuple<double, int, int, int> clamped[] = {
        {0, 1, 100, 1},          {100.5, 1, 100, 100},   {50.5, 1, 100, 50},      {2.6, 1, 100, 3},
        {INFINITY, 1, 100, 100}, {-INFINITY, 1, 100, 1}, {std::nan(""), 4, 16, 4}};
    for (const auto& [value, low, high, result] : clamped)
        EXPECT_EQ(base::clampRound(value, low, high), result) << value;
}

TEST(PlainDecimal, AcceptsOnlyANumberWithBlanksAround) {
    EXPECT_EQ(base::plainDecimal(" 12796"), 12796);
    EXPECT_EQ(base::plainDecimal("-3.5 "), -3.5);
    for (const char* text : {"", "1 2", "12a", "&H10", "1E3"})
        EXPECT_FALSE(base::plainDecimal(text)) << text;
}

TEST(NumberText, ShowsPlainDecimal) {
    const std::pair<double, const char*> cases[] = {{0, "0"},   {-0.0, "0"},  {12796, "12796"},
                                                    {-1, "-1"}, {3.5, "3.5"}, {0.1, "0.1"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(base::numberText(value), text);
}
