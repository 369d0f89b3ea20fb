// Refresh and commit between ProgramTable and the fields, the display tick
// and the step indicator.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/number.h"
#include "plexa/form.h"

namespace plexa {
namespace {

using base::numberText;
using base::numberValue;

double value(const ui::TextBox& field) {
    return numberValue(field.text());
}

std::string hexWord(int word) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(word));
    return buffer;
}

}  // namespace

int Form1::groupsField() const {
    return base::clampRound(value(Text1[0]), 4, 16);
}

int Form1::stepField(int groups) const {
    return base::clampRound(value(Text5[0]), 1, maxStep(groups));
}

void Form1::ccc() {
    Refreshing = true;
    for (int i = 0; i <= 4; ++i) Text1[i].setText(numberText(ProgramTable.word(2 * i)));
    for (int i = 5; i <= 8; ++i) {
        Text1[i].setText(
            numberText(ProgramTable.word(32 * ProgramTable::kParameterRow + 2 * i - 2)));
    }
    const int groups = groupsField();
    Text1[0].setText(numberText(groups));
    const int s = stepField(groups);
    Text5[0].setText(numberText(s));
    const int record = stepBase(s, groups);
    const int word = ProgramTable.word(record);
    Text5[1].setText(numberText(workModeOf(word)));
    Text5[2].setText(numberText(secondFieldOf(word)));
    for (int k = 0; k < 32; ++k) {
        const int byte = k < 2 * groups ? ProgramTable.byte(record + 2 + k) : 0;
        for (int b = 0; b < 8; ++b) List1.setSelected(8 * k + b, (byte >> b & 1) != 0);
    }
    // Outputs beyond the groups have no bits to switch.
    List1.setItemsEnabled(0, 16 * groups - 1, true);
    List1.setItemsEnabled(16 * groups, List1.count() - 1, false);
    Refreshing = false;
    if (EditReady == 1) updateStepIndicator();
}

void Form1::ddd() {
    const int groups = groupsField();
    setOutputGroups(ProgramTable, groups);
    const int top = maxStep(groups);
    for (int i = 1; i <= 4; ++i)
        ProgramTable.setWord(2 * i, base::clampRound(value(Text1[i]), 1, top));
    for (int i = 5; i <= 8; ++i) {
        ProgramTable.setWord(32 * ProgramTable::kParameterRow + 2 * i - 2,
                             base::clampRound(value(Text1[i]), 1, top));
    }
    const int s = stepField(groups);
    // Below 0 the control word would not fit its 16 bits: both fields stop at 0.
    const double m = std::clamp(value(Text5[1]), 0.0, 5.0);
    double h = std::clamp(value(Text5[2]), 0.0, 9999.0);
    if (m == 4 && h > top) h = top;
    ProgramTable.setWord(stepBase(s, groups), base::clampRound(m * 10000 + h, 0, 59999));
}

void Form1::Timer1_Timer() {
    const int groups = groupsField();
    const int record = stepBase(stepField(groups), groups);
    std::string line =
        "CorrespondingSetting P" + Text5[0].text() + " " + " Cd00----Cd" + Text1[0].text() + ":";
    for (int k = 0; k <= groups; ++k) {
        line += ' ';
        line += hexWord(ProgramTable.word(record + 2 * k));
    }
    Label3.setCaption(line);

    static const char* const kUnits[] = {"0.1s", "s", "min", "0.02s", "Jump"};
    const double mode = value(Text5[1]);
    const bool knownMode = mode >= 0 && mode <= 4 && mode == static_cast<int>(mode);
    Label1[2].setCaption(knownMode ? kUnits[static_cast<int>(mode)] : "Stop");
    Label2.setCaption(mode != 4 ? "Max.Step OutPutGroups Max.Output X0--Start x1--Start x2--Start "
                                  "x3--Start    CurrentStep   WorkMode HoldTime"
                                : "Max.Step OutputGroups Max.Output x0--Start x1--Start x2--Start "
                                  "x3--Start    CurrentStep   WorkMode JempStep");

    // The group count as typed, not rounded; the integer division rounds it
    // half to even first, as the table's own count is rounded.
    const double shown = std::min(std::max(value(Text1[0]), 4.0), 1e9);
    const double divisor = base::roundHalfEven(shown) + 1;
    const std::string scale = Label1[0].caption();
    Label1[0].setCaption(base::blankNumberText(std::floor(63984 / divisor)));
    Label1[1].setCaption("*16=" + base::blankNumberText(16 * shown));
    if (EditReady == 1 && Label1[0].caption() != scale) updateStepIndicator();
    EditReady = 1;
}

// The step indicator shows how far the current step stands in the program,
// on a scale of 8000. A field that holds no plain number leaves it as it is.
// Once start-up is over it follows every refresh and every new Max.Step.
void Form1::updateStepIndicator() {
    const std::optional<double> s = base::plainDecimal(Text5[0].text());
    const std::optional<double> m = base::plainDecimal(Label1[0].caption());
    if (!s || !m || std::floor(*m) == 0) return;
    const double c = base::roundHalfEven(std::floor(*s) * 8000 / std::floor(*m));
    step.setText(numberText(c));
}

}  // namespace plexa
