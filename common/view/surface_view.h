#pragma once

#include <QFrame>
#include <QStringList>

namespace view {

// The lines printed on the window, in a box the size of the start-up port
// scan: one line for each port probed, each whole. The lines are only
// drawn, as printed text is, with no text document behind them to lay out.
class SurfaceView final : public QFrame {
  public:
    explicit SurfaceView(QWidget* parent);

    void setLines(const QStringList& lines);

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void fitScanLines();

    QStringList lines_;
};

}  // namespace view
