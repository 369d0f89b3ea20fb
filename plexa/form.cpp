#include "plexa/form.h"

#include "base/data_dir.h"
#include "serial/port_scan.h"
#include "ui/control_array.h"

namespace plexa {
namespace {

std::vector<std::string> outputItems() {
    std::vector<std::string> items;
    for (int n = 0; n < 256; ++n) {
        std::string item = std::to_string(n);
        items.push_back(std::string(3 - item.size(), '0') + item);
    }
    return items;
}

template <size_t N>
std::array<ui::TextBox, N> numberFields(const char* base, const char* text, int maxLength) {
    return ui::makeControlArray<ui::TextBox, N>(
        [&](int i) { return ui::TextBox(ui::indexedName(base, i), text, maxLength); });
}

}  // namespace

Form1::Form1(Environment env)
    : history([this] { return ProgramTable.storedCells(); }),
      timers(env.clock),
      Timer1(timers, "Timer1", 1000, true),
      Timer5(timers, "Timer5", 500, false),
      Timer6(timers, "Timer6", 1, false),
      Timer7(timers, "Timer7", 1, false),
      Timer8(timers, "Timer8", 1, false),
      Timer9(timers, "Timer9", 1, false),
      Label14("Label14", "Step Program Editor"),
      Label2("Label2",
             "Max.Step OutPutGroups Max.OutPut x0--Start x1--Start x2--Start x3--Start "
             "CurrentPosition WorkMode HoldTime"),
      Label1{ui::Label("Label1(0)", "200"), ui::Label("Label1(1)", "*x6=y256"),
             ui::Label("Label1(2)", "0.1s")},
      Text1(numberFields<9>("Text1", "1234", 5)),
      Command7("Command7", "+"),
      Text5{ui::TextBox("Text5(0)", "1", 5), ui::TextBox("Text5(1)", "1234", 5),
            ui::TextBox("Text5(2)", "1234", 5)},
      Command8("Command8", "-"),
      Label8("Label8", "Unit"),
      step("step", "00"),
      Label22{ui::Label("Label22(0)", "x4--Start x5--Start x6--Start x7--Start"),
              ui::Label("Label22(1)", "ProgramSteps")},
      Label3("Label3", "Label3"),
      Command3("Command3", "DowmLoad"),
      Command5("Command5", "UpLoad"),
      Command2("Command2", "SaveFile"),
      Text2("Text2", "user1"),
      Command1("Command1", "LoadFile"),
      File1("File1", "*.qdf"),
      Command4("Command4", "Exit"),
      Frame2("Frame2", "OutPut Y000--Y255 Control"),
      List1("List1", outputItems()),
      Label18("Label18", "From"),
      Text3("Text3", "0", 3),
      Label19("Label19", "To"),
      Text4("Text4", "255", 3),
      Label20("Label20", "All"),
      Check1("Check1", ""),
      Label21("Label21", "OFF"),
      Command6("Command6", "OK"),
      Label23("Label23", "From"),
      Text9("Text9", "1"),
      Command11("Command11", "Copy"),
      Label6("Label6", "Column Numbers"),
      Text6("Text6", "16"),
      Label7("Label7", "Width"),
      Text7("Text7", "2500"),
      Label11("Label11", "CommunicationPort"),
      Combo3("Combo3", "Combo3", {"1", "2", "3", "4", "5", "6", "7", "8"}),
      Text8(numberFields<2>("Text8", "0", 4)),
      Label9("Label9", "CommunicationTime"),
      Label10("Label10", "CommunicationNumbers"),
      Label13("Label13", "CommunicationPortState"),
      progress("progress"),
      StatusBar1("StatusBar1", ""),
      surface("Form1"),
      env_(std::move(env)),
      fileStatus_(Label13) {
    Text8[1].setText("8000");
    List1.setColumns(16);
    wireEvents();
}

void Form1::load() {
    std::string error;
    const bool haveFolder = base::ensureDirectory(env_.dataDir, error);
    if (!haveFolder)
        fileStatus_.showError("Cannot create the folder " + env_.dataDir.string() + ": " + error);
    Refreshing = false;
    EditReady = 0;
    if (haveFolder) loadProgram("mernal.qdf");
    File1.setDirectory(env_.dataDir);  // lists the program file made on the first start
    ccc();
    history.start("mernal.qdf");
    serial::scanPorts(env_.port, surface, Combo3);
}

void Form1::wireEvents() {
    Timer1.onTick = [this] { Timer1_Timer(); };
    wireParameterFields();
    wireOutputEditor();
    wireFiles();
    wireTransfers();
}

}  // namespace plexa
