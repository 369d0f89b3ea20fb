// The editing commands: the two panels, the mode-7 bit list and its range,
// the range fields and the option buttons.
#include "base/number.h"
#include "corvel/form.h"
#include "ui/field_rules.h"

namespace corvel {
namespace {

constexpr int kLastBit = 63;

// Below 0 lies outside the lists; the fields keep themselves at 0 or more.
void keepNonNegative(ui::TextBox& field) {
    if (base::numberValue(field.text()) < 0) field.setText("0");
}

}  // namespace

void Form1::wirePanels() {
    Command7.onClick = [this] { Command7_Click(); };
    Command8.onClick = [this] { Command8_Click(); };
    Command9.onClick = [this] { Command9_Click(); };
    List2.onClick = [this] {
        if (Mode7Live) code7_use();
    };
    Check1.onClick = [this] { Label21.setCaption(Check1.checked() ? "ON" : "OFF"); };
    Check2.onClick = [this] { Label26.setCaption(Check2.checked() ? "ON" : "OFF"); };
    Text3.onChange = [this] { ui::clampField(Text3, 0, 255); };
    Text4.onChange = [this] { ui::clampField(Text4, 0, 255); };
    Text6.onChange = [this] { keepNonNegative(Text6); };
    Text7.onChange = [this] { keepNonNegative(Text7); };
}

void Form1::wireOptions() {
    Options.onClick = [this](int option) { optionClick(option); };
}

void Form1::Command7_Click() {
    AdditionalOpen = !AdditionalOpen;
    Command7.setCaption(AdditionalOpen ? "Additonal Close" : "Additonal Expand");
    Frame3.setVisible(AdditionalOpen);
}

void Form1::Command8_Click() {
    Mode7Live = false;
    if (Mode7Open) {
        Mode7Open = false;
        Command8.setCaption("WorkMode7 Expand");
        Frame4.setVisible(false);
        return;
    }
    Mode7Open = true;
    Command8.setCaption(" WorkMode7 Close");
    Frame4.setVisible(true);
    code7_zk();
    Mode7Live = true;
}

// When the selected row or the whole table changes, the bit list stops
// writing at once: its entries show the mask of the row that was left.
void Form1::closeBitPanel() {
    Mode7Open = false;
    Mode7Live = false;
    Command8.setCaption("WorkMode7 Expand");
    Frame4.setVisible(false);
}

void Form1::Command9_Click() {
    Mode7Live = false;
    const int from = base::clampRound(base::numberValue(Text7.text()), 0, kLastBit);
    const int to = base::clampRound(base::numberValue(Text6.text()), 0, kLastBit);
    ui::selectRange(List2, from, to, Check2.checked());
    Mode7Live = true;
    code7_use();
}

void Form1::code7_use() {
    Mode7Live = false;
    const int r = selectedRow();
    for (int i = 0; i < 8; ++i) {
        int mask = 0;
        for (int j = 0; j < 8; ++j)
            if (List2.selected(8 * i + j)) mask |= 1 << j;
        ProgramTable.set(r, 9 + i, static_cast<std::uint8_t>(mask));
    }
    refresh();
    noteEdit();
    Mode7Live = true;
}

void Form1::code7_zk() {
    for (int k = 0; k <= kLastBit; ++k) List2.setSelected(k, false);
    for (int i = 0; i < 8; ++i) {
        const double v = base::numberValue(Text1[7 + i].text());
        const int mask = base::clampRound(v, 0, 255);
        for (int j = 0; j < 8; ++j)
            if ((mask >> j & 1) != 0) List2.setSelected(8 * i + j, true);
    }
}

// The demonstration and on-line choices leave the bit panel; Circulate and
// Pause also start the step timer, Monitor readies the first cycle and
// Control sends the list at once.
void Form1::optionClick(int option) {
    if (option == Circulate || option == Pause) Timer3.setEnabled(true);
    if (option != Pause && option != Stop) Mode7Open = false;
    if (option == Monitor || option == Control) setLampsLive(false);
    if (option == Monitor) MonitorReady = true;
    if (option == Control) {
        ControlReady = true;
        conwork();
    }
}

}  // namespace corvel
