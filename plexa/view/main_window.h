#pragma once

#include <QMainWindow>

#include "plexa/form.h"
#include "view/progress_paint.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace plexa {

// Shows every control of Plexa's Form1 and hands the user's input to it.
// The form must outlive the window.
class MainWindow final : public QMainWindow {
  public:
    // The painter shows the transfer's labels and bar.
    MainWindow(Form1& form, view::ProgressPainter& painter, QWidget* parent = nullptr);

  protected:
    // Unsaved edits are asked about first; a cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* titleRow(QWidget* parent);
    QWidget* parameterRows(QWidget* parent);
    QWidget* descriptionRow(QWidget* parent);
    QWidget* fileRow(QWidget* parent);
    QWidget* outputRow(QWidget* parent);
    QWidget* outputFrame(QWidget* parent);
    QWidget* outputControls(QWidget* parent);
    QWidget* bottomRows(QWidget* parent);

    Form1& form_;
    view::ProgressPainter& painter_;
};

}  // namespace plexa
