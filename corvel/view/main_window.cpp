#include "corvel/view/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "corvel/view/lamp_font.h"
#include "view/bindings.h"
#include "view/edit_session.h"
#include "view/fitting.h"
#include "view/header_label.h"
#include "view/surface_view.h"
#include "view/window_font.h"

namespace corvel {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kFieldPitch = 1026;    // twips from one grid field to the next
constexpr int kWordGap = 8;          // pixels kept clear after a header word
constexpr int kDesignWidth = 12900;  // twips, the right edge of the drawing
constexpr int kLampCharacters = 64;
constexpr int kMargin = 8;

// Below the option frame the lamp lines come first and the room of the
// output and bit panels below them, so that switching outputs leaves the
// lines in sight; the port scan and the link's state stand beside both.
constexpr int kLampTop = 4440;
constexpr int kLampPitch = 420;
constexpr int kLampHeight = 375;
constexpr int kPanelTop = kLampTop + 4 * kLampPitch + 60;
const QRect kPanel(360, kPanelTop, 11175, 3015);
constexpr int kSideLeft = 11715;
constexpr int kSideWidth = 3300;

// The logo: a row of jets of a chasing fountain, each caught at another
// height, over the basin.
class Picture final : public QWidget {
  public:
    explicit Picture(QWidget* parent) : QWidget(parent) { setObjectName("Picture1"); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), QColor(20, 40, 90));
        const double basin = height() - 7;
        const int jets = 7;
        const double pitch = width() / static_cast<double>(jets);
        painter.setPen(QPen(QColor(140, 210, 255), 2));
        for (int jet = 0; jet < jets; ++jet) {
            const double x = pitch * (jet + 0.5);
            const double rise = (basin - 4) * (0.35 + 0.65 * std::abs(std::sin(0.7 * jet + 0.4)));
            QPainterPath path(QPointF(x, basin));
            path.quadTo(x, basin - 2 * rise, x + pitch * 0.45, basin);
            painter.drawPath(path);
        }
        painter.fillRect(QRectF(3, basin, width() - 6, 4), QColor(180, 180, 190));
    }
};

QLabel* label(ui::Label& control, QWidget* parent, view::ProgressPainter* painter = nullptr) {
    auto* widget = new QLabel(parent);
    view::bindLabel(control, widget, painter);
    return widget;
}

QLineEdit* field(ui::TextBox& control, QWidget* parent) {
    auto* widget = new QLineEdit(parent);
    view::bindTextBox(control, widget);
    return widget;
}

QPushButton* button(ui::Button& control, QWidget* parent) {
    auto* widget = new QPushButton(parent);
    view::bindButton(control, widget);
    return widget;
}

// A frame shown over others comes to the top.
void bindRaised(ui::Frame& control, QGroupBox* widget) {
    view::bindFrame(control, widget);
    QPointer<QGroupBox> guard(widget);
    control.observe([guard, &control] {
        if (guard && control.visible()) guard->raise();
    });
}

QGroupBox* frame(ui::Frame& control, QWidget* parent) {
    auto* widget = new QGroupBox(parent);
    widget->setAutoFillBackground(true);  // it covers what lies below it
    bindRaised(control, widget);
    return widget;
}

// A panel that opens over the window: a box with its title inside it. It is
// bound to its frame, and so shown, once its contents are in it.
QGroupBox* panel(QWidget* parent) {
    auto* widget = new QGroupBox(parent);
    widget->setAutoFillBackground(true);
    widget->setStyleSheet(
        "QGroupBox { border: 1px solid palette(dark); margin: 0px; padding: 0px;"
        " background-color: palette(window); }"
        "QGroupBox::title { subcontrol-origin: padding; subcontrol-position: top left;"
        " padding: 2px 6px; }");
    return widget;
}

// Geometry that keeps the whole caption: at least the widget's own width.
void fit(QWidget* widget, QRect rect) {
    rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
    widget->setGeometry(rect);
}

// At the point, as large as its caption needs.
void fitAt(QWidget* widget, QPoint topLeft) {
    widget->setGeometry(QRect(topLeft, widget->sizeHint()));
}

