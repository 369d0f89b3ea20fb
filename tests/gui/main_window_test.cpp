#include "plexa/view/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <vector>

#include "plexa/form_fixture.h"
#include "view/header_label.h"
#include "window_probe.h"

namespace {

// The fields under Label2's words, word by word.
const std::vector<QString> kParameterRow = {"Label1(0)", "Text1(0)", "Label1(1)", "Text1(1)",
                                            "Text1(2)",  "Text1(3)", "Text1(4)",  "Text5(0)",
                                            "Text5(1)",  "Text5(2)"};

// Plexa's window over a form on a hand-driven clock, with no serial ports.
class PlexaWindow : public test::PlexaFormTest, public test::WindowProbe {
  protected:
    void open(bool editing = true) {
        editing ? startEditing() : start();
        window = std::make_unique<plexa::MainWindow>(*form);
        root = drawing = window.get();
        window->show();
        QCoreApplication::processEvents();
    }

    QString caption(const QString& name) const { return find<QLabel>(name)->text(); }
    void clickOutput(int n) {
        auto* list = find<QListWidget>("List1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(n)).center());
    }
    std::vector<int> outputsOn() const {
        std::vector<int> on;
        auto* list = find<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->isSelected()) on.push_back(i);
        return on;
    }
    QString modelCaption(const ui::Label& label) const {
        return QString::fromStdString(label.caption());
    }

    std::unique_ptr<plexa::MainWindow> window;
};

TEST_F(PlexaWindow, ShowsEveryControlOfTheForm) {
    open();
    const char* names[] = {
        "Label14",  "Picture1",   "Label2",   "Label1(0)",  "Label1(1)", "Label1(2)", "Text1(0)",
        "Text1(4)", "Text1(5)",   "Text1(8)", "Command7",   "Text5(0)",  "Command8",  "Text5(1)",
        "Text5(2)", "Label8",     "step",     "Label22(1)", "Label3",    "Command3",  "Command5",
        "Command2", "Text2",      "Command1", "File1",      "Command4",  "Frame2",    "List1",
        "Label18",  "Text3",      "Label19",  "Text4",      "Label20",   "Check1",    "Label21",
        "Command6", "Label23",    "Text9",    "Command11",  "Label6",    "Text6",     "Label7",
        "Text7",    "Label22(0)", "Label11",  "Combo3",     "Text8(0)",  "Text8(1)",  "Label9",
        "Label10",  "Label13",    "Form1"};
    for (const char* name : names) {
        const auto* widget = find<QWidget>(name);
        EXPECT_TRUE(widget && widget->isVisibleTo(window.get())) << name;
    }
    EXPECT_EQ(find<QListWidget>("List1")->count(), 256);
    EXPECT_EQ(find<QListWidget>("List1")->item(255)->text(), "255");
    EXPECT_EQ(find<QPushButton>("Command3")->text(), "DowmLoad");
}

TEST_F(PlexaWindow, ShowsTheStartAndTheHeaderFollowsItsCaption) {
    open(false);
    EXPECT_EQ(text("Text1(0)"), "4");
    EXPECT_EQ(find<QComboBox>("Combo3")->currentText(), "Combo3");
    auto* surface = find<QPlainTextEdit>("Form1");
    EXPECT_TRUE(surface->isReadOnly());
    const QStringList lines = surface->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.first(), QString::fromUtf8("出错或占用Com号=  16"));
    EXPECT_EQ(headerWords("Label2").at(7).text, "CurrentPosition");

    tick();
    EXPECT_EQ(caption("Label1(0)"), " 12796");
    EXPECT_EQ(caption("Label2"), modelCaption(form->Label2));
    EXPECT_EQ(headerWords("Label2").at(7).text, "CurrentStep");
    type("Text5(1)", "4");
    tick();
    QCoreApplication::processEvents();
    EXPECT_EQ(headerWords("Label2").at(9).text, "JempStep");
    expectOver("Label2", kParameterRow);
}

TEST_F(PlexaWindow, HeaderWordsStandOverTheirFields) {
    open();
    expectOver("Label2", kParameterRow);
    expectOver("Label22(0)", {"Text1(5)", "Text1(6)", "Text1(7)", "Text1(8)"});
    EXPECT_EQ(place("Text5(0)").x(), place("step").x());
    EXPECT_LT(place("Text5(0)").y(), place("step").y());
    EXPECT_LT(place("Text1(4)").x(), place("Command7").x());
    EXPECT_LT(place("Command7").x(), place("Text5(0)").x());
    EXPECT_LT(place("Text5(0)").x(), place("Command8").x());
}

