// Download, upload, the window tick, Monitor and Control.
#include "base/number.h"
#include "corvel/form.h"
#include "serial/port_choice.h"
#include "ui/field_rules.h"

namespace corvel {
namespace {

constexpr int kTriesPerBlock = 6;
constexpr int kLastProgramBlock = 240;
constexpr int kOnlineRow = 120;
constexpr int kFirstOnlineBlock = 241;
constexpr int kLastOnlineBlock = 242;

}  // namespace

void Form1::wireLink() {
    Command3.onClick = [this] { Command3_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
    Timer5.onTick = [this] {
        setTransfersEnabled(true);
        Timer5.setEnabled(false);
    };
    List1.onClick = [this] {
        if (ControlReady) conwork();
    };
}

void Form1::setTransfersEnabled(bool on) {
    Command3.setEnabled(on);
    Command5.setEnabled(on);
    Options.setOptionEnabled(Monitor, on);
    Options.setOptionEnabled(Control, on);
}

// A port that cannot be opened says why on the status line.
bool Form1::openPort() {
    std::string error;
    if (!serial::openChosenPort(env_.port, Combo3.text(), error)) {
        Label13.setCaption(error);
        return false;
    }
    startTime_ = env_.clock.nowMs();
    return true;
}

// Each block is tried until it goes through; the sixth failure on one block
// gives the whole action up. A download or upload shows its progress.
bool Form1::transferBlocks(int first, int last, bool reading, bool showProgress) {
    showingProgress_ = showProgress;
    if (showProgress) progress.setProgress(0, last - first + 1);
    failedTries_.clear();
    bool done = true;
    for (int b = first; b <= last && done; ++b) {
        for (int tries = 1;; ++tries) {
            const auto block = static_cast<std::uint8_t>(b);
            const bool ok = reading ? read_v(block) : write_v(block);
            Label10.setCaption(base::blankNumberText(b));
            Label9.setCaption(
                base::blankNumberText(static_cast<double>(env_.clock.nowMs() - startTime_)) +
                " ms");
            if (ok && showProgress) progress.setProgress(b - first + 1, last - first + 1);
            if (ok) break;
            if (tries >= kTriesPerBlock) {
                done = false;
                stoppedAt_ = b;
                break;
            }
        }
    }
    showingProgress_ = false;
    return done;
}

// Every program's blocks to or from the controller; the status bar says
// how it ended.
void Form1::transferShow(serial::Transfer transfer) {
    if (!openPort()) {
        // The status line says why.
        StatusBar1.setCaption(
            serial::transferNotStarted(transfer, kLastProgramBlock, Label13.caption()));
        return;
    }
    const bool done =
        transferBlocks(1, kLastProgramBlock, transfer == serial::Transfer::Upload, true);
    env_.port.close();
    const std::int64_t elapsed = env_.clock.nowMs() - startTime_;
    StatusBar1.setCaption(done ? serial::transferDone(transfer, 1, kLastProgramBlock, elapsed)
                               : serial::transferStopped(transfer, stoppedAt_, stoppedAt_ - 1,
                                                         kLastProgramBlock, elapsed, failedTries_));
}

void Form1::Command3_Click() {
    setTransfersEnabled(false);
    transferShow(serial::Transfer::Download);
    setTransfersEnabled(true);
}

// What an upload read is one undo step, also when it stopped part-way.
void Form1::Command5_Click() {
    if (!settleEdits()) return;
    setTransfersEnabled(false);
    closeBitPanel();
    transferShow(serial::Transfer::Upload);
    noteEdit();
    Timer5.setEnabled(true);
}

void Form1::Timer2_Timer() {
    const int option = Options.selected();
    const bool online = option == Monitor || option == Control;
    Frame2.setVisible(option == Control);
    if (online) {
        Command3.setEnabled(false);
        Command5.setEnabled(false);
    } else if (!Timer5.enabled()) {
        Command3.setEnabled(true);
        Command5.setEnabled(true);
    }
    if (!online) {
        setLampsLive(true);
        leddis();
    }
    if (MonitorReady && option == Monitor) monwork();
}

// Greyed, the lamp lines show no outputs of the moment: in Monitor until
// both blocks have been read, and in Control.
void Form1::setLampsLive(bool live) {
    for (ui::Label& line : Label7) line.setEnabled(live);
}

void Form1::monwork() {
    MonitorReady = false;
    bool done = false;
    if (openPort()) {
        done = transferBlocks(kFirstOnlineBlock, kLastOnlineBlock, true);
        env_.port.close();
        if (done) showLampLines();
    }
    setLampsLive(done);
    MonitorReady = true;
}

// Line m shows outputs 64m (leftmost) to 64m + 63 of row 120.
void Form1::showLampLines() {
    for (int m = 0; m < 4; ++m) {
        std::string line;
        for (int k = 0; k < 64; ++k) {
            const int byte = ProgramTable.at(kOnlineRow, k / 8 + 8 * m);
            line += (byte >> (k % 8) & 1) != 0 ? 'I' : '.';
        }
        Label7[static_cast<size_t>(m)].setCaption(line);
    }
}

void Form1::conwork() {
    ControlReady = false;
    for (int column = 0; column < 32; ++column) {
        int byte = 0;
        for (int j = 0; j < 8; ++j)
            if (List1.selected(8 * column + j)) byte |= 1 << j;
        ProgramTable.set(kOnlineRow, column, static_cast<std::uint8_t>(byte));
    }
    if (openPort()) {
        transferBlocks(kFirstOnlineBlock, kLastOnlineBlock, false);
        env_.port.close();
    }
    ControlReady = true;
}

void Form1::Command6_Click() {
    ControlReady = false;
    const int from = base::clampRound(base::numberValue(Text3.text()), 0, 255);
    const int to = base::clampRound(base::numberValue(Text4.text()), 0, 255);
    ui::selectRange(List1, from, to, Check1.checked());
    ControlReady = true;
    conwork();
}

}  // namespace corvel
