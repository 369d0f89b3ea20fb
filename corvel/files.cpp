// Save File, Load Flie and the file list.
#include "corvel/form.h"
#include "ui/field_rules.h"

namespace corvel {

void Form1::wireFiles() {
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    File1.onClick = [this] { File1_Click(); };
    Text2.onChange = [this] { ui::keepSelectionOfName(File1, Text2.text()); };
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
    if (!settleEdits()) return;
    closeBitPanel();
    const std::string listed = File1.selectedFile();
    const std::string fileName = listed.empty() ? Text2.text() + ".sav" : listed;
    if (!loadShow(fileName)) return;
    refresh();
    history.loaded(fileName, selectedRow());
}

bool Form1::saveShow(const std::string& fileName) {
    if (!fileStatus_.save(env_.dataDir, fileName, ProgramTable.image())) return false;
    history.saved(fileName);
    File1.refresh();
    return true;
}

void Form1::Command2_Click() {
    saveShow(Text2.text() + ".sav");
}

bool Form1::settleEdits() {
    return ui::settleEdits(history, askToSave,
                           [this](const std::string& fileName) { return saveShow(fileName); });
}

}  // namespace corvel
