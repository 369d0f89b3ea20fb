// The work-mode generators: the worked tables of each mode, and properties
// that hold for any row of fields.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "corvel/generators.h"

namespace {

using corvel::ProgramFields;

ProgramFields row(std::initializer_list<std::pair<std::size_t, double>> set) {
    ProgramFields f;
    for (const auto& [i, v] : set) f.value[i] = v;
    return f;
}

std::vector<int> lit(const ProgramFields& f, int c) {
    const corvel::Lamps lamps = corvel::lampStates(f, c);
    std::vector<int> on;
    for (int i = 0; i < 256; ++i)
        if (lamps[static_cast<std::size_t>(i)] == -1) on.push_back(i);
    return on;
}

std::vector<int> range(int a, int b) {
    std::vector<int> v;
    for (int i = a; i <= b; ++i) v.push_back(i);
    return v;
}

struct Case {
    const char* name;
    ProgramFields fields;
    int step;
    std::vector<int> expected;
};

const ProgramFields kRise0 = row({{0, 0}, {4, 10}, {5, 3}, {6, 20}, {16, 1}});
const ProgramFields kFall0 = row({{0, 0}, {4, 20}, {5, 3}, {6, 10}, {16, 1}});
const ProgramFields kBar = row({{0, 1}, {4, 10}, {5, 3}, {6, 20}, {16, 1}});
const ProgramFields kBarNoQ = row({{0, 1}, {4, 10}, {5, 0}, {6, 20}, {16, 1}});
const ProgramFields kP0Move = row({{0, 0}, {4, 10}, {5, 3}, {6, 20}});
const ProgramFields kP0Bar = row({{0, 1}, {4, 10}, {5, 3}, {6, 20}});
const ProgramFields kEnvelope = row({{0, 2}, {4, 10}, {5, 3}, {6, 20}, {16, 1}});
const ProgramFields kRoll =
    row({{0, 6}, {4, 0}, {5, 1}, {6, 20}, {7, 2}, {8, 10}, {9, 3}, {16, 1}});
const ProgramFields kMask100 = row({{0, 7}, {4, 100}, {7, 5}, {14, 128}});
const ProgramFields kMask250 = row({{0, 7}, {4, 250}, {7, 255}, {14, 128}});

std::vector<int> envelopeAt0() {
    std::vector<int> v = range(0, 9);
    for (int i = 11; i <= 20; ++i) v.push_back(i);
    return v;
}

const std::vector<Case> kTables = {
    {"rising 0", kRise0, 0, {10}},
    {"rising 1", kRise0, 1, {10, 11}},
    {"rising 2", kRise0, 2, range(10, 12)},
    {"rising 3", kRise0, 3, range(11, 13)},
    {"rising 12", kRise0, 12, {20}},
    {"rising 13", kRise0, 13, {}},
    {"falling 0", kFall0, 0, {20}},
    {"falling 3", kFall0, 3, range(17, 19)},
    {"falling 12", kFall0, 12, {10}},
    {"falling 13", kFall0, 13, {}},
    {"bar 0", kBar, 0, {10}},
    {"bar 5", kBar, 5, range(10, 15)},
    {"bar 15", kBar, 15, range(10, 20)},
    {"bar 40", kBar, 40, range(10, 20)},
    {"bar without quantity", kBarNoQ, 7, {}},
    {"move P = 0 step 0", kP0Move, 0, {}},
    {"move P = 0 step 1", kP0Move, 1, {10}},
    {"bar P = 0 step 0", kP0Bar, 0, {}},
    {"bar P = 0 step 1", kP0Bar, 1, {10}},
    {"envelope 0", kEnvelope, 0, envelopeAt0()},
    {"rolling 0", kRoll, 0, {0}},
    {"rolling 4", kRoll, 4, {3, 4}},
    {"rolling 6", kRoll, 6, {0, 1, 5, 6}},
    {"rolling 12", kRoll, 12, {3, 4, 8, 9, 13, 14}},
    {"mask at 100", kMask100, 0, {100, 102, 163}},
    {"mask at 100 later", kMask100, 9, {100, 102, 163}},
    {"mask at 250", kMask250, 3, range(250, 255)},
    {"mode 4", row({{0, 4}, {4, 10}, {5, 3}, {6, 20}, {16, 1}}), 3, {}},
    {"mode 5", row({{0, 5}, {4, 10}, {5, 3}, {6, 20}, {16, 1}}), 3, {}},
};

TEST(CorvelGenerators, WorkedTables) {
    for (const Case& t : kTables) EXPECT_EQ(lit(t.fields, t.step), t.expected) << t.name;
}

TEST(CorvelGenerators, LinesShowOutputsLeftmostFirst) {
    const auto lines = corvel::lampLines(corvel::lampStates(kMask100, 0));
    EXPECT_EQ(lines[0], std::string(64, '.'));
    EXPECT_EQ(lines[1], std::string(36, '.') + "I.I" + std::string(25, '.'));
    EXPECT_EQ(lines[2], std::string(35, '.') + "I" + std::string(28, '.'));
    EXPECT_EQ(lines[3], std::string(64, '.'));
}

TEST(CorvelGenerators, FieldsBeyondTheOutputsAreSafe) {
    const std::vector<Case> wild = {
        {"block past 255", row({{0, 0}, {4, 250}, {5, 20}, {6, 400}, {16, 20}}), 0,
         range(250, 255)},
        {"bar below 0", row({{0, 1}, {4, 3}, {5, 9}, {6, -40}, {16, 9}}), 0, range(0, 3)},
        {"pattern of no length",
         row({{0, 6}, {4, 0}, {5, 1}, {6, 20}, {7, 2}, {9, -2}, {16, 4}}),
         2,
         {}},
        {"mask from -3", row({{0, 7}, {4, -3}, {7, 15}}), 0, {0}},
        {"huge values", row({{0, 0}, {4, 1e9}, {5, 1e9}, {6, -1e9}, {16, 1e9}}), 32767,
         range(0, 255)},
    };
    for (const Case& t : wild) {
        EXPECT_EQ(lit(t.fields, t.step), t.expected) << t.name;
        EXPECT_EQ(corvel::lampStates(t.fields, t.step)[256], 0) << t.name;
    }
}

ProgramFields randomRow(std::mt19937& random, double mode) {
    std::uniform_int_distribution<int> byte(0, 255);
    ProgramFields f;
    for (double& v : f.value) v = byte(random);
    f.value[0] = mode;
    return f;
}

// The lit run of group A alone, with the other groups off.
std::vector<int> groupA(ProgramFields f, int c) {
    for (std::size_t i = 7; i <= 15; ++i) f.value[i] = 0;
    f.value[7] = f.value[9] = f.value[10] = f.value[12] = f.value[13] = f.value[15] = 300;
    return lit(f, c);
}

TEST(CorvelGenerators, BlocksAndBarsOverRandomRows) {
    std::mt19937 random(20261207);
    for (int n = 0; n < 300; ++n) {
        ProgramFields f = randomRow(random, n % 2);
        const int c = static_cast<int>(random() % 300);
        const std::vector<int> on = groupA(f, c);
        const double s = f.value[4], q = f.value[5], e = f.value[6];
        if (n % 2 == 0) {
            EXPECT_LE(static_cast<double>(on.size()), q) << n;
        }
        for (int j : on) {
            EXPECT_GE(j, std::min(s, e)) << n;
            EXPECT_LE(j, std::max(s, e)) << n;
        }
        ProgramFields mirrored = f;
        mirrored.value[4] = 255 - s;
        mirrored.value[6] = 255 - e;
        std::vector<int> back;
        for (int j : groupA(mirrored, c)) back.insert(back.begin(), 255 - j);
        EXPECT_EQ(on, back) << n;
    }
}

TEST(CorvelGenerators, ClosedModesAreTheComplementInsideTheEnvelope) {
    std::mt19937 random(4711);
    for (int n = 0; n < 200; ++n) {
        const ProgramFields open = randomRow(random, n % 2);
        ProgramFields closed = open;
        closed.value[0] = n % 2 + 2;
        const int c = static_cast<int>(random() % 300);
        const corvel::Lamps a = corvel::lampStates(open, c);
        const corvel::Lamps b = corvel::lampStates(closed, c);
        double lo = 255, hi = 0;
        for (std::size_t i : {4u, 6u, 7u, 9u, 10u, 12u, 13u, 15u}) {
            lo = std::min(lo, open.value[i]);
            hi = std::max(hi, open.value[i]);
        }
        for (std::size_t j = 0; j < 256; ++j) {
            const bool inside = j >= lo && j <= hi;
            EXPECT_EQ(b[j], inside && a[j] == 0 ? -1 : 0) << n << " at " << j;
        }
    }
}

TEST(CorvelGenerators, WildRowsNeverTouchTheUndrawnEntry) {
    std::mt19937 random(99);
    std::uniform_real_distribution<double> wild(-70000, 70000);
    for (int n = 0; n < 400; ++n) {
        ProgramFields f;
        for (double& v : f.value) v = n % 3 == 0 ? wild(random) : std::round(wild(random)) / 256;
        f.value[0] = n % 8;
        const int c = static_cast<int>(random() % 32768);
        EXPECT_EQ(corvel::lampStates(f, c)[256], 0) << n;
    }
}

}  // namespace
