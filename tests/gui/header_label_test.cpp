#include "view/header_label.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <memory>
#include <string>
#include <vector>

#include "view/bindings.h"

namespace {

// Counts the paint events of the object it watches.
class PaintCounter final : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A header bound to a label over three anchors at x 10, 120 and 250.
class HeaderLabelTest : public ::testing::Test {
  protected:
    HeaderLabelTest() {
        parent.resize(400, 80);
        for (int x : {10, 120, 250}) {
            anchors.push_back(new QWidget(&parent));
            anchors.back()->setGeometry(x, 40, 60, 20);
        }
        header = new view::HeaderLabel(anchors, &parent);
        header->setGeometry(0, 10, 400, header->sizeHint().height());
        view::bindLabel(label, header);
        parent.show();
        QCoreApplication::processEvents();
    }

    std::vector<int> wordXs() const {
        std::vector<int> xs;
        for (const auto& word : header->words()) xs.push_back(word.rect.x());
        return xs;
    }
    QStringList wordTexts() const {
        QStringList texts;
        for (const auto& word : header->words()) texts << word.text;
        return texts;
    }

    ui::Label label{"Label2", "a b  c <d>"};
    QWidget parent;
    std::vector<QWidget*> anchors;
    view::HeaderLabel* header = nullptr;
};

// Words over fields of Plexa's window, and their following a new caption,
// are tested with the window.
TEST_F(HeaderLabelTest, JoinsSurplusWordsAtTheLastAnchorAndIsOneLineHigh) {
    EXPECT_EQ(header->objectName(), "Label2");
    EXPECT_EQ(header->text(), "a b  c <d>");
    EXPECT_EQ(wordTexts(), (QStringList{"a", "b", "c <d>"}));
    EXPECT_EQ(wordXs(), (std::vector<int>{10, 120, 250}));
    QLabel plain(&parent);  // the room a label of the word alone would take
    plain.setTextFormat(Qt::PlainText);
    plain.setText("c <d>");
    EXPECT_EQ(header->wordWidth(2), plain.sizeHint().width());
    EXPECT_EQ(header->words()[2].rect.width(), header->wordWidth(2));
    QLabel line("Xg", &parent);
    EXPECT_EQ(header->sizeHint().height(), line.sizeHint().height());

    const QSize hint = header->sizeHint();
    EXPECT_LT(hint.width(), header->fontMetrics().horizontalAdvance("a"));  // the row sets it
    label.setCaption("a" + std::string(10, ' ') + "c");  // a wide gap passes b's field by
    EXPECT_EQ(wordXs(), (std::vector<int>{10, 250}));
    EXPECT_EQ(header->wordWidth(1), 0);
    label.setCaption("a" + std::string(25, ' ') + "b c");  // the last field keeps its word
    EXPECT_EQ(wordTexts(), (QStringList{"a", "b c"}));
    EXPECT_EQ(wordXs(), (std::vector<int>{10, 250}));
    label.setCaption(" x ");
    EXPECT_EQ(wordTexts(), QStringList{"x"});
    EXPECT_EQ(header->wordWidth(1), 0);
    EXPECT_EQ(header->sizeHint(), hint);
    label.setCaption("");
    EXPECT_TRUE(header->words().empty());
}

TEST_F(HeaderLabelTest, PaintsEachWordInItsPlaceOnly) {
    label.setCaption("WWW MMM");
    const QImage image = header->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    const auto inked = [&](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != background) return true;
        return false;
    };
    const auto words = header->words();
    for (int x = 0; x < image.width(); ++x) {
        const bool inWord = std::any_of(words.begin(), words.end(),
                                        [x](const auto& word) { return word.rect.contains(x, 0); });
        if (!inWord) {
            EXPECT_FALSE(inked(x)) << "x " << x;
        }
    }
    for (const auto& word : words)
        EXPECT_TRUE(inked(word.rect.center().x())) << word.text.toStdString();
}

TEST_F(HeaderLabelTest, FollowsItsAnchorsAndOutlivesThem) {
    PaintCounter counter;
    header->installEventFilter(&counter);
    anchors[1]->move(150, 40);
    QCoreApplication::processEvents();
    EXPECT_EQ(wordXs(), (std::vector<int>{10, 150, 250}));
    EXPECT_GT(counter.paints, 0);

    header->move(5, 10);
    EXPECT_EQ(wordXs(), (std::vector<int>{5, 145, 245}));

    delete anchors[1];
    EXPECT_EQ(wordTexts(), (QStringList{"a", "c <d>"}));
    EXPECT_FALSE(header->grab().isNull());
}

}  // namespace
