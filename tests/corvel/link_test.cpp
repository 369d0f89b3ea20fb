// Corvel's block frames, exchanges, transfers and on-line work over the
// scripted port, answered by the simulated controller.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controller.h"
#include "corvel/form.h"
#include "fake_port.h"
#include "temp_dir.h"

namespace {

using serial::Bytes;

class CorvelLinkTest : public ::testing::Test {
  protected:
    CorvelLinkTest() : port(clock) {
        form = std::make_unique<corvel::Form1>(
            corvel::Environment{temp.path() / "dovra", clock, port, [this] { ++progress; }});
        form->load();
        tick(1000);  // the first header tick
        port.setResponder(fake::controllerResponder(controller, 26));
    }
    void tick(std::int64_t ms) { form->timers.advance(clock, ms); }

    test::TempDir temp;
    ui::ManualClock clock;
    fake::FakePort port;
    ctrlsim::Controller controller;
    std::unique_ptr<corvel::Form1> form;
    int progress = 0;
};

// That a failed read stores nothing is the exchange fuzz target's rule.
TEST_F(CorvelLinkTest, FailedExchangesSayWhy) {
    std::vector<std::string> captions;  // emptied while the reply is awaited
    form->Label13.observe([&] { captions.push_back(form->Label13.caption()); });
    port.setResponder([&](const Bytes& request) {
        return fake::FakePort::Reply{{5, controller.answer(request)}};
    });
    port.open();
    controller.setFault(ctrlsim::Fault::kBadChecksum, 1);
    EXPECT_FALSE(form->read_v(1));
    EXPECT_EQ(captions, (std::vector<std::string>{"", "Communication data error "}));
    EXPECT_EQ(form->Label13.caption(), "Communication data error ");
    port.queueReply(Bytes{2, 6, 3});
    EXPECT_FALSE(form->write_v(1));
    EXPECT_EQ(form->Label13.caption(), "Communication data error ");
}

TEST_F(CorvelLinkTest, DownloadAndUploadRoundTripTheShow) {
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c)
            form->ProgramTable.set(r, c, static_cast<std::uint8_t>((7 * r + c) % 40));
    form->Text2.type("a/b");
    form->Command2.click();  // refused
    form->Command3.click();
    EXPECT_EQ(port.requests().size(), 240u);
    EXPECT_TRUE(form->Command3.enabled());  // a download gives the buttons back at once
    EXPECT_EQ(progress, 240);
    form->Text2.type("good");
    form->Command2.click();
    EXPECT_EQ(form->Label13.caption(), "the communication is normal");  // not the older caption

    form->ProgramTable = corvel::ProgramTable{};
    form->Command8.click();  // the bit panel, open on the cleared row
    form->Command5.click();
    EXPECT_FALSE(form->Frame4.visible());
    form->List2.click(0);  // writes nothing into the show uploaded
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c) ASSERT_EQ(form->ProgramTable.at(r, c), (7 * r + c) % 40) << r;
    EXPECT_EQ(form->Text1[4].text(), "6");

    tick(499);  // the window ticks meanwhile
    EXPECT_FALSE(form->Command3.enabled());
    EXPECT_FALSE(form->Command5.enabled());
    EXPECT_FALSE(form->Options.optionEnabled(corvel::Monitor));
    tick(1);
    EXPECT_TRUE(form->Command3.enabled());
    EXPECT_TRUE(form->Options.optionEnabled(corvel::Monitor));
}

TEST_F(CorvelLinkTest, UpLoadAndEveryOptionButPauseAndStopCloseTheBitPanel) {
    form->Text1[0].type("7");
    controller.setCorvelBlock(1, ctrlsim::Block{7});  // the upload keeps work mode 7
    const auto choose = [this](corvel::Option option) {
        return [this, option] { form->Options.select(option); };
    };
    const struct {
        const char* action;
        std::function<void()> act;
        bool closes;
    } cases[] = {
        {"UpLoad", [this] { form->Command5.click(); }, true},
        {"Pause", choose(corvel::Pause), false},
        {"Stop", choose(corvel::Stop), false},
        {"SingleDemo", choose(corvel::SingleDemo), true},
        {"Circulate", choose(corvel::Circulate), true},
        {"Monitor", choose(corvel::Monitor), true},
        {"Control", choose(corvel::Control), true},
    };
    for (const auto& c : cases) {
        tick(1000);  // the header shows the panel's button
        if (!form->Mode7Open) form->Command8.click();
        ASSERT_TRUE(form->Frame4.visible()) << c.action;
        c.act();
        EXPECT_EQ(form->Mode7Open, !c.closes) << c.action;
        tick(1000);
        EXPECT_EQ(form->Frame4.visible(), !c.closes) << c.action;
    }
}

