// The work-mode generators: which outputs a program lights at each step.
// Values are used as read, fractions kept; int16() marks the places where the
// controller takes a whole number. Positions outside the 256 outputs are
// never touched.
#include "corvel/generators.h"

#include <algorithm>
#include <cmath>

#include "base/number.h"

namespace corvel {
namespace {

constexpr std::int16_t kOn = -1;
constexpr std::int16_t kOff = 0;

// The nearest whole number, halves to even, within 16 bits.
double int16(double x) {
    return base::roundHalfEven(std::clamp(x, -32768.0, 32767.0));
}

// Sets every whole position from a up to b that is an output.
void paint(Lamps& lamps, double a, double b, std::int16_t state) {
    const double first = std::max(std::ceil(a), 0.0);
    const double last = std::min(std::floor(b), 255.0);
    for (double j = first; j <= last; ++j) lamps[static_cast<std::size_t>(j)] = state;
}

struct Group {
    double s, q, n;
};

Group group(const ProgramFields& f, int k) {
    const std::size_t base = 4 + 3 * static_cast<std::size_t>(k);
    return {f.value[base], f.value[base + 1], f.value[base + 2]};
}

double startPoints(const ProgramFields& f) {
    return f.value[16];
}

// Mode 0's block for one group: grows to Q at S, then moves towards N.
void movingBlock(Lamps& lamps, Group g, double p, double c, std::int16_t state) {
    double e = std::min(p, g.q) + c;
    if (!(g.q > 0 && e > 0)) return;
    if (g.n >= g.s) {
        const double f = e > g.q ? g.s + e - g.q : g.s;
        if (f > g.n) return;
        e = std::min(e, g.q);
        paint(lamps, f, std::min(int16(f + e - 1), g.n), state);
    } else {
        const double f = e > g.q ? g.s + g.q - e : g.s;
        if (f < g.n) return;
        e = std::min(e, g.q);
        paint(lamps, std::max(int16(f + 1 - e), g.n), f, state);
    }
}

// Mode 1's bar for one group: grows from S until it reaches N.
void growingBar(Lamps& lamps, Group g, double p, double c, std::int16_t state) {
    const double e = std::min(p, g.q) + c;
    if (!(g.q > 0 && e > 0)) return;
    if (g.n >= g.s)
        paint(lamps, g.s, std::min(int16(g.s + e - 1), g.n), state);
    else
        paint(lamps, std::max(int16(g.s + 1 - e), g.n), g.s, state);
}

using GroupPicture = void (*)(Lamps&, Group, double, double, std::int16_t);

void eachGroup(Lamps& lamps, const ProgramFields& f, double c, GroupPicture picture,
               std::int16_t state) {
    for (int k = 0; k < 4; ++k) picture(lamps, group(f, k), startPoints(f), c, state);
}

// Modes 2 and 3: the span of all groups lit, the group pictures dark in it.
void envelope(Lamps& lamps, const ProgramFields& f, double c, GroupPicture picture) {
    double lo = 32767, hi = -32768;
    for (int k = 0; k < 4; ++k) {
        const Group g = group(f, k);
        for (double end : {int16(g.s), int16(g.n)}) {
            lo = std::min(lo, end);
            hi = std::max(hi, end);
        }
    }
    paint(lamps, lo, hi, kOn);
    eachGroup(lamps, f, c, picture, kOff);
}

struct Pattern {
    double s, m, n, o, k, z;
};

// Mode 6 for one group: O lit and Z dark outputs, repeated from the front
// back to S; the front moves M a step, and after K steps the back too. A
// pattern of no length shows nothing.
void rollingPattern(Lamps& lamps, Pattern g, double p, double c) {
    double x = p + g.m * c;
    const double w = g.o + g.z;
    double s = g.s;
    if (c > g.k) {
        const double r = (c - g.k) * g.m;
        if (g.n >= g.s) {
            s += r;
            if (s > g.n) return;
        } else {
            if (s < g.n + r) return;
            s -= r;
        }
    }
    if (!(g.o > 0 && x > 0)) return;
    x -= 1;
    // The remainder of the whole numbers, however far the front has gone.
    const double whole = base::roundHalfEven(w);
    if (whole <= 0) return;
    double q = std::fmod(base::roundHalfEven(x), whole);
    const double direction = g.n >= s ? 1 : -1;
    double h;
    if (direction > 0) {
        h = std::min(int16(s + x), g.n);
    } else {
        h = x > s ? 0 : int16(s - x);
        if (h <= g.n) h = g.n;
    }
    const double start = int16(s);
    // Beyond the outputs nothing more can light.
    for (double j = start; direction > 0 ? j <= std::min(h, 255.0) : j >= std::max(h, 0.0);
         j += direction) {
        if (q < g.o) paint(lamps, j, j, kOn);
        q = q == 0 ? whole - 1 : q - 1;
    }
}

void out_0(Lamps& lamps, const ProgramFields& f, double c) {
    eachGroup(lamps, f, c, movingBlock, kOn);
}

void out_1(Lamps& lamps, const ProgramFields& f, double c) {
    eachGroup(lamps, f, c, growingBar, kOn);
}

void out_2(Lamps& lamps, const ProgramFields& f, double c) {
    envelope(lamps, f, c, movingBlock);
}

void out_3(Lamps& lamps, const ProgramFields& f, double c) {
    envelope(lamps, f, c, growingBar);
}

void out_6(Lamps& lamps, const ProgramFields& f, double c) {
    for (std::size_t base : {4u, 10u}) {
        const auto& v = f.value;
        rollingPattern(lamps,
                       {v[base], v[base + 1], v[base + 2], v[base + 3], v[base + 4], v[base + 5]},
                       startPoints(f), c);
    }
}

// Mode 7: the 64-bit mask of columns 9 to 16 from A-start on.
void out_7(Lamps& lamps, const ProgramFields& f) {
    const double b0 = f.value[4];
    for (int i = 0; i < 8; ++i) {
        const auto v = static_cast<int>(int16(f.value[7 + static_cast<std::size_t>(i)]));
        for (int j = 0; j < 8; ++j) {
            const double position = b0 + 8 * i + j;
            if (position > 255) return;
            if ((v & 1 << j) != 0) paint(lamps, int16(position), int16(position), kOn);
        }
    }
}

}  // namespace

Lamps lampStates(const ProgramFields& fields, double c) {
    Lamps lamps{};
    const double mode = fields.value[0];
    if (mode == 0) out_0(lamps, fields, c);
    if (mode == 1) out_1(lamps, fields, c);
    if (mode == 2) out_2(lamps, fields, c);
    if (mode == 3) out_3(lamps, fields, c);
    if (mode == 6) out_6(lamps, fields, c);
    if (mode == 7) out_7(lamps, fields);
    return lamps;
}

ProgramFields programFields(std::span<const std::uint8_t, 32> program) {
    ProgramFields fields;
    fields.value[0] = program[0];
    fields.value[1] = program[1] + 256 * program[2];
    fields.value[2] = program[3] + 256 * program[4];
    for (std::size_t i = 3; i < fields.value.size(); ++i) fields.value[i] = program[i + 2];
    return fields;
}

std::array<std::uint8_t, 32> outputBytes(const Lamps& lamps) {
    std::array<std::uint8_t, 32> bytes{};
    for (std::size_t i = 0; i < 256; ++i)
        if (lamps[i] == kOn) bytes[i / 8] |= static_cast<std::uint8_t>(1 << i % 8);
    return bytes;
}

std::array<std::string, 4> lampLines(const Lamps& lamps) {
    std::array<std::string, 4> lines;
    for (std::size_t k = 0; k < 4; ++k)
        for (std::size_t i = 64 * k; i < 64 * k + 64; ++i) lines[k] += lamps[i] == kOn ? 'I' : '.';
    return lines;
}

}  // namespace corvel
