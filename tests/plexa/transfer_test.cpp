// Download and upload driven by the window's timers.
#include "link_fixture.h"

namespace {

using test::PlexaLinkTest;

TEST_F(PlexaLinkTest, ProgressShowsTheBlockAndTheElapsedTime) {
    auto& f = startLinked(100);
    f.Text8[0].type("11");
    f.Text8[1].type("12");
    f.Command3.click();
    const std::int64_t started = clock.nowMs();
    f.timers.advance(clock, 1);
    EXPECT_EQ(f.Label10.caption(), " 11");
    EXPECT_EQ(f.Label9.caption(), " " + std::to_string(clock.nowMs() - started) + " ms");
    EXPECT_TRUE(f.Label9.caption().starts_with(" 10"));
    EXPECT_EQ(f.progress.value(), 1);  // block 11 went through
    EXPECT_EQ(f.progress.maximum(), 2);
    runTransfer();
    EXPECT_EQ(f.Label10.caption(), " 12");
    EXPECT_EQ(f.progress.value(), 2);
}

TEST_F(PlexaLinkTest, CoolDownLastsHalfASecond) {
    auto& f = startLinked();
    f.Text8[0].type("5");
    f.Text8[1].type("4");  // an empty range
    f.Command5.click();
    f.timers.advance(clock, 2);
    EXPECT_EQ(port.opens(), 1 + 16);  // the start-up scan opened every port once
    EXPECT_EQ(port.closes(), 1 + 16);
    EXPECT_TRUE(port.requests().empty());
    EXPECT_FALSE(f.Command3.enabled());
    f.timers.advance(clock, 497);
    EXPECT_FALSE(f.Command5.enabled());
    f.timers.advance(clock, 2);
    EXPECT_TRUE(f.Command5.enabled());
}

TEST_F(PlexaLinkTest, TheLastBlockIsReadAgainAtEveryStep) {
    auto& f = startLinked();
    f.Text8[0].type("1");
    f.Text8[1].type("100");
    f.Command3.click();
    f.timers.advance(clock, 1);  // block 1 goes
    f.Text8[1].type("2");
    runTransfer();
    EXPECT_EQ(f.Label10.caption(), " 2");
    EXPECT_EQ(port.requests().size(), 2u);
}

TEST_F(PlexaLinkTest, TriesCountAfreshForEveryBlock) {
    auto& f = startLinked();
    f.Text8[0].type("1");
    f.Text8[1].type("2");
    for (int i = 0; i < 5; ++i) port.queueReply(serial::Bytes{15, 15});
    port.queueReply(serial::Bytes{2, 5, 3});
    port.queueReply(serial::Bytes{15, 15});
    f.Command3.click();
    runTransfer();
    EXPECT_EQ(port.requests().size(), 8u);  // six for block 1, two for block 2
    EXPECT_EQ(f.Label10.caption(), " 2");
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
}

TEST_F(PlexaLinkTest, AShortUploadShowsWhatArrived) {
    auto& f = startLinked();
    ctrlsim::Block data{};
    data[0] = 12;  // block 1: step 0's word and outputs, x0 start at bytes 4 and 5
    data[4] = 9;
    controller.setPlexaBlock(1, data);
    f.Text8[0].type("1");
    f.Text8[1].type("1");
    f.Command5.click();
    runTransfer();
    EXPECT_EQ(f.Text1[2].text(), "9");
}

TEST_F(PlexaLinkTest, APortThatCannotBeOpenedChangesNothing) {
    auto& f = startLinked();
    port.setOpenResult(2, fake::FakePort::OpenResult::kFails);
    f.Combo3.setText("2x");
    f.Command3.click();
    EXPECT_EQ(port.openAttempts().back(), 2);
    EXPECT_EQ(f.Label13.caption(), port.errorString());
    EXPECT_NE(f.Label13.caption().find("COM2"), std::string::npos);
    f.timers.advance(clock, 600);
    EXPECT_TRUE(f.Command3.enabled());
    EXPECT_TRUE(port.requests().empty());

    f.Combo3.setText("Combo3");
    f.Command5.click();
    EXPECT_NE(f.Label13.caption().find("Combo3"), std::string::npos);
    EXPECT_EQ(port.openAttempts().back(), 2);
    f.timers.advance(clock, 600);
    EXPECT_TRUE(f.Command5.enabled());
}

TEST_F(PlexaLinkTest, APortLostDuringATransferEndsItByTheRetryRule) {
    auto& f = startLinked();
    f.Text8[0].type("1");
    f.Text8[1].type("50");
    f.Command3.click();
    f.timers.advance(clock, 10);
    port.unplugAt(clock.nowMs());
    runTransfer();
    EXPECT_EQ(f.Label13.caption(), "端口不能收到数据");
    EXPECT_TRUE(f.Command3.enabled());
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
