#include "view/header_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace view {

namespace {

// A wide gap in a caption passes fields by: each ten blanks between two
// words leave one anchor bare.
constexpr int kBlanksPerField = 10;

// An abbreviation in capitals, such as "NO.", one blank after a word
// belongs to that word: "pump NO." is one caption.
bool qualifies(const QString& word) {
    if (word.size() < 2 || !word.endsWith('.')) return false;
    return std::all_of(word.begin(), word.end() - 1,
                       [](QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); });
}

int textWidth(const QFontMetrics& metrics, const QString& text) {
    return metrics.size(Qt::TextSingleLine, text).width();
}

}  // namespace

HeaderLabel::HeaderLabel(std::vector<QWidget*> anchors, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    for (QWidget* anchor : anchors) {
        anchors_.emplace_back(anchor);
        anchor->installEventFilter(this);
    }
}

QStringList HeaderLabel::wordsPerAnchor() const {
    const auto anchors = static_cast<qsizetype>(anchors_.size());
    const QString caption = text();
    QStringList shown;
    qsizetype previousEnd = 0;
    for (qsizetype at = 0; anchors > 0 && at < caption.size();) {
        if (caption[at] == ' ') {
            ++at;
            continue;
        }
        qsizetype end = caption.indexOf(' ', at);
        if (end < 0) end = caption.size();
        if (!shown.isEmpty()) {
            for (qsizetype skip = (at - previousEnd) / kBlanksPerField;
                 skip > 0 && shown.size() < anchors - 1; --skip)
                shown << QString();
        }
        const QString word = caption.mid(at, end - at);
        if (qualifies(word) && at - previousEnd == 1 && !shown.isEmpty())
            shown.last() += ' ' + word;
        else if (shown.size() < anchors)
            shown << word;
        else
            shown.last() += ' ' + word;
        previousEnd = at = end;
    }
    return shown;
}

int HeaderLabel::anchorX(const QWidget* anchor) const {
    return mapFromGlobal(anchor->mapToGlobal(QPoint(0, 0))).x();
}

std::vector<HeaderLabel::Word> HeaderLabel::words() const {
    const QStringList shown = wordsPerAnchor();
    const QRect line = contentsRect();
    std::vector<Word> words;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QWidget* anchor = anchors_[static_cast<size_t>(i)];
        if (!anchor || shown[i].isEmpty()) continue;
        const int width = textWidth(fontMetrics(), shown[i]);
        words.push_back({shown[i], QRect(anchorX(anchor), line.top(), width, line.height())});
    }
    return words;
}

int HeaderLabel::wordWidth(int anchor) const {
    const QStringList shown = wordsPerAnchor();
    if (anchor < 0 || anchor >= shown.size()) return 0;
    return textWidth(fontMetrics(), shown[anchor]);
}

QSize HeaderLabel::sizeHint() const {
    // As narrow as can be: the anchors' row sets the width.
    const QMargins margins = contentsMargins();
    return {margins.left() + margins.right(), fontMetrics().size(Qt::TextSingleLine, "X").height() +
                                                  margins.top() + margins.bottom()};
}

QSize HeaderLabel::minimumSizeHint() const {
    return sizeHint();
}

bool HeaderLabel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) update();
    return QLabel::eventFilter(watched, event);
}

void HeaderLabel::moveEvent(QMoveEvent* event) {
    QLabel::moveEvent(event);
    update();  // the anchors stayed: each word's place in the label changed
}

void HeaderLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const Word& word : words())
        style()->drawItemText(&painter, word.rect, Qt::AlignLeft | Qt::AlignVCenter, palette(),
                              isEnabled(), word.text, foregroundRole());
}

}  // namespace view
