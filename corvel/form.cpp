#include "corvel/form.h"

#include "base/data_dir.h"
#include "serial/port_scan.h"
#include "ui/control_array.h"

namespace corvel {
namespace {

// "000", "001", ... as the lists number their entries.
std::vector<std::string> numberedItems(int count) {
    std::vector<std::string> items;
    for (int n = 0; n < count; ++n) {
        const std::string item = std::to_string(n);
        items.push_back(std::string(3 - item.size(), '0') + item);
    }
    return items;
}

std::vector<std::string> programCodes() {
    std::vector<std::string> codes;
    for (int n = 0; n < 30; ++n) codes.push_back(std::to_string(n));
    return codes;
}

// The grid's longest texts: work mode 1, Interval and HoldTime 5, bytes 3.
int gridLength(int i) {
    if (i == 0) return 1;
    return i <= 2 ? 5 : 3;
}

}  // namespace

Form1::Form1(Environment env)
    : history([this] { return ProgramTable.storedCells(); }),
      timers(env.clock),
      Timer1(timers, "Timer1", 1000, true),
      Timer2(timers, "Timer2", 100, false),
      Timer3(timers, "Timer3", 1000, false),
      Timer4(timers, "Timer4", 1000, false),
      Timer5(timers, "Timer5", 500, false),
      Label14("Label14", "Chasing Fountain Show Editor"),
      Label12("Label12", "Programs PA00--PD29"),
      Label5("Label5", "WorkGroup"),
      Combo1("Combo1", "PA", {"PA", "PB", "PC", "PD"}),
      Label6("Label6", "ProgramCode"),
      Combo2("Combo2", "0", programCodes()),
      Label1("Label1",
             "  F--n     LP-t      Pu-t      LP-C      A-St      A-nu     A-Fr      B-St      "
             "B-nu     B-Fr"),
      Label2("Label2",
             "WorkMode   Interval HoldTime WorkNumber A-Start  A-Quantity  A-End   B-Start  "
             "B-Quantity   B-End"),
      Text1(ui::makeControlArray<ui::TextBox, 18>(
          [](int i) { return ui::TextBox(ui::indexedName("Text1", i), "0", gridLength(i)); })),
      Label3("Label3",
             " C-St       C-nu     C-Fr      d-St      d-nu      d-Fr     Stnu      Fu01"),
      Label4("Label4",
             "C-Start C-Quantity   C-End    D-Start D-Quantity  D-End   StartNumber Additional"),
      Label25("Label25", "WorkMode"),
      Label8("Label8", ""),
      Command7("Command7", "AdditionalExpand"),
      Command8("Command8", " WorkMode7 Expand"),
      Frame3("Frame3", "Additonal Function Fu01"),
      Label22("Label22", " PA00   PA01   PA02    PQ03   PA04   PA05   PA06   PA07   PA08"),
      Label23("Label23", "TimeUnit Num  PumpNO.  Num. pump NO.  Num. Pump NO.  Num.  pump NO."),
      Label24("Label24", "0.01s"),
      Text5(ui::makeControlArray<ui::TextBox, 9>(
          [](int i) { return ui::TextBox(ui::indexedName("Text5", i), "0", i == 0 ? 1 : 3); })),
      Command3("Command3", "DownLoad"),
      Command5("Command5", "UpLoad"),
      Command2("Command2", "Save File"),
      Text2("Text2", "user1"),
      Command1("Command1", "Load Flie"),
      File1("File1", "*.sav"),
      Combo3("Combo3", "Combo3", {"1", "2", "3", "4", "5", "6", "7", "8"}),
      Frame1("Frame1", ""),
      Options("Frame1", {"Option1", "Option2", "Option3", "Option4", "Option5", "Option6"},
              {"SingleDemo", "Circulate", "Pause", "Stop", "Monitor", "Control"}, Stop),
      Frame2("Frame2", "Output Y000--Y255 Conrol"),
      List1("List1", numberedItems(256)),
      Label18("Label18", "From"),
      Label19("Label19", "To"),
      Label20("Label20", "All"),
      Text3("Text3", "0", 3),
      Text4("Text4", "255", 3),
      Check1("Check1", ""),
      Label21("Label21", "OFF"),
      Command6("Command6", "OK"),
      Frame4("Frame4", "Frame4"),
      List2("List2", numberedItems(64)),
      Label28("Label28", "From"),
      Label27("Label27", "All"),
      Text7("Text7", "0", 3),
      Text6("Text6", "63", 3),
      Check2("Check2", ""),
      Label26("Label26", "OFF"),
      Command9("Command9", "Ok"),
      Label7(ui::makeControlArray<ui::Label, 4>(
          [](int i) { return ui::Label(ui::indexedName("Label7", i), "Label7"); })),
      Label11("Label11", "CommunicationPort"),
      Label13("Label13", "CommunicationPortState"),
      Label10("Label10", "CommnuicationNumber"),
      Label9("Label9", "CommunicationTime"),
      progress("progress"),
      StatusBar1("StatusBar1", ""),
      surface("Form1"),
      env_(std::move(env)),
      fileStatus_(Label13) {
    Command8.setVisible(false);
    Frame2.setVisible(false);
    Frame3.setVisible(false);
    Frame4.setVisible(false);
    wireEvents();
}

void Form1::load() {
    Combo1.setText("PA");
    Combo2.setText("0");
    std::string error;
    const bool haveFolder = base::ensureDirectory(env_.dataDir, error);
    if (!haveFolder)
        fileStatus_.showError("Cannot create the folder " + env_.dataDir.string() + ": " + error);
    AdditionalOpen = false;
    Mode7Open = false;
    EditReady = 0;
    for (ui::Label& line : Label7) line.setCaption("");
    DemoStep = 0;
    if (haveFolder) loadShow("mernal.sav");
    File1.setDirectory(env_.dataDir);  // lists the show file made on the first start
    refresh();
    history.start("mernal.sav");
    serial::scanPorts(env_.port, surface, Combo3);
}

void Form1::wireEvents() {
    Timer1.onTick = [this] { Timer1_Timer(); };
    wireGrid();
    wirePanels();
    wireFiles();
    wireOptions();
    wireLink();
    wirePreview();
}

}  // namespace corvel
