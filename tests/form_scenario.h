// Either program's main window on a hand-driven clock in a fresh data
// directory, and a runner for scenarios written as steps on its controls.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "controller.h"
#include "corvel/form.h"
#include "fake_port.h"
#include "plexa/form.h"
#include "temp_dir.h"

namespace test {

// The controls a scenario names, by their names.
using ControlMap = std::map<std::string, ui::Control*>;

inline void add(ControlMap& m, ui::Control& control) {
    m[control.name()] = &control;
}
template <class T, std::size_t N>
void add(ControlMap& m, std::array<T, N>& array) {
    for (T& control : array) add(m, control);
}
template <class... C>
ControlMap controlsNamed(C&... controls) {
    ControlMap m;
    (add(m, controls), ...);
    return m;
}

inline ControlMap controlsOf(plexa::Form1& f) {
    return controlsNamed(f.Label1, f.Text1, f.Text5, f.Text8, f.Label2, f.Label3, f.Label9,
                         f.Label10, f.Label13, f.Label21, f.Command1, f.Command2, f.Command3,
                         f.Command4, f.Command5, f.Command6, f.Command7, f.Command8, f.Command11,
                         f.Text2, f.Text3, f.Text4, f.Text6, f.Text7, f.Text9, f.step, f.File1,
                         f.List1, f.Check1, f.Combo3, f.progress, f.StatusBar1);
}

inline ControlMap controlsOf(corvel::Form1& f) {
    ControlMap m = controlsNamed(
        f.Text1, f.Text5, f.Label7, f.Label8, f.Label9, f.Label10, f.Label13, f.Label24, f.Combo1,
        f.Combo2, f.Combo3, f.Command1, f.Command2, f.Command3, f.Command5, f.Command6, f.Command7,
        f.Command8, f.Command9, f.Text2, f.Text3, f.Text4, f.Text6, f.Text7, f.File1, f.Frame2,
        f.Frame3, f.Frame4, f.List1, f.List2, f.Check1, f.Check2, f.progress, f.StatusBar1);
    m["Options"] = &f.Options;
    return m;
}

// What a scenario compares: a field's text, a caption, a box's or an item's
// state as 1 or 0, the option selected, a bar's value/maximum.
inline std::string stateOf(const ui::Control& c, int item = -1) {
    const auto bit = [](bool on) { return std::string(on ? "1" : "0"); };
    if (auto* t = dynamic_cast<const ui::TextBox*>(&c)) return t->text();
    if (auto* l = dynamic_cast<const ui::Label*>(&c)) return l->caption();
    if (auto* b = dynamic_cast<const ui::ComboBox*>(&c)) return b->text();
    if (auto* k = dynamic_cast<const ui::CheckBox*>(&c)) return bit(k->checked());
    if (auto* l = dynamic_cast<const ui::ListBox*>(&c)) return bit(l->selected(item));
    if (auto* o = dynamic_cast<const ui::OptionGroup*>(&c)) return std::to_string(o->selected());
    if (auto* p = dynamic_cast<const ui::ProgressBar*>(&c))
        return std::to_string(p->value()) + "/" + std::to_string(p->maximum());
    ADD_FAILURE() << c.name() << " has no state to compare";
    return "?";
}

// One action on a control: "=text" types (a label shows it), "!" clicks,
// "#n" clicks item n.
inline void act(ui::Control& c, char how, const std::string& argument) {
    auto* text = dynamic_cast<ui::TextBox*>(&c);
    auto* label = dynamic_cast<ui::Label*>(&c);
    auto* combo = dynamic_cast<ui::ComboBox*>(&c);
    auto* button = dynamic_cast<ui::Button*>(&c);
    auto* check = dynamic_cast<ui::CheckBox*>(&c);
    auto* list = dynamic_cast<ui::ListBox*>(&c);
    auto* options = dynamic_cast<ui::OptionGroup*>(&c);
    auto* files = dynamic_cast<ui::FileList*>(&c);
    const int n = how == '#' ? std::stoi(argument) : 0;
    if (how == '=' && text)
        text->type(argument);
    else if (how == '=' && combo)
        combo->setText(argument);
    else if (how == '=' && label)
        label->setCaption(argument);
    else if (how == '!' && (button || check))
        button ? button->click() : check->click();
    else if (how == '#' && (list || combo || options || files))
        list      ? list->click(n)
        : combo   ? combo->pick(n)
        : options ? options->select(n)
                  : files->select(n);
    else
        ADD_FAILURE() << "no action " << how << " on " << c.name();
}

// The window of Form (plexa::Form1 or corvel::Form1). Its port is
// scripted; once linked, a simulated controller answers it.
template <class Form>
class FormTest : public ::testing::Test {
  protected:
    static constexpr bool kPlexa = std::is_same_v<Form, plexa::Form1>;

