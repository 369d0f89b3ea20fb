// LoadFile, SaveFile and the file list through the window.
#include <fstream>

#include "link_fixture.h"

namespace {

using test::PlexaFormTest;

// Unstored rows and column 32 are left alone by a load, the current step is
// kept and the fields refreshed (bytes 14 and 21). A save keeps the tail of
// a longer file; a new file loads as zeros; an empty name saves ".qdf". A
// short file's zeros past its end are the program file fuzz target's rule.
TEST_F(PlexaFormTest, SaveWritesRows0To9100OverTheFileAndLoadBringsThemBack) {
    std::filesystem::create_directories(dataDir);
    std::ofstream(dataDir / "show.qdf", std::ios::binary) << std::string(300000, 'x');
    auto& f = startEditing();
    const auto pattern = [](int a) { return static_cast<std::uint8_t>(a * 7 + a / 256); };
    for (int a = 0; a < 291232; ++a) f.ProgramTable.setByte(a, pattern(a));
    run({"Text5(0)=17", "Text2=show", "Command2!", "file show.qdf?300000"});
    f.ProgramTable = plexa::ProgramTable{};
    f.ProgramTable.set(9101, 0, 42);
    f.ProgramTable.set(5, 32, 9);
    run({"Text1(1)=3", "Command1!"});
    for (int a = 0; a < 291232; ++a) ASSERT_EQ(f.ProgramTable.byte(a), pattern(a)) << a;
    run({"at 9101,0?42", "at 5,32?9", "Text1(1)?5390", "Text5(0)?17", "Text2=fresh", "Command1!",
         "word 2?0", "file fresh.qdf?0", "Text2=", "Command2!", "file .qdf?291232"});
}

// A listed file wins over the typed name for a load, but a save goes to the
// typed name; a selection shows the name up to its first dot. A file message
// gives the status line back, and never an older caption.
TEST_F(PlexaFormTest, FailedFileCommandsSayWhyAndLoseNothing) {
#ifdef _WIN32
    const std::string listed = "a.b.qdf";  // no Windows file bears a ":"
#else
    const std::string listed = "c:a.b.qdf";  // here ":" is no drive
#endif
    std::filesystem::create_directories(dataDir / "blocked.qdf");
    std::ofstream(dataDir / listed, std::ios::binary) << std::string("\x04\x00\x06", 3);
    auto& f = startLinked();
    run({"Text1(1)=5", "Text2=../escape", "Command2!", "Label13~would leave the folder",
         "Command1!", "word 2?5"});
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "escape.qdf"));
    f.File1.refresh();
    EXPECT_EQ(f.File1.files(), (std::vector<std::string>{listed, "mernal.qdf"}));
    run({"Text2=blocked", "Command2!"});
    const std::string saving = "Cannot save " + (dataDir / "blocked.qdf").string() + ": ";
    EXPECT_TRUE(f.Label13.caption().starts_with(saving)) << f.Label13.caption();
    EXPECT_GT(f.Label13.caption().size(), saving.size());  // and the reason
    run({"Command1!", "Label13~Cannot load", "File1#0",
         "Text2?" + listed.substr(0, listed.find('.')), "Command1!", "Text1(1)?6", "Text2=ok",
         "Command2!", "Label13?CommunicationPortState", "Text2=a/b", "Command2!", "Text8(1)=2",
         "Command3!", "file ok.qdf?291232", "transfer", "Text2=good", "Command2!",
         "Label13?CommunicateSuccessfully"});
}

TEST_F(PlexaFormTest, AFolderThatCannotBeCreatedIsReportedAndTheWindowWorks) {
    std::ofstream(temp.path() / "dovra");  // a file where the folder should be
    startEditing();
    run({"Label13~Cannot create the folder", "Text1(1)=3", "word 2?3"});
}

}  // namespace
