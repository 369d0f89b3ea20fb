#include "plexa/view/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "view/bindings.h"
#include "view/edit_session.h"
#include "view/fitting.h"
#include "view/header_label.h"
#include "view/surface_view.h"
#include "view/window_font.h"

namespace plexa {

namespace {

// The decoration beside the title: a fountain's basin and three jets.
class Picture final : public QWidget {
  public:
    explicit Picture(QWidget* parent) : QWidget(parent) {
        setObjectName("Picture1");
        setFixedSize(86, 54);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), QColor(20, 40, 90));
        painter.setPen(QPen(QColor(140, 210, 255), 2));
        for (int jet = 0; jet < 3; ++jet) {
            const double x = 23 + 20 * jet;
            const double top = jet == 1 ? 6 : 16;
            QPainterPath path(QPointF(x, 44));
            path.quadTo(x - 14, top, x - 20, 44);
            path.moveTo(x, 44);
            path.quadTo(x + 14, top, x + 20, 44);
            painter.drawPath(path);
        }
        painter.fillRect(QRectF(6, 44, 74, 6), QColor(180, 180, 190));
    }
};

int textWidth(const QWidget* widget, int chars) {
    return widget->fontMetrics().horizontalAdvance(QString(chars, '0')) + 14;
}

QLabel* label(ui::Label& control, QWidget* parent, view::ProgressPainter* painter = nullptr) {
    auto* widget = new QLabel(parent);
    view::bindLabel(control, widget, painter);
    return widget;
}

QLineEdit* field(ui::TextBox& control, QWidget* parent, int chars) {
    auto* widget = new QLineEdit(parent);
    widget->setFixedWidth(textWidth(widget, chars));
    view::bindTextBox(control, widget);
    return widget;
}

// A label of one line as wide as the longest of its texts. Its size is
// fixed, so that a new text neither moves the row nor makes the window lay
// itself out again, as it would after every block of a transfer.
void keepRoomFor(QLabel* widget, std::initializer_list<const char*> texts) {
    int width = 0;
    for (const char* text : texts)
        width = std::max(width, widget->fontMetrics().horizontalAdvance(QString::fromUtf8(text)));
    widget->setFixedSize(width + 2 * widget->margin() + 4, widget->sizeHint().height());
    widget->setAutoFillBackground(true);
}

QPushButton* button(ui::Button& control, QWidget* parent) {
    auto* widget = new QPushButton(parent);
    view::bindButton(control, widget);
    return widget;
}

QPushButton* narrowButton(ui::Button& control, QWidget* parent) {
    auto* widget = button(control, parent);
    widget->setFixedWidth(28);
    return widget;
}

// Keeps each header word's grid column wide enough for the word.
template <std::size_t N>
void keepRoomForWords(ui::Label& control, view::HeaderLabel* header, QGridLayout* grid,
                      const std::array<int, N>& columns) {
    auto reserve = [header = QPointer(header), grid = QPointer(grid), columns] {
        if (!header || !grid) return;
        for (std::size_t i = 0; i < N; ++i) {
            const int width = header->wordWidth(static_cast<int>(i));
            if (grid->columnMinimumWidth(columns[i]) != width)
                grid->setColumnMinimumWidth(columns[i], width);
        }
    };
    control.observe(reserve);
    reserve();
}

// The caption's words over the grid row below, each over the widget in its
// column.
template <std::size_t N>
void header(ui::Label& control, QGridLayout* grid, int row, const std::array<int, N>& columns) {
    std::vector<QWidget*> anchors;
    for (int column : columns) anchors.push_back(grid->itemAtPosition(row + 1, column)->widget());
    auto* widget = new view::HeaderLabel(anchors, grid->parentWidget());
    view::bindLabel(control, widget);
    const int span = columns.back() - columns.front() + 1;
    grid->addWidget(widget, row, columns.front(), 1, span, Qt::AlignBottom);
    keepRoomForWords(control, widget, grid, columns);
}

}  // namespace

