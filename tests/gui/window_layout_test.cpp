// Both windows as a user sees them, on the screen and at the scale ctest
// gives (1366 x 768 at scale 1, 1920 x 1080 at scale 2): no text cut off in
// any state.
#include <gtest/gtest.h>

#include "corvel/view/main_window.h"
#include "form_scenario.h"
#include "plexa/view/main_window.h"
#include "text_room.h"
#include "view/progress_paint.h"
#include "window_probe.h"

namespace {

// As the program starts: the window made, then the file loaded.
template <class Form, class Window>
class Layout : public test::FormTest<Form>, public test::WindowProbe {
  protected:
    Layout() : painter(this->clock), window(this->start(), painter) {
        root = &window;
        drawing = qobject_cast<QScrollArea*>(window.centralWidget())->widget();
        window.show();
    }
    // Notes the controls that cut their text in the state named, once the
    // transfer's labels show it.
    void look(const std::string& state) {
        settle();
        for (const QString& name : test::cutTexts(drawing))
            cut += state + ": " + name.toStdString() + "\n";
    }
    // Waits until the drawing keeps its size for two frames: on a busy
    // machine a layout may land later than the first frames.
    void settle() {
        QSize size;
        for (int frames = 0; frames < 50 && size != drawing->size(); ++frames) {
            size = drawing->size();
            QTest::qWait(2 * view::ProgressPainter::kFrameMs);
        }
    }

    view::ProgressPainter painter;
    Window window;
    std::string cut;
};

using PlexaLayout = Layout<plexa::Form1, plexa::MainWindow>;
using CorvelLayout = Layout<corvel::Form1, corvel::MainWindow>;

TEST_F(PlexaLayout, CutsNoTextInAnyState) {
    look("design texts");
    tick();
    form->Text1[0].type("16");
    form->Text5[0].type("3763");
    for (int k = 0; k < 34; ++k) form->ProgramTable.setByte(2 * 3763 * 17 + k, 0xFF);
    form->Text5[1].type("4");
    tick();
    look("16 groups, jump, every word FFFF");
    form->Label10.setCaption(" 8000");
    form->Label9.setCaption(" 9999999 ms");
    for (const char* status :
         {"CommunicateUnsuccessfully", "CommunicationDataError", "端口不能收到数据",
          "No COM port Combo3: choose a port from 1 to 16"}) {
        form->Label13.setCaption(status);
        look(status);
    }
    const int width = drawing->width();
    form->Label13.setCaption("Cannot save /home/" + std::string(200, 'x') + ": Denied");
    settle();
    EXPECT_EQ(drawing->width(), width) << "a long error wraps";
    form->Text6.type("20");
    form->Text7.type("1");
    look("20 columns, 1 twip high");
    EXPECT_EQ(cut, "");
}

TEST_F(CorvelLayout, CutsNoTextInAnyStateOrPanel) {
    look("design texts");
    tick();
    form->Command7.click();
    look("additional panel");
    form->Text5[0].type("1");
    form->Command7.click();
    for (int mode = 0; mode <= 8; ++mode) {  // 8: mode 6 with unequal fields
        form->Text1[0].type(std::to_string(mode == 8 ? 6 : mode));
        form->Text1[5].setText(mode == 8 ? "9" : "0");
        tick();
        look("work mode " + std::to_string(mode));
    }
    form->Text1[0].type("7");
    tick();
    form->Command8.click();
    form->Check2.click();
    look("bit panel just opened");
    form->Options.select(corvel::Control);
    tick();
    form->Check1.click();
    form->Label10.setCaption(" 242");
    form->Label9.setCaption(" 9999999 ms");
    for (const char* status : {"the port can not receive the date", "Communication data error ",
                               "the communication is normal"}) {
        form->Label13.setCaption(status);
        look(std::string("control: ") + status);
    }
    EXPECT_EQ(cut, "");
}

}  // namespace
