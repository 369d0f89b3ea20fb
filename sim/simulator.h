#pragma once

#include <time.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controller.h"
#include "show_player.h"

namespace ctrlsim {

struct Options {
    // Lets every byte take its time on a 9600 baud line, each way.
    bool pace = false;
    // A Corvel program (0 to 119) that the outputs play from the start.
    std::optional<int> playProgram = std::nullopt;
};

// A controller on a pseudo-terminal: the programs open its slave side as
// their COM port. It keeps the slave open itself, set raw, so the line
// survives the programs opening and closing it, and answers on a thread of
// its own.
class Simulator {
  public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Opens the pseudo-terminal and starts answering; throws
    // std::system_error when the system refuses.
    void start();
    // Stops answering, closes the pseudo-terminal and removes the link.
    void stop();
    // The device the programs open, e.g. /dev/pts/3.
    const std::string& slavePath() const { return slavePath_; }

    // Makes dataDir/comN a link to the slave (replacing an old link, never a
    // file), creating dataDir when missing; throws
    // std::filesystem::filesystem_error.
    void linkAs(const std::filesystem::path& dataDir, int com);
    const std::filesystem::path& linkPath() const { return link_; }

    // Sends bytes the programs did not ask for, at once.
    void send(const Bytes& bytes);

    void setFault(Fault fault, int count = -1);
    Block plexaBlock(std::uint16_t n) const;
    void setPlexaBlock(std::uint16_t n, const Block& data);
    Block corvelBlock(std::uint8_t b) const;
    void setCorvelBlock(std::uint8_t b, const Block& data);
    std::vector<Bytes> requests() const;

  private:
    using Clock = std::chrono::steady_clock;
    struct Outgoing {
        Clock::time_point due;
        std::uint8_t byte;
    };

    void openLine();
    void closeLine();
    void run();
    std::optional<timespec> nextDeadline() const;
    void receive();
    void schedule(const Bytes& reply, Clock::time_point requestEnd);
    void sendDue();
    void writeToLine(const Bytes& bytes);
    void removeLink();

    Options options_;
    std::optional<ShowPlayer> player_;
    Clock::time_point playStart_;
    mutable std::mutex mutex_;  // guards controller_ and writing to the line
    Controller controller_;
    // The rest belongs to the simulator's thread.
    FrameReader reader_;
    Clock::time_point frameStart_;
    Clock::time_point lastInput_;
    std::deque<Outgoing> outgoing_;
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    std::string slavePath_;
    std::filesystem::path link_;
    std::thread thread_;
};

}  // namespace ctrlsim
