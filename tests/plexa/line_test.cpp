// Plexa against simulated controllers over real pseudo-terminals.
#include "line_fixture.h"

namespace {

using test::PlexaLineTest;
using namespace std::chrono_literals;

TEST_F(PlexaLineTest, ScanListsEveryPortAndPicksTheLowestFreeOne) {
    simulate(5);
    simulate(3);
    auto& f = start();
    const auto& lines = f.surface.lines();
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[0], "出错或占用Com号=  16");
    EXPECT_EQ(lines[11], "可用Com号=  5");
    EXPECT_EQ(lines[13], "可用Com号=  3");
    EXPECT_EQ(lines[15], "出错或占用Com号=  1");
    EXPECT_EQ(f.Combo3.text(), "3");
}

TEST_F(PlexaLineTest, TheHighestPortNumberWorks) {
    auto& sim = simulate(16);
    auto& f = start();
    EXPECT_EQ(f.Combo3.text(), "16");
    f.Text8[0].type("1");
    f.Text8[1].type("1");
    f.ProgramTable.set(0, 3, 77);
    transfer(f.Command3);
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
    EXPECT_EQ(sim.plexaBlock(1)[3], 77);
}

TEST_F(PlexaLineTest, DownloadAndUploadOfTheWholeProgramRoundTrip) {
    auto& sim = simulate(2);
    auto& f = start();
    for (int a = 0; a < 128000; ++a)
        f.ProgramTable.setByte(a, static_cast<std::uint8_t>(a * 7 + 3));
    for (int c = 0; c < 16; ++c) f.ProgramTable.set(9000, c, static_cast<std::uint8_t>(c + 1));
    const plexa::ProgramTable sent = f.ProgramTable;
    transfer(f.Command3);
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
    EXPECT_EQ(f.Label10.caption(), " 8000");
    EXPECT_EQ(sim.plexaBlock(0)[15], 16);
    EXPECT_EQ(sim.plexaBlock(8000), sent.block(8000));

    for (int a = 0; a < 128000; ++a) f.ProgramTable.setByte(a, 0);
    transfer(f.Command5);
    for (int a = 0; a < 128000; ++a) ASSERT_EQ(f.ProgramTable.byte(a), sent.byte(a)) << a;
    EXPECT_EQ(f.Text1[0].text(), "16");  // word 0 is 3 + 256 x 10, more than 16 groups
}

TEST_F(PlexaLineTest, SixFailuresGiveUpAndCoolDown) {
    auto& sim = simulate(1);
    auto& f = start();
    f.Text8[0].type("1");
    f.Text8[1].type("3");
    sim.setFault(ctrlsim::Fault::kNoReply);
    const auto started = std::chrono::steady_clock::now();
    f.Command5.click();
    runUntil([&] { return f.Timer5.enabled(); }, 10s);
    const auto gaveUp = std::chrono::steady_clock::now();
    EXPECT_GE(gaveUp - started, 6 * 500ms);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(f.Command5.enabled());
    runUntil([&] { return f.Command5.enabled(); }, 2s);
    EXPECT_GE(std::chrono::steady_clock::now() - gaveUp, 490ms);
    EXPECT_EQ(sim.requests().size(), 6u);
    EXPECT_EQ(f.Label13.caption(), "CommunicationDataError");
    EXPECT_EQ(f.Label10.caption(), " 1");
}

TEST_F(PlexaLineTest, GivenUpUploadDoesNotRefreshAndAnEmptyRangeSendsNothing) {
    auto& sim = simulate(1);
    ctrlsim::Block head{};
    head[0] = 12;
    sim.setPlexaBlock(1, head);
    auto& f = start();
    f.Text8[0].type("1");
    f.Text8[1].type("2");
    f.Command5.click();
    runUntil([&] { return f.Label10.caption() == " 1"; }, 5s);
    sim.setFault(ctrlsim::Fault::kRefuse);
    runUntil([&] { return !transferRunning(); }, 10s);
    EXPECT_EQ(f.ProgramTable.byte(0), 12);  // block 1 arrived
    EXPECT_EQ(f.Text1[0].text(), "4");      // but the fields were not refreshed
    EXPECT_EQ(f.Label10.caption(), " 2");

    f.Text8[0].type("5");
    f.Text8[1].type("4");
    const auto before = sim.requests().size();
    transfer(f.Command3);
    EXPECT_EQ(sim.requests().size(), before);
}

TEST_F(PlexaLineTest, AMissingPortIsNamedAndNothingChanges) {
    auto& f = start();
    f.Combo3.setText("4");
    f.ProgramTable.set(0, 2, 5);
    transfer(f.Command5);
    EXPECT_NE(f.Label13.caption().find("COM4"), std::string::npos) << f.Label13.caption();
    EXPECT_EQ(f.ProgramTable.at(0, 2), 5);
}

}  // namespace
