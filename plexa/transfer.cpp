// Download and upload: one block exchange per timer step.
#include <algorithm>
#include <initializer_list>

#include "base/number.h"
#include "plexa/form.h"
#include "serial/port_choice.h"
#include "ui/field_rules.h"

namespace plexa {
namespace {

constexpr int kTriesPerBlock = 6;

}  // namespace

void Form1::wireTransfers() {
    Command3.onClick = [this] { startTransfer(Timer6); };
    Command5.onClick = [this] {
        if (settleEdits()) startTransfer(Timer7);
    };
    Timer6.onTick = [this] { transferStep(false); };
    Timer7.onTick = [this] { transferStep(true); };
    Timer9.onTick = [this] {
        Timer9.setEnabled(false);
        Timer6.setEnabled(true);
    };
    Timer8.onTick = [this] {
        Timer8.setEnabled(false);
        Timer7.setEnabled(true);
    };
    // Each step and re-arm comes as soon as the window has handled its
    // events, rather than a millisecond later: the line sets the pace.
    for (ui::Timer* chained : {&Timer6, &Timer7, &Timer8, &Timer9}) chained->setZeroWait(true);
    Timer5.onTick = [this] {
        Command3.setEnabled(true);
        Command5.setEnabled(true);
        Timer5.setEnabled(false);
    };
    // Whole block numbers from 0 to 8000 only: nothing else has a place in the table.
    for (ui::TextBox& field : Text8) field.onChange = [&field] { ui::clampField(field, 0, 8000); };
}

void Form1::startTransfer(ui::Timer& stepTimer) {
    Command3.setEnabled(false);
    Command5.setEnabled(false);
    tries_ = 0;
    transfer_ = &stepTimer == &Timer7 ? serial::Transfer::Upload : serial::Transfer::Download;
    failedTries_.clear();
    std::string error;
    if (!serial::openChosenPort(env_.port, Combo3.text(), error)) {
        Label13.setCaption(error);
        StatusBar1.setCaption(serial::transferNotStarted(
            transfer_, rangeBlocks(base::numberValue(Text8[0].text())), error));
        Timer5.setEnabled(true);
        return;
    }
    startTime_ = env_.clock.nowMs();
    currentBlock_ = base::numberValue(Text8[0].text());
    firstBlock_ = currentBlock_;
    showProgress();
    stepTimer.setEnabled(true);
}

void Form1::transferStep(bool upload) {
    ui::Timer& stepTimer = upload ? Timer7 : Timer6;
    ui::Timer& rearm = upload ? Timer8 : Timer9;
    stepTimer.setEnabled(false);
    if (currentBlock_ > base::numberValue(Text8[1].text())) {
        if (upload) ccc();
        finishTransfer();
        return;
    }
    const auto n = static_cast<std::int16_t>(base::roundHalfEven(currentBlock_));
    const bool ok = upload ? read_v(n) : write_v(n);
    ++tries_;
    if (ok) {
        currentBlock_ += 1;
        tries_ = 0;
    }
    // The next step's countdown runs while the window shows this try.
    const bool goOn = tries_ < kTriesPerBlock;
    if (goOn) rearm.setEnabled(true);
    Label10.setCaption(base::blankNumberText(n));
    Label9.setCaption(base::blankNumberText(static_cast<double>(env_.clock.nowMs() - startTime_)) +
                      " ms");
    if (ok) showProgress();
    if (!goOn) finishTransfer();
}

// The blocks from first to the last block of the range as its field reads now.
int Form1::rangeBlocks(double first) const {
    const double count = base::numberValue(Text8[1].text()) - first + 1;
    return static_cast<int>(std::clamp(count, 0.0, 8001.0));
}

void Form1::showProgress() {
    const int total = std::max(1, rangeBlocks(firstBlock_));
    const int done = static_cast<int>(std::clamp(currentBlock_ - firstBlock_, 0.0, 8001.0));
    progress.setProgress(std::min(done, total), total);
}

// What an upload read is one undo step, also when it stopped part-way.
void Form1::finishTransfer() {
    noteEdit();
    env_.port.close();
    StatusBar1.setCaption(transferOutcome());
    Timer5.setEnabled(true);
}

// The range is done once the current block has passed its last block.
std::string Form1::transferOutcome() const {
    const auto first = static_cast<int>(firstBlock_);
    const auto current = static_cast<int>(currentBlock_);
    const std::int64_t elapsed = env_.clock.nowMs() - startTime_;
    if (current > base::numberValue(Text8[1].text()))
        return serial::transferDone(transfer_, first, current - 1, elapsed);
    return serial::transferStopped(transfer_, current, current - first, rangeBlocks(firstBlock_),
                                   elapsed, failedTries_);
}

}  // namespace plexa
