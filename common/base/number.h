#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace base {

// The number rule of every numeric field: the leading number of the text.
// Blanks, tabs and line feeds are ignored wherever they stand; then an
// optional sign, digits, one decimal point and an exponent (E or D, optional
// sign, digits), or &H / &O and a hexadecimal / octal integer. A text without
// a leading number gives 0. Never fails: an overflowing exponent gives an
// infinity of the right sign, which every clamp turns into its bound.
double numberValue(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double value);

// value clamped into [low, high] and rounded half to even.
int clampRound(double value, int low, int high);

// A plain decimal number with optional blanks around it and an optional
// sign, and nothing else; nothing when the text is not such a number.
std::optional<double> plainDecimal(std::string_view text);

// Decimal text of a number: integers without a decimal point, others with
// up to 15 significant digits; no leading blank.
std::string numberText(double value);

// A count or progress number as the captions show it: one leading blank.
std::string blankNumberText(double value);

}  // namespace base
