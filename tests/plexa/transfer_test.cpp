// The start-up port scan, and download and upload driven by the window's timers.
#include "link_fixture.h"

namespace {

using test::PlexaFormTest;

TEST_F(PlexaFormTest, TheScanListsEveryPortThenTheDefaultRangeGoesAndAnEmptyOneOnlyOpens) {
    for (int com : {1, 2, 4, 16}) port.setOpenFails(com);
    auto& f = startLinked();
    const auto& lines = f.surface.lines();
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], "出错或占用Com号=  16");
    EXPECT_EQ(lines[1], "可用Com号=  15");
    EXPECT_EQ(lines[15], "出错或占用Com号=  1");
    EXPECT_EQ(f.Combo3.text(), "3");  // the lowest that opened

    f.Command3.click();  // the whole program from the parameter block on
    runTransfer();
    EXPECT_EQ(port.requests().size(), 8001u);
    EXPECT_EQ(f.Label10.caption(), " 8000");
    f.Text8[0].type("5");
    f.Text8[1].type("4");
    f.Command5.click();
    runTransfer();
    EXPECT_EQ(port.requests().size(), 8001u);
    EXPECT_EQ(port.closes(), 12 + 2);
    EXPECT_TRUE(f.Command5.enabled());
}

// The step and its re-arm wait for no time: each pass of the event loop
// after the first sends a block.
TEST_F(PlexaFormTest, BlocksGoAPassOfTheEventLoopApartShowingNumberTimeAndProgress) {
    auto& f = startLinked(100);
    f.Text8[0].type("11");
    f.Text8[1].type("100");
    f.Command3.click();
    f.timers.runDue();  // block 11 goes and is answered 100 ms later
    EXPECT_EQ(f.Label10.caption(), " 11");
    EXPECT_EQ(f.Label9.caption(), " 100 ms");
    EXPECT_EQ(f.progress.value(), 1);
    f.Text8[1].type("12");  // the last block is read again at every step
    f.timers.runDue();      // the re-arm, and block 12 at once
    EXPECT_EQ(port.requests().size(), 2u);
    EXPECT_EQ(f.Label10.caption(), " 12");
    EXPECT_EQ(f.Label9.caption(), " 200 ms");
    runTransfer();
    EXPECT_EQ(port.requests().size(), 2u);
    EXPECT_EQ(f.progress.value(), 2);
    EXPECT_EQ(f.progress.maximum(), 2);
}

// Tries count afresh for every block and for every transfer; three bytes
// other than the acknowledgement fail; six failures give up, and only a
// complete upload refreshes the fields.
TEST_F(PlexaFormTest, TriesCountAfreshAndSixFailuresGiveUp) {
    auto& f = startLinked();
    f.Text8[0].type("1");
    f.Text8[1].type("2");
    for (int i = 0; i < 4; ++i) port.queueReply(serial::Bytes{15, 15});
    port.queueReply(serial::Bytes{2, 6, 3});
    port.queueReply(serial::Bytes{2, 5, 3});
    port.queueReply(serial::Bytes{15, 15});
    f.Command3.click();
    runTransfer();
    EXPECT_EQ(port.requests().size(), 8u);  // six for block 1, two for block 2
    EXPECT_EQ(f.Label10.caption(), " 2");
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");

    ctrlsim::Block data{};
    data[0] = 12;  // block 1: the group count, and x0's start step at byte 4
    data[4] = 9;
    controller.setPlexaBlock(1, data);
    f.Command5.click();
    f.timers.runDue();  // block 1 arrives
    controller.setFault(ctrlsim::Fault::kNoReply, 6);
    runTransfer();
    EXPECT_EQ(port.requests().size(), 8u + 1 + 6);
    EXPECT_EQ(f.Label13.caption(), "CommunicationDataError");
    EXPECT_EQ(f.Label10.caption(), " 2");
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(word(4), 9);
    EXPECT_EQ(f.Text1[2].text(), "0");  // given up: not refreshed

    f.Text8[1].type("1");
    controller.setFault(ctrlsim::Fault::kNoReply, 1);  // a new transfer has all its tries
    f.Command5.click();
    runTransfer();
    EXPECT_EQ(f.Text1[0].text(), "12");
    EXPECT_EQ(f.Text1[2].text(), "9");
}

TEST_F(PlexaFormTest, APortThatCannotBeOpenedIsNamedAndChangesNothing) {
    auto& f = startLinked();
    port.setOpenFails(2);
    f.Combo3.setText("2x");
    f.Command5.click();
    EXPECT_EQ(port.portNumber(), 2);
    EXPECT_EQ(f.Label13.caption(), "COM2: no such port");  // the port's own reason
    f.timers.advance(clock, 499);
    EXPECT_FALSE(f.Command3.enabled());
    f.timers.advance(clock, 2);
    EXPECT_TRUE(f.Command3.enabled());
    EXPECT_TRUE(port.requests().empty());
    EXPECT_EQ(f.Label10.caption(), "CommunicationNumbers");

    f.Combo3.setText("17");
    f.Command3.click();
    EXPECT_EQ(f.Label13.caption(), "No COM port 17: choose a port from 1 to 16");
    runTransfer();
    f.Combo3.setText("16");  // the highest port there is
    f.Text8[0].type("7");
    f.Text8[1].type("7");
    f.Command3.click();
    runTransfer();
    EXPECT_EQ(port.portNumber(), 16);
    EXPECT_EQ(port.requests().size(), 1u);
}

}  // namespace
