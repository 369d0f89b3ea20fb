#include "view/edit_session.h"

#include <QMainWindow>
#include <QPointer>
#include <QShortcut>

namespace view {
namespace {

std::function<QMessageBox::StandardButton(const QMessageBox&)>& testAnswer() {
    static std::function<QMessageBox::StandardButton(const QMessageBox&)> answer;
    return answer;
}

void addShortcut(QMainWindow* window, const QKeySequence& keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, window);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(action));
}

}  // namespace

void bindEditHistory(ui::EditHistory& history, QMainWindow* window, const QString& program,
                     std::function<void()> undo, std::function<void()> redo) {
    const QPointer<QMainWindow> guard(window);
    const auto show = [&history, guard, program] {
        if (!guard) return;
        const QString name = QString::fromStdString(history.fileName());
        guard->setWindowTitle(name.isEmpty() ? program : name + "[*] - " + program);
        guard->setWindowModified(history.modified());
    };
    history.observe(show);
    show();
    addShortcut(window, QKeySequence(Qt::CTRL | Qt::Key_Z), undo);
    addShortcut(window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), redo);
    addShortcut(window, QKeySequence(Qt::CTRL | Qt::Key_Y), redo);
}

ui::SaveAnswer askToSave(QWidget* parent, const std::string& fileName) {
    QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(),
                    "The program has changes that are not saved.",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName("SaveQuestion");
    box.setInformativeText("Save them to \"" + QString::fromStdString(fileName) + "\" first?");
    box.setDefaultButton(QMessageBox::Save);
    const auto answer =
        testAnswer() ? testAnswer()(box) : static_cast<QMessageBox::StandardButton>(box.exec());
    if (answer == QMessageBox::Save) return ui::SaveAnswer::Save;
    if (answer == QMessageBox::Discard) return ui::SaveAnswer::Discard;
    return ui::SaveAnswer::Cancel;
}

void answerQuestionsWith(std::function<QMessageBox::StandardButton(const QMessageBox&)> answer) {
    testAnswer() = std::move(answer);
}

}  // namespace view
