// Refresh and commit between the selected program row and the grid.
#include "base/number.h"
#include "corvel/form.h"

namespace corvel {
namespace {

using base::numberText;

// A field's value kept in [0, high] and rounded half to even; the byte range
// has no room below 0.
int fieldValue(const ui::TextBox& field, int high) {
    return base::clampRound(base::numberValue(field.text()), 0, high);
}

constexpr int kTimeHighByteMax = 39;  // 39 x 256 + 255 = 10239 at most on show

// A time of two bytes, low first; a high byte above 39 is clamped in the table.
int shownTime(ProgramTable& table, int row, int lowColumn) {
    if (table.at(row, lowColumn + 1) > kTimeHighByteMax)
        table.set(row, lowColumn + 1, kTimeHighByteMax);
    return 256 * table.at(row, lowColumn + 1) + table.at(row, lowColumn);
}

void storeTime(ProgramTable& table, int row, int lowColumn, int value) {
    table.set(row, lowColumn, static_cast<std::uint8_t>(value % 256));
    table.set(row, lowColumn + 1, static_cast<std::uint8_t>(value / 256));
}

}  // namespace

int Form1::selectedRow() const {
    return programRow(Combo1.text(), base::numberValue(Combo2.text()));
}

void Form1::ccc() {
    const int r = selectedRow();
    Text1[0].setText(numberText(ProgramTable.at(r, 0)));
    Text1[1].setText(numberText(shownTime(ProgramTable, r, 1)));
    Text1[2].setText(numberText(shownTime(ProgramTable, r, 3)));
    for (int i = 3; i <= 17; ++i) Text1[i].setText(numberText(ProgramTable.at(r, i + 2)));
    for (int i = 0; i <= 8; ++i) Text5[i].setText(numberText(ProgramTable.at(i, 19)));
}

void Form1::ddd() {
    const int r = selectedRow();
    ProgramTable.set(r, 0, static_cast<std::uint8_t>(fieldValue(Text1[0], 7)));
    storeTime(ProgramTable, r, 1, fieldValue(Text1[1], 9999));
    storeTime(ProgramTable, r, 3, fieldValue(Text1[2], 9999));
    const int count = fieldValue(Text1[3], 255);
    ProgramTable.set(r, 5, static_cast<std::uint8_t>(count == 0 ? 1 : count));
    for (int i = 4; i <= 16; ++i)
        ProgramTable.set(r, i + 2, static_cast<std::uint8_t>(fieldValue(Text1[i], 255)));
    if (AdditionalOpen) {
        // The panel covers the grid's Additional field: the panel is stored.
        for (int i = 0; i <= 8; ++i)
            ProgramTable.set(i, 19, static_cast<std::uint8_t>(fieldValue(Text5[i], 255)));
    } else {
        ProgramTable.set(r, 19, static_cast<std::uint8_t>(fieldValue(Text1[17], 255)));
    }
}

void Form1::refresh() {
    Refreshing = true;
    ccc();
    Refreshing = false;
}

void Form1::gridChange() {
    if (!editing()) return;
    ddd();
    ccc();
    noteEdit();
}

void Form1::noteEdit() {
    history.record(selectedRow());
}

void Form1::undo() {
    showEdit(history.undo());
}

void Form1::redo() {
    showEdit(history.redo());
}

// The grid shows the program that was changed, the bit panel closed as on
// any change of the program shown.
void Form1::showEdit(std::optional<int> row) {
    if (!row) return;
    Combo1.setText(Combo1.items().at(static_cast<std::size_t>(*row / 30)));
    Combo2.setText(numberText(*row % 30));
    selectorClick();
}

void Form1::wireGrid() {
    for (ui::TextBox& field : Text1) field.onChange = [this] { gridChange(); };
    for (ui::TextBox& field : Text5) field.onChange = [this] { gridChange(); };
    Combo1.onClick = [this] { selectorClick(); };
    Combo2.onClick = [this] { selectorClick(); };
}

void Form1::selectorClick() {
    refresh();
    closeBitPanel();
}

}  // namespace corvel