    FormTest() : dataDir(temp.path() / "dovra"), port(clock) {}

    // Builds and loads the window; the data directory may be prepared first.
    Form& start() {
        const auto progress = [this] {
            if (showProgress) showProgress();
        };
        if constexpr (kPlexa)
            form = std::make_unique<Form>(
                plexa::Environment{dataDir, clock, port, [this] { ++quits; }, progress});
        else
            form = std::make_unique<Form>(corvel::Environment{dataDir, clock, port, progress});
        form->load();
        controls = controlsOf(*form);
        return *form;
    }
    // Starts and waits for the first display tick, after which edits count.
    Form& startEditing() {
        start();
        tick();
        return *form;
    }
    Form& startLinked(std::int64_t replyDelayMs = 2) {
        port.setResponder(fake::controllerResponder(controller, replyDelayMs));
        return startEditing();
    }
    void tick(std::int64_t ms = 1000) { form->timers.advance(clock, ms); }

    // Runs the steps in order, one a string:
    //   "Text5(0)=25" types (a combo box takes the text, a label shows it
    //   as the program would), "Command8!" clicks, "List1#5" clicks item 5
    //   (picks entry 5, selects option 5, file 5);
    //   "tick" runs the timers a second, "tick 999" so many ms, "pass" the
    //   timers due now, as one pass of the event loop does, "transfer" until
    //   a transfer is over;
    //   "Text9?24" expects a text or caption, "Label13~Cannot" one that
    //   holds the words, "List1#5?1" an item on, "Frame4.visible?0" and
    //   ".enabled" a state, "at 33,6?255" a cell of the table, "word 2?77"
    //   and "byte 30?1" of Plexa's, "requests?2", "port?16" and "open?0"
    //   the port's, "file a.sav?3840" a file's size ("none").
    void run(std::initializer_list<std::string_view> steps) {
        for (const std::string_view step : steps) {
            SCOPED_TRACE(step);
            const std::string s(step);
            if (s == "pass") {
                form->timers.runDue();
            } else if (s == "transfer") {
                tick(10'000'000);  // until a transfer has cooled down
            } else if (s.starts_with("tick")) {
                tick(s.size() > 4 ? std::stoll(s.substr(5)) : 1000);
            } else if (const auto q = s.find_first_of("?~"); q != std::string::npos) {
                const std::string shown = state(s.substr(0, q)), wanted = s.substr(q + 1);
                const bool holds = shown.find(wanted) != std::string::npos;
                EXPECT_TRUE(s[q] == '?' ? shown == wanted : holds) << shown;
            } else {
                const auto at = s.find_first_of("=!#");
                if (at == std::string::npos)
                    ADD_FAILURE() << "no step " << s;
                else if (ui::Control* c = control(s.substr(0, at)))
                    act(*c, s[at], s.substr(at + 1));
            }
        }
    }
    ui::Control* control(const std::string& name) const {
        const auto found = controls.find(name);
        if (found == controls.end()) ADD_FAILURE() << "no control " << name;
        return found == controls.end() ? nullptr : found->second;
    }
    std::string state(const std::string& what) {
        if (what == "requests") return std::to_string(port.requests().size());
        if (what == "port") return std::to_string(port.portNumber());
        if (what == "open") return port.isOpen() ? "1" : "0";
        if (what.starts_with("file ")) {
            std::error_code error;
            const auto size = std::filesystem::file_size(dataDir / what.substr(5), error);
            return error ? "none" : std::to_string(size);
        }
        if (what.starts_with("at ")) {
            const auto comma = what.find(',');
            return std::to_string(form->ProgramTable.at(std::stoi(what.substr(3)),
                                                        std::stoi(what.substr(comma + 1))));
        }
        if constexpr (kPlexa) {
            const auto& table = form->ProgramTable;
            if (what.starts_with("word "))
                return std::to_string(table.word(std::stoi(what.substr(5))));
            if (what.starts_with("byte "))
                return std::to_string(table.byte(std::stoi(what.substr(5))));
        }
        const auto dot = what.find('.');
        const auto hash = what.find('#');
        const ui::Control* c = control(what.substr(0, std::min(dot, hash)));
        if (!c) return "?";
        if (dot != std::string::npos)
            return (what.ends_with(".enabled") ? c->enabled() : c->visible()) ? "1" : "0";
        return stateOf(*c, hash == std::string::npos ? -1 : std::stoi(what.substr(hash + 1)));
    }

    TempDir temp;
    std::filesystem::path dataDir;
    ui::ManualClock clock;
    ctrlsim::Controller controller;
    fake::FakePort port;
    std::unique_ptr<Form> form;
    ControlMap controls;
    int quits = 0;
    std::function<void()> showProgress;  // during every exchange, once the request is out
};

}  // namespace test
