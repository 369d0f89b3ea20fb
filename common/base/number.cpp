#include "base/number.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace base {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c)) out.push_back(c);
    }
    return out;
}

int digitValue(char c) {
    if (isDigit(c)) return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return 99;
}

// &H or &O followed by digits of that base; an overlong one grows towards
// infinity instead of wrapping.
double radixValue(const std::string& s, int radix) {
    double value = 0;
    for (size_t i = 2; i < s.size() && digitValue(s[i]) < radix; ++i) {
        value = value * radix + digitValue(s[i]);
    }
    return value;
}

// Length of the longest prefix of s that is a decimal number with optional
// sign, fraction and exponent; 0 when there are no mantissa digits.
size_t decimalPrefix(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) ++digits;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        size_t expDigits = 0;
        for (; j < s.size() && isDigit(s[j]); ++j) ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

}  // namespace

double numberValue(std::string_view text) {
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (kind == 'H') return radixValue(s, 16);
        if (kind == 'O') return radixValue(s, 8);
        return 0;
    }
    const size_t length = decimalPrefix(s);
    if (length == 0) return 0;
    std::string number = s.substr(0, length);
    for (char& c : number) {
        if (c == 'D' || c == 'd') c = 'E';
    }
    return std::strtod(number.c_str(), nullptr);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double floor = std::floor(value);
    const double rest = value - floor;
    if (rest > 0.5) return floor + 1;
    if (rest < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int clampRound(double value, int low, int high) {
    if (std::isnan(value) || value <= low) return low;
    if (value >= high) return high;
    return static_cast<int>(roundHalfEven(value));
}

std::optional<double> plainDecimal(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    const std::string s(text.substr(begin, end - begin));
    size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i) ++digits;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) ++digits;
    }
    if (digits == 0 || i != s.size()) return std::nullopt;
    return std::strtod(s.c_str(), nullptr);
}

std::string numberText(double value) {
    if (value == 0) return "0";  // also for -0
    char buffer[64];
    if (std::fabs(value) < 1e15 && value == std::floor(value)) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.15G", value);
    }
    return buffer;
}

std::string blankNumberText(double value) {
    std::string text(1, ' ');
    text += numberText(value);
    return text;
}

}  // namespace base
