// LoadFile, SaveFile and the file list.
#include "plexa/form.h"
#include "plexa/program_file.h"
#include "ui/field_rules.h"

namespace plexa {

void Form1::wireFiles() {
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    File1.onClick = [this] { File1_Click(); };
    Command4.onClick = [this] {
        if (settleEdits() && env_.quit) env_.quit();
    };
    Text2.onChange = [this] { ui::keepSelectionOfName(File1, Text2.text()); };
}

void Form1::File1_Click() {
    const std::string name = File1.selectedFile();
    Text2.setText(name.substr(0, name.find('.')));
}

bool Form1::loadProgram(const std::string& fileName) {
    std::vector<std::uint8_t> image(kProgramFileBytes, 0);
    if (!fileStatus_.load(env_.dataDir, fileName, image)) return false;
    setFileImage(ProgramTable, image);
    return true;
}

void Form1::Command1_Click() {
    if (!settleEdits()) return;
    const std::string listed = File1.selectedFile();
    const std::string fileName = listed.empty() ? Text2.text() + ".qdf" : listed;
    if (!loadProgram(fileName)) return;
    ccc();
    history.loaded(fileName, stepField(groupsField()));
}

bool Form1::saveProgram(const std::string& fileName) {
    if (!fileStatus_.save(env_.dataDir, fileName, fileImage(ProgramTable))) return false;
    history.saved(fileName);
    File1.refresh();
    return true;
}

void Form1::Command2_Click() {
    saveProgram(Text2.text() + ".qdf");
}

bool Form1::settleEdits() {
    return ui::settleEdits(history, askToSave,
                           [this](const std::string& fileName) { return saveProgram(fileName); });
}

}  // namespace plexa
