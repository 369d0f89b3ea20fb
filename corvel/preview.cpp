// The lamp preview: the demonstration sequencer over the work-mode
// generators.
#include "base/number.h"
#include "corvel/form.h"
#include "corvel/generators.h"
#include "corvel/show_timing.h"

namespace corvel {
namespace {

double value(const ui::TextBox& field) {
    return base::numberValue(field.text());
}

// WorkNumber as the step counter holds it.
std::int16_t lastStep(const ui::TextBox& field) {
    return static_cast<std::int16_t>(base::clampRound(value(field), -32768, 32767));
}

}  // namespace

void Form1::wirePreview() {
    Timer3.onTick = [this] { Timer3_Timer(); };
    Timer4.onTick = [this] { Timer4_Timer(); };
}

void Form1::leddis() {
    const int unitMs = timeUnitMs(ProgramTable.at(0, 19));
    Timer3.setInterval(periodMs(value(Text1[1]), unitMs));
    Timer4.setInterval(periodMs(value(Text1[2]), unitMs));
    const int option = Options.selected();
    const bool running = option == SingleDemo || option == Circulate;
    const double workNumber = value(Text1[3]);
    Timer3.setEnabled(running && workNumber > DemoStep);
    if (option == Stop) DemoStep = 0;
    if (DemoStep >= workNumber) {
        DemoStep = lastStep(Text1[3]);
        if (running) Timer4.setEnabled(true);
    } else {
        Timer4.setEnabled(false);
    }
    ProgramFields fields;
    for (size_t i = 0; i < Text1.size(); ++i) fields.value[i] = value(Text1[i]);
    LampStates = lampStates(fields, DemoStep);
    const std::array<std::string, 4> lines = lampLines(LampStates);
    for (size_t k = 0; k < 4; ++k) Label7[k].setCaption(lines[k]);
    FrameShown = true;
}

// At most one step between two refreshes, so that every step is drawn.
void Form1::Timer3_Timer() {
    if (DemoStep <= lastStep(Text1[3]) && FrameShown && DemoStep < 32767) {
        ++DemoStep;
        FrameShown = false;
    }
}

void Form1::Timer4_Timer() {
    DemoStep = 0;
    if (Options.selected() == SingleDemo) Options.select(Stop);
}

}  // namespace corvel
