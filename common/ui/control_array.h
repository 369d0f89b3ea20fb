#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace ui {

// "Text1" and 3 give "Text1(3)": the name of one control of an indexed array.
inline std::string indexedName(const std::string& base, int index) {
    return base + "(" + std::to_string(index) + ")";
}

// Builds an indexed control array in place: make(i) returns control i.
template <typename T, std::size_t N, typename Make>
std::array<T, N> makeControlArray(Make make) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<T, N>{make(static_cast<int>(I))...};
    }
    (std::make_index_sequence<N>{});
}

}  // namespace ui
