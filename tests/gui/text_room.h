#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include "view/header_label.h"

namespace test {

// The shown controls of a drawing whose text is wider or taller than the room
// the control gives it, or than its ancestors up to the drawing leave it: each
// as its name and the text cut.
inline QStringList cutTexts(const QWidget* drawing) {
    const auto fits = [drawing](const QWidget* widget, int width, QRect room) {
        if (width > room.width() || widget->fontMetrics().height() > room.height()) return false;
        for (const QWidget* w = widget; w != drawing; w = w->parentWidget()) {
            room.translate(w->pos());
            if (!w->parentWidget()->rect().contains(room)) return false;
        }
        return true;
    };
    const auto width = [](const QWidget* widget, const QString& text) {
        return widget->fontMetrics().horizontalAdvance(text);
    };
    // The text the widget cuts, if any. An editable combo box's text is its
    // line edit's.
    const auto cut = [&](const QWidget* widget) -> QString {
        if (auto* header = qobject_cast<const view::HeaderLabel*>(widget)) {
            const auto words = header->words();  // each clear of the next
            for (size_t i = 0; i < words.size(); ++i) {
                const int end = i + 1 < words.size() ? words[i + 1].rect.left() : header->width();
                const QRect room(words[i].rect.left(), 0, end - words[i].rect.left(),
                                 header->height());
                if (!fits(header, words[i].rect.width(), room)) return words[i].text;
            }
        } else if (auto* label = qobject_cast<const QLabel*>(widget)) {
            const bool wraps = label->wordWrap();
            if (!fits(label, wraps ? 0 : width(label, label->text()), label->contentsRect()) ||
                (wraps && label->heightForWidth(label->width()) > label->height()))
                return label->text();
        } else if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const auto contents =
                qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                            : QStyle::SE_PushButtonContents;
            const QRect room = button->style()->subElementRect(contents, &option, button);
            if (!fits(button, width(button, button->text()), room)) return button->text();
        } else if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, combo);
            if (!combo->isEditable() && !fits(combo, width(combo, combo->currentText()), room))
                return combo->currentText();
        } else if (auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            // As a line edit lays out its text: two pixels each side and one
            // for the cursor, or it scrolls the text.
            QStyleOptionFrame option;
            option.initFrom(edit);
            option.lineWidth = edit->hasFrame() ? 1 : 0;
            const QRect room =
                edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
            if (!fits(edit, width(edit, edit->text()) + 1, room.adjusted(2, 0, -2, 0)))
                return edit->text();
        } else if (auto* list = qobject_cast<const QListWidget*>(widget)) {
            // Each item with the view's margins, within the list's width.
            const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
            for (int i = 0; i < list->count(); ++i) {
                const QRect item = list->visualItemRect(list->item(i));
                if (width(list, list->item(i)->text()) + 2 * margin > item.width() ||
                    item.left() < 0 || item.right() >= list->viewport()->width())
                    return list->item(i)->text();
            }
        }
        return {};
    };
    QStringList cutOnes;
    for (const QWidget* widget : drawing->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(drawing) || widget->objectName().startsWith("qt_")) continue;
        const QString text = cut(widget);
        const QWidget* named = widget->objectName().isEmpty() ? widget->parentWidget() : widget;
        if (!text.isEmpty()) cutOnes << named->objectName() + " \"" + text + "\"";
    }
    return cutOnes;
}

}  // namespace test