// The widest word of the captions in the widget's font.
int widestWord(const QWidget* widget, const std::vector<const ui::Label*>& captions) {
    int widest = 0;
    for (const ui::Label* caption : captions)
        for (const QString& word :
             QString::fromStdString(caption->caption()).split(' ', Qt::SkipEmptyParts))
            widest = std::max(widest, widget->fontMetrics().horizontalAdvance(word));
    return widest;
}

struct RangeControls {
    ui::Label* from;
    ui::TextBox& fromField;
    ui::Label* to;
    ui::TextBox& toField;
    ui::Label& all;
    ui::CheckBox& check;
    ui::Label& state;
    ui::Button& apply;
};

// From, To, the ON/OFF box and the apply button, stacked in a column as
// wide as they need.
QWidget* rangeColumn(const RangeControls& controls, QWidget* panel) {
    auto* column = new QWidget(panel);
    const int line = panel->fontMetrics().height() + 4;
    const int fieldWidth = panel->fontMetrics().horizontalAdvance("0000") + 12;
    int y = 0;
    if (controls.from) fitAt(label(*controls.from, column), {0, y});
    y += line;
    field(controls.fromField, column)->setGeometry(0, y, fieldWidth, line + 2);
    y += line + 6;
    if (controls.to) fitAt(label(*controls.to, column), {0, y});
    y += line;
    field(controls.toField, column)->setGeometry(0, y, fieldWidth, line + 2);
    y += line + 8;
    QLabel* all = label(controls.all, column);
    fitAt(all, {0, y});
    auto* check = new QCheckBox(column);
    view::bindCheckBox(controls.check, check);
    fitAt(check, {all->geometry().right() + 4, y});
    QLabel* state = label(controls.state, column);
    state->setGeometry(check->geometry().right() + 4, y,
                       state->fontMetrics().horizontalAdvance("OFF") + 4, line);
    y += line + 6;
    fit(button(controls.apply, column), QRect(0, y, fieldWidth, line + 8));
    const QRect used = column->childrenRect();
    column->resize(used.right() + 1, used.bottom() + 1);
    return column;
}

// The list where the design puts it, the range column at the panel's right
// edge; the list gives up what the column needs.
void fillPanel(ui::ListBox& list, QGroupBox* panel, QRect place, QWidget* column) {
    column->move(panel->width() - kMargin - column->width(), place.top());
    place.setRight(std::min(place.right(), column->x() - kMargin));
    auto* widget = new QListWidget(panel);
    widget->setGeometry(place);
    view::bindListBox(list, widget);
}

// The size that holds every child, shown or hidden, and the room of the
// output and bit panels, whether built yet or not. The additional panel
// stays left of Command7 and above the file row, inside that size.
QSize drawingSize(const QWidget* drawing, QRect panelRoom) {
    QRect all = panelRoom;
    for (const QWidget* child : drawing->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        all = all.united(child->geometry());
    return {all.right() + 1 + kMargin, all.bottom() + 1 + kMargin};
}

// The panel's tab stops in the order they were made, which is their order
// in the design.
std::vector<QWidget*> tabStops(const QWidget* panel) {
    std::vector<QWidget*> stops;
    for (QWidget* widget : panel->findChildren<QWidget*>())
        if (widget->focusPolicy() & Qt::TabFocus) stops.push_back(widget);
    return stops;
}

// A panel built late has its tab stops where the design has them, just
// before the widget next, rather than last in the window.
void tabBefore(const QWidget* panel, QWidget* next) {
    QWidget* previous = next;
    do {
        previous = previous->previousInFocusChain();
    } while (!(previous->focusPolicy() & Qt::TabFocus) || panel->isAncestorOf(previous));
    for (QWidget* stop : tabStops(panel)) {
        QWidget::setTabOrder(previous, stop);
        previous = stop;
    }
}

}  // namespace

