#pragma once

#include <QMainWindow>
#include <QRect>
#include <array>

#include "corvel/form.h"
#include "view/progress_paint.h"

class QGroupBox;
class QLineEdit;

namespace corvel {

// Shows every control of Corvel's Form1 where the design puts it and hands
// the user's input to it. The form must outlive the window.
//
// The design places controls in twips (15 to a pixel at 96 dpi) for a font
// narrower than today's: every left edge and width is stretched by one
// factor so that the widest word of the grid's headers fits the pitch of
// the fields below it. The drawing scrolls when the window is smaller.
class MainWindow final : public QMainWindow {
  public:
    // The painter shows the transfer's labels and bar.
    MainWindow(Form1& form, view::ProgressPainter& painter, QWidget* parent = nullptr);

  protected:
    // Unsaved edits are asked about first; a cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

  private:
    // Twips of the design to pixels of the drawing.
    QRect at(int left, int top, int width, int height) const;
    QPoint at(int left, int top) const;
    int across(int twips) const;

    // The panels are built when their frame is first shown, which most
    // sessions never do.
    void buildWhenShown(ui::Frame& frame, void (MainWindow::*build)(QWidget*), QWidget* parent);

    void titleRow(QWidget* parent);
    void selectors(QWidget* parent);
    void grid(QWidget* parent);
    void headers(QWidget* parent);
    void additionalPanel(QWidget* parent);
    void fileRow(QWidget* parent);
    void workModeAndOptions(QWidget* parent);
    void outputPanel(QWidget* parent);
    void bitPanel(QWidget* parent);
    void lampLines(QWidget* parent);
    void statusRows(QWidget* parent);

    Form1& form_;
    view::ProgressPainter& painter_;
    double stretch_ = 1.0;
    std::array<QLineEdit*, 18> grid_{};
    std::array<QLineEdit*, 9> additional_{};
    QGroupBox* bitBox_ = nullptr;
    QWidget* surface_ = nullptr;
};

}  // namespace corvel
