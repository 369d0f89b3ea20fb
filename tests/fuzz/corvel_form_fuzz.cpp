// Corvel's window under a user's random actions: typing into the grid and
// the Additional panel, choosing programs, both panels, the mode-7 bit list
// and its range, the option buttons, and time passing. After every action
// the fields show the table's values as stored; nothing but the selected
// program has changed (besides the show-wide Additional values while their
// panel is open, and the on-line row); and a typed value is stored within
// its field's range.
#include "absent_port.h"
#include "base/number.h"
#include "corvel/form.h"
#include "fuzz_input.h"
#include "temp_dir.h"

namespace {

using base::numberText;
using Cells = std::vector<std::uint8_t>;

const char* const kTexts[] = {"0",    "1",     "3",  "6",   "7",   "39",   "63",  "255", "256",
                              "9999", "10000", "-4", "2.5", "1e3", "&HFF", " 12", "",    "x"};

std::string text(fuzz::Input& in) {
    const std::uint8_t pick = in.byte();
    if (pick < std::size(kTexts)) return kTexts[pick];
    const std::vector<std::uint8_t> typed = in.bytes(pick % 6);
    return {typed.begin(), typed.end()};
}

struct Window {
    ui::ManualClock clock;
    test::AbsentPort port;
    corvel::Form1 form;

    explicit Window(const std::filesystem::path& dir) : form({dir, clock, port, {}}) {
        form.load();
        form.timers.advance(clock, 1000);  // edits count from here on
    }

    // One action a user may take.
    void act(fuzz::Input& in) {
        corvel::Form1& f = form;
        const bool bitPanel = f.Frame4.visible();
        const int action = in.byte() % 13;
        const bool editable = f.EditReady == 1;
        if (action == 0) {
            const int i = in.byte() % 18;
            const int high = i == 0 ? 7 : (i < 3 ? 9999 : 255);
            type(in, f.Text1[i], high, i == 3, editable && !(i == 17 && f.AdditionalOpen));
        }
        if (action == 1 && f.Frame3.visible())
            type(in, f.Text5[in.byte() % 9], 255, false, editable);
        if (action == 2) f.Combo1.pick(in.byte() % 4);
        if (action == 3) f.Combo2.pick(in.byte() % 30);
        if (action == 4) f.Command7.click();
        if (action == 5 && f.Command8.visible()) f.Command8.click();
        if (action == 6 && bitPanel) f.Text7.type(text(in));
        if (action == 7 && bitPanel) f.Text6.type(text(in));
        if (action == 8 && bitPanel) f.Check2.click();
        if (action == 9 && bitPanel) f.Command9.click();
        if (action == 10 && bitPanel) f.List2.click(in.byte() % 64);
        if (action == 11) f.Options.select(in.byte() % 6);
        if (action == 12) f.timers.advance(clock, 10 * in.byte());
    }

    // A changed text is stored as the number rule reads it, within the
    // field's range (WorkNumber 0 as 1), and shown as stored.
    static void type(fuzz::Input& in, ui::TextBox& box, int high, bool zeroIsOne, bool edits) {
        const std::string t = text(in);
        const bool changed = t != box.text();
        if (!box.type(t) || !changed || !edits) return;
        const int v = base::clampRound(base::numberValue(t), 0, high);
        fuzz::check(box.text() == numberText(zeroIsOne && v == 0 ? 1 : v),
                    "a typed value is stored in range");
    }

    void checkFields() const {
        const corvel::Form1& f = form;
        const auto at = [&](int c) { return f.ProgramTable.at(f.selectedRow(), c); };
        for (int i = 0; i < 18; ++i) {
            const int shown = i == 0 ? at(0) : i < 3 ? at(2 * i - 1) + 256 * at(2 * i) : at(i + 2);
            fuzz::check(f.Text1[static_cast<size_t>(i)].text() == numberText(shown),
                        "the fields show the program");
        }
    }

    // Checks what the action changed in the table, and gives the table now.
    Cells checkChanges(const Cells& before, bool additionalOpen) const {
        const Cells after = fuzz::cells(form.ProgramTable, 0, 125, 33);
        const auto selected = static_cast<size_t>(form.selectedRow());
        for (size_t i = 0; i < after.size(); ++i) {
            const size_t r = i / 33;
            const bool showWide = i % 33 == 19 && r < 9 && additionalOpen;
            fuzz::check(before[i] == after[i] || r == selected || r == 120 || showWide,
                        "only the selected program changes");
        }
        return after;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const test::TempDir temp;
    fuzz::Input in(data, size);
    Window window(temp.path() / "dovra");
    Cells table = fuzz::cells(window.form.ProgramTable, 0, 125, 33);
    for (int actions = 0; actions < 64 && !in.done(); ++actions) {
        const bool additionalOpen = window.form.AdditionalOpen;
        window.act(in);
        window.checkFields();
        table = window.checkChanges(table, additionalOpen);
    }
    return 0;
}
