// LoadFile, SaveFile and the file list through the window.
#include <fstream>

#include "link_fixture.h"

namespace {

using test::PlexaFormTest;

// A new file loads as zeros; an empty name saves ".qdf". A short file's
// zeros past its end are the program file fuzz target's rule.
TEST_F(PlexaFormTest, SaveWritesRows0To9100OverTheFileAndLoadBringsThemBack) {
    std::filesystem::create_directories(dataDir);
    std::ofstream(dataDir / "show.qdf", std::ios::binary) << std::string(300000, 'x');
    auto& f = startEditing();
    f.Text5[0].type("17");
    const auto pattern = [](int a) { return static_cast<std::uint8_t>(a * 7 + a / 256); };
    for (int a = 0; a < 291232; ++a) f.ProgramTable.setByte(a, pattern(a));
    f.Text2.type("show");
    f.Command2.click();
    EXPECT_EQ(std::filesystem::file_size(dataDir / "show.qdf"), 300000u);  // the tail is kept

    for (int a = 0; a < 291232; ++a) f.ProgramTable.setByte(a, 0);
    f.ProgramTable.set(9101, 0, 42);
    f.ProgramTable.set(5, 32, 9);
    f.Command1.click();
    for (int a = 0; a < 291232; ++a) ASSERT_EQ(f.ProgramTable.byte(a), pattern(a)) << a;
    EXPECT_EQ(f.ProgramTable.at(9101, 0), 42);  // unstored rows and column 32 are left alone
    EXPECT_EQ(f.ProgramTable.at(5, 32), 9);
    EXPECT_EQ(f.Text1[1].text(), "5390");  // refreshed: bytes 14 and 21
    EXPECT_EQ(f.Text5[0].text(), "17");    // the current step is kept by a load

    f.Text2.type("fresh");
    f.Command1.click();
    EXPECT_EQ(word(2), 0);
    EXPECT_EQ(std::filesystem::file_size(dataDir / "fresh.qdf"), 0u);
    f.Text2.type("");
    f.Command2.click();
    EXPECT_EQ(std::filesystem::file_size(dataDir / ".qdf"), 291232u);
}

TEST_F(PlexaFormTest, FailedFileCommandsSayWhyAndLoseNothing) {
#ifdef _WIN32
    const std::string listed = "a.b.qdf";  // no Windows file bears a ":"
#else
    const std::string listed = "c:a.b.qdf";  // here ":" is no drive
#endif
    std::filesystem::create_directories(dataDir / "blocked.qdf");
    std::ofstream(dataDir / listed, std::ios::binary) << std::string("\x04\x00\x06", 3);
    auto& f = startLinked();
    f.Text1[1].type("5");
    f.Text2.type("../escape");
    f.Command2.click();
    EXPECT_NE(f.Label13.caption().find("would leave the folder"), std::string::npos);
    f.Command1.click();
    EXPECT_EQ(word(2), 5);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "escape.qdf"));
    f.File1.refresh();
    EXPECT_EQ(f.File1.files(), (std::vector<std::string>{listed, "mernal.qdf"}));

    f.Text2.type("blocked");
    f.Command2.click();
    const std::string saving = "Cannot save " + (dataDir / "blocked.qdf").string() + ": ";
    EXPECT_TRUE(f.Label13.caption().starts_with(saving)) << f.Label13.caption();
    EXPECT_GT(f.Label13.caption().size(), saving.size());  // and the reason
    f.Command1.click();
    EXPECT_NE(f.Label13.caption().find("Cannot load"), std::string::npos);
    f.File1.select(0);
    EXPECT_EQ(f.Text2.text(), listed.substr(0, listed.find('.')));  // up to the first dot
    f.Command1.click();  // the listed file, not the one the box names
    EXPECT_EQ(f.Text1[1].text(), "6");
    f.Text2.type("ok");  // typing leaves the list
    EXPECT_EQ(f.File1.selectedIndex(), -1);
    f.Command2.click();
    EXPECT_TRUE(std::filesystem::exists(dataDir / "ok.qdf"));
    EXPECT_EQ(f.Label13.caption(), "CommunicationPortState");  // the status line is given back

    f.Text2.type("a/b");  // a file message never brings back an older caption
    f.Command2.click();
    f.Text8[1].type("2");
    f.Command3.click();
    runTransfer();
    f.Text2.type("good");
    f.Command2.click();
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
}

TEST_F(PlexaFormTest, AFolderThatCannotBeCreatedIsReportedAndTheWindowWorks) {
    std::ofstream(temp.path() / "dovra");  // a file where the folder should be
    auto& f = startEditing();
    EXPECT_NE(f.Label13.caption().find("Cannot create the folder"), std::string::npos);
    f.Text1[1].type("3");
    EXPECT_EQ(word(2), 3);
}

}  // namespace
