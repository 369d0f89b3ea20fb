// The work-mode generators against worked examples, and their properties
// over random programs.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "corvel/generators.h"

namespace {

using corvel::ProgramFields;

// Fields from (index, value) pairs; the rest are 0.
ProgramFields fields(std::initializer_list<std::pair<int, double>> set) {
    ProgramFields f;
    for (const auto& [i, v] : set) f.value[static_cast<size_t>(i)] = v;
    return f;
}

std::vector<int> lit(const ProgramFields& f, int c) {
    const corvel::Lamps lamps = corvel::lampStates(f, c);
    std::vector<int> on;
    for (int i = 0; i < 256; ++i)
        if (lamps[static_cast<size_t>(i)] == -1) on.push_back(i);
    return on;
}

std::vector<int> span(int a, int b) {
    std::vector<int> v;
    for (int i = a; i <= b; ++i) v.push_back(i);
    return v;
}

TEST(CorvelLamps, WorkedExamples) {
    // Mode 0 and 1: group A with S, Q, N and P as given.
    const ProgramFields rising = fields({{0, 0}, {4, 10}, {5, 3}, {6, 20}, {16, 1}});
    const ProgramFields falling = fields({{0, 0}, {4, 20}, {5, 3}, {6, 10}, {16, 1}});
    ProgramFields bar = rising;
    bar.value[0] = 1;
    ProgramFields noStart = rising;
    noStart.value[16] = 0;
    ProgramFields envelope = rising;
    envelope.value[0] = 2;
    const ProgramFields roll =
        fields({{0, 6}, {4, 0}, {5, 1}, {6, 20}, {7, 2}, {8, 10}, {9, 3}, {16, 1}});
    const ProgramFields mask = fields({{0, 7}, {4, 100}, {7, 5}, {14, 128}});
    ProgramFields dark = rising;
    dark.value[0] = 4;
    std::vector<int> envelopeAt0 = span(0, 20);
    envelopeAt0.erase(envelopeAt0.begin() + 10);
    const struct {
        const char* what;
        const ProgramFields& f;
        int c;
        std::vector<int> on;
    } cases[] = {
        {"mode 0", rising, 0, {10}},
        {"mode 0", rising, 1, {10, 11}},
        {"mode 0", rising, 2, span(10, 12)},
        {"mode 0", rising, 3, span(11, 13)},
        {"mode 0", rising, 12, {20}},
        {"mode 0", rising, 13, {}},
        {"falling", falling, 0, {20}},
        {"falling", falling, 3, span(17, 19)},
        {"falling", falling, 12, {10}},
        {"falling", falling, 13, {}},
        {"mode 1", bar, 0, {10}},
        {"mode 1", bar, 5, span(10, 15)},
        {"mode 1", bar, 15, span(10, 20)},
        {"mode 1", bar, 40, span(10, 20)},
        {"P = 0", noStart, 0, {}},
        {"P = 0", noStart, 1, {10}},
        {"mode 2", envelope, 0, envelopeAt0},
        {"mode 6", roll, 0, {0}},
        {"mode 6", roll, 4, {3, 4}},
        {"mode 6", roll, 6, {0, 1, 5, 6}},
        {"mode 6", roll, 12, {3, 4, 8, 9, 13, 14}},
        {"mode 7", mask, 0, {100, 102, 163}},
        {"mode 7", mask, 9, {100, 102, 163}},
        {"mode 4", dark, 3, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(lit(c.f, c.c), c.on) << c.what << " step " << c.c;

    ProgramFields noQuantity = bar;
    noQuantity.value[5] = 0;
    EXPECT_EQ(lit(noQuantity, 5), std::vector<int>{});
    const ProgramFields late = fields({{0, 7}, {4, 250}, {7, 255}, {8, 255}});
    EXPECT_EQ(lit(late, 0), span(250, 255));
}

TEST(CorvelLamps, LinesShowOutputZeroFirst) {
    const auto lines = corvel::lampLines(
        corvel::lampStates(fields({{0, 7}, {4, 0}, {7, 1}}), 0));  // output 0 only
    EXPECT_EQ(lines[0], "I" + std::string(63, '.'));
    EXPECT_EQ(lines[3], std::string(64, '.'));
}

// Random programs of whole bytes, then wild values: moving blocks are never
// longer than Q, bars never pass N, falling groups mirror rising ones, modes
// 2 and 3 are 0 and 1 turned over inside the span, and nothing outside the
// outputs is touched (entry 256 stays 0).
TEST(CorvelLamps, PropertiesOverRandomPrograms) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 400; ++round) {
        const int s = byte(random), q = byte(random) % 20, n = byte(random), p = byte(random) % 5;
        const int c = byte(random) % 60;
        for (int mode : {0, 1}) {
            const std::vector<int> on =
                lit(fields({{0, mode}, {4, s}, {5, q}, {6, n}, {16, p}}), c);
            if (mode == 0) {
                EXPECT_LE(static_cast<int>(on.size()), q);
            }
            for (int j : on) EXPECT_TRUE(n >= s ? j >= s && j <= n : j <= s && j >= n);
            const std::vector<int> inverse =
                lit(fields({{0, mode + 2}, {4, s}, {5, q}, {6, n}, {16, p}}), c);
            for (int j = std::min({s, n, 0}); j <= std::max({s, n, 0}); ++j) {
                const bool lit0 = std::count(on.begin(), on.end(), j) > 0;
                const bool lit2 = std::count(inverse.begin(), inverse.end(), j) > 0;
                EXPECT_NE(lit0, lit2) << "mode " << mode << " output " << j;
            }
            if (s >= n) continue;
            std::vector<int> mirrored;
            for (int j : lit(fields({{0, mode}, {4, 255 - s}, {5, q}, {6, 255 - n}, {16, p}}), c))
                mirrored.insert(mirrored.begin(), 255 - j);
            EXPECT_EQ(mirrored, on);
        }
    }
    std::uniform_real_distribution<double> wild(-70000, 70000);
    for (int round = 0; round < 400; ++round) {
        ProgramFields f;
        for (double& v : f.value) v = wild(random);
        f.value[0] = round % 8;
        EXPECT_EQ(corvel::lampStates(f, static_cast<int>(wild(random)) % 32768)[256], 0);
    }
    const ProgramFields empty = fields({{0, 6}, {4, 3}, {5, 1}, {6, 20}, {7, 2}, {9, -2}, {16, 1}});
    EXPECT_EQ(lit(empty, 2), std::vector<int>{});  // a pattern of no length
}

}  // namespace
