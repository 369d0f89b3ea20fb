// Download and upload driven by the window's timers.
#include "link_fixture.h"

namespace {

using test::PlexaLinkTest;

void fillSteps(plexa::ProgramTable& table) {
    for (int a = 0; a < 128000; ++a) table.setByte(a, static_cast<std::uint8_t>(a * 13 + 1));
    for (int c = 0; c < 16; ++c) table.set(9000, c, static_cast<std::uint8_t>(200 + c));
}

TEST_F(PlexaLinkTest, DownloadAndUploadOfTheDefaultRangeRoundTripTheTable) {
    auto& f = startLinked();
    EXPECT_EQ(f.Combo3.text(), "1");
    fillSteps(f.ProgramTable);
    const plexa::ProgramTable sent = f.ProgramTable;
    f.Command3.click();
    EXPECT_FALSE(f.Command3.enabled());
    EXPECT_FALSE(f.Command5.enabled());
    runTransfer();
    EXPECT_EQ(controller.requests().size(), 8001u);
    EXPECT_EQ(controller.plexaBlock(0)[0], 200);
    EXPECT_EQ(f.Label10.caption(), " 8000");
    EXPECT_TRUE(f.Command3.enabled());
    EXPECT_FALSE(port.isOpen());

    for (int a = 0; a < 128000; ++a) f.ProgramTable.setByte(a, 0);
    for (int c = 0; c < 16; ++c) f.ProgramTable.set(9000, c, 0);
    f.Command5.click();
    runTransfer();
    for (int a = 0; a < 128000; ++a) ASSERT_EQ(f.ProgramTable.byte(a), sent.byte(a)) << a;
    for (int c = 0; c < 16; ++c) EXPECT_EQ(f.ProgramTable.at(9000, c), 200 + c);
    // The completed upload refreshed the fields from the uploaded program.
    EXPECT_EQ(f.Text1[0].text(), std::to_string(plexa::outputGroups(sent)));
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
}

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
    runTransfer();
    EXPECT_EQ(f.Label10.caption(), " 12");
}

TEST_F(PlexaLinkTest, FiveFailuresThenSuccessGoesOn) {
    auto& f = startLinked();
    f.Text8[0].type("1");
    f.Text8[1].type("3");
    controller.setFault(ctrlsim::Fault::kNoReply, 5);
    f.Command3.click();
    runTransfer();
    EXPECT_EQ(port.requests().size(), 5u + 3u);
    EXPECT_EQ(f.Label10.caption(), " 3");
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
}

TEST_F(PlexaLinkTest, SixFailuresGiveUpAndTheButtonsComeBackAfterTheCoolDown) {
    auto& f = startLinked();
    f.Text8[0].type("4");
    f.Text8[1].type("9");
    f.Command3.click();
    f.timers.advance(clock, 1);  // block 4 goes
    controller.setFault(ctrlsim::Fault::kNoReply);
    f.timers.advance(clock, 60'000);
    EXPECT_EQ(port.requests().size(), 1u + 6u);
    EXPECT_EQ(f.Label10.caption(), " 5");
    EXPECT_EQ(f.Label13.caption(), "端口不能收到数据");
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(f.Command3.enabled());
    EXPECT_FALSE(f.Timer5.enabled());
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

TEST_F(PlexaLinkTest, GivenUpUploadKeepsWhatArrivedButDoesNotRefresh) {
    auto& f = startLinked();
    ctrlsim::Block groups{};
    groups[0] = 16;
    controller.setPlexaBlock(1, groups);
    f.Text8[0].type("1");
    f.Text8[1].type("2");
    f.Command5.click();
    f.timers.advance(clock, 1);  // block 1 arrives
    controller.setFault(ctrlsim::Fault::kNoReply);
    runTransfer();
    EXPECT_EQ(f.ProgramTable.byte(0), 16);
    EXPECT_EQ(f.Text1[0].text(), "4");
    EXPECT_EQ(f.Label10.caption(), " 2");
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