MainWindow::MainWindow(Form1& form, view::ProgressPainter& painter, QWidget* parent)
    : QMainWindow(parent), form_(form), painter_(painter) {
    setObjectName("Form1");
    view::bindEditHistory(
        form_.history, this, "Corvel", [this] { form_.undo(); }, [this] { form_.redo(); });
    form_.askToSave = [this](const std::string& fileName) {
        return view::askToSave(this, fileName);
    };
    view::useChineseFont(this);
    const int widest =
        widestWord(this, {&form_.Label1, &form_.Label2, &form_.Label3, &form_.Label4});
    stretch_ = std::max(1.0, (widest + kWordGap) * kTwipsPerPixel / kFieldPitch);

    auto* scroll = new QScrollArea(this);
    auto* drawing = new QWidget(scroll);
    titleRow(drawing);
    selectors(drawing);
    grid(drawing);
    headers(drawing);
    fileRow(drawing);
    workModeAndOptions(drawing);
    lampLines(drawing);
    statusRows(drawing);
    form_.List1.setColumns(16);  // sixteen outputs, two bytes, a line
    form_.List2.setColumns(8);   // one mask byte, one grid field, a line
    buildWhenShown(form_.Frame2, &MainWindow::outputPanel, drawing);
    buildWhenShown(form_.Frame4, &MainWindow::bitPanel, drawing);
    buildWhenShown(form_.Frame3, &MainWindow::additionalPanel, drawing);  // over the grid
    drawing->setFixedSize(
        drawingSize(drawing, at(kPanel.x(), kPanel.y(), kPanel.width(), kPanel.height())));
    scroll->setWidget(drawing);
    setCentralWidget(scroll);
    // How a transfer ended stays in sight below the scrolled drawing.
    view::bindStatusBar(form_.StatusBar1, statusBar());
    const QSize bar(0, statusBar()->sizeHint().height());
    resize(view::scrolledSize(scroll, drawing->size(), view::screenRoom(this) - bar) + bar);
}

QRect MainWindow::at(int left, int top, int width, int height) const {
    const QPoint corner = at(left, top);
    return {corner, QSize(across(width), static_cast<int>(std::lround(height / kTwipsPerPixel)))};
}

QPoint MainWindow::at(int left, int top) const {
    return {across(left), static_cast<int>(std::lround(top / kTwipsPerPixel))};
}

int MainWindow::across(int twips) const {
    return static_cast<int>(std::lround(twips * stretch_ / kTwipsPerPixel));
}

void MainWindow::buildWhenShown(ui::Frame& frame, void (MainWindow::*build)(QWidget*),
                                QWidget* parent) {
    if (frame.visible()) {
        (this->*build)(parent);
        return;
    }
    QPointer<QWidget> guard(parent);
    frame.observe([this, &frame, build, guard, built = false]() mutable {
        if (built || !guard || !frame.visible()) return;
        built = true;
        (this->*build)(guard);
    });
}

void MainWindow::titleRow(QWidget* parent) {
    (new Picture(parent))->setGeometry(at(0, 0, 1335, 615));
    QLabel* title = label(form_.Label14, parent);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(at(3540, 0, 5655, 375));
    QLabel* note = label(form_.Label12, parent);
    note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    note->setGeometry(at(10680, 120, 2175, 255));
}

void MainWindow::selectors(QWidget* parent) {
    fitAt(label(form_.Label5, parent), at(900, 795));
    auto* group = new QComboBox(parent);
    view::bindDropDownList(form_.Combo1, group);
    fit(group, at(840, 1185, 855, 330));
    fitAt(label(form_.Label6, parent), at(900, 2040));
    auto* code = new QComboBox(parent);
    view::bindDropDownList(form_.Combo2, code);
    fit(code, at(840, 2385, 855, 330));
}

void MainWindow::grid(QWidget* parent) {
    for (int i = 0; i < 18; ++i) {
        const int column = i < 10 ? i : i - 10;
        const int left = i == 9 ? 11520 : 2280 + kFieldPitch * column;
        grid_[static_cast<size_t>(i)] = field(form_.Text1[static_cast<size_t>(i)], parent);
        grid_[static_cast<size_t>(i)]->setGeometry(at(left, i < 10 ? 1200 : 2400, 735, 315));
    }
    // Command8 takes Command7's place in work mode 7.
    for (ui::Button* expand : {&form_.Command7, &form_.Command8})
        fit(button(*expand, parent), at(10800, 1800, 1215, 495));
}

