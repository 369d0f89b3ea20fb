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

// Every by-th output from first to last.
std::vector<int> every(int by, int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; i += by) v.push_back(i);
    return v;
}

// Work mode m with group A (fields 4-6) from s, q outputs, to n, and the
// StartPoints (field 16).
ProgramFields groupA(double m, double s, double q, double n, double startPoints) {
    return row({{0, m}, {4, s}, {5, q}, {6, n}, {16, startPoints}});
}

// Work mode 6 with pattern A (fields 4-9): start, move bits, end, open,
// stop and close points, and the StartPoints.
ProgramFields patternA(double s, double m, double n, double o, double k, double z, double p) {
    return row({{0, 6}, {4, s}, {5, m}, {6, n}, {7, o}, {8, k}, {9, z}, {16, p}});
}

TEST(CorvelGenerators, WorkedPictures) {
    const struct {
        const char* name;
        ProgramFields fields;
        double step;
        std::vector<int> lit;
    } cases[] = {
        {"block moves", groupA(0, 10, 3, 20, 1), 3, runs({{11, 13}})},
        {"block reaches the end", groupA(0, 10, 3, 20, 1), 12, {20}},
        {"block gone", groupA(0, 10, 3, 20, 1), 13, {}},
        {"block down moves", groupA(0, 20, 3, 10, 1), 3, runs({{17, 19}})},
        {"bar starts at the start points", groupA(1, 10, 3, 20, 5), 2, runs({{10, 14}})},
        {"bar stops at the end", groupA(1, 10, 3, 20, 5), 8, runs({{10, 20}})},
        {"bar down", groupA(1, 20, 3, 10, 1), 5, runs({{15, 20}})},
        {"bar without quantity", groupA(1, 10, 0, 20, 1), 7, {}},
        {"closed block", groupA(2, 10, 3, 20, 1), 0, runs({{0, 9}, {11, 20}})},
        {"closed bar", groupA(3, 10, 3, 20, 1), 5, runs({{0, 9}, {16, 20}})},
        {"rolling front", patternA(0, 1, 20, 2, 10, 3, 1), 4, {3, 4}},
        {"rolling repeats", patternA(0, 1, 20, 2, 10, 3, 1), 6, {0, 1, 5, 6}},
        {"rolling back moves", patternA(0, 1, 20, 2, 10, 3, 1), 12, {3, 4, 8, 9, 13, 14}},
        {"rolling back at the end", patternA(0, 1, 20, 2, 10, 3, 1), 30, {20}},
        {"rolling down back at the end", patternA(20, 1, 0, 2, 10, 3, 1), 30, {0}},
        {"rolling second pattern",
         row({{0, 6}, {11, 1}, {12, 20}, {13, 2}, {14, 10}, {15, 3}, {16, 1}}),
         4,
         {3, 4}},
        // The front 32,895 outputs on: the phase of the whole distance.
        {"rolling far front", patternA(0, 255, 255, 1, 255, 2, 1), 129, every(3, 0, 255)},
        {"rolling of no length", patternA(0, 1, 20, 2, 0, -2, 4), 2, {}},
        {"mask", row({{0, 7}, {4, 100}, {7, 5}, {14, 128}}), 0, {100, 102, 163}},
        {"mask cut at 255", row({{0, 7}, {4, 250}, {7, 255}}), 3, runs({{250, 255}})},
        {"mode 4 is dark", groupA(4, 10, 3, 20, 1), 3, {}},
        // Fields beyond the outputs light only outputs.
        {"block past 255", groupA(0, 250, 20, 400, 20), 0, runs({{250, 255}})},
        {"bar below 0", groupA(1, 3, 9, -40, 9), 0, runs({{0, 3}})},
        {"huge values", groupA(0, 1e9, 1e9, -1e9, 1e9), 32767, runs({{0, 255}})},
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

}  // namespace
