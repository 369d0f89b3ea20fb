#include "serial/transfer_outcome.h"

#include <algorithm>
#include <cstdio>

namespace serial {

namespace {

const char* failureText(Failure failure) {
    switch (failure) {
        case Failure::NoReply:
            return "no reply";
        case Failure::Refused:
            return "refused";
        case Failure::Incomplete:
            return "a reply not complete in time";
        case Failure::Invalid:
            return "a wrong reply";
        case Failure::PortLost:
            return "the port failed";
    }
    return "";
}

std::string timesText(int times) {
    return times == 1 ? "once" : std::to_string(times) + " times";
}

std::string seconds(std::int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000);
    return text;
}

std::string name(Transfer transfer) {
    return transfer == Transfer::Download ? "Download" : "Upload";
}

// How many of how many blocks went through.
std::string moved(Transfer transfer, int done, int blocks) {
    return std::to_string(done) + " of " + std::to_string(blocks) + " blocks " +
           (transfer == Transfer::Download ? "sent" : "read");
}

}  // namespace

Failure failureOf(const ExchangeResult& result, const SerialPort& port) {
    if (!port.isOpen()) return Failure::PortLost;
    if (result.reply.empty()) return Failure::NoReply;
    if (result.reply.size() >= 2 && result.reply[0] == kRefusal) return Failure::Refused;
    return result.ok ? Failure::Invalid : Failure::Incomplete;
}

void FailedTries::note(const ExchangeResult& result, bool accepted, const SerialPort& port) {
    if (accepted) {
        clear();
        return;
    }
    const Failure failure = failureOf(result, port);
    const auto known = std::find_if(counts_.begin(), counts_.end(), [failure](const auto& count) {
        return count.first == failure;
    });
    if (known == counts_.end()) {
        counts_.emplace_back(failure, 1);
    } else {
        ++known->second;
    }
}

std::string FailedTries::text() const {
    std::string text;
    for (const auto& [failure, times] : counts_) {
        if (!text.empty()) text += ", ";
        text += std::string(failureText(failure)) + " " + timesText(times);
    }
    return text;
}

std::string transferDone(Transfer transfer, int first, int last, std::int64_t elapsedMs) {
    const int blocks = std::max(last - first + 1, 0);
    return name(transfer) + " done: blocks " + std::to_string(first) + " to " +
           std::to_string(last) + ", " + moved(transfer, blocks, blocks) + " in " +
           seconds(elapsedMs);
}

std::string transferStopped(Transfer transfer, int block, int done, int blocks,
                            std::int64_t elapsedMs, const FailedTries& tries) {
    return name(transfer) + " stopped at block " + std::to_string(block) + ": " +
           moved(transfer, done, blocks) + " in " + seconds(elapsedMs) + "; " + tries.text();
}

std::string transferNotStarted(Transfer transfer, int blocks, const std::string& why) {
    return name(transfer) + " not started: " + moved(transfer, 0, blocks) + "; " + why;
}

}  // namespace serial