void MainWindow::headers(QWidget* parent) {
    struct Header {
        ui::Label& label;
        int left;
        int top;
        int firstField;
        int fields;
    };
    const Header rows[] = {{form_.Label1, 2280, 480, 0, 10},
                           {form_.Label2, 2160, 840, 0, 10},
                           {form_.Label3, 2280, 1680, 10, 8},
                           {form_.Label4, 2280, 2040, 10, 8}};
    for (const Header& row : rows) {
        std::vector<QWidget*> anchors(grid_.begin() + row.firstField,
                                      grid_.begin() + row.firstField + row.fields);
        auto* header = new view::HeaderLabel(anchors, parent);
        // It spans its row, over Command7 too: clicks go through it.
        header->setAttribute(Qt::WA_TransparentForMouseEvents);
        view::bindLabel(row.label, header);
        const QPoint corner = at(row.left, row.top);
        header->setGeometry(
            QRect(corner, QSize(across(kDesignWidth) - corner.x(), header->sizeHint().height())));
    }
}

// The panel's fields stand far enough apart for the widest name or caption
// over them, as the grid's fields do for its header words.
void MainWindow::additionalPanel(QWidget* parent) {
    QGroupBox* box = panel(parent);
    for (int i = 0; i < 9; ++i)
        additional_[static_cast<size_t>(i)] = field(form_.Text5[static_cast<size_t>(i)], box);
    const std::vector<QWidget*> anchors(additional_.begin(), additional_.end());
    auto* names = new view::HeaderLabel(anchors, box);
    view::bindLabel(form_.Label22, names);
    auto* captions = new view::HeaderLabel(anchors, box);
    view::bindLabel(form_.Label23, captions);
    int widest = 0;
    for (int i = 0; i < 9; ++i)
        widest = std::max({widest, names->wordWidth(i), captions->wordWidth(i)});
    const int pitch = std::max(across(750), widest + kWordGap);
    const QRect first = at(240, 1440, 615, 375);
    for (int i = 0; i < 9; ++i)
        additional_[static_cast<size_t>(i)]->setGeometry(first.translated(pitch * i, 0));
    // The design's 2055 twips high would cover the top of the file row; a
    // panel wider than the design's moves left to keep Command7 clear.
    const QRect place = at(2640, 1080, 7455, 3000 - 30 - 1080);
    const int width = std::max(place.width(), first.x() + 9 * pitch + kMargin);
    const int left = std::min(place.x(), across(10800) - kMargin - width);
    box->setGeometry(left, place.y(), width, place.height());
    for (auto [header, top] : {std::pair{names, 480}, std::pair{captions, 840}}) {
        const QPoint corner = at(240, top);
        header->setGeometry(
            QRect(corner, QSize(box->width() - corner.x(), header->sizeHint().height())));
    }
    label(form_.Label24, box)->setGeometry(at(240, 1080, 735, 255));
    bindRaised(form_.Frame3, box);
}

void MainWindow::fileRow(QWidget* parent) {
    button(form_.Command3, parent)->setGeometry(at(840, 3000, 1215, 375));
    button(form_.Command5, parent)->setGeometry(at(2260, 3000, 1215, 375));
    button(form_.Command2, parent)->setGeometry(at(3680, 3000, 1215, 375));
    field(form_.Text2, parent)->setGeometry(at(5100, 3000, 1215, 375));
    button(form_.Command1, parent)->setGeometry(at(6520, 3000, 1215, 375));
    auto* files = new QListWidget(parent);
    view::bindFileList(form_.File1, files);
    // Two lines, down to the option frame, instead of the design's one.
    files->setGeometry(at(7940, 3000, 1695, 690));
    auto* port = new QComboBox(parent);
    view::bindComboBox(form_.Combo3, port);
    fit(port, at(11040, 3000, 855, 375));
    QLabel* caption = label(form_.Label11, parent);
    fitAt(caption, port->geometry().topLeft() - QPoint(0, caption->sizeHint().height() + 2));
}

