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

// Sets (or clears) the outputs from a to b.
void light(Lit& lit, long a, long b, bool on = true) {
    for (long j = std::max(a, 0L); j <= std::min(b, 255L); ++j) lit[static_cast<size_t>(j)] = on;
}

struct Rules {
    const std::array<long, 18>& v;
    long c;

    long p() const { return v[16]; }

    void block(Lit& lit, long s, long q, long n, bool on) const {
        long e = std::min(p(), q) + c;
        if (!(q > 0 && e > 0)) return;
        const long f = e > q ? (n >= s ? s + e - q : s + q - e) : s;
        if (n >= s ? f > n : f < n) return;
        e = std::min(e, q);
        if (n >= s)
            light(lit, f, std::min(f + e - 1, n), on);
        else
            light(lit, std::max(f + 1 - e, n), f, on);
    }
    void bar(Lit& lit, long s, long q, long n, bool on) const {
        const long e = std::min(p(), q) + c;
        if (!(q > 0 && e > 0)) return;
        if (n >= s)
            light(lit, s, std::min(s + e - 1, n), on);
        else
            light(lit, std::max(s + 1 - e, n), s, on);
    }
    void groups(Lit& lit, bool moving, bool on) const {
        for (size_t k = 4; k <= 13; k += 3)
            moving ? block(lit, v[k], v[k + 1], v[k + 2], on)
                   : bar(lit, v[k], v[k + 1], v[k + 2], on);
    }
    void envelope(Lit& lit, bool moving) const {
        long lo = 255, hi = 0;
        for (size_t k : {4, 6, 7, 9, 10, 12, 13, 15})
            lo = std::min(lo, v[k]), hi = std::max(hi, v[k]);
        light(lit, lo, hi);
        groups(lit, moving, false);
    }
    void pattern(Lit& lit, size_t k) const {
        long s = v[k];
        const long m = v[k + 1], n = v[k + 2], o = v[k + 3], stop = v[k + 4], z = v[k + 5];
        long x = p() + m * c;
        const long w = o + z;
        if (c > stop) {
            const long r = (c - stop) * m;
            if (n >= s) {
                s += r;
                if (s > n) return;
            } else {
                if (s < n + r) return;
                s -= r;
            }
        }
        if (!(o > 0 && x > 0)) return;
        x -= 1;
        long q = x % w;
        const long direction = n >= s ? 1 : -1;
        const long h = direction > 0 ? std::min(s + x, n) : std::max(x > s ? 0 : s - x, n);
        for (long j = s;; j += direction) {
            if (q < o) light(lit, j, j);
            q = q == 0 ? w - 1 : q - 1;
            if (j == h) break;
        }
    }
    void mask(Lit& lit) const {
        for (long i = 0; i < 8; ++i)
            for (long j = 0; j < 8; ++j) {
                const long position = v[4] + 8 * i + j;
                if (position > 255) return;
                if ((v[static_cast<size_t>(7 + i)] >> j & 1) != 0) light(lit, position, position);
            }
    }
    Lit picture() const {
        Lit lit;
        const long mode = v[0];
        if (mode == 0 || mode == 1) groups(lit, mode == 0, true);
        if (mode == 2 || mode == 3) envelope(lit, mode == 2);
        if (mode == 6) pattern(lit, 4), pattern(lit, 10);
        if (mode == 7) mask(lit);
        return lit;
    }
};

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
    std::array<long, 18> whole{};
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
    if (canonical) fuzz::check(shown == Rules{whole, c}.picture(), "the picture follows the rules");
    return 0;
}