MainWindow::MainWindow(Form1& form, view::ProgressPainter& painter, QWidget* parent)
    : QMainWindow(parent), form_(form), painter_(painter) {
    setObjectName("Form1");
    view::bindEditHistory(
        form_.history, this, "Plexa", [this] { form_.undo(); }, [this] { form_.redo(); });
    form_.askToSave = [this](const std::string& fileName) {
        return view::askToSave(this, fileName);
    };
    view::useChineseFont(this);

    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->addWidget(titleRow(central));
    rows->addWidget(parameterRows(central));
    rows->addWidget(descriptionRow(central));
    rows->addWidget(fileRow(central));
    rows->addWidget(outputRow(central));
    rows->addWidget(bottomRows(central));
    rows->addStretch();
    // On a small screen or at a large scale the window scrolls instead of
    // pushing controls off the screen.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(central);
    setCentralWidget(scroll);
    // How a transfer ended stays in sight below the scrolled drawing.
    view::bindStatusBar(form_.StatusBar1, statusBar());
    const QSize bar(0, statusBar()->sizeHint().height());
    resize(view::scrolledSize(scroll, central->sizeHint(), view::screenRoom(this) - bar) + bar);
}

QWidget* MainWindow::titleRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* title = label(form_.Label14, row);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);
    layout->addWidget(title, 1, Qt::AlignCenter);
    layout->addWidget(new Picture(row));
    return row;
}

QWidget* MainWindow::parameterRows(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->addWidget(label(form_.Label1[0], box), 1, 0);
    grid->addWidget(field(form_.Text1[0], box, 6), 1, 1, Qt::AlignLeft);
    grid->addWidget(label(form_.Label1[1], box), 1, 2);
    for (int i = 1; i <= 4; ++i)
        grid->addWidget(field(form_.Text1[i], box, 6), 1, 2 + i, Qt::AlignLeft);
    grid->addWidget(narrowButton(form_.Command7, box), 1, 7);
    grid->addWidget(field(form_.Text5[0], box, 6), 1, 8, Qt::AlignLeft);
    grid->addWidget(narrowButton(form_.Command8, box), 1, 9);
    grid->addWidget(field(form_.Text5[1], box, 6), 1, 10, Qt::AlignLeft);
    grid->addWidget(field(form_.Text5[2], box, 6), 1, 11, Qt::AlignLeft);
    grid->addWidget(label(form_.Label1[2], box), 1, 12);
    grid->addWidget(label(form_.Label8, box), 1, 13);
    grid->addWidget(field(form_.step, box, 6), 2, 8, Qt::AlignLeft);
    header<10>(form_.Label2, grid, 0, {0, 1, 2, 3, 4, 5, 6, 8, 10, 11});
    grid->setColumnStretch(14, 1);
    return box;
}

QWidget* MainWindow::descriptionRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label(form_.Label22[1], row), 0, Qt::AlignTop);
    // With 16 groups the line is wider than the window: it wraps onto a
    // second line, whose room is kept so that nothing below moves.
    QLabel* line = label(form_.Label3, row);
    line->setWordWrap(true);
    line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    line->setFixedHeight(2 * line->fontMetrics().lineSpacing() + 2);
    line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(line, 1);
    return row;
}

QWidget* MainWindow::fileRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(button(form_.Command3, row));
    layout->addWidget(button(form_.Command5, row));
    layout->addWidget(button(form_.Command2, row));
    layout->addWidget(field(form_.Text2, row, 10));
    layout->addWidget(button(form_.Command1, row));
    auto* files = new QListWidget(row);
    files->setFixedSize(textWidth(files, 16), 4 * files->fontMetrics().height());
    view::bindFileList(form_.File1, files);
    layout->addWidget(files);
    layout->addWidget(button(form_.Command4, row));
    layout->addStretch();
    return row;
}

// The output frame, and beside it the lines of the port scan, sixteen lines
// high as the list is at its design height.
QWidget* MainWindow::outputRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(outputFrame(row), 1, Qt::AlignTop);
    auto* surface = new view::SurfaceView(row);
    view::bindSurface(form_.surface, surface);
    layout->addWidget(surface, 0, Qt::AlignTop);
    return row;
}