TEST_F(PlexaWindow, TypedValuesAreStoredAndShownClamped) {
    open();
    type("Text1(1)", "99999");
    EXPECT_EQ(text("Text1(1)"), "12796");
    QTest::keyClicks(find<QLineEdit>("Text1(1)"), "1");  // a sixth character
    EXPECT_EQ(text("Text1(1)"), "12796");
    EXPECT_EQ(word(2), 12796);
}

TEST_F(PlexaWindow, OutputClicksWriteTheCurrentStep) {
    open();
    const int record = 10;
    clickOutput(10);
    EXPECT_EQ(form->ProgramTable.byte(record + 3), 0x04);
    EXPECT_EQ(outputsOn(), std::vector<int>{10});

    clickOutput(100);  // beyond the 64 outputs of four groups: shown off again
    EXPECT_EQ(outputsOn(), std::vector<int>{10});
    clickOutput(10);
    EXPECT_TRUE(outputsOn().empty());
    EXPECT_EQ(form->ProgramTable.byte(record + 3), 0);
}

// The list is drawn anew where its items change, whoever changes them: a
// new step, a loaded file.
TEST_F(PlexaWindow, TheOutputListRepaintsWhenItsItemsChange) {
    open();
    auto* list = find<QListWidget>("List1");
    const QRect item3 = list->visualItemRect(list->item(3));
    struct PaintWatch final : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } watch;
    list->viewport()->installEventFilter(&watch);
    auto repainted = [&](auto change) {
        QCoreApplication::processEvents();
        watch.painted = QRegion();
        change();
        QCoreApplication::processEvents();
        return watch.painted.contains(item3.center());
    };
    EXPECT_TRUE(repainted([&] { clickOutput(3); }));
    EXPECT_TRUE(repainted([&] { click("Command7"); }));  // "+": step 2, all off
    EXPECT_TRUE(repainted([&] { click("Command8"); }));
    form->Text2.setText("mernal");
    EXPECT_TRUE(repainted([&] { click("Command1"); }));   // the default file: all off
    EXPECT_FALSE(repainted([&] { click("Command1"); }));  // nothing changed: nothing drawn
}

TEST_F(PlexaWindow, ModelSideChangesShowInTheWidgets) {
    open();
    const int record = 10;
    form->ProgramTable.setWord(record, 30123);
    form->ProgramTable.setByte(record + 2, 0x81);
    form->ccc();
    EXPECT_EQ(text("Text5(1)"), "3");
    EXPECT_EQ(text("Text5(2)"), "123");
    EXPECT_EQ(outputsOn(), (std::vector<int>{0, 7}));
}

TEST_F(PlexaWindow, ListSizeFieldsShapeTheOutputList) {
    open();
    auto* list = find<QListWidget>("List1");
    const auto top = [&](int n) { return list->visualItemRect(list->item(n)).top(); };
    EXPECT_EQ(top(15), top(0));
    EXPECT_GT(top(16), top(15));

    type("Text6", "4");
    QCoreApplication::processEvents();
    EXPECT_EQ(top(3), top(0));
    EXPECT_GT(top(4), top(3));
    type("Text7", "1500");
    EXPECT_EQ(list->height(), 100);
}

TEST_F(PlexaWindow, APortIsPickedOrTyped) {
    open();
    auto* combo = find<QComboBox>("Combo3");
    emit combo->activated(2);
    EXPECT_EQ(form->Combo3.text(), "3");
    EXPECT_EQ(combo->currentText(), "3");
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "12");
    EXPECT_EQ(form->Combo3.text(), "12");
}

TEST_F(PlexaWindow, SaveListsTheFileAndExitQuits) {
    open();
    type("Text2", "show1");
    click("Command2");
    auto* files = find<QListWidget>("File1");
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(1)->text(), "show1.qdf");

    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(0)).center());
    EXPECT_EQ(text("Text2"), "mernal");
    click("Command4");
    EXPECT_EQ(quits, 1);
}

}  // namespace
