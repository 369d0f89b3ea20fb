#include "simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <system_error>

namespace ctrlsim {

namespace fs = std::filesystem;

namespace {

// Ten bits (start, eight data, stop) at 9600 baud.
constexpr auto kByteTime = std::chrono::nanoseconds(10'000'000'000LL / 9600);
// A frame that stops half-way is dropped after this silence.
constexpr auto kFrameGap = std::chrono::milliseconds(100);

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

timespec toTimespec(std::chrono::steady_clock::duration wait) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

}  // namespace

Simulator::Simulator(Options options) : options_(options) {
    if (options_.playProgram) player_.emplace(*options_.playProgram);
}

Simulator::~Simulator() {
    stop();
}

void Simulator::start() {
    try {
        openLine();
    } catch (...) {
        closeLine();
        throw;
    }
    playStart_ = Clock::now();
    thread_ = std::thread(&Simulator::run, this);
}

void Simulator::openLine() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) fail("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) fail("grantpt");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) fail("ptsname");
    slavePath_ = name;
    // Held open so that the line stays up while no program has it open.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) fail("open slave");
    termios tio{};
    if (::tcgetattr(slave_, &tio) != 0) fail("tcgetattr");
    ::cfmakeraw(&tio);
    ::cfsetspeed(&tio, B9600);
    if (::tcsetattr(slave_, TCSANOW, &tio) != 0) fail("tcsetattr");
    if (::fcntl(master_, F_SETFL, O_NONBLOCK) != 0) fail("fcntl");
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) fail("pipe2");
}

void Simulator::closeLine() {
    closeFd(master_);
    closeFd(slave_);
    closeFd(wake_[0]);
    closeFd(wake_[1]);
}

void Simulator::stop() {
    if (thread_.joinable()) {
        const char byte = 0;
        [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
        thread_.join();
    }
    removeLink();
    closeLine();
}

void Simulator::run() {
#ifdef __linux__
    // A paced byte is due to the microsecond; the system would otherwise let
    // the wait run up to 50 us late to group it with other wake-ups.
    ::prctl(PR_SET_TIMERSLACK, 1000UL);
#endif
    for (;;) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const std::optional<timespec> timeout = nextDeadline();
        const int ready = ::ppoll(fds, 2, timeout ? &*timeout : nullptr, nullptr);
        if (ready < 0 && errno != EINTR) return;
        if (fds[1].revents != 0 || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return;
        if ((fds[0].revents & POLLIN) != 0) receive();
        sendDue();
    }
}

std::optional<timespec> Simulator::nextDeadline() const {
    if (outgoing_.empty()) return std::nullopt;
    return toTimespec(std::max(outgoing_.front().due - Clock::now(), Clock::duration::zero()));
}

void Simulator::receive() {
    std::uint8_t chunk[256];
    const ssize_t count = ::read(master_, chunk, sizeof chunk);
    if (count <= 0) return;
    const auto now = Clock::now();
    if (now - lastInput_ >= kFrameGap) reader_.reset();
    if (!reader_.midFrame()) frameStart_ = now;
    lastInput_ = now;
    std::lock_guard lock(mutex_);
    for (const Bytes& frame : reader_.feed({chunk, static_cast<std::size_t>(count)})) {
        // Paced, a request is in only when its last byte would have arrived.
        const auto length = static_cast<std::int64_t>(frame.size());
        const auto end = options_.pace ? std::max(now, frameStart_ + length * kByteTime) : now;
        if (player_)
            player_->play(controller_,
                          std::chrono::duration_cast<std::chrono::milliseconds>(end - playStart_));
        schedule(controller_.answer(frame), end);
        frameStart_ = end;
    }
}

void Simulator::schedule(const Bytes& reply, Clock::time_point requestEnd) {
    if (!options_.pace) {
        writeToLine(reply);
        return;
    }
    auto due = outgoing_.empty() ? requestEnd : std::max(requestEnd, outgoing_.back().due);
    for (const std::uint8_t byte : reply) {
        due += kByteTime;
        outgoing_.push_back({due, byte});
    }
}

void Simulator::sendDue() {
    Bytes due;
    const auto now = Clock::now();
    while (!outgoing_.empty() && outgoing_.front().due <= now) {
        due.push_back(outgoing_.front().byte);
        outgoing_.pop_front();
    }
    if (due.empty()) return;
    std::lock_guard lock(mutex_);
    writeToLine(due);
}

// Bytes that do not fit into the receiver's full buffer are lost, as on a
// real line.
void Simulator::writeToLine(const Bytes& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = ::write(master_, bytes.data() + sent, bytes.size() - sent);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return;
        sent += static_cast<std::size_t>(count);
    }
}

void Simulator::send(const Bytes& bytes) {
    std::lock_guard lock(mutex_);
    writeToLine(bytes);
}

void Simulator::linkAs(const fs::path& dataDir, int com) {
    fs::create_directories(dataDir);
    const fs::path link = dataDir / ("com" + std::to_string(com));
    removeLink();
    if (fs::is_symlink(fs::symlink_status(link))) fs::remove(link);
    fs::create_symlink(slavePath_, link);
    link_ = link;
}

// Only a link that still points at this simulator's line is removed.
void Simulator::removeLink() {
    if (link_.empty()) return;
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(link_, error)) &&
        fs::read_symlink(link_, error) == slavePath_) {
        fs::remove(link_, error);
    }
    link_.clear();
}

void Simulator::setFault(Fault fault, int count) {
    std::lock_guard lock(mutex_);
    controller_.setFault(fault, count);
}

Block Simulator::plexaBlock(std::uint16_t n) const {
    std::lock_guard lock(mutex_);
    return controller_.plexaBlock(n);
}

void Simulator::setPlexaBlock(std::uint16_t n, const Block& data) {
    std::lock_guard lock(mutex_);
    controller_.setPlexaBlock(n, data);
}

Block Simulator::corvelBlock(std::uint8_t b) const {
    std::lock_guard lock(mutex_);
    return controller_.corvelBlock(b);
}

void Simulator::setCorvelBlock(std::uint8_t b, const Block& data) {
    std::lock_guard lock(mutex_);
    controller_.setCorvelBlock(b, data);
}

std::vector<Bytes> Simulator::requests() const {
    std::lock_guard lock(mutex_);
    return controller_.requests();
}

}  // namespace ctrlsim
