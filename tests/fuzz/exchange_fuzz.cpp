// One program's block exchanges (read or write, Plexa or Corvel) against a
// line that brings any bytes, in any chunks, at any time: before the request
// (stale), during the wait, or after the time limit (left for the next
// exchange). Each exchange succeeds exactly when the bytes that came within
// 500 ms make the reply the protocol asks for, takes no longer than that, and
// changes the table only by a valid read reply, in the block read.
#include <algorithm>
#include <map>
#include <numeric>
#include <type_traits>

#include "corvel/blocks.h"
#include "corvel/form.h"
#include "fake_port.h"
#include "fuzz_input.h"
#include "plexa/form.h"

namespace {

using serial::Bytes;

struct Line {
    ui::ManualClock clock;
    fake::FakePort port{clock};
    plexa::Form1 plexa{{"unused", clock, port, {}}};
    corvel::Form1 corvel{{"unused", clock, port, {}}};
    std::multimap<std::int64_t, Bytes> arrivals;  // in order of arrival

    // A chunk of junk, or a well-formed reply for the fuzzer to break up.
    void schedule(fuzz::Input& in, bool reading) {
        const std::int64_t at = clock.nowMs() + in.below(800) - 50;
        Bytes bytes = in.bytes(in.byte() % 24);
        if (bytes.size() == 1) bytes = {2, 5, 3};
        if (bytes.size() == 16 && reading) {
            const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0u);
            bytes.insert(bytes.begin(), 2);
            bytes.insert(bytes.end(),
                         {static_cast<std::uint8_t>(sum), static_cast<std::uint8_t>(sum >> 8), 3});
        }
        port.arriveAt(at, bytes);
        arrivals.emplace(at, bytes);
    }
    // What the port brings after a request written at t0, within the limit.
    Bytes reply(std::int64_t t0) const {
        Bytes bytes;
        for (auto a = arrivals.upper_bound(t0); a != arrivals.end() && a->first <= t0 + 500; ++a)
            bytes.insert(bytes.end(), a->second.begin(), a->second.end());
        return bytes;
    }
};

bool replyOk(const Bytes& r, bool reading) {
    if (r.size() < (reading ? 20u : 3u) || r[0] == 15) return false;
    if (!reading) return r[1] == 5 && r[2] == 3 && r[0] == 2;
    const unsigned sum = std::accumulate(r.begin() + 1, r.begin() + 17, 0u);
    return r[0] == 2 && r[19] == 3 && r[18] <= 127 && r[17] + 256u * r[18] == sum;
}

// One exchange with a program's window. Around the block, the table may
// change only by a valid read reply, in the block's cells; Corvel's grid,
// refreshed after a reply, also cuts the high bytes of the times of the
// program on show (row 0) to 39. The status line tells success.
template <class Form, class Place, class Block>
bool exchange(Form& form, Block block, Place place, int first, int last, bool reading,
              const Bytes& reply, const char* success) {
    Bytes expected = fuzz::cells(form.ProgramTable, first, last);
    const bool ok = reading ? form.read_v(block) : form.write_v(block);
    if (reading && ok)
        std::copy_n(reply.begin() + 1, 16,
                    expected.begin() + 32 * (place.row - first) + place.column);
    if constexpr (std::is_same_v<Form, corvel::Form1>)
        for (size_t c : {2, 4}) expected[c] = std::min<std::uint8_t>(expected[c], 39);
    fuzz::check(fuzz::cells(form.ProgramTable, first, last) == expected,
                "only a valid read reply changes the table, in its block");
    fuzz::check((form.Label13.caption() == success) == ok, "the status tells success");
    return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    Line line;
    line.port.open();
    for (int exchanges = 0; exchanges < 12 && !in.done(); ++exchanges) {
        const std::uint8_t op = in.byte();
        const bool toCorvel = (op & 1) != 0, reading = (op & 2) != 0;
        for (int chunks = op >> 2 & 7; chunks > 0; --chunks) line.schedule(in, reading);
        line.clock.advance(in.byte());
        const std::int64_t t0 = line.clock.nowMs();
        const Bytes reply = line.reply(t0);
        bool ok;
        if (toCorvel) {
            const auto b = static_cast<std::uint8_t>(in.byte() % 253);
            ok = exchange(line.corvel, b, corvel::blockPlace(b), 0, 125, reading, reply,
                          "the communication is normal");
        } else {
            const auto n = static_cast<std::int16_t>(in.below(8002) - 1);
            const auto place = plexa::ProgramTable::blockPlace(n);
            ok =
                exchange(line.plexa, n, place, std::max(place.row - 1, 0),
                         std::min(place.row + 1, 15000), reading, reply, "CommunicateSuccessfully");
        }
        fuzz::check(ok == replyOk(reply, reading),
                    "the exchange succeeds exactly on a reply in time");
        fuzz::check(line.clock.nowMs() - t0 <= 501, "a reply is awaited 500 ms at most");
    }
    return 0;
}
