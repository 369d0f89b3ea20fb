// LoadFile, SaveFile and the file list.
#include "base/data_dir.h"
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
    if (!base::isPlainFileName(fileName)) {
        showFileError("Not loaded: the name \"" + fileName + "\" would leave the folder " +
                      env_.dataDir.string());
        return false;
    }
    std::string error;
    if (!plexa::load(ProgramTable, env_.dataDir / fileName, error)) {
        showFileError("Cannot load " + (env_.dataDir / fileName).string() + ": " + error);
        return false;
    }
    clearFileError();
    return true;
}

void Form1::Command1_Click() {
    const std::string listed = File1.selectedFile();
    if (loadProgram(listed.empty() ? Text2.text() + ".qdf" : listed)) ccc();
}

void Form1::Command2_Click() {
    const std::string fileName = Text2.text() + ".qdf";
    if (!base::isPlainFileName(fileName)) {
        showFileError("Not saved: the name \"" + Text2.text() + "\" would leave the folder " +
                      env_.dataDir.string());
        return;
    }
    std::string error;
    if (!plexa::save(ProgramTable, env_.dataDir / fileName, error)) {
        showFileError("Cannot save " + (env_.dataDir / fileName).string() + ": " + error);
        return;
    }
    clearFileError();
    File1.refresh();
}

// File errors borrow the status line; the next file command that works
// gives it back.
void Form1::showFileError(const std::string& message) {
    if (!fileErrorShown_) captionBeforeFileError_ = Label13.caption();
    fileErrorShown_ = true;
    Label13.setCaption(message);
}

void Form1::clearFileError() {
    if (!fileErrorShown_) return;
    fileErrorShown_ = false;
    Label13.setCaption(captionBeforeFileError_);
}

}  // namespace plexa
