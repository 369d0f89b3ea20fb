#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <vector>

#include "view/header_label.h"

namespace test {

// Finds a window's widgets by object name, types and clicks into them, and
// measures where they stand in the window's drawing.
class WindowProbe {
  public:
    QWidget* root = nullptr;     // where widgets are looked up
    QWidget* drawing = nullptr;  // what places are measured in

    template <typename W = QWidget>
    W* find(const QString& name) const {
        W* widget = root->findChild<W*>(name);
        if (!widget) ADD_FAILURE() << "no widget " << name.toStdString();
        return widget;
    }
    void type(const QString& name, const QString& keys) const {
        find<QLineEdit>(name)->selectAll();
        QTest::keyClicks(find<QLineEdit>(name), keys);
    }
    void click(const QString& name) const {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }
    void clickItem(const QString& list, int n) const {
        auto* widget = find<QListWidget>(list);
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                          widget->visualItemRect(widget->item(n)).center());
    }
    QRect place(const QString& name) const {
        return {find(name)->mapTo(drawing, QPoint(0, 0)), find(name)->size()};
    }
    // The pixels of a rectangle of the widget as last painted on the screen:
    // a widget that was not repainted still shows what it showed before.
    static QImage drawn(QWidget* widget, const QRect& rect) {
        QCoreApplication::processEvents();
        const QPoint at = widget->mapTo(widget->window(), rect.topLeft());
        return widget->screen()
            ->grabWindow(widget->window()->winId(), at.x(), at.y(), rect.width(), rect.height())
            .toImage();
    }
    // Whether any pixel of the rectangle differs from its top left one.
    static bool inked(const QImage& image, const QRect& rect) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (image.pixel(x, y) != image.pixel(rect.topLeft())) return true;
        return false;
    }
    // Each header word stands left-aligned over its field; the fields left out
    // stay bare.
    void expectOver(const QString& header, const std::vector<QString>& fields,
                    const QStringList& expected) const {
        const auto words = find<view::HeaderLabel>(header)->words();
        ASSERT_EQ(words.size(), fields.size()) << header.toStdString();
        QStringList texts;
        for (size_t i = 0; i < words.size(); ++i) {
            const QRect word = words[i].rect.translated(place(header).topLeft());
            texts << words[i].text;
            EXPECT_EQ(word.x(), place(fields[i]).x()) << texts.last().toStdString();
        }
        EXPECT_EQ(texts, expected) << header.toStdString();
    }
};

}  // namespace test
