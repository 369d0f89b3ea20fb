// LoadFile, SaveFile and the file list.
#include "plexa/form.h"
#include "plexa/program_file.h"

namespace plexa {

void Form1::wireFiles() {
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    File1.onClick = [this] { File1_Click(); };
    Command4.onClick = [this] {
        if (env_.quit) env_.quit();
    };
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
    const std::string listed = File1.selectedFile();
    if (loadProgram(listed.empty() ? Text2.text() + ".qdf" : listed)) ccc();
}

void Form1::Command2_Click() {
    if (fileStatus_.save(env_.dataDir, Text2.text() + ".qdf", fileImage(ProgramTable)))
        File1.refresh();
}

}  // namespace plexa