void MainWindow::workModeAndOptions(QWidget* parent) {
    fitAt(label(form_.Label25, parent), at(960, 3480));
    // As wide as the room before the option frame: the longest name is
    // "Water-Pttern Rolling-Over".
    label(form_.Label8, parent)->setGeometry(at(840, 3840, 2940, 375));
    QGroupBox* options = frame(form_.Frame1, parent);
    options->setAutoFillBackground(false);
    options->setGeometry(at(3840, 3720, 8655, 615));
    std::vector<QRadioButton*> buttons;
    const int count = static_cast<int>(form_.Options.captions().size());
    const int pitch = 8655 / count;
    for (int i = 0; i < count; ++i) {
        auto* option = new QRadioButton(options);
        buttons.push_back(option);
        const QRect place = at(120 + pitch * i, 0, pitch - 120, 615);
        option->setGeometry(place.x(), (options->height() - option->sizeHint().height()) / 2,
                            place.width(), option->sizeHint().height());
    }
    view::bindOptionGroup(form_.Options, buttons);
}

// The four lines are alike: their font is sought once, for the first.
void MainWindow::lampLines(QWidget* parent) {
    QFont font;
    for (int m = 0; m < 4; ++m) {
        QLabel* line = label(form_.Label7[static_cast<size_t>(m)], parent);
        line->setGeometry(at(660, kLampTop + kLampPitch * m, 10815, kLampHeight));
        if (m == 0) font = lampFont(line->font(), kLampCharacters, line->size());
        line->setFont(font);
    }
}

void MainWindow::outputPanel(QWidget* parent) {
    QGroupBox* box = panel(parent);
    box->setGeometry(at(kPanel.x(), kPanel.y(), kPanel.width(), kPanel.height()));
    fillPanel(form_.List1, box, at(360, 360, 9735, 2430),
              rangeColumn({&form_.Label18, form_.Text3, &form_.Label19, form_.Text4, form_.Label20,
                           form_.Check1, form_.Label21, form_.Command6},
                          box));
    bindRaised(form_.Frame2, box);
    tabBefore(box, bitBox_ ? tabStops(bitBox_).front() : surface_);
}

void MainWindow::bitPanel(QWidget* parent) {
    bitBox_ = panel(parent);
    bitBox_->setGeometry(at(kPanel.x(), kPanel.y(), kPanel.width(), kPanel.height()));
    fillPanel(form_.List2, bitBox_, at(360, 360, 9735, 2430),
              rangeColumn({&form_.Label28, form_.Text7, nullptr, form_.Text6, form_.Label27,
                           form_.Check2, form_.Label26, form_.Command9},
                          bitBox_));
    bindRaised(form_.Frame4, bitBox_);
    tabBefore(bitBox_, surface_);
}

// Beside the lamp lines: every line of the port scan, and under it the
// link's state, which may carry a long file error over three lines, the
// block, the time and the share done.
void MainWindow::statusRows(QWidget* parent) {
    auto* surface = new view::SurfaceView(parent);
    surface_ = surface;
    view::bindSurface(form_.surface, surface);
    surface->move(at(kSideLeft, kLampTop));
    const int width = std::max(surface->width(), across(kSideWidth));
    const int line = surface->fontMetrics().lineSpacing() + 4;
    int y = surface->geometry().bottom() + kMargin;
    QLabel* state = label(form_.Label13, parent, &painter_);
    state->setToolTip(
        "The outcome of the last block exchange, or why a file command failed; empty while "
        "a reply is awaited.\n"
        "the communication is normal: the controller took the block sent, or sent the block "
        "asked for.\n"
        "the port can not receive the date: a block was refused or got no reply within "
        "500 ms.\n"
        "Communication data error: a reply came but was wrong (a damaged block, or a block "
        "sent that was not taken).");
    state->setWordWrap(true);
    state->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    state->setGeometry(surface->x(), y, width, 3 * line);
    y += 3 * line;
    for (ui::Label* caption : {&form_.Label10, &form_.Label9}) {
        label(*caption, parent, &painter_)->setGeometry(surface->x(), y, width, line);
        y += line;
    }
    auto* progress = new QProgressBar(parent);
    view::bindProgressBar(form_.progress, progress, painter_);
    progress->setGeometry(surface->x(), y + 2, width, progress->sizeHint().height());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (form_.settleEdits()) {
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace corvel
