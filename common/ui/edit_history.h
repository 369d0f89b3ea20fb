#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ui {

// The user's answer to the question asked before unsaved edits are lost.
enum class SaveAnswer { Save, Discard, Cancel };
using AskToSave = std::function<SaveAnswer(const std::string& fileName)>;

// A table's file and its edits: the name of the file last loaded or saved,
// whether the table differs from it, and the steps that undo and redo the
// table's changes. A step holds only the bytes it changed, with the place
// (a step or program number) where the change was made. Observers hear of
// every change of the name or of the modified state.
class EditHistory {
  public:
    static constexpr std::size_t kDepth = 100;  // steps kept for undoing

    // cells gives the table's bytes wherever they are at the time.
    explicit EditHistory(std::function<std::span<std::uint8_t>()> cells);

    const std::string& fileName() const { return fileName_; }
    bool modified() const { return state() != savedState_; }
    bool canUndo() const { return applied_ > 0; }
    bool canRedo() const { return applied_ < steps_.size(); }

    // The table as it stands is the file's, with nothing to undo.
    void start(const std::string& fileName);
    // What changed since the last step becomes a step made at place;
    // nothing changed makes none.
    void record(int place);
    // The table as it stands, a load's change recorded first, is the file's.
    void loaded(const std::string& fileName, int place);
    void saved(const std::string& fileName);

    // Puts the table back before the last step, or forward to the next one
    // undone; the place of that step, or nothing when there is none.
    std::optional<int> undo();
    std::optional<int> redo();

    void observe(std::function<void()> observer) { observers_.push_back(std::move(observer)); }

  private:
    // A run of changed bytes: cells [start, start + length), their bytes at
    // offset in before and after.
    struct Run {
        std::uint32_t start;
        std::uint32_t length;
    };
    struct Step {
        int place;
        std::uint64_t state;  // the table's state once the step is made
        std::vector<Run> runs;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    };

    std::uint64_t state() const { return applied_ > 0 ? steps_[applied_ - 1].state : baseState_; }
    Step changes(int place);
    void apply(const Step& step, bool forward);
    // Changes made outside any step are taken as they stand.
    void settle();
    void notify() const;

    std::function<std::span<std::uint8_t>()> cells_;
    // The cells as the last step left them; empty until the start, before
    // which there is nothing to undo.
    std::vector<std::uint8_t> shadow_;
    std::deque<Step> steps_;
    std::size_t applied_ = 0;
    std::uint64_t baseState_ = 0;
    std::uint64_t savedState_ = 0;
    std::uint64_t nextState_ = 1;
    std::string fileName_;
    std::vector<std::function<void()>> observers_;
};

// Whether unsaved edits may be let go: with none, or no one to ask, at once;
// else as the user answers, Save writing the history's file through save and
// going on only when that worked.
bool settleEdits(const EditHistory& history, const AskToSave& ask,
                 const std::function<bool(const std::string& fileName)>& save);

}  // namespace ui
