#include "ui/edit_history.h"

#include <algorithm>
#include <cstring>

namespace ui {
namespace {

// Unchanged bytes between two changes up to this many join them in one run,
// which costs less than a run of its own.
constexpr std::size_t kJoinedGap = 8;

// The first index at or after from where the two differ, or size. Equal
// stretches are passed over a block at a time, which memcmp compares many
// bytes at once.
std::size_t firstDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t from,
                            std::size_t size) {
    constexpr std::size_t kBlock = 256;
    while (from + kBlock <= size && std::memcmp(a + from, b + from, kBlock) == 0) from += kBlock;
    return static_cast<std::size_t>(std::mismatch(a + from, a + size, b + from).first - a);
}

}  // namespace

EditHistory::EditHistory(std::function<std::span<std::uint8_t>()> cells)
    : cells_(std::move(cells)) {}

void EditHistory::start(const std::string& fileName) {
    settle();
    steps_.clear();
    applied_ = 0;
    baseState_ = savedState_ = nextState_++;
    fileName_ = fileName;
    notify();
}

EditHistory::Step EditHistory::changes(int place) {
    Step step{place, 0, {}, {}, {}};
    std::uint8_t* now = cells_().data();
    std::uint8_t* last = shadow_.data();
    const std::size_t size = shadow_.size();
    for (std::size_t i = 0;;) {
        i = firstDifference(now, last, i, size);
        if (i == size) break;
        std::size_t end = i + 1;
        for (std::size_t k = end; k < size && k - end < kJoinedGap; ++k)
            if (now[k] != last[k]) end = k + 1;
        step.runs.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(end - i)});
        step.before.insert(step.before.end(), last + i, last + end);
        step.after.insert(step.after.end(), now + i, now + end);
        std::copy(now + i, now + end, last + i);
        i = end;
    }
    return step;
}

void EditHistory::record(int place) {
    Step step = changes(place);
    if (step.runs.empty()) return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
    step.state = nextState_++;
    steps_.push_back(std::move(step));
    if (steps_.size() > kDepth) {
        baseState_ = steps_.front().state;
        steps_.pop_front();
    }
    applied_ = steps_.size();
    notify();
}

void EditHistory::loaded(const std::string& fileName, int place) {
    record(place);
    saved(fileName);
}

void EditHistory::saved(const std::string& fileName) {
    settle();
    savedState_ = state();
    fileName_ = fileName;
    notify();
}

void EditHistory::apply(const Step& step, bool forward) {
    const std::uint8_t* from = (forward ? step.after : step.before).data();
    std::uint8_t* cells = cells_().data();
    for (const Run& run : step.runs) {
        std::copy(from, from + run.length, cells + run.start);
        std::copy(from, from + run.length, shadow_.data() + run.start);
        from += run.length;
    }
}

std::optional<int> EditHistory::undo() {
    if (!canUndo()) return std::nullopt;
    settle();
    const Step& step = steps_[--applied_];
    apply(step, false);
    notify();
    return step.place;
}

std::optional<int> EditHistory::redo() {
    if (!canRedo()) return std::nullopt;
    settle();
    const Step& step = steps_[applied_++];
    apply(step, true);
    notify();
    return step.place;
}

void EditHistory::settle() {
    const std::span<std::uint8_t> cells = cells_();
    shadow_.assign(cells.begin(), cells.end());
}

void EditHistory::notify() const {
    for (const auto& observer : observers_) observer();
}

bool settleEdits(const EditHistory& history, const AskToSave& ask,
                 const std::function<bool(const std::string& fileName)>& save) {
    if (!history.modified() || !ask) return true;
    switch (ask(history.fileName())) {
        case SaveAnswer::Save:
            return save(history.fileName());
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

}  // namespace ui
