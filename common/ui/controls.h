#pragma once

#include <filesystem>
#include <functional>
#include <list>
#include <string>
#include <vector>

namespace ui {

// Base of every window control: a name as the window knows it ("Text1(0)"),
// an enabled and a visible state, and observers that the view registers to
// hear of any change of state.
class Control {
  public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return name_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);

    // An observer may add others while it runs, e.g. a view that builds its
    // widgets when the control is first shown: they hear the next change.
    void observe(std::function<void()> observer) { observers_.push_back(std::move(observer)); }

  protected:
    void notify() const;

  private:
    std::string name_;
    bool enabled_ = true;
    bool visible_ = true;
    std::list<std::function<void()>> observers_;  // stays in place as it grows
};

class Label : public Control {
  public:
    Label(std::string name, std::string caption)
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

  private:
    std::string caption_;
};

class Button : public Control {
  public:
    Button(std::string name, std::string caption)
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    // A click by the user; a disabled button does nothing.
    void click();

    std::function<void()> onClick;

  private:
    std::string caption_;
};

// A text field. Setting another text raises the change event at once,
// nested in the caller; setting the text it already holds raises nothing.
class TextBox : public Control {
  public:
    TextBox(std::string name, std::string text, int maxLength = 0)
        : Control(std::move(name)), text_(std::move(text)), maxLength_(maxLength) {}
    const std::string& text() const { return text_; }
    int maxLength() const { return maxLength_; }
    void setText(const std::string& text);
    // The user's typing: a text longer than the maximum length is refused.
    // When the change raises the text to a greater value (a lower limit),
    // the field goes on showing what was typed until the editing ends, so
    // that the next keystroke adds to the user's own text.
    bool type(const std::string& text);
    // The user leaves the field or presses Enter: it shows its text.
    void finishEditing();
    // What the field shows: the text, or the typed one held back.
    const std::string& shownText() const { return held_ ? typed_ : text_; }

    std::function<void()> onChange;

  private:
    std::string text_;
    int maxLength_;
    bool typing_ = false;  // the change event of the user's typing is running
    bool held_ = false;
    std::string typed_;
};

class CheckBox : public Control {
  public:
    CheckBox(std::string name, std::string caption)
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    bool checked() const { return checked_; }
    // Raises the click event when the state changes.
    void setChecked(bool on);
    // A click by the user toggles the box.
    void click();

    std::function<void()> onClick;

  private:
    std::string caption_;
    bool checked_ = false;
};

// Option buttons of one frame: exactly one is selected.
class OptionGroup : public Control {
  public:
    OptionGroup(std::string name, std::vector<std::string> names, std::vector<std::string> captions,
                int selected = 0);
    const std::vector<std::string>& captions() const { return captions_; }
    int selected() const { return selected_; }
    // The option's own control name, e.g. "Option3".
    const std::string& optionName(int index) const { return names_.at(static_cast<size_t>(index)); }
    // Raises the click event with the index when the selection changes; a
    // disabled option cannot be selected.
    void select(int index);
    bool optionEnabled(int index) const { return enabled_.at(static_cast<size_t>(index)); }
    void setOptionEnabled(int index, bool on);

    std::function<void(int)> onClick;

  private:
    std::vector<std::string> names_;
    std::vector<std::string> captions_;
    std::vector<bool> enabled_;
    int selected_;
};

// A combo box: an editable text with a list of entries to pick from.
class ComboBox : public Control {
  public:
    ComboBox(std::string name, std::string text, std::vector<std::string> items)
        : Control(std::move(name)), text_(std::move(text)), items_(std::move(items)) {}
    const std::string& text() const { return text_; }
    const std::vector<std::string>& items() const { return items_; }
    void setText(const std::string& text);
    // The user picks entry index of the list.
    void pick(int index);

    std::function<void()> onChange;
    std::function<void()> onClick;

  private:
    std::string text_;
    std::vector<std::string> items_;
};

// A list whose items are each on (selected) or off. Every change of an
// item's state raises the click event, whoever made it. An item can be
// disabled: the user's clicks then leave it as it is.
class ListBox : public Control {
  public:
    ListBox(std::string name, std::vector<std::string> items);
    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    bool selected(int index) const { return selected_.at(static_cast<size_t>(index)); }
    void setSelected(int index, bool on);
    // The user clicks an item: its state flips, unless the item is disabled.
    void click(int index);
    bool itemEnabled(int index) const { return itemEnabled_.at(static_cast<size_t>(index)); }
    // Items first to last on or off, with one notice for them all.
    void setItemsEnabled(int first, int last, bool on);

    int columns() const { return columns_; }
    void setColumns(int columns);
    // Height in twips (15 twips to a pixel at 96 dpi); 0 keeps the design size.
    int heightTwips() const { return heightTwips_; }
    void setHeightTwips(int twips);

    std::function<void()> onClick;

  private:
    std::vector<std::string> items_;
    std::vector<bool> selected_;
    std::vector<bool> itemEnabled_;
    int columns_ = 1;
    int heightTwips_ = 0;
};

// The files of one directory whose names match a pattern such as "*.qdf",
// sorted by name; at most one is selected.
class FileList : public Control {
  public:
    FileList(std::string name, std::string pattern)
        : Control(std::move(name)), pattern_(std::move(pattern)) {}
    const std::filesystem::path& directory() const { return directory_; }
    const std::vector<std::string>& files() const { return files_; }
    int selectedIndex() const { return selected_; }
    std::string selectedFile() const;

    void setDirectory(const std::filesystem::path& dir);
    // Reads the directory again; the selection is kept when its file remains.
    void refresh();
    // The user clicks entry index.
    void select(int index);
    void clearSelection();

    std::function<void()> onClick;

  private:
    bool matches(const std::string& fileName) const;

    std::string pattern_;
    std::filesystem::path directory_;
    std::vector<std::string> files_;
    int selected_ = -1;
};

// How much of a long task is done: value out of maximum.
class ProgressBar : public Control {
  public:
    explicit ProgressBar(std::string name) : Control(std::move(name)) {}
    int value() const { return value_; }
    int maximum() const { return maximum_; }
    void setProgress(int value, int maximum);

  private:
    int value_ = 0;
    int maximum_ = 1;
};

class Frame : public Control {
  public:
    Frame(std::string name, std::string caption)
        : Control(std::move(name)), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }

  private:
    std::string caption_;
};

// Lines of text written directly onto the window surface.
class Surface : public Control {
  public:
    explicit Surface(std::string name) : Control(std::move(name)) {}
    const std::vector<std::string>& lines() const { return lines_; }
    void printLine(const std::string& line);

  private:
    std::vector<std::string> lines_;
};

}  // namespace ui
