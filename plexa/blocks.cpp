// Block frames and the two block exchanges of the main window.
#include "plexa/blocks.h"

#include "plexa/form.h"
#include "serial/block_frames.h"
#include "serial/exchange.h"

namespace plexa {
namespace {

using serial::kStx;

// A negative block number keeps its own address bytes: the quotient by 256
// truncated towards zero, and the low 8 bits of its two's complement.
void appendAddress(serial::Bytes& frame, std::int16_t block) {
    frame.push_back(static_cast<std::uint8_t>(block / 256));
    frame.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(block) & 0xFF));
}

serial::Bytes startFrame(std::uint8_t command, std::size_t length) {
    serial::Bytes frame;
    frame.reserve(length);
    frame.push_back(kStx);
    frame.push_back(command);
    return frame;
}

}  // namespace

serial::Bytes writeRequest(std::int16_t block, const std::array<std::uint8_t, 16>& data) {
    serial::Bytes frame = startFrame(kWriteBlock, 23);
    appendAddress(frame, block);
    frame.insert(frame.end(), data.begin(), data.end());
    serial::appendChecksumAndEnd(frame, 1);
    return frame;
}

serial::Bytes readRequest(std::int16_t block) {
    serial::Bytes frame = startFrame(kReadBlock, 7);
    appendAddress(frame, block);
    serial::appendChecksumAndEnd(frame, 1);
    return frame;
}

// The window shows the last try while the line carries the request.
serial::ExchangeResult Form1::exchangeBlock(const serial::Bytes& request, std::size_t replyLength) {
    return serial::exchange(env_.port, env_.clock, request, replyLength, env_.showProgress);
}

bool Form1::write_v(std::int16_t add_d1) {
    const serial::ExchangeResult r =
        exchangeBlock(writeRequest(add_d1, ProgramTable.block(add_d1)), serial::kWriteReplyBytes);
    const bool accepted = r.ok && serial::writeAccepted(r.reply);
    failedTries_.note(r, accepted, env_.port);
    if (!r.ok) {
        Label13.setCaption("端口不能收到数据");
        return false;
    }
    // Three bytes that are not the acceptance are a failure, and say so.
    Label13.setCaption(accepted ? "CommunicateSuccessfully" : "CommunicateUnsuccessfully");
    return accepted;
}

bool Form1::read_v(std::int16_t add_d1) {
    const serial::ExchangeResult r = exchangeBlock(readRequest(add_d1), serial::kReadReplyBytes);
    const bool valid = r.ok && serial::readReplyValid(r.reply);
    failedTries_.note(r, valid, env_.port);
    if (!r.ok) {
        Label13.setCaption("CommunicationDataError");
        return false;
    }
    if (!valid) {
        Label13.setCaption("CommunicateUnsuccessfully");
        return false;
    }
    std::array<std::uint8_t, 16> data{};
    std::copy(r.reply.begin() + 1, r.reply.begin() + 17, data.begin());
    ProgramTable.setBlock(add_d1, data);
    Label13.setCaption("CommunicateSuccessfully");
    return true;
}

}  // namespace plexa
