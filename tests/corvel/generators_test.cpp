// The work-mode generators and the lamp lines, worked by hand. The byte
// layouts of a program and of the outputs are the simulator's player's.
#include <gtest/gtest.h>

#include <vector>

#include "corvel/generators.h"

namespace {

using corvel::ProgramFields;

ProgramFields row(std::initializer_list<std::pair<std::size_t, double>> set) {
    ProgramFields f;
    for (const auto& [i, v] : set) f.value[i] = v;
    return f;
}

// The outputs from first to last of each run.
std::vector<int> runs(std::initializer_list<std::pair<int, int>> spans) {
    std::vector<int> v;
    for (const auto& [first, last] : spans)
        for (int i = first; i <= last; ++i) v.push_back(i);
    return v;
}

// Fields: 0 WorkMode, 4-6 group A (start, quantity, end), 16 StartPoints.
// Mode 6 reads 4-9 as start, move bits, end, open, stop, close points.
const ProgramFields kRise = row({{0, 0}, {4, 10}, {5, 3}, {6, 20}, {16, 1}});
const ProgramFields kFall = row({{0, 0}, {4, 20}, {5, 3}, {6, 10}, {16, 1}});
const ProgramFields kBar = row({{0, 1}, {4, 10}, {5, 3}, {6, 20}, {16, 5}});
const ProgramFields kBarDown = row({{0, 1}, {4, 20}, {5, 3}, {6, 10}, {16, 1}});
const ProgramFields kRoll =
    row({{0, 6}, {4, 0}, {5, 1}, {6, 20}, {7, 2}, {8, 10}, {9, 3}, {16, 1}});
const ProgramFields kRollDown =
    row({{0, 6}, {4, 20}, {5, 1}, {6, 0}, {7, 2}, {8, 10}, {9, 3}, {16, 1}});

ProgramFields withMode(ProgramFields f, double mode) {
    f.value[0] = mode;
    return f;
}

TEST(CorvelGenerators, WorkedPictures) {
    const struct {
        const char* name;
        ProgramFields fields;
        double step;
        std::vector<int> lit;
    } cases[] = {
        {"block moves", kRise, 3, runs({{11, 13}})},
        {"block reaches the end", kRise, 12, {20}},
        {"block gone", kRise, 13, {}},
        {"block down moves", kFall, 3, runs({{17, 19}})},
        {"block down reaches the end", kFall, 12, {10}},
        {"bar starts at the start points", kBar, 2, runs({{10, 14}})},
        {"bar stops at the end", kBar, 8, runs({{10, 20}})},
        {"bar down", kBarDown, 5, runs({{15, 20}})},
        {"bar down stops at the end", kBarDown, 15, runs({{10, 20}})},
        {"bar without quantity", row({{0, 1}, {4, 10}, {6, 20}, {16, 1}}), 7, {}},
        {"closed block", withMode(kRise, 2), 0, runs({{0, 9}, {11, 20}})},
        {"closed bar", withMode(kRise, 3), 5, runs({{0, 9}, {16, 20}})},
        {"rolling first step", kRoll, 0, {0}},
        {"rolling front", kRoll, 4, {3, 4}},
        {"rolling repeats", kRoll, 6, {0, 1, 5, 6}},
        {"rolling back moves", kRoll, 12, {3, 4, 8, 9, 13, 14}},
        {"rolling back at the end", kRoll, 30, {20}},
        {"rolling down back moves", kRollDown, 12, {6, 7, 11, 12, 16, 17}},
        {"rolling down back at the end", kRollDown, 30, {0}},
        {"rolling second pattern",
         row({{0, 6}, {11, 1}, {12, 20}, {13, 2}, {14, 10}, {15, 3}, {16, 1}}),
         4,
         {3, 4}},
        {"rolling of no length", row({{0, 6}, {5, 1}, {6, 20}, {7, 2}, {9, -2}, {16, 4}}), 2, {}},
        {"mask", row({{0, 7}, {4, 100}, {7, 5}, {14, 128}}), 0, {100, 102, 163}},
        {"mask cut at 255", row({{0, 7}, {4, 250}, {7, 255}}), 3, runs({{250, 255}})},
        {"mode 4 is dark", withMode(kRise, 4), 3, {}},
        // Fields beyond the outputs light only outputs.
        {"block past 255", row({{0, 0}, {4, 250}, {5, 20}, {6, 400}, {16, 20}}), 0,
         runs({{250, 255}})},
        {"bar below 0", row({{0, 1}, {4, 3}, {5, 9}, {6, -40}, {16, 9}}), 0, runs({{0, 3}})},
        {"huge values", row({{0, 0}, {4, 1e9}, {5, 1e9}, {6, -1e9}, {16, 1e9}}), 32767,
         runs({{0, 255}})},
    };
    for (const auto& c : cases) {
        const corvel::Lamps lamps = corvel::lampStates(c.fields, c.step);
        std::vector<int> lit;
        for (int i = 0; i < 256; ++i)
            if (lamps[static_cast<std::size_t>(i)] == -1) lit.push_back(i);
        EXPECT_EQ(lit, c.lit) << c.name;
        EXPECT_EQ(lamps[256], 0) << c.name;
    }
}

TEST(CorvelGenerators, LinesShowOutputsLeftmostFirst) {
    corvel::Lamps lamps{};
    lamps[100] = lamps[102] = lamps[163] = -1;
    const std::string dark(64, '.');
    EXPECT_EQ(
        corvel::lampLines(lamps),
        (std::array<std::string, 4>{dark, std::string(36, '.') + "I.I" + std::string(25, '.'),
                                    std::string(35, '.') + "I" + std::string(28, '.'), dark}));
}

}  // namespace
