// The work-mode pictures against the rules worked out in whole numbers, for
// every program the grid can hold and every step the preview can reach; and,
// for any values at all, only lamps 0 to 255 set and only to on or off.
#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstring>
#include <limits>

#include "corvel/generators.h"
#include "fuzz_input.h"

namespace {

using Lit = std::bitset<256>;
using Values = std::array<long, 18>;

// Sets (or clears) the outputs from a to b.
void light(Lit& lit, long a, long b, bool on = true) {
    for (long j = std::max(a, 0L); j <= std::min(b, 255L); ++j) lit[static_cast<size_t>(j)] = on;
}

// Group k from S, Q outputs, towards N: mode 0's block grows to Q at S, then
// moves; mode 1's bar grows from S. Neither passes N.
void group(Lit& lit, const Values& v, long c, size_t k, bool moving, bool on) {
    const long s = v[k], q = v[k + 1], n = v[k + 2], e = std::min(v[16], q) + c;
    if (q <= 0 || e <= 0) return;
    const long d = n >= s ? 1 : -1;
    const long f = moving ? s + d * std::max(e - q, 0L) : s;
    const long length = moving ? std::min(e, q) : e;
    d > 0 ? light(lit, f, std::min(f + length - 1, n), on)
          : light(lit, std::max(f + 1 - length, n), f, on);
}

// Mode 6: O lit and Z dark outputs repeated from the front back to S; the
// front moves M a step, and after the stop step the back too.
void pattern(Lit& lit, const Values& v, long c, size_t k) {
    long s = v[k];
    const long m = v[k + 1], n = v[k + 2], o = v[k + 3], stop = v[k + 4], w = o + v[k + 5];
    const long d = n >= s ? 1 : -1, x = v[16] + m * c - 1;
    if (c > stop) s += d * (c - stop) * m;
    if (d * (s - n) > 0 || o <= 0 || x < 0) return;
    const long last = d > 0 ? std::min(x, n - s) : std::min(x, s - n);
    for (long i = 0; i <= last; ++i)
        if (((x - i) % w + w) % w < o) light(lit, s + d * i, s + d * i);
}

Lit picture(const Values& v, long c) {
    Lit lit;
    const long mode = v[0];
    if (mode == 2 || mode == 3) {
        const auto [lo, hi] = std::minmax({v[4], v[6], v[7], v[9], v[10], v[12], v[13], v[15]});
        light(lit, lo, hi);
    }
    if (mode < 4)
        for (size_t k = 4; k <= 13; k += 3) group(lit, v, c, k, mode % 2 == 0, mode < 2);
    if (mode == 6) pattern(lit, v, c, 4), pattern(lit, v, c, 10);
    for (long b = 0; mode == 7 && b < 64; ++b)
        if (v[static_cast<size_t>(7 + b / 8)] >> (b % 8) & 1) light(lit, v[4] + b, v[4] + b);
    return lit;
}

// Any value the number rule can give: finite or infinite, never NaN.
double anyValue(fuzz::Input& in) {
    std::uint8_t raw[8];
    for (auto& b : raw) b = in.byte();
    double v;
    std::memcpy(&v, raw, sizeof v);
    return std::isnan(v) ? std::numeric_limits<double>::infinity() : v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const bool canonical = in.byte() % 4 != 0;
    corvel::ProgramFields fields;
    Values whole{};
    for (size_t i = 0; i < 18; ++i) {
        whole[i] = i == 0 ? in.byte() % 8 : in.byte();
        fields.value[i] = canonical ? static_cast<double>(whole[i]) : anyValue(in);
    }
    const long c = in.below(32768);
    const corvel::Lamps lamps = corvel::lampStates(fields, static_cast<double>(c));
    Lit shown;
    for (size_t i = 0; i < 256; ++i) {
        fuzz::check(lamps[i] == 0 || lamps[i] == -1, "a lamp is on or off");
        shown[i] = lamps[i] == -1;
    }
    fuzz::check(lamps[256] == 0, "the lamp past the outputs stays off");
    if (canonical) fuzz::check(shown == picture(whole, c), "the picture follows the rules");
    return 0;
}
