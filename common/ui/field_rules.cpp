#include "ui/field_rules.h"

#include "base/number.h"

namespace ui {

void clampField(TextBox& field, int low, int high) {
    field.setText(base::numberText(base::clampRound(base::numberValue(field.text()), low, high)));
}

void selectRange(ListBox& list, int from, int to, bool on) {
    const int step = to >= from ? 1 : -1;
    for (int k = from;; k += step) {
        list.setSelected(k, on);
        if (k == to) break;
    }
}

void keepSelectionOfName(FileList& files, const std::string& name) {
    const std::string listed = files.selectedFile();
    if (listed.substr(0, listed.find('.')) != name) files.clearSelection();
}

}  // namespace ui
