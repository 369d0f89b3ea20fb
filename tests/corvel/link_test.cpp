// Corvel's exchanges, transfers and on-line work over the scripted port,
// answered by the simulated controller 26 ms after each request.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "form_scenario.h"

namespace {

using serial::Bytes;

class CorvelLinkTest : public test::FormTest<corvel::Form1> {
  protected:
    CorvelLinkTest() {
        showProgress = [this] { ++progress; };
        startLinked(26);
    }
    int progress = 0;
};

// The status line is emptied while the reply is awaited. That a failed read
// stores nothing is the exchange fuzz target's rule.
TEST_F(CorvelLinkTest, FailedExchangesSayWhy) {
    std::vector<std::string> captions;
    form->Label13.observe([&] { captions.push_back(form->Label13.caption()); });
    port.open();
    controller.setFault(ctrlsim::Fault::kBadChecksum, 1);
    EXPECT_FALSE(form->read_v(1));
    EXPECT_EQ(captions, (std::vector<std::string>{"", "Communication data error "}));
    port.queueReply(Bytes{2, 6, 3});
    EXPECT_FALSE(form->write_v(1));
    run({"Label13?Communication data error "});
}

// A download gives the buttons back at once, and its status line no older
// file message; an upload closes the bit panel, so that a click on it
// writes nothing into the show uploaded, and the window ticks meanwhile.
TEST_F(CorvelLinkTest, DownloadAndUploadRoundTripTheShow) {
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c)
            form->ProgramTable.set(r, c, static_cast<std::uint8_t>((7 * r + c) % 40));
    run({"Text2=a/b", "Command2!", "Command3!", "Command3.enabled?1", "Text2=good", "Command2!",
         "Label13?the communication is normal", "requests?240"});
    EXPECT_EQ(progress, 240);
    form->ProgramTable = corvel::ProgramTable{};
    run({"Command8!", "Command5!", "Frame4.visible?0", "List2#0"});
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c) ASSERT_EQ(form->ProgramTable.at(r, c), (7 * r + c) % 40) << r;
    run({"Text1(4)?6"});
}

// UpLoad and every option but Pause and Stop close the bit panel; the
// upload keeps work mode 7.
TEST_F(CorvelLinkTest, UpLoadAndEveryOptionButPauseAndStopCloseTheBitPanel) {
    form->Text1[0].type("7");
    controller.setCorvelBlock(1, ctrlsim::Block{7});
    const std::pair<const char*, bool> cases[] = {
        {"Command5!", true}, {"Options#2", false}, {"Options#3", false}, {"Options#0", true}};
    for (const auto& [action, closes] : cases) {
        SCOPED_TRACE(action);
        tick();  // the header shows the panel's button
        if (!form->Mode7Open) form->Command8.click();
        run({"Frame4.visible?1", action, "tick", closes ? "Frame4.visible?0" : "Frame4.visible?1"});
    }
}

// Five tries unanswered and the sixth goes on; six give up, the bar's range
// set before any block goes.
TEST_F(CorvelLinkTest, SixthFailureGivesUpAndASixthTrySuccessGoesOn) {
    for (int i = 0; i < 5; ++i) port.queueReply(Bytes{});
    run({"Command3!", "requests?245"});
    port.queueReply(Bytes{15, 15});
    for (int i = 0; i < 4; ++i) port.queueReply(Bytes{});
    port.queueReply(Bytes{15, 15});
    run({"Command3!",
         "StatusBar1?Download stopped at block 1: 0 of 240 blocks sent in 2.0 s; refused 2 times, "
         "no reply 4 times",
         "progress?0/240", "Label10? 1", "Label13?the port can not receive the date",
         "requests?251", "open?0"});
}

// Output 127 is the last lamp of line 1; a cycle that gave up shows nothing.
TEST_F(CorvelLinkTest, MonitorShowsTheControllersOutputs) {
    controller.setCorvelBlock(241,
                              ctrlsim::Block{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 128});
    for (int i = 0; i < 6; ++i) port.queueReply(Bytes{});
    // A cycle that gave up shows nothing and greys the lines until a valid
    // reading.
    run({"Options#4", "tick 100", "Label7(0)?", "Label7(3).enabled?0", "tick 100",
         "Label7(0)?I" + std::string(63, '.'), "Label7(1)?" + std::string(63, '.') + "I",
         "Label7(3).enabled?1", "Command3.enabled?0"});
}

// Nothing is sent before Control is chosen; a range goes in one send.
TEST_F(CorvelLinkTest, ControlSendsTheListAsRow120) {
    run({"List1#0", "List1#255", "requests?0", "Options#5"});
    EXPECT_EQ(controller.corvelBlock(241)[0], 1);
    EXPECT_EQ(controller.corvelBlock(242)[15], 128);
    run({"Text3=10", "Text4=5", "Check1!", "Command6!", "requests?4"});
    EXPECT_EQ(controller.corvelBlock(241)[0], 1 + 32 + 64 + 128);
    EXPECT_EQ(controller.corvelBlock(241)[1], 1 + 2 + 4);
    run({"tick 100", "Frame2.visible?1"});
}

}  // namespace
