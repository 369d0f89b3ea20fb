// Both windows as a user sees them, on the screen and at the scale ctest
// gives (1366 x 768 at scale 1, 1920 x 1080 at scale 2): no text cut off in
// any state.
#include <gtest/gtest.h>

#include "corvel/view/main_window.h"
#include "plexa/view/main_window.h"
#include "program_window.h"
#include "text_room.h"

namespace {

template <class Form, class Window>
class Layout : public test::ProgramWindow<Form, Window> {
  protected:
    Layout() : test::ProgramWindow<Form, Window>(true) {}
    // Notes the controls that cut their text in the state the steps lead
    // to, once the transfer's labels show it.
    void look(const std::string& state, std::initializer_list<std::string_view> steps = {}) {
        this->run(steps);
        settle();
        for (const QString& name : test::cutTexts(this->drawing))
            cut += state + ": " + name.toStdString() + "\n";
    }
    // Waits until the drawing keeps its size for two frames: on a busy
    // machine a layout may land later than the first frames.
    void settle() {
        QSize size;
        for (int frames = 0; frames < 50 && size != this->drawing->size(); ++frames) {
            size = this->drawing->size();
            QTest::qWait(2 * view::ProgressPainter::kFrameMs);
        }
    }

    std::string cut;
};

using PlexaLayout = Layout<plexa::Form1, plexa::MainWindow>;
using CorvelLayout = Layout<corvel::Form1, corvel::MainWindow>;

TEST_F(PlexaLayout, CutsNoTextInAnyState) {
    look("design texts");
    run({"tick", "Text1(0)=16", "Text5(0)=3763"});
    for (int k = 0; k < 34; ++k) form->ProgramTable.setByte(2 * 3763 * 17 + k, 0xFF);
    look("16 groups, jump, every word FFFF", {"Text5(1)=4", "tick"});
    run({"Label10= 8000", "Label9= 9999999 ms"});
    for (const std::string status :
         {"CommunicateUnsuccessfully", "CommunicationDataError", "端口不能收到数据",
          "No COM port Combo3: choose a port from 1 to 16"})
        look(status, {"Label13=" + status});
    const int width = drawing->sizeHint().width();
    run({"Label13=Cannot save /home/" + std::string(200, 'x') + ": Denied"});
    settle();
    EXPECT_EQ(drawing->sizeHint().width(), width) << "a long error wraps";
    look("20 columns, 1 twip high", {"Text6=20", "Text7=1"});
    EXPECT_EQ(cut, "");
}

TEST_F(CorvelLayout, CutsNoTextInAnyStateOrPanel) {
    look("design texts");
    look("additional panel", {"tick", "Command7!"});
    run({"Text5(0)=1", "Command7!"});
    for (int mode = 0; mode <= 8; ++mode) {  // 8: mode 6 with unequal fields
        form->Text1[0].type(std::to_string(mode == 8 ? 6 : mode));
        form->Text1[5].setText(mode == 8 ? "9" : "0");
        look("work mode " + std::to_string(mode), {"tick"});
    }
    look("bit panel just opened", {"Text1(0)=7", "tick", "Command8!", "Check2!"});
    run({"Options#5", "tick", "Check1!", "Label10= 242", "Label9= 9999999 ms"});
    for (const std::string status : {"the port can not receive the date",
                                     "Communication data error ", "the communication is normal"})
        look("control: " + status, {"Label13=" + status});
    EXPECT_EQ(cut, "");
}

}  // namespace
