#include "show_player.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <string>

#include "corvel/generators.h"
#include "corvel/show_timing.h"

namespace ctrlsim {
namespace {

constexpr std::uint8_t kFirstOutputBlock = 241;

// A program's 32 bytes are blocks 2p + 1 and 2p + 2.
std::array<std::uint8_t, 32> programBytes(const Controller& controller, int program) {
    std::array<std::uint8_t, 32> bytes;
    for (int half = 0; half < 2; ++half) {
        const Block block =
            controller.corvelBlock(static_cast<std::uint8_t>(2 * program + 1 + half));
        std::copy(block.begin(), block.end(), bytes.begin() + 16 * half);
    }
    return bytes;
}

// The TimeUnit byte is column 19 of row 0: byte 3 of block 2.
std::uint8_t timeUnit(const Controller& controller) {
    return controller.corvelBlock(2)[3];
}

}  // namespace

int stepAt(const PlayTiming& timing, std::chrono::milliseconds elapsed) {
    const long long cycle = static_cast<long long>(timing.lastStep) * timing.stepMs + timing.holdMs;
    const long long t = elapsed.count() % cycle;
    return static_cast<int>(std::min<long long>(t / timing.stepMs, timing.lastStep));
}

std::optional<int> programNamed(std::string_view name) {
    constexpr std::string_view kGroups = "ABCD";
    if (name.size() < 3 || name.size() > 4 || name[0] != 'P') return std::nullopt;
    const std::size_t group = kGroups.find(name[1]);
    int number = -1;
    const char* end = name.data() + name.size();
    const auto [last, error] = std::from_chars(name.data() + 2, end, number);
    if (group == std::string_view::npos || error != std::errc() || last != end || number < 0 ||
        number > 29)
        return std::nullopt;
    return 30 * static_cast<int>(group) + number;
}

ShowPlayer::ShowPlayer(int program) : program_(program) {
    if (program < 0 || program > 119)
        throw std::out_of_range("no Corvel program " + std::to_string(program));
}

PlayTiming ShowPlayer::timing(const Controller& controller) const {
    const corvel::ProgramFields fields = corvel::programFields(programBytes(controller, program_));
    const int unitMs = corvel::timeUnitMs(timeUnit(controller));
    return {corvel::periodMs(fields.value[1], unitMs), corvel::periodMs(fields.value[2], unitMs),
            static_cast<int>(fields.value[3])};
}

void ShowPlayer::play(Controller& controller, std::chrono::milliseconds elapsed) const {
    const corvel::ProgramFields fields = corvel::programFields(programBytes(controller, program_));
    const corvel::Lamps lamps = corvel::lampStates(fields, stepAt(timing(controller), elapsed));
    const std::array<std::uint8_t, 32> outputs = corvel::outputBytes(lamps);
    for (int half = 0; half < 2; ++half) {
        Block block;
        std::copy_n(outputs.begin() + 16 * half, 16, block.begin());
        controller.setCorvelBlock(static_cast<std::uint8_t>(kFirstOutputBlock + half), block);
    }
}

}  // namespace ctrlsim
