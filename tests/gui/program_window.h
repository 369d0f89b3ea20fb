#pragma once

#include "form_scenario.h"
#include "view/edit_session.h"
#include "view/progress_paint.h"
#include "window_probe.h"

namespace test {

// Either program's window over its form on a hand-driven clock and a
// scripted port, as the program starts: the file loaded, then the window
// made on the form; and unless untouched, after the first display tick,
// from which edits count.
template <class Form, class Window>
class ProgramWindow : public FormTest<Form>, public WindowProbe {
  protected:
    explicit ProgramWindow(bool untouched = false)
        : painter(this->clock), window(this->start(), painter) {
        root = &window;
        drawing = scroll()->widget();
        this->showProgress = [this] { painter.paint(); };
        window.show();
        if (!untouched) this->tick();
        // The question about unsaved edits is answered in the user's place.
        view::answerQuestionsWith([this](const QMessageBox& box) {
            asked << box.informativeText();
            return answer;
        });
    }
    ~ProgramWindow() override { view::answerQuestionsWith({}); }
    QScrollArea* scroll() const { return qobject_cast<QScrollArea*>(window.centralWidget()); }
    // Ctrl+ key from a button, where no field's own typing takes it; the
    // shortcuts work in the active window only.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        find("Command2")->setFocus();
        QTest::keyClick(find("Command2"), key, modifiers);
    }
    QString text(const QString& field) const { return find<QLineEdit>(field)->text(); }

    view::ProgressPainter painter;
    Window window;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;  // to a question nobody expected
    QStringList asked;
};

}  // namespace test
