// Save File, Load Flie and the file list.
#include "corvel/form.h"

namespace corvel {

void Form1::wireFiles() {
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    File1.onClick = [this] { File1_Click(); };
}

void Form1::File1_Click() {
    const std::string name = File1.selectedFile();
    Text2.setText(name.substr(0, name.find('.')));
}

bool Form1::loadShow(const std::string& fileName) {
    std::array<std::uint8_t, ProgramTable::kFileBytes> image{};
    if (!fileStatus_.load(env_.dataDir, fileName, image)) return false;
    ProgramTable.setImage(image);
    return true;
}

void Form1::Command1_Click() {
    closeBitPanel();
    const std::string listed = File1.selectedFile();
    if (loadShow(listed.empty() ? Text2.text() + ".sav" : listed)) refresh();
}

void Form1::Command2_Click() {
    if (fileStatus_.save(env_.dataDir, Text2.text() + ".sav", ProgramTable.image()))
        File1.refresh();
}

}  // namespace corvel
