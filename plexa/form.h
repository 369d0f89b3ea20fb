#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "plexa/program_table.h"
#include "serial/exchange.h"
#include "serial/serial_port.h"
#include "serial/transfer_outcome.h"
#include "ui/clock.h"
#include "ui/controls.h"
#include "ui/edit_history.h"
#include "ui/file_status.h"
#include "ui/timer.h"

namespace plexa {

// What the main window needs from the world around it.
struct Environment {
    std::filesystem::path dataDir;  // where the program files live
    ui::Clock& clock;               // millisecond ticks and the timers' time
    serial::SerialPort& port;       // Comm1
    std::function<void()> quit;     // ends the program (Exit)
    // Called during every block exchange once the request has gone out:
    // shows the transfer labels and the bar as the last try left them.
    std::function<void()> showProgress = {};
};

// Plexa's main window: its controls, timers and procedures, free of any
// window toolkit. A view shows the controls and feeds the user's input back.
class Form1 {
  public:
    explicit Form1(Environment env);

    // Form1 load: the start-up sequence.
    void load();

    // Refresh (table to fields) and commit (fields to table).
    void ccc();
    void ddd();
    // One block exchange with the controller; true when it succeeded.
    bool write_v(std::int16_t add_d1);
    bool read_v(std::int16_t add_d1);

    // Undo and redo of the table's changes; the step changed is shown.
    void undo();
    void redo();
    // Before edits would be lost: with unsaved edits the user is asked
    // whether to save them first. False when the user cancels or the save
    // fails: then nothing may go on.
    bool settleEdits();
    // Puts the question to the user; without it, edits are given up unasked.
    ui::AskToSave askToSave;

    plexa::ProgramTable ProgramTable;
    ui::EditHistory history;  // the file of the title, and the undo steps
    bool Refreshing = false;
    std::uint8_t EditReady = 0;

    ui::TimerHub timers;
    ui::Timer Timer1;
    ui::Timer Timer5;
    ui::Timer Timer6;
    ui::Timer Timer7;
    ui::Timer Timer8;
    ui::Timer Timer9;

    ui::Label Label14;
    ui::Label Label2;
    std::array<ui::Label, 3> Label1;
    std::array<ui::TextBox, 9> Text1;
    ui::Button Command7;
    std::array<ui::TextBox, 3> Text5;
    ui::Button Command8;
    ui::Label Label8;
    ui::TextBox step;
    std::array<ui::Label, 2> Label22;
    ui::Label Label3;

    ui::Button Command3;
    ui::Button Command5;
    ui::Button Command2;
    ui::TextBox Text2;
    ui::Button Command1;
    ui::FileList File1;
    ui::Button Command4;

    ui::Frame Frame2;
    ui::ListBox List1;
    ui::Label Label18;
    ui::TextBox Text3;
    ui::Label Label19;
    ui::TextBox Text4;
    ui::Label Label20;
    ui::CheckBox Check1;
    ui::Label Label21;
    ui::Button Command6;
    ui::Label Label23;
    ui::TextBox Text9;
    ui::Button Command11;
    ui::Label Label6;
    ui::TextBox Text6;
    ui::Label Label7;
    ui::TextBox Text7;

    ui::Label Label11;
    ui::ComboBox Combo3;
    std::array<ui::TextBox, 2> Text8;
    ui::Label Label9;
    ui::Label Label10;
    ui::Label Label13;
    ui::ProgressBar progress;  // blocks of the range done
    ui::Label StatusBar1;      // how the last transfer ended

    ui::Surface surface;  // the lines written onto the window (port scan)

  private:
    void wireEvents();
    void wireParameterFields();
    void wireOutputEditor();
    void wireFiles();
    void wireTransfers();

    // Field values under the window's clamps.
    int groupsField() const;
    int stepField(int groups) const;
    bool editing() const { return !Refreshing && EditReady == 1; }

    // Display tick and the step indicator.
    void Timer1_Timer();
    void updateStepIndicator();

    // Editing handlers.
    void Text1_Change();
    void Text5_Change(int index);
    void stepChange();
    void List1_Click();
    void Command6_Click();
    void Command11_Click();
    void stepButton(int delta);
    // Records the table's change as an undo step made on the step shown.
    void noteEdit();
    void showEdit(std::optional<int> step);

    // Files.
    void Command1_Click();
    void Command2_Click();
    void File1_Click();
    bool loadProgram(const std::string& fileName);
    bool saveProgram(const std::string& fileName);

    // Transfers.
    void startTransfer(ui::Timer& stepTimer);
    void transferStep(bool upload);
    void finishTransfer();
    std::string transferOutcome() const;
    int rangeBlocks(double first) const;
    void showProgress();
    serial::ExchangeResult exchangeBlock(const serial::Bytes& request, std::size_t replyLength);

    Environment env_;
    ui::FileStatus fileStatus_;

    double currentBlock_ = 0;
    double firstBlock_ = 0;
    std::int16_t tries_ = 0;
    serial::Transfer transfer_ = serial::Transfer::Download;
    serial::FailedTries failedTries_;
    std::int64_t startTime_ = 0;
};

}  // namespace plexa
