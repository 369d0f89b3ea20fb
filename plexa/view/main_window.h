#pragma once

#include <QMainWindow>

#include "plexa/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace plexa {

// Shows every control of Plexa's Form1 and hands the user's input to it.
// The form must outlive the window.
class MainWindow final : public QMainWindow {
  public:
    explicit MainWindow(Form1& form, QWidget* parent = nullptr);

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
};

}  // namespace plexa
