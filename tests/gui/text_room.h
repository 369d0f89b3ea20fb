#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>

#include "view/header_label.h"

namespace test {

// Finds the shown controls whose text does not fit the room they give it,
// in the widget's own drawing or cut by an ancestor up to the drawing.
class TextRoom {
  public:
    explicit TextRoom(const QWidget* drawing) : drawing_(drawing) {}

    // The names of the controls that cut their text, each with the text.
    QStringList cut() const {
        QStringList names;
        for (const QWidget* widget : drawing_->findChildren<QWidget*>()) {
            // A combo box's line edit is looked at with the combo box.
            if (!widget->isVisibleTo(drawing_) || widget->objectName().startsWith("qt_") ||
                qobject_cast<const QComboBox*>(widget->parentWidget()))
                continue;
            const QString text = cutText(widget);
            if (!text.isNull()) names << widget->objectName() + " \"" + text + "\"";
        }
        return names;
    }

  private:
    // The text the widget cuts, or a null string.
    QString cutText(const QWidget* widget) const {
        if (auto* header = qobject_cast<const view::HeaderLabel*>(widget)) return cutWord(header);
        if (auto* label = qobject_cast<const QLabel*>(widget)) return cutLabel(label);
        if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return cutButton(button);
        if (auto* combo = qobject_cast<const QComboBox*>(widget)) return cutCombo(combo);
        if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return cutEdit(edit, edit->text());
        if (auto* list = qobject_cast<const QListWidget*>(widget)) return cutItem(list);
        if (auto* box = qobject_cast<const QGroupBox*>(widget)) return cutTitle(box);
        if (auto* lines = qobject_cast<const QPlainTextEdit*>(widget))
            return lines->horizontalScrollBar()->maximum() > 0 ? QString("its lines") : QString();
        return {};
    }

    // The room is the rectangle of the widget; it must fit the text and lie
    // inside every ancestor up to the drawing.
    QString fits(const QWidget* widget, const QString& text, int width, QRect room) const {
        if (text.isEmpty()) return {};
        if (width > room.width() || widget->fontMetrics().height() > room.height()) return text;
        for (const QWidget* w = widget; w != drawing_ && w->parentWidget(); w = w->parentWidget()) {
            const QRect inParent(w->mapToParent(room.topLeft()), room.size());
            if (!w->parentWidget()->rect().contains(inParent)) return text;
            room = inParent;
        }
        return {};
    }

    QString cutLabel(const QLabel* label) const {
        const QRect room = label->contentsRect().marginsRemoved(
            QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
        if (label->wordWrap()) {
            const bool tall = label->heightForWidth(label->width()) > label->height();
            return tall ? label->text() : fits(label, label->text(), 0, room);
        }
        int width = 0;
        for (const QString& line : label->text().split('\n'))
            width = std::max(width, label->fontMetrics().horizontalAdvance(line));
        return fits(label, label->text(), width, room);
    }

    // Each word clear of the next one and inside the label.
    QString cutWord(const view::HeaderLabel* header) const {
        const auto words = header->words();
        for (size_t i = 0; i < words.size(); ++i) {
            const int end = i + 1 < words.size() ? words[i + 1].rect.left() : header->width();
            const QRect room(words[i].rect.left(), 0, end - words[i].rect.left(), header->height());
            const QString text = fits(header, words[i].text, words[i].rect.width(), room);
            if (!text.isNull()) return text;
        }
        return {};
    }

    QString cutButton(const QAbstractButton* button) const {
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        if (qobject_cast<const QCheckBox*>(button)) contents = QStyle::SE_CheckBoxContents;
        if (qobject_cast<const QRadioButton*>(button)) contents = QStyle::SE_RadioButtonContents;
        const QRect room = button->style()->subElementRect(contents, &option, button);
        return fits(button, button->text(), button->fontMetrics().horizontalAdvance(button->text()),
                    room);
    }

    // As the line edit lays out its text: two pixels each side and one for
    // the cursor, or it scrolls the text.
    QString cutEdit(const QLineEdit* edit, const QString& text) const {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? 1 : 0;
        QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        room = room.marginsRemoved(edit->textMargins()).adjusted(2, 0, -2, 0);
        return fits(edit, text, edit->fontMetrics().horizontalAdvance(text) + 1, room);
    }

    QString cutCombo(const QComboBox* combo) const {
        if (combo->isEditable()) return cutEdit(combo->lineEdit(), combo->currentText());
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, combo);
        const QString text = combo->currentText();
        return fits(combo, text, combo->fontMetrics().horizontalAdvance(text), room);
    }

    // Items within the width of the list, each with the view's margins.
    QString cutItem(const QListWidget* list) const {
        const int margin =
            list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        const int across = list->viewport()->width();
        for (int i = 0; i < list->count(); ++i) {
            const QRect item = list->visualItemRect(list->item(i));
            const int width = list->fontMetrics().horizontalAdvance(list->item(i)->text());
            if (width + 2 * margin > item.width() || item.left() < 0 || item.right() >= across)
                return list->item(i)->text();
        }
        return {};
    }

    QString cutTitle(const QGroupBox* box) const {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        const int width = box->fontMetrics().horizontalAdvance(box->title());
        return box->rect().contains(label) ? fits(box, box->title(), width, label) : box->title();
    }

    const QWidget* drawing_;
};

}  // namespace test
