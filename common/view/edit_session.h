#pragma once

#include <QMessageBox>
#include <functional>
#include <string>

#include "ui/edit_history.h"

class QMainWindow;

// The window's side of the user's edits: its title, the undo keys and the
// question asked before unsaved edits are lost.
namespace view {

// The title names the history's file, as "mernal.qdf - Plexa", with the
// modified mark while the table differs from the file. Ctrl+Z undoes,
// Ctrl+Shift+Z and Ctrl+Y redo, unless a field has typing of its own to undo.
void bindEditHistory(ui::EditHistory& history, QMainWindow* window, const QString& program,
                     std::function<void()> undo, std::function<void()> redo);

// Asks whether the edits are saved to the file before they are lost: Save,
// Discard or Cancel.
ui::SaveAnswer askToSave(QWidget* parent, const std::string& fileName);

// While set, the question goes to this function instead of the user, with
// the box as it would be shown; it returns the button chosen. For tests.
void answerQuestionsWith(std::function<QMessageBox::StandardButton(const QMessageBox&)> answer);

}  // namespace view
