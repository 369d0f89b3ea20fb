// Block frames and the two block exchanges of the main window.
#include "corvel/blocks.h"

#include <stdexcept>

#include "corvel/form.h"
#include "serial/block_frames.h"
#include "serial/exchange.h"

namespace corvel {

BlockPlace blockPlace(std::uint8_t b) {
    if (b > 252) throw std::out_of_range("Corvel block without a row");
    return {(b - 1) / 2, b % 2 == 1 ? 0 : 16};
}

std::array<std::uint8_t, 16> blockData(const ProgramTable& table, std::uint8_t b) {
    const BlockPlace place = blockPlace(b);
    std::array<std::uint8_t, 16> data{};
    for (int k = 0; k < 16; ++k)
        data[static_cast<size_t>(k)] = table.at(place.row, place.column + k);
    return data;
}

void setBlockData(ProgramTable& table, std::uint8_t b, const serial::Bytes& reply) {
    const BlockPlace place = blockPlace(b);
    for (int k = 0; k < 16; ++k) table.set(place.row, place.column + k, reply.at(1 + k));
}

serial::Bytes writeRequest(std::uint8_t b, const std::array<std::uint8_t, 16>& data) {
    serial::Bytes frame;
    frame.reserve(22);
    frame.push_back(serial::kStx);
    frame.push_back(kWriteBlock);
    frame.push_back(b);
    frame.insert(frame.end(), data.begin(), data.end());
    serial::appendChecksumAndEnd(frame, 2);
    return frame;
}

serial::Bytes readRequest(std::uint8_t b) {
    return {serial::kStx, kReadBlock, b, b, serial::kEtx};
}

namespace {

constexpr const char* kNoReply = "the port can not receive the date";
constexpr const char* kNormal = "the communication is normal";
constexpr const char* kDataError = "Communication data error ";

}  // namespace

// The status line is emptied while a reply is awaited. A download or upload
// shows its last try while the line carries the request.
serial::ExchangeResult Form1::exchangeBlock(const serial::Bytes& request, std::size_t replyLength) {
    return serial::exchange(env_.port, env_.clock, request, replyLength, [this] {
        if (showingProgress_ && env_.showProgress) env_.showProgress();
        Label13.setCaption("");
    });
}

// Three bytes that are not the acceptance are a failure, and say so.
bool Form1::write_v(std::uint8_t b) {
    const serial::ExchangeResult r =
        exchangeBlock(writeRequest(b, blockData(ProgramTable, b)), serial::kWriteReplyBytes);
    const bool accepted = r.ok && serial::writeAccepted(r.reply);
    failedTries_.note(r, accepted, env_.port);
    if (!r.ok) {
        Label13.setCaption(kNoReply);
        return false;
    }
    Label13.setCaption(accepted ? kNormal : kDataError);
    return accepted;
}

bool Form1::read_v(std::uint8_t b) {
    const serial::ExchangeResult r = exchangeBlock(readRequest(b), serial::kReadReplyBytes);
    const bool valid = r.ok && serial::readReplyValid(r.reply);
    failedTries_.note(r, valid, env_.port);
    if (!r.ok) {
        Label13.setCaption(kNoReply);
        return false;
    }
    if (valid) setBlockData(ProgramTable, b, r.reply);
    Label13.setCaption(valid ? kNormal : kDataError);
    refresh();
    return valid;
}

}  // namespace corvel
