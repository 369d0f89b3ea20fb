#include "serial/win_serial_port.h"

#include <windows.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "serial/port_device.h"

namespace serial {

namespace {

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 16;
// Long enough for a full transmit buffer to drain at 9600 baud, plus the
// line time of the bytes written.
constexpr DWORD kWriteTimeoutMs = 1000;
constexpr DWORD kWriteTimePerByteMs = 2;
// A wait ends this long after the last byte when no other follows: two
// byte times at 9600 baud, so a reply's bytes come in at one look.
constexpr DWORD kQuietGapMs = 2;
constexpr DWORD kBufferBytes = 4096;
// Ten bits (start, eight data, stop) at 9600 baud.
constexpr auto kByteTime = std::chrono::nanoseconds(10'000'000'000LL / 9600);

HANDLE handleOf(void* handle) {
    return static_cast<HANDLE>(handle);
}

std::string portName(int number) {
    return "COM" + std::to_string(number);
}

std::string systemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

// A COM port is opened exclusively: another program holding it shows as
// access denied.
std::string openFailure(DWORD code) {
    const std::string text = systemMessage(code);
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "the device does not exist (" + text + ")";
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return "the port is in use by another program (" + text + ")";
        default:
            return text;
    }
}

}  // namespace

WinSerialPort::WinSerialPort(std::filesystem::path dataDir)
    : dataDir_(std::move(dataDir)),
      handle_(INVALID_HANDLE_VALUE),
      releaseTimer_(std::make_unique<QTimer>()) {
    releaseTimer_->setSingleShot(true);
    releaseTimer_->setInterval(kReleaseDelayMs);
    QObject::connect(releaseTimer_.get(), &QTimer::timeout, [this] { release(); });
}

WinSerialPort::~WinSerialPort() {
    release();
}

void WinSerialPort::setPortNumber(int number) {
    number_ = number;
}

bool WinSerialPort::open() {
    if (isOpen()) return true;
    if (number_ < kLowestPort || number_ > kHighestPort) {
        error_ = portName(number_) + ": no such port (the ports are COM1 to COM16)";
        return false;
    }
    // A device still held for the same port is the port's again at once.
    if (held_ && heldNumber_ == number_) {
        held_ = false;
        releaseTimer_->stop();
        error_.clear();
        return true;
    }
    release();
    const std::string device = comPortDevice(number_, dataDir_);
    const std::wstring path = L"\\\\.\\" + std::wstring(device.begin(), device.end());
    handle_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        error_ = portName(number_) + ": " + openFailure(code);
        return false;
    }
    if (!configure()) {
        const DWORD code = GetLastError();
        release();
        error_ = portName(number_) + ": the line cannot be set up (" + systemMessage(code) + ")";
        return false;
    }
    error_.clear();
    return true;
}

// 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, binary.
bool WinSerialPort::configure() {
    const HANDLE h = handleOf(handle_);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!SetupComm(h, kBufferBytes, kBufferBytes) || !GetCommState(h, &dcb)) return false;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    mode_ = ReadMode::none;
    return SetCommState(h, &dcb) && setReadMode(ReadMode::poll, 0) &&
           PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

bool WinSerialPort::isOpen() const {
    return handle_ != INVALID_HANDLE_VALUE && !held_;
}

void WinSerialPort::close() {
    if (!isOpen()) return;
    held_ = true;
    heldNumber_ = number_;
    releaseTimer_->start();
}

void WinSerialPort::release() {
    releaseTimer_->stop();
    held_ = false;
    received_.clear();
    if (handle_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(handleOf(handle_));
    handle_ = INVALID_HANDLE_VALUE;
}

// A device that fails to read or write ends the port's use: otherwise every
// later wait would return at once, and the exchange would spin until its
// time-out.
void WinSerialPort::fail(const std::string& what) {
    const DWORD code = GetLastError();
    release();
    error_ = portName(number_) + ": the device failed (" + what + ": " + systemMessage(code) + ")";
}

bool WinSerialPort::write(std::span<const std::uint8_t> bytes) {
    if (!isOpen()) return false;
    const auto size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(handleOf(handle_), bytes.data(), size, &written, nullptr)) {
        fail("write");
        return false;
    }
    return written == size;
}

// Sets what a read waits for: nothing (poll), or the first bytes and then a
// quiet line, but no longer than timeoutMs (wait). A write waits until its
// bytes have gone, or fails after their line time and kWriteTimeoutMs.
bool WinSerialPort::setReadMode(ReadMode mode, int timeoutMs) {
    if (mode == mode_ && (mode == ReadMode::poll || timeoutMs == modeTimeoutMs_)) return true;
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutMultiplier = kWriteTimePerByteMs;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    if (mode == ReadMode::poll) {
        timeouts.ReadIntervalTimeout = MAXDWORD;
    } else {
        timeouts.ReadIntervalTimeout = kQuietGapMs;
        timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(timeoutMs);
    }
    if (!SetCommTimeouts(handleOf(handle_), &timeouts)) return false;
    mode_ = mode;
    modeTimeoutMs_ = timeoutMs;
    return true;
}

// One read in the mode set, its bytes added to `into`; false when the
// device failed.
bool WinSerialPort::readInto(Bytes& into) {
    std::uint8_t buffer[kBufferBytes];
    DWORD count = 0;
    if (!ReadFile(handleOf(handle_), buffer, sizeof buffer, &count, nullptr)) return false;
    into.insert(into.end(), buffer, buffer + count);
    return true;
}

Bytes WinSerialPort::readAll() {
    if (!isOpen()) return {};
    // A wait just ended has taken in what was there.
    if (!received_.empty()) return std::exchange(received_, {});
    Bytes bytes;
    if (!setReadMode(ReadMode::poll, 0) || !readInto(bytes)) fail("read");
    return bytes;
}

// Drops what the port has taken in and what the system holds for it.
void WinSerialPort::discardInput() {
    if (!isOpen()) return;
    received_.clear();
    if (!PurgeComm(handleOf(handle_), PURGE_RXCLEAR)) fail("discard");
}

bool WinSerialPort::waitForInput(int timeoutMs) {
    if (!isOpen()) return false;
    if (!received_.empty()) return true;
    const ReadMode mode = timeoutMs > 0 ? ReadMode::wait : ReadMode::poll;
    if (!setReadMode(mode, timeoutMs) || !readInto(received_)) {
        fail("read");
        return false;
    }
    return !received_.empty();
}

void WinSerialPort::waitForLine(std::size_t bytes, int timeoutMs) {
    if (!isOpen()) return;
    const auto line = static_cast<long long>(bytes) * kByteTime;
    std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(
        line, std::chrono::milliseconds(std::max(timeoutMs, 0))));
}

std::string WinSerialPort::errorString() const {
    return error_;
}

}  // namespace serial
