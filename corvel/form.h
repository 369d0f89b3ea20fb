#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "corvel/program_table.h"
#include "serial/exchange.h"
#include "serial/serial_port.h"
#include "serial/transfer_outcome.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/edit_history.h"
#include "ui/file_status.h"
#include "ui/timer.h"

namespace corvel {

// What the main window needs from the world around it.
struct Environment {
    std::filesystem::path dataDir;  // where the show files live
    ui::Clock& clock;               // millisecond ticks and the timers' time
    serial::SerialPort& port;       // Comm1
    // Called during every try of a download or upload, which hold the event
    // loop, once the request has gone out: shows the transfer labels, the bar
    // and the grid as the last try left them, without handling any input.
    std::function<void()> showProgress;
};

// The option buttons of Frame1, in order.
enum Option { SingleDemo, Circulate, Pause, Stop, Monitor, Control };

// Corvel's main window: its controls, timers and procedures, free of any
// window toolkit. A view shows the controls and feeds the user's input back.
class Form1 {
  public:
    explicit Form1(Environment env);

    // Form1 load: the start-up sequence.
    void load();

    // Refresh (table to grid) and commit (grid to table).
    void ccc();
    void ddd();
    // The mode-7 bit list into the selected row, and the row's mask into the list.
    void code7_use();
    void code7_zk();

    // The row that the work group and program code select.
    int selectedRow() const;

    // One block exchange with the controller; true when it succeeded.
    bool write_v(std::uint8_t b);
    bool read_v(std::uint8_t b);
    // One monitor cycle and one control send through row 120.
    void monwork();
    void conwork();
    // The lamp preview of the program in the grid.
    void leddis();

    // Undo and redo of the table's changes; the program changed is shown.
    void undo();
    void redo();
    // Before edits would be lost: with unsaved edits the user is asked
    // whether to save them first. False when the user cancels or the save
    // fails: then nothing may go on.
    bool settleEdits();
    // Puts the question to the user; without it, edits are given up unasked.
    ui::AskToSave askToSave;

    corvel::ProgramTable ProgramTable;
    ui::EditHistory history;  // the file of the title, and the undo steps
    bool Refreshing = false;
    std::uint8_t EditReady = 0;
    bool AdditionalOpen = false;
    bool Mode7Open = false;
    bool Mode7Live = false;
    std::int16_t DemoStep = 0;
    bool FrameShown = false;
    std::array<std::int16_t, 257> LampStates{};
    bool MonitorReady = false;
    bool ControlReady = false;

    ui::TimerHub timers;
    ui::Timer Timer1;
    ui::Timer Timer2;
    ui::Timer Timer3;
    ui::Timer Timer4;
    ui::Timer Timer5;

    ui::Label Label14;
    ui::Label Label12;
    ui::Label Label5;
    ui::ComboBox Combo1;
    ui::Label Label6;
    ui::ComboBox Combo2;
    ui::Label Label1;
    ui::Label Label2;
    std::array<ui::TextBox, 18> Text1;
    ui::Label Label3;
    ui::Label Label4;
    ui::Label Label25;
    ui::Label Label8;
    ui::Button Command7;
    ui::Button Command8;

    ui::Frame Frame3;
    ui::Label Label22;
    ui::Label Label23;
    ui::Label Label24;
    std::array<ui::TextBox, 9> Text5;

    ui::Button Command3;
    ui::Button Command5;
    ui::Button Command2;
    ui::TextBox Text2;
    ui::Button Command1;
    ui::FileList File1;
    ui::ComboBox Combo3;

    ui::Frame Frame1;
    ui::OptionGroup Options;  // Option1 to Option6

    ui::Frame Frame2;
    ui::ListBox List1;
    ui::Label Label18;
    ui::Label Label19;
    ui::Label Label20;
    ui::TextBox Text3;
    ui::TextBox Text4;
    ui::CheckBox Check1;
    ui::Label Label21;
    ui::Button Command6;

    ui::Frame Frame4;
    ui::ListBox List2;
    ui::Label Label28;
    ui::Label Label27;
    ui::TextBox Text7;
    ui::TextBox Text6;
    ui::CheckBox Check2;
    ui::Label Label26;
    ui::Button Command9;

    std::array<ui::Label, 4> Label7;

    ui::Label Label11;
    ui::Label Label13;
    ui::Label Label10;
    ui::Label Label9;
    ui::ProgressBar progress;  // programs sent or read
    ui::Label StatusBar1;      // how the last download or upload ended

    ui::Surface surface;  // the lines written onto the window (port scan)

  private:
    void wireEvents();
    void wireGrid();
    void wirePanels();
    void wireFiles();
    void wireOptions();

    bool editing() const { return !Refreshing && EditReady == 1; }
    void refresh();  // ccc with Refreshing set

    // Header refresh.
    void Timer1_Timer();
    void showWorkModeName(double mode);
    void showHeaders(double mode);

    // Editing handlers.
    void gridChange();
    void selectorClick();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void closeBitPanel();
    void optionClick(int option);
    // Records the table's change as an undo step made on the program shown.
    void noteEdit();
    void showEdit(std::optional<int> row);

    // Transfers and on-line work.
    void wireLink();
    serial::ExchangeResult exchangeBlock(const serial::Bytes& request, std::size_t replyLength);
    void Command3_Click();
    void Command5_Click();
    void Command6_Click();
    void Timer2_Timer();
    void setTransfersEnabled(bool on);
    bool openPort();
    bool transferBlocks(int first, int last, bool reading, bool showProgress = false);
    void transferShow(serial::Transfer transfer);
    void showLampLines();
    void setLampsLive(bool live);

    // Lamp preview.
    void wirePreview();
    void Timer3_Timer();
    void Timer4_Timer();

    // Files.
    void Command1_Click();
    void Command2_Click();
    void File1_Click();
    bool loadShow(const std::string& fileName);
    bool saveShow(const std::string& fileName);

    Environment env_;
    ui::FileStatus fileStatus_;
    std::int64_t startTime_ = 0;
    bool showingProgress_ = false;  // a download or upload is running
    serial::FailedTries failedTries_;
    int stoppedAt_ = 0;  // the block a transfer given up stopped at
};

}  // namespace corvel
