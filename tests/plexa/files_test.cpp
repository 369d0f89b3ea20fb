// LoadFile, SaveFile and the file list through the window.
#include <fstream>

#include "form_fixture.h"
#include "plexa/program_file.h"

namespace {

using test::PlexaFormTest;

TEST_F(PlexaFormTest, SavedProgramLoadsBackByteForByte) {
    auto& f = startEditing();
    f.Text1[0].type("8");
    f.Text5[0].type("17");
    f.Text5[1].type("3");
    f.Text5[2].type("250");
    f.List1.click(127);
    f.ProgramTable.set(0, 20, 0xAB);  // bytes the editor carries unchanged
    f.ProgramTable.set(9000, 3, 0xCD);
    f.Text2.type("show");
    f.Command2.click();
    EXPECT_EQ(f.File1.files(), (std::vector<std::string>{"mernal.qdf", "show.qdf"}));
    const plexa::ProgramTable edited = f.ProgramTable;

    f.Text1[0].type("4");
    f.ProgramTable.set(0, 20, 0);
    f.File1.select(1);
    EXPECT_EQ(f.Text2.text(), "show");
    f.Command1.click();
    for (int a = 0; a < static_cast<int>(plexa::kProgramFileBytes); ++a) {
        ASSERT_EQ(f.ProgramTable.byte(a), edited.byte(a)) << a;
    }
    EXPECT_EQ(f.Text1[0].text(), "8");
    EXPECT_EQ(f.Text5[0].text(), "17");  // the current step is kept by a load
    EXPECT_EQ(f.Text5[2].text(), "250");
    EXPECT_TRUE(f.List1.selected(127));
}

TEST_F(PlexaFormTest, AListedFileWinsOverATypedNameOnLoadButNotOnSave) {
    auto& f = startEditing();
    f.Text1[1].type("11");
    f.Text2.type("first");
    f.Command2.click();
    f.File1.select(0);  // first.qdf
    f.Text2.type("second");
    f.Text1[1].type("22");
    f.Command2.click();
    f.Command1.click();
    EXPECT_EQ(f.Text1[1].text(), "11");
    EXPECT_TRUE(std::filesystem::exists(dataDir / "second.qdf"));
}

TEST_F(PlexaFormTest, FileListClickTakesTheNameUpToTheFirstDot) {
    std::filesystem::create_directories(dataDir);
    std::ofstream(dataDir / "a.b.qdf");
    auto& f = start();
    f.File1.select(0);
    EXPECT_EQ(f.File1.selectedFile(), "a.b.qdf");
    EXPECT_EQ(f.Text2.text(), "a");
}

TEST_F(PlexaFormTest, LoadingANewNameCreatesAnEmptyFileAndClearsTheProgram) {
    auto& f = startEditing();
    f.Text1[2].type("9");
    f.Text2.type("fresh");
    f.Command1.click();
    EXPECT_EQ(std::filesystem::file_size(dataDir / "fresh.qdf"), 0u);
    EXPECT_EQ(f.Text1[2].text(), "0");
    EXPECT_EQ(word(4), 0);
}

TEST_F(PlexaFormTest, EmptyNameSavesToTheBareExtension) {
    auto& f = startEditing();
    f.Text2.type("");
    f.Command2.click();
    EXPECT_EQ(std::filesystem::file_size(dataDir / ".qdf"), 291232u);
}

TEST_F(PlexaFormTest, NamesLeavingTheFolderReadAndWriteNothing) {
    auto& f = startEditing();
    f.Text1[1].type("5");
    for (const char* name : {"../escape", "sub/x", "c:evil", "a\\b"}) {
        f.Text2.type(name);
        f.Command2.click();
        EXPECT_NE(f.Label13.caption().find("would leave the folder"), std::string::npos) << name;
        f.Command1.click();
        EXPECT_EQ(word(2), 5) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "escape.qdf"));
    EXPECT_TRUE(f.File1.files().empty());
    f.Text2.type("ok");
    f.Command2.click();
    EXPECT_EQ(f.Label13.caption(), "CommunicationPortState");  // the status line is given back
}

TEST_F(PlexaFormTest, FileErrorsNameTheFileAndLoseNothing) {
    std::filesystem::create_directories(dataDir / "blocked.qdf");
    auto& f = startEditing();
    f.Text1[1].type("6");
    f.Text2.type("blocked");
    f.Command2.click();
    EXPECT_NE(f.Label13.caption().find("Cannot save " + (dataDir / "blocked.qdf").string()),
              std::string::npos);
    f.Command1.click();
    EXPECT_NE(f.Label13.caption().find("Cannot load"), std::string::npos);
    EXPECT_EQ(word(2), 6);
    EXPECT_EQ(f.Text1[1].text(), "6");
}

TEST_F(PlexaFormTest, AFolderThatCannotBeCreatedIsReportedAndTheWindowWorks) {
    std::ofstream(temp.path() / "dovra");  // a file where the folder should be
    auto& f = startEditing();
    EXPECT_NE(f.Label13.caption().find("Cannot create the folder"), std::string::npos);
    f.Text1[1].type("3");
    EXPECT_EQ(word(2), 3);
}

}  // namespace
