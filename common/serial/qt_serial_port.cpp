#include "serial/qt_serial_port.h"

#include <QSerialPort>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>

#include "serial/port_device.h"

namespace serial {

namespace {

// Long enough for the 512-byte transmit buffer to drain at 9600 baud.
constexpr int kWriteTimeoutMs = 1000;
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 16;
// Ten bits (start, eight data, stop) at 9600 baud.
constexpr auto kByteTime = std::chrono::nanoseconds(10'000'000'000LL / 9600);

// A hung-up line shows as a read or write error as often as a resource error.
bool failsDevice(QSerialPort::SerialPortError code) {
    return code == QSerialPort::ResourceError || code == QSerialPort::ReadError ||
           code == QSerialPort::WriteError;
}

std::string portName(int number) {
    return "COM" + std::to_string(number);
}

// QSerialPort reports a port held by another program (its lock file taken,
// or the device busy) and a user without rights alike as PermissionError;
// only its text tells them apart.
bool heldByOther(const QString& reason) {
    return reason.contains(QLatin1String("locking"), Qt::CaseInsensitive) ||
           reason.contains(QLatin1String("busy"), Qt::CaseInsensitive);
}

std::string permissionAdvice() {
#ifdef __linux__
    return "; the user needs access to the device (e.g. membership of the dialout group)";
#else
    return "; the user needs access to the device";
#endif
}

std::string openFailure(const QSerialPort& port) {
    const QString reason = port.errorString();
    const std::string text = reason.toStdString();
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return "the device does not exist (" + text + ")";
        case QSerialPort::PermissionError:
            if (heldByOther(reason)) return "the port is in use by another program (" + text + ")";
            return "access denied (" + text + ")" + permissionAdvice();
        default:
            return text;
    }
}

// A device that is not there at all, told without Qt's open, which takes and
// gives back the device's lock file first: a start-up scan meets mostly such
// ports.
bool missing(const std::string& device, std::string& reason) {
#ifdef _WIN32
    (void)device;
    (void)reason;
    return false;
#else
    std::error_code error;
    if (std::filesystem::status(device, error).type() != std::filesystem::file_type::not_found)
        return false;
    reason = "the device does not exist (" + error.message() + ")";
    return true;
#endif
}

// Qt takes a name that is not a path for one below /dev.
std::string deviceOf(int number, const std::filesystem::path& dataDir) {
    const std::string device = comPortDevice(number, dataDir);
#ifdef _WIN32
    return device;
#else
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(device, error);
    return error ? device : path.string();
#endif
}

}  // namespace

QtSerialPort::QtSerialPort(std::filesystem::path dataDir)
    : dataDir_(std::move(dataDir)),
      port_(std::make_unique<QSerialPort>()),
      releaseTimer_(std::make_unique<QTimer>()) {
    port_->setBaudRate(QSerialPort::Baud9600);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    port_->setReadBufferSize(1024);
    releaseTimer_->setSingleShot(true);
    releaseTimer_->setInterval(kReleaseDelayMs);
    QObject::connect(releaseTimer_.get(), &QTimer::timeout, [this] { release(); });
}

QtSerialPort::~QtSerialPort() = default;

void QtSerialPort::setPortNumber(int number) {
    number_ = number;
}

bool QtSerialPort::open() {
    if (isOpen()) return true;
    if (number_ < kLowestPort || number_ > kHighestPort) {
        error_ = portName(number_) + ": no such port (the ports are COM1 to COM16)";
        return false;
    }
    const std::string device = deviceOf(number_, dataDir_);
    if (takeBack(device)) return true;
    release();
    if (std::string reason; missing(device, reason)) {
        error_ = portName(number_) + " (" + device + "): " + reason;
        return false;
    }
    port_->setPortName(QString::fromStdString(device));
    const bool opened = port_->open(QIODevice::ReadWrite);
    if (opened) {
        device_ = device;
        error_.clear();
    } else {
        error_ = portName(number_) + " (" + device + "): " + openFailure(*port_);
    }
    port_->clearError();
    return opened;
}

bool QtSerialPort::isOpen() const {
    return port_->isOpen() && !held_;
}

void QtSerialPort::close() {
    if (!isOpen()) return;
    held_ = true;
    releaseTimer_->start();
}

// A device still held, unchanged and sound, is the port's again at once.
bool QtSerialPort::takeBack(const std::string& device) {
    if (!held_ || device != device_ || !port_->isOpen() || port_->error() != QSerialPort::NoError)
        return false;
    held_ = false;
    releaseTimer_->stop();
    error_.clear();
    return true;
}

void QtSerialPort::release() {
    releaseTimer_->stop();
    held_ = false;
    if (port_->isOpen()) port_->close();
    port_->clearError();
}

bool QtSerialPort::write(std::span<const std::uint8_t> bytes) {
    if (!isOpen()) return false;
    const auto size = static_cast<qint64>(bytes.size());
    bool sent = port_->write(reinterpret_cast<const char*>(bytes.data()), size) == size;
    while (sent && port_->bytesToWrite() > 0) sent = port_->waitForBytesWritten(kWriteTimeoutMs);
#ifndef _WIN32
    // The port watches the line until it is told that its last bytes have
    // gone: told here, at once, rather than by the event loop, which that
    // would wake once more. (On Windows the wait above has told it, and a
    // flush would wait until the bytes have crossed the line.)
    if (sent) port_->flush();
#endif
    checkError();
    return sent && port_->isOpen();
}

Bytes QtSerialPort::readAll() {
    if (!isOpen()) return {};
    // Without an event loop only a wait moves the system's bytes into the
    // port; a wait just ended has moved them already.
    if (port_->bytesAvailable() == 0) port_->waitForReadyRead(0);
    const QByteArray data = port_->readAll();
    checkError();
    return Bytes(data.begin(), data.end());
}

// Drops what the port has taken in and what the system holds for it.
void QtSerialPort::discardInput() {
    if (isOpen()) port_->clear(QSerialPort::Input);
}

bool QtSerialPort::waitForInput(int timeoutMs) {
    if (!isOpen()) return false;
    // A wait wakes only for new bytes, not for those already taken in.
    if (port_->bytesAvailable() > 0) return true;
    // Qt waits for ever on a negative time.
    port_->waitForReadyRead(std::max(timeoutMs, 0));
    checkError();
    return port_->isOpen() && port_->bytesAvailable() > 0;
}

void QtSerialPort::waitForLine(std::size_t bytes, int timeoutMs) {
    if (!isOpen()) return;
    const auto line = static_cast<long long>(bytes) * kByteTime;
    std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(
        line, std::chrono::milliseconds(std::max(timeoutMs, 0))));
}

std::string QtSerialPort::errorString() const {
    return error_;
}

// A time-out is no fault of the port. A device that is gone or fails to
// read or write ends the port's use: otherwise every later wait would return
// at once, and the exchange would spin until its time-out.
void QtSerialPort::checkError() {
    const QSerialPort::SerialPortError code = port_->error();
    if (code == QSerialPort::NoError) return;
    const std::string reason = port_->errorString().toStdString();
    if (failsDevice(code)) {
        error_ = portName(number_) + ": the device failed (" + reason + ")";
        port_->close();
    } else if (code != QSerialPort::TimeoutError) {
        error_ = portName(number_) + ": " + reason;
    }
    port_->clearError();
}

}  // namespace serial