QWidget* MainWindow::outputFrame(QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    view::bindFrame(form_.Frame2, frame);
    auto* layout = new QHBoxLayout(frame);
    auto* list = new QListWidget(frame);
    view::bindListBox(form_.List1, list);
    layout->addWidget(list, 1, Qt::AlignTop);
    layout->addWidget(outputControls(frame), 0, Qt::AlignTop);
    return frame;
}

QWidget* MainWindow::outputControls(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(label(form_.Label18, box), 0, 0);
    grid->addWidget(field(form_.Text3, box, 4), 0, 1);
    grid->addWidget(label(form_.Label19, box), 1, 0);
    grid->addWidget(field(form_.Text4, box, 4), 1, 1);
    grid->addWidget(label(form_.Label20, box), 2, 0);
    auto* all = new QCheckBox(box);
    view::bindCheckBox(form_.Check1, all);
    grid->addWidget(all, 2, 1);
    grid->addWidget(label(form_.Label21, box), 3, 0);
    grid->addWidget(button(form_.Command6, box), 3, 1);
    grid->addWidget(label(form_.Label23, box), 4, 0);
    grid->addWidget(field(form_.Text9, box, 5), 4, 1);
    grid->addWidget(button(form_.Command11, box), 5, 1);
    grid->addWidget(label(form_.Label6, box), 6, 0);
    grid->addWidget(field(form_.Text6, box, 4), 6, 1);
    grid->addWidget(label(form_.Label7, box), 7, 0);
    grid->addWidget(field(form_.Text7, box, 4), 7, 1);
    return box;
}

QWidget* MainWindow::bottomRows(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 5; i <= 8; ++i)
        grid->addWidget(field(form_.Text1[i], box, 6), 1, i - 5, Qt::AlignLeft);
    header<4>(form_.Label22[0], grid, 0, {0, 1, 2, 3});
    grid->addWidget(label(form_.Label11, box), 0, 4);
    auto* port = new QComboBox(box);
    view::bindComboBox(form_.Combo3, port);
    grid->addWidget(port, 0, 5);
    port->setToolTip("The COM port of the controller (1 to 16)");
    QLineEdit* first = field(form_.Text8[0], box, 5);
    QLineEdit* last = field(form_.Text8[1], box, 5);
    first->setToolTip("First block sent or read (0 is the program header)");
    last->setToolTip("Last block sent or read (at most 8000)");
    grid->addWidget(first, 1, 4);
    grid->addWidget(last, 1, 5);
    QLabel* block = label(form_.Label10, box, &painter_);
    QLabel* elapsed = label(form_.Label9, box, &painter_);
    keepRoomFor(block, {"CommunicationNumbers", " 00000"});
    keepRoomFor(elapsed, {"CommunicationTime", " 0000000 ms"});
    grid->addWidget(block, 0, 6);
    grid->addWidget(elapsed, 1, 6);
    // The status may carry a long file error: it wraps instead of widening
    // the window.
    QLabel* status = label(form_.Label13, box, &painter_);
    status->setToolTip(
        "The outcome of the last block exchange, or why a file command failed.\n"
        "CommunicateSuccessfully: the controller took the block sent, or sent the block "
        "asked for.\n"
        "端口不能收到数据: a block sent was refused or got no reply within 500 ms.\n"
        "CommunicationDataError: a block asked for was refused or got no reply within "
        "500 ms.\n"
        "CommunicateUnsuccessfully: a reply came but was wrong (a damaged block, or a "
        "block sent that was not taken).\n"
        "No reply at all: check the cable, the port number in the port box and that the "
        "controller is switched on.");
    status->setWordWrap(true);
    status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(status, 2, 0, 1, 6);
    auto* progress = new QProgressBar(box);
    view::bindProgressBar(form_.progress, progress, painter_);
    progress->setAutoFillBackground(true);
    progress->setToolTip("Blocks of the range sent or read");
    grid->addWidget(progress, 2, 6);
    grid->setColumnStretch(7, 1);
    return box;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (form_.settleEdits()) {
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace plexa