TEST_F(CorvelLinkTest, SixthFailureGivesUpAndASixthTrySuccessGoesOn) {
    for (int i = 0; i < 5; ++i) port.queueReply(Bytes{});  // five tries unanswered
    form->Command3.click();
    EXPECT_EQ(port.requests().size(), 245u);

    const size_t before = port.requests().size();
    port.queueReply(Bytes{15, 15});
    for (int i = 0; i < 4; ++i) port.queueReply(Bytes{});
    port.queueReply(Bytes{15, 15});
    form->Command3.click();
    EXPECT_EQ(form->StatusBar1.caption(),
              "Download stopped at block 1: 0 of 240 blocks sent in 2.0 s; refused 2 times, no "
              "reply 4 times");
    EXPECT_EQ(port.requests().size() - before, 6u);
    EXPECT_EQ(form->progress.value(), 0);
    EXPECT_EQ(form->progress.maximum(), 240);  // set before any block goes
    EXPECT_EQ(form->Label10.caption(), " 1");
    EXPECT_EQ(form->Label13.caption(), "the port can not receive the date");
    EXPECT_FALSE(port.isOpen());
}

TEST_F(CorvelLinkTest, MonitorShowsTheControllersOutputs) {
    ctrlsim::Block outputs{};
    outputs[0] = 1;
    outputs[15] = 128;  // output 127: the last lamp of line 1
    controller.setCorvelBlock(241, outputs);
    for (int i = 0; i < 6; ++i) port.queueReply(Bytes{});
    form->Options.select(corvel::Monitor);
    tick(100);
    EXPECT_EQ(form->Label7[0].caption(), "");  // a cycle that gave up shows nothing
    EXPECT_FALSE(form->Label7[3].enabled());   // greyed until a valid reading
    tick(100);
    EXPECT_EQ(form->Label7[0].caption(), "I" + std::string(63, '.'));
    EXPECT_EQ(form->Label7[1].caption(), std::string(63, '.') + "I");
    EXPECT_TRUE(form->Label7[3].enabled());
    EXPECT_FALSE(form->Command3.enabled());
    // Control's lines show no outputs of the moment; the preview's and
    // Monitor's are live from their first picture.
    for (const auto& [option, live] :
         {std::pair{corvel::Control, false}, {corvel::Stop, true}, {corvel::Monitor, true}}) {
        form->Options.select(option);
        tick(100);
        EXPECT_EQ(form->Label7[0].enabled(), live) << option;
    }
}

TEST_F(CorvelLinkTest, ControlSendsTheListAsRow120) {
    form->List1.click(0);
    form->List1.click(255);
    EXPECT_TRUE(port.requests().empty());  // Control was never chosen
    form->Options.select(corvel::Control);
    EXPECT_EQ(controller.corvelBlock(241)[0], 1);
    EXPECT_EQ(controller.corvelBlock(242)[15], 128);

    form->Text3.type("999");
    EXPECT_EQ(form->Text3.text(), "255");
    form->Text3.setText("10");
    form->Text4.setText("5");
    form->Check1.click();
    form->Command6.click();
    EXPECT_EQ(port.requests().size(), 4u);  // one send for the whole range
    EXPECT_EQ(controller.corvelBlock(241)[0], 1 + 32 + 64 + 128);
    EXPECT_EQ(controller.corvelBlock(241)[1], 1 + 2 + 4);
    tick(100);
    EXPECT_TRUE(form->Frame2.visible());
}

}  // namespace
