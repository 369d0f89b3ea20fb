// dovra-controller-simulator: a controller on a pseudo-terminal, linked as a
// COM port of the programs, until Ctrl-C.
#include <signal.h>

#include <charconv>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string_view>

#include "base/data_dir.h"
#include "simulator.h"

namespace {

struct Arguments {
    int com = 0;
    std::filesystem::path dataDir;
    bool pace = false;
    std::optional<ctrlsim::Fault> fault;
    int failFirst = -1;
    std::optional<int> play;
    std::string_view playName;
};

// What starts each line the simulator writes.
constexpr const char* kName = "dovra-controller-simulator: ";

constexpr const char* kUsage =
    "usage: dovra-controller-simulator --com N [--data-dir DIR] [--pace] [--fault KIND]\n"
    "                                  [--fail-first K] [--play PROGRAM]\n"
    "  --com N         link the controller as COM port N (1 to 16)\n"
    "  --data-dir DIR  where the link comN is made (default: the programs' data directory)\n"
    "  --pace          take the time of a 9600 baud line for every byte\n"
    "  --fault KIND    none, no-reply, refuse, bad-checksum, bad-framing, short-reply, stale\n"
    "  --fail-first K  only the first K requests meet the fault (default fault: no-reply)\n"
    "  --play PROGRAM  the outputs play Corvel program PROGRAM (PA00 to PD29) of the show\n"
    "                  downloaded, by its own Interval and HoldTime, as Monitor shows them;\n"
    "                  what Control switches is played over\n";

std::optional<int> numberIn(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Takes the option at argv[i] and its value; false on anything unknown.
bool takeOption(Arguments& args, std::string_view option, const char* value) {
    if (option == "--pace") {
        args.pace = true;
        return true;
    }
    if (value == nullptr) return false;
    if (option == "--data-dir") {
        args.dataDir = value;
        return true;
    }
    if (option == "--fault") return (args.fault = ctrlsim::faultNamed(value)).has_value();
    if (option == "--play") {
        args.playName = value;
        return (args.play = ctrlsim::programNamed(value)).has_value();
    }
    const std::optional<int> number = numberIn(value);
    if (!number) return false;
    if (option == "--com")
        args.com = *number;
    else if (option == "--fail-first")
        args.failFirst = *number;
    else
        return false;
    return true;
}

std::optional<Arguments> parse(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const char* value = option != "--pace" && i + 1 < argc ? argv[++i] : nullptr;
        if (!takeOption(args, option, value)) return std::nullopt;
    }
    if (args.com < 1 || args.com > 16 || args.failFirst < -1) return std::nullopt;
    if (args.dataDir.empty()) args.dataDir = base::dataDirectory();
    if (args.failFirst >= 0 && !args.fault) args.fault = ctrlsim::Fault::kNoReply;
    return args;
}

int waitForEnd(const sigset_t& endSignals) {
    int signal = 0;
    sigwait(&endSignals, &signal);
    return signal;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        std::cout << kUsage;
        return 0;
    }
    const std::optional<Arguments> args = parse(argc, argv);
    if (!args) {
        std::cerr << kUsage;
        return 2;
    }
    // Blocked before the simulator's thread starts, so only sigwait sees them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&endSignals, signal);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    ctrlsim::Simulator simulator(ctrlsim::Options{.pace = args->pace, .playProgram = args->play});
    try {
        simulator.start();
        simulator.linkAs(args->dataDir, args->com);
    } catch (const std::exception& error) {
        std::cerr << kName << error.what() << '\n';
        return 1;
    }
    if (args->fault) simulator.setFault(*args->fault, args->failFirst);
    std::cout << kName << "COM" << args->com << " is " << simulator.slavePath() << ", linked as "
              << simulator.linkPath().string() << '\n';
    if (args->play) std::cout << kName << "the outputs play program " << args->playName << '\n';
    std::cout << kName << "Ctrl-C ends" << std::endl;
    const int signal = waitForEnd(endSignals);
    simulator.stop();
    std::cout << kName << strsignal(signal) << ", link removed" << std::endl;
    return 0;
}
