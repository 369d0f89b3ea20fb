// The editor's costs with the real window attached: start-up to the window
// shown, a LoadFile with its refresh, and one refresh, each including the
// widgets' updates; and what a transfer paints of each block.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>

#include "absent_port.h"
#include "base/image_file.h"
#include "plexa/form.h"
#include "plexa/program_file.h"
#include "plexa/view/main_window.h"
#include "temp_dir.h"
#include "view/progress_paint.h"

namespace {

const char* const kNames[] = {"p0", "p1"};

// Two programs that differ in every output of step 1, so that each load
// rewrites every field and every list item.
struct Programs {
    Programs() {
        for (int variant = 0; variant < 2; ++variant) {
            plexa::ProgramTable table;
            table.setWord(0, 16);
            table.setWord(plexa::stepBase(1, 16), 10000 + variant);
            for (int k = 0; k < 32; ++k) {
                table.setByte(plexa::stepBase(1, 16) + 2 + k, variant ? 0xFF : 0x00);
            }
            std::string error;
            base::saveImage((dir.path() / kNames[variant]).replace_extension(".qdf"),
                            plexa::fileImage(table), error);
        }
    }
    test::TempDir dir;
    ui::ManualClock clock;
    test::AbsentPort port;
};

void StartUpToWindowShown(benchmark::State& state) {
    Programs programs;
    for (auto _ : state) {
        view::ProgressPainter painter(programs.clock);
        plexa::Form1 form({programs.dir.path(), programs.clock, programs.port, {}});
        plexa::MainWindow window(form, painter);
        form.load();
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(StartUpToWindowShown)->Unit(benchmark::kMillisecond);

// The program's window, loaded and shown.
struct Shown {
    Shown()
        : painter(programs.clock),
          form({programs.dir.path(), programs.clock, programs.port, {}}),
          window(form, painter) {
        form.load();
        window.show();
        QApplication::processEvents();
    }
    Programs programs;
    view::ProgressPainter painter;
    plexa::Form1 form;
    plexa::MainWindow window;
};

void LoadFileWithRefresh(benchmark::State& state) {
    Shown shown;
    int variant = 0;
    for (auto _ : state) {
        shown.form.Text2.setText(kNames[variant++ % 2]);
        shown.form.Command1.click();
        QApplication::processEvents();
    }
}
BENCHMARK(LoadFileWithRefresh)->Unit(benchmark::kMillisecond);

// What a transfer shows of each block, painted as the program paints it
// while a request is on the line: the block number, the time and the bar.
void ProgressOfABlockPainted(benchmark::State& state) {
    Shown shown;
    plexa::Form1& form = shown.form;
    int block = 0;
    for (auto _ : state) {
        shown.programs.clock.advance(view::ProgressPainter::kFrameMs);
        form.Label10.setCaption(std::to_string(++block % 8001));
        form.Label9.setCaption(std::to_string(block * 27) + " ms");
        form.progress.setProgress(block % 8001, 8001);
        shown.painter.paint();
    }
}
BENCHMARK(ProgressOfABlockPainted)->Unit(benchmark::kMicrosecond);

}  // namespace
