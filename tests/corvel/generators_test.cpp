// The work-mode pictures for values no grid field can hold, worked by hand;
// the generators fuzz target holds every program the grid can hold to the
// rules.
#include <gtest/gtest.h>

#include <vector>

#include "corvel/generators.h"

namespace {

corvel::ProgramFields row(std::initializer_list<std::pair<std::size_t, double>> set) {
    corvel::ProgramFields f;
    for (const auto& [i, v] : set) f.value[i] = v;
    return f;
}

std::vector<int> span(int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; ++i) v.push_back(i);
    return v;
}

TEST(CorvelGenerators, ValuesBeyondTheOutputsLightOnlyOutputs) {
    const struct {
        const char* name;
        corvel::ProgramFields fields;
        double step;
        std::vector<int> lit;
    } cases[] = {
        {"block past 255", row({{0, 0}, {4, 250}, {5, 20}, {6, 400}, {16, 20}}), 0, span(250, 255)},
        {"bar below 0", row({{0, 1}, {4, 3}, {5, 9}, {6, -40}, {16, 9}}), 0, span(0, 3)},
        {"huge values", row({{0, 0}, {4, 1e9}, {5, 1e9}, {6, -1e9}, {16, 1e9}}), 32767,
         span(0, 255)},
        {"rolling of no length", row({{0, 6}, {5, 1}, {6, 20}, {7, 2}, {9, -2}, {16, 4}}), 2, {}},
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
