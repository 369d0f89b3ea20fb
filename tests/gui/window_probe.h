#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
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

    template <typename W>
    W* find(const QString& name) const {
        W* widget = root->findChild<W*>(name);
        if (!widget) ADD_FAILURE() << "no widget " << name.toStdString();
        return widget;
    }
    QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }
    void type(const QString& name, const QString& keys) const {
        auto* edit = find<QLineEdit>(name);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }
    void click(const QString& name) const {
        QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton);
    }
    QRect place(const QString& name) const {
        auto* widget = find<QWidget>(name);
        return {widget->mapTo(drawing, QPoint(0, 0)), widget->size()};
    }
    // The header's painted words, placed in the drawing.
    std::vector<view::HeaderLabel::Word> headerWords(const QString& name) const {
        auto* header = find<view::HeaderLabel>(name);
        auto words = header->words();
        for (auto& word : words) word.rect.moveTopLeft(header->mapTo(drawing, word.rect.topLeft()));
        return words;
    }
    // Each header word stands left-aligned over its field, above it, clear of
    // the next word; the fields left out stay bare. An empty expected list
    // checks the places only.
    void expectOver(const QString& header, const std::vector<QString>& fields,
                    const QStringList& expected = {}) const {
        const auto words = headerWords(header);
        ASSERT_EQ(words.size(), fields.size()) << header.toStdString();
        QStringList texts;
        for (size_t i = 0; i < words.size(); ++i) {
            const std::string what = words[i].text.toStdString();
            texts << words[i].text;
            EXPECT_EQ(words[i].rect.x(), place(fields[i]).x()) << what;
            EXPECT_LT(words[i].rect.bottom(), place(fields[i]).y()) << what;
            if (i > 0) {
                EXPECT_LT(words[i - 1].rect.right(), words[i].rect.left()) << what;
            }
        }
        if (!expected.isEmpty()) {
            EXPECT_EQ(texts, expected) << header.toStdString();
        }
    }
};

}  // namespace test
