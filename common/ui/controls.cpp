#include "ui/controls.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "base/data_dir.h"
#include "base/number.h"

namespace ui {

void Control::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    notify();
}

void Control::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    notify();
}

void Control::notify() const {
    auto observer = observers_.begin();
    for (size_t n = observers_.size(); n > 0; --n, ++observer) (*observer)();
}

void Label::setCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    notify();
}

void Button::setCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    notify();
}

void Button::click() {
    if (enabled() && onClick) onClick();
}

void TextBox::setText(const std::string& text) {
    if (text == text_) return;
    held_ = typing_ && text != typed_ &&
            (typed_.empty() || base::numberValue(typed_) < base::numberValue(text));
    text_ = text;
    notify();
    if (onChange) onChange();
}

bool TextBox::type(const std::string& text) {
    if (!enabled()) return false;
    if (maxLength_ > 0 && text.size() > static_cast<size_t>(maxLength_)) {
        notify();  // the view puts the held text back
        return false;
    }
    held_ = false;
    typed_ = text;
    typing_ = true;
    setText(text);
    typing_ = false;
    return true;
}

void TextBox::finishEditing() {
    if (!held_) return;
    held_ = false;
    notify();
}

void CheckBox::setChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    notify();
    if (onClick) onClick();
}

void CheckBox::click() {
    if (enabled()) setChecked(!checked_);
}

OptionGroup::OptionGroup(std::string name, std::vector<std::string> names,
                         std::vector<std::string> captions, int selected)
    : Control(std::move(name)),
      names_(std::move(names)),
      captions_(std::move(captions)),
      enabled_(captions_.size(), true),
      selected_(selected) {}

void OptionGroup::setOptionEnabled(int index, bool on) {
    if (optionEnabled(index) == on) return;
    enabled_.at(static_cast<size_t>(index)) = on;
    notify();
}

void OptionGroup::select(int index) {
    if (index == selected_ || index < 0 || index >= static_cast<int>(captions_.size())) return;
    if (!optionEnabled(index)) return;
    selected_ = index;
    notify();
    if (onClick) onClick(index);
}

void ComboBox::setText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    notify();
    if (onChange) onChange();
}

void ComboBox::pick(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    setText(items_[static_cast<size_t>(index)]);
    if (onClick) onClick();
}

ListBox::ListBox(std::string name, std::vector<std::string> items)
    : Control(std::move(name)),
      items_(std::move(items)),
      selected_(items_.size(), false),
      itemEnabled_(items_.size(), true) {}

void ListBox::setSelected(int index, bool on) {
    if (selected(index) == on) return;
    selected_.at(static_cast<size_t>(index)) = on;
    notify();
    if (onClick) onClick();
}

void ListBox::click(int index) {
    if (itemEnabled(index)) setSelected(index, !selected(index));
}

void ListBox::setItemsEnabled(int first, int last, bool on) {
    bool changed = false;
    for (int index = first; index <= last; ++index) {
        if (itemEnabled(index) == on) continue;
        itemEnabled_.at(static_cast<size_t>(index)) = on;
        changed = true;
    }
    if (changed) notify();
}

void ListBox::setColumns(int columns) {
    if (columns == columns_) return;
    columns_ = columns;
    notify();
}

void ListBox::setHeightTwips(int twips) {
    if (twips == heightTwips_) return;
    heightTwips_ = twips;
    notify();
}

std::string FileList::selectedFile() const {
    if (selected_ < 0) return {};
    return files_.at(static_cast<size_t>(selected_));
}

void FileList::setDirectory(const std::filesystem::path& dir) {
    directory_ = dir;
    selected_ = -1;
    refresh();
}

namespace {

std::string lowered(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

// Patterns are "*" followed by a fixed tail, matched without regard to case
// as the file lists of the controller's PC always have.
bool FileList::matches(const std::string& fileName) const {
    const std::string tail = lowered(pattern_.substr(pattern_.find('*') + 1));
    const std::string name = lowered(fileName);
    return name.size() >= tail.size() &&
           name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

void FileList::refresh() {
    const std::string kept = selectedFile();
    files_.clear();
    std::error_code code;
    for (std::filesystem::directory_iterator it(directory_, code), end; !code && it != end;
         it.increment(code)) {
        const std::string fileName = base::nameOfPath(it->path().filename());
        if (it->is_regular_file(code) && matches(fileName)) files_.push_back(fileName);
    }
    std::sort(files_.begin(), files_.end(),
              [](const std::string& a, const std::string& b) { return lowered(a) < lowered(b); });
    const auto found = std::find(files_.begin(), files_.end(), kept);
    selected_ =
        kept.empty() || found == files_.end() ? -1 : static_cast<int>(found - files_.begin());
    notify();
}

void FileList::select(int index) {
    if (index < 0 || index >= static_cast<int>(files_.size())) return;
    selected_ = index;
    notify();
    if (onClick) onClick();
}

void FileList::clearSelection() {
    if (selected_ < 0) return;
    selected_ = -1;
    notify();
}

void ProgressBar::setProgress(int value, int maximum) {
    if (value == value_ && maximum == maximum_) return;
    value_ = value;
    maximum_ = maximum;
    notify();
}

void Surface::printLine(const std::string& line) {
    lines_.push_back(line);
    notify();
}

}  // namespace ui
