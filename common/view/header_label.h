#pragma once

#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QString>
#include <vector>

namespace view {

// A caption of blank-separated words laid over a row of widgets, the
// anchors: each word stands left-aligned at the left edge of the next anchor,
// or of one further on for every ten blanks before it; surplus words are
// joined by single blanks at the last anchor, and anchors without a word
// stay bare. An abbreviation in capitals one blank after a word ("pump NO.")
// stays with that word. text() holds the whole caption as set. The label spans the
// row of its anchors; it follows their moves and resizes.
class HeaderLabel final : public QLabel {
    Q_OBJECT

  public:
    struct Word {
        QString text;
        QRect rect;  // in the label's coordinates
    };

    HeaderLabel(std::vector<QWidget*> anchors, QWidget* parent);

    // The words as they are painted, in anchor order.
    std::vector<Word> words() const;
    // The room word i needs beside anchor i; 0 when it has none.
    int wordWidth(int anchor) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QStringList wordsPerAnchor() const;
    int anchorX(const QWidget* anchor) const;

    std::vector<QPointer<QWidget>> anchors_;
};

}  // namespace view
