// The handlers of the editing controls.
#include <algorithm>
#include "base/number.h"

#include "plexa/form.h"
#include "ui/field_rules.h"

namespace plexa {

using base::numberText;
using base::numberValue;

void Form1::wireParameterFields() {
    for (ui::TextBox& field : Text1) field.onChange = [this] { Text1_Change(); };
    for (int i = 0; i < 3; ++i)
        Text5[static_cast<size_t>(i)].onChange = [this, i] { Text5_Change(i); };
    Command7.onClick = [this] { stepButton(+1); };
    Command8.onClick = [this] { stepButton(-1); };
}

void Form1::wireOutputEditor() {
    List1.onClick = [this] { List1_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    Check1.onClick = [this] { Label21.setCaption(Check1.checked() ? "ON" : "OFF"); };
    Command11.onClick = [this] { Command11_Click(); };
    // From and To name list items, so they stay within 0 to 255.
    Text3.onChange = [this] { ui::clampField(Text3, 0, 255); };
    Text4.onChange = [this] { ui::clampField(Text4, 0, 255); };
    Text6.onChange = [this] {
        ui::clampField(Text6, 1, 20);
        List1.setColumns(base::clampRound(numberValue(Text6.text()), 1, 20));
    };
    // The list's height follows its field from the start, not only after an
    // edit, so that typing the value the field holds changes nothing.
    Text7.onChange = [this] {
        ui::clampField(Text7, 1, 4700);
        List1.setHeightTwips(base::clampRound(numberValue(Text7.text()), 1, 4700));
    };
    Text7.onChange();
    Text9.onChange = [this] { ui::clampField(Text9, 1, maxStep(groupsField())); };
}

void Form1::Text1_Change() {
    if (!editing()) return;
    ddd();
    ccc();
    noteEdit();
}

// The step indicator follows every change of the three step fields, except
// the work mode and hold time that a refresh before the first display tick
// writes: through start-up it keeps its design text.
void Form1::Text5_Change(int index) {
    if (index == 0) {
        stepChange();
    } else if (editing()) {
        ddd();
        ccc();
        noteEdit();
    }
    const bool refreshBeforeFirstTick = Refreshing && EditReady == 0;
    if (index == 0 || !refreshBeforeFirstTick) updateStepIndicator();
}

// Moving to another step writes nothing: every edit was committed as typed.
void Form1::stepChange() {
    if (!editing()) return;
    const int s = stepField(groupsField());
    Text5[0].setText(numberText(s));
    Text9.setText(numberText(s - 1));
    ccc();
}

void Form1::stepButton(int delta) {
    Text5[0].setText(numberText(numberValue(Text5[0].text()) + delta));
}

void Form1::List1_Click() {
    if (!editing()) return;
    const int groups = groupsField();
    const int record = stepBase(stepField(groups), groups);
    for (int k = 0; k < 2 * groups; ++k) {
        int byte = 0;
        for (int b = 0; b < 8; ++b) {
            if (List1.selected(8 * k + b)) byte |= 1 << b;
        }
        ProgramTable.setByte(record + 2 + k, static_cast<std::uint8_t>(byte));
    }
    ccc();
    noteEdit();
}

void Form1::Command6_Click() {
    if (Refreshing) return;
    Refreshing = true;
    const int a = base::clampRound(numberValue(Text3.text()), 0, 255);
    const int b = base::clampRound(numberValue(Text4.text()), 0, 255);
    ui::selectRange(List1, a, b, Check1.checked());
    Refreshing = false;
    List1_Click();
}

void Form1::Command11_Click() {
    const int groups = groupsField();
    Text1[0].setText(numberText(groups));
    const int top = maxStep(groups);
    const int s = base::clampRound(numberValue(Text5[0].text()), 1, top);
    Text5[0].setText(numberText(s));
    const int t = base::clampRound(numberValue(Text9.text()), 1, top);
    Text9.setText(numberText(t));
    const int target = stepBase(s, groups);
    const int source = stepBase(t, groups);
    for (int k = 0; k < 2 * (groups + 1); ++k) {
        ProgramTable.setByte(target + k, ProgramTable.byte(source + k));
    }
    ccc();
    noteEdit();
}

void Form1::noteEdit() {
    history.record(stepField(groupsField()));
}

void Form1::undo() {
    showEdit(history.undo());
}

void Form1::redo() {
    showEdit(history.redo());
}

// The fields show the table, then the step that was changed.
void Form1::showEdit(std::optional<int> step) {
    if (!step) return;
    ccc();
    Text5[0].setText(numberText(*step));
}

}  // namespace plexa
