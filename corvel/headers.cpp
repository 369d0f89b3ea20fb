// The header refresh: work-mode name, header lines, time unit, the mode-7
// button and bit panel, and which grid fields take typing.
#include "base/number.h"
#include "corvel/form.h"

namespace corvel {
namespace {

double value(const ui::TextBox& field) {
    return base::numberValue(field.text());
}

const char* const kModeNames[] = {"OpenPointMove",
                                  "OpenPointAdd ",
                                  "ClosedPointMove",
                                  "ClosedPointAdd",
                                  "MulticycleOperate",
                                  "Single-cycle0perate",
                                  "",
                                  "SequenceControl"};

}  // namespace

void Form1::Timer1_Timer() {
    Label24.setCaption(value(Text5[0]) == 0 ? "0.01s" : " 0.1s");
    Command8.setCaption(Mode7Open ? "WorkMode7 Close" : "WorkMode7 Expand");
    Frame4.setVisible(Mode7Open);
    const double m = value(Text1[0]);
    showWorkModeName(m);
    const bool fieldsEnabled = m != 7;
    Command8.setVisible(!fieldsEnabled);
    if (fieldsEnabled) {
        Mode7Open = false;
        Mode7Live = false;
        Frame4.setVisible(false);
    }
    showHeaders(m);
    for (int i = 5; i <= 16; ++i) Text1[i].setEnabled(fieldsEnabled);
    EditReady = 1;
    Timer2.setEnabled(true);
}

void Form1::showWorkModeName(double mode) {
    if (mode == 6) {
        const bool rolling =
            value(Text1[7]) == value(Text1[5]) && value(Text1[9]) == value(Text1[7]);
        Label8.setCaption(rolling ? "Water-Pttern Rolling-Over" : "MultipleMove ");
        return;
    }
    for (int k = 0; k <= 7; ++k)
        if (mode == k && k != 6) Label8.setCaption(kModeNames[k]);
}

void Form1::showHeaders(double mode) {
    if (mode == 6) {
        Label2.setCaption(
            "WorkMode   Interval  HoldTime WorkNumber A-start  MoveBits   A-End  OpenPoints "
            "StopNumber ClosePoints ");
        Label4.setCaption(
            "C-start MoveBits C-End OpenPoints StopQuantity ClosePoints StartPoints Additional");
    } else if (mode == 7) {
        Label2.setCaption(
            "WorkMode   Interval  HoldTime WorkNumber A-start                      00--O7    "
            "08--15    16--23");
        Label4.setCaption(
            "24--31    32--39     40--47   48--55    56--63                     Additional");
    } else {
        Label2.setCaption(
            "WorkMode  Interval  HoldTime  WorkNumber A-Start A-quantity  A-End    B-Start  "
            "B-quantity B-End  ");
        Label4.setCaption(
            "C-Start   C-quantity C-End   D-start   D-Quantity D-End  StartPoints Additional");
    }
}

}  // namespace corvel
