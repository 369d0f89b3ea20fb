// Block frames, the blocks' places in the table, the judging of one
// exchange, the start-up port scan, and download and upload driven by the
// window's timers.
#include "plexa/blocks.h"

#include "form_scenario.h"
#include "serial/block_frames.h"

namespace {

using PlexaFormTest = test::FormTest<plexa::Form1>;

// A negative number carries its own truncated address bytes; the frames of
// other blocks are checked by the simulated controller. Which read replies
// are valid is the rule of both fuzz targets of the line.
TEST(PlexaFrames, ANegativeBlockCarriesItsTruncatedAddress) {
    EXPECT_EQ(plexa::readRequest(-1), (serial::Bytes{2, 17, 0, 255, 16, 1, 3}));
}

// Block 0 and below are the parameter block at row 9000; the others fill
// the rows by halves.
TEST(PlexaFrames, BlocksMapOntoHalfRowsAndTheParameterBlock) {
    const struct {
        int block, row, column;
    } places[] = {{-5, 9000, 0}, {0, 9000, 0}, {1, 0, 0}, {2, 0, 16}, {8000, 3999, 16}};
    std::array<std::uint8_t, 16> data{};
    data[15] = 7;
    for (const auto& p : places) {
        plexa::ProgramTable table;
        table.setBlock(p.block, data);
        EXPECT_EQ(table.at(p.row, p.column + 15), 7) << p.block;
    }
}

// A write sends the block's own bytes. The status line tells which failure
// it was. When an exchange succeeds, what a read stores and the success
// caption are the exchange fuzz target's rules.
TEST_F(PlexaFormTest, WriteAndReadJudgeTheReply) {
    using ctrlsim::Fault;
    auto& f = startLinked();
    port.open();
    f.ProgramTable.set(0, 16, 77);
    EXPECT_TRUE(f.write_v(2));
    EXPECT_EQ(controller.plexaBlock(2)[0], 77);
    const struct {
        Fault fault;
        bool read;
        const char* says;
    } cases[] = {{Fault::kRefuse, false, "端口不能收到数据"},
                 {Fault::kNoReply, true, "CommunicationDataError"},
                 {Fault::kBadChecksum, true, "CommunicateUnsuccessfully"}};
    for (const auto& c : cases) {
        controller.setFault(c.fault, 1);
        EXPECT_FALSE(c.read ? f.read_v(2) : f.write_v(2));
        run({"Label13?" + std::string(c.says)});
    }
    port.queueReply(serial::Bytes{2, 6, 3});
    EXPECT_FALSE(f.write_v(2));
    run({"Label13?CommunicateUnsuccessfully"});
}

// The scan lists every port, the lowest that opened chosen; the default
// range goes from the parameter block on, an empty one only opens the port.
TEST_F(PlexaFormTest, TheScanListsEveryPortThenTheDefaultRangeGoesAndAnEmptyOneOnlyOpens) {
    for (int com : {1, 2, 4, 16}) port.setOpenFails(com);
    const auto& lines = startLinked().surface.lines();
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[15], "出错或占用Com号=  1");
    run({"Combo3?3", "Command3!", "transfer", "requests?8001", "Label10? 8000", "Text8(0)=5",
         "Text8(1)=4", "Command5!", "transfer", "requests?8001", "Command5.enabled?1"});
}

// The step and its re-arm wait for no time: each pass of the event loop
// after the first sends a block.
TEST_F(PlexaFormTest, BlocksGoAPassOfTheEventLoopApartShowingNumberTimeAndProgress) {
    startLinked(100);
    // Block 11 goes and is answered 100 ms later; the last block is read
    // again at every step; the re-arm and block 12 go in the next pass.
    run({"Text8(0)=11", "Text8(1)=100", "Command3!", "pass", "Label10? 11", "Label9? 100 ms",
         "progress?1/90", "Text8(1)=12", "pass", "Label10? 12", "Label9? 200 ms", "requests?2",
         "transfer", "requests?2", "progress?2/2"});
}

// Tries count afresh for every block and for every transfer; three bytes
// other than the acknowledgement fail; six failures give up, and only a
// complete upload refreshes the fields.
TEST_F(PlexaFormTest, TriesCountAfreshAndSixFailuresGiveUp) {
    startLinked();
    for (int i = 0; i < 4; ++i) port.queueReply(serial::Bytes{15, 15});
    port.queueReply(serial::Bytes{2, 6, 3});
    port.queueReply(serial::Bytes{2, 5, 3});
    port.queueReply(serial::Bytes{15, 15});
    run({"Text8(0)=1", "Text8(1)=2", "Command3!", "transfer", "requests?8", "Label10? 2",
         "Label13?CommunicateSuccessfully"});  // six tries, then two

    // Block 1: the group count, and x0's start step at byte 4.
    controller.setPlexaBlock(1, ctrlsim::Block{12, 0, 0, 0, 9});
    run({"Command5!", "pass"});  // block 1 arrives
    controller.setFault(ctrlsim::Fault::kNoReply, 6);
    run({"transfer", "open?0", "requests?15", "Label13?CommunicationDataError", "Label10? 2",
         "word 4?9", "Text1(2)?0", "Text8(1)=1"});
    controller.setFault(ctrlsim::Fault::kNoReply, 1);  // a new transfer has all its tries
    run({"Command5!", "transfer", "Text1(0)?12", "Text1(2)?9"});
}

// The port's own reason is shown; COM16 is the highest port there is.
TEST_F(PlexaFormTest, APortThatCannotBeOpenedIsNamedAndChangesNothing) {
    startLinked();
    port.setOpenFails(2);
    run({"Combo3=2x", "Command5!", "port?2", "Label13?COM2: no such port", "tick",
         "Command3.enabled?1", "Label10?CommunicationNumbers", "requests?0"});
    run({"Combo3=17", "Command3!", "Label13?No COM port 17: choose a port from 1 to 16", "transfer",
         "Combo3=16", "Text8(0)=7", "Text8(1)=7", "Command3!", "transfer", "port?16",
         "requests?1"});
}

}  // namespace
