#include "view/bindings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyleOptionProgressBar>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "view/progress_paint.h"
#include "view/surface_view.h"

namespace view {

namespace {

// The design's lists show sixteen lines of their text in 2500 twips; a list
// height in twips is shown as that many lines of the widget's own font.
constexpr double kTwipsPerListLine = 2500.0 / 16;
constexpr int kNoLengthLimit = 32767;  // QLineEdit's own default

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The design's bar: a sunken groove filled without gaps or words as far as
// the share done, so that a long transfer moves it with every pixel's worth
// of blocks. The desktop style's bar, with its rounded, striped chunk and
// its percentage measured anew, costs several times more at every paint.
class PlainBarStyle final : public QProxyStyle {
  public:
    PlainBarStyle() : QProxyStyle(QStyleFactory::create("Windows")) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ProgressBarChunkWidth) return 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option);
        if (element != CE_ProgressBarContents || bar == nullptr) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const qint64 span = qint64{bar->maximum} - bar->minimum;
        if (span <= 0) return;
        const qint64 done = std::clamp(qint64{bar->progress} - bar->minimum, qint64{0}, span);
        QRect filled = bar->rect;
        filled.setWidth(static_cast<int>(filled.width() * done / span));
        painter->fillRect(filled, bar->palette.highlight());
    }
};

void showCommon(const ui::Control& control, QWidget* widget) {
    widget->setEnabled(control.enabled());
    if (widget->isHidden() == control.visible()) widget->setVisible(control.visible());
}

// Names the widget after the control, shows the control now and again after
// every change of it (with a painter: when the painter shows it), for as
// long as the widget exists.
template <typename W, typename Show>
void follow(ui::Control& control, W* widget, Show show, ProgressPainter* painter = nullptr) {
    widget->setObjectName(qs(control.name()));
    QPointer<W> guard(widget);
    const auto showNow = [guard, show] {
        if (guard) show(guard.data());
    };
    if (painter != nullptr) {
        control.observe([painter, &control, showNow] { painter->defer(&control, showNow); });
    } else {
        control.observe(showNow);
    }
    show(widget);
}

bool sameItems(const QListWidget* widget, const std::vector<std::string>& items) {
    if (widget->count() != static_cast<int>(items.size())) return false;
    for (int i = 0; i < widget->count(); ++i)
        if (widget->item(i)->text() != qs(items[static_cast<size_t>(i)])) return false;
    return true;
}

// Rebuilds the widget's items when they differ; true when it did.
bool showItems(QListWidget* widget, const std::vector<std::string>& items) {
    if (sameItems(widget, items)) return false;
    const QSignalBlocker block(widget);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& text : items) texts << qs(text);
    widget->clear();
    widget->addItems(texts);  // one insertion for the view to lay out
    return true;
}

// Through the selection model, which the widget's own item calls would
// bypass while the widget lets the user select nothing.
void showSelected(QListWidget* widget, int index, bool on) {
    const QModelIndex item = widget->model()->index(index, 0);
    {
        const QSignalBlocker block(widget->selectionModel());
        widget->selectionModel()->select(
            item, on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    }
    // The view heard nothing of the change: the item is drawn anew here.
    widget->viewport()->update(widget->visualRect(item));
}

// Lets the user's clicks reach the model only: the widget selects nothing by
// itself, its selection is set from the model.
void prepareModelSelection(QListWidget* widget) {
    widget->setSelectionMode(QAbstractItemView::NoSelection);
    widget->setUniformItemSizes(true);
}

void showText(const ui::TextBox& box, QLineEdit* widget) {
    showCommon(box, widget);
    const QString text = qs(box.shownText());
    const int limit = box.maxLength() > 0 ? box.maxLength() : kNoLengthLimit;
    // A longer text set by the program is shown whole, as the model holds it.
    // Setting the length puts the text back and the cursor at its end, so
    // only a new length is set.
    const int length = std::max(limit, static_cast<int>(text.size()));
    if (widget->maxLength() != length) widget->setMaxLength(length);
    if (widget->text() == text) return;
    const QSignalBlocker block(widget);
    widget->setText(text);
}

void showChecked(const ui::CheckBox& box, QCheckBox* widget) {
    showCommon(box, widget);
    widget->setText(qs(box.caption()));
    if (widget->isChecked() == box.checked()) return;
    const QSignalBlocker block(widget);
    widget->setChecked(box.checked());
}

// Rebuilds the widget's items when they differ from the model's; returns
// the model's items. The caller blocks the widget's signals.
QStringList showComboItems(const ui::ComboBox& combo, QComboBox* widget) {
    QStringList items;
    for (const auto& item : combo.items()) items << qs(item);
    QStringList shown;
    for (int i = 0; i < widget->count(); ++i) shown << widget->itemText(i);
    if (shown != items) {
        widget->clear();
        widget->addItems(items);
    }
    return items;
}

// At least as wide as the combo box's edit field needs for the text: the
// line edit keeps two pixels on either side and one for the cursor.
void keepRoomFor(QComboBox* widget, const QString& text) {
    QStyleOptionComboBox option;
    option.initFrom(widget);
    option.editable = true;
    const QSize field(widget->fontMetrics().horizontalAdvance(text) + 6,
                      widget->fontMetrics().height());
    widget->setMinimumWidth(
        widget->style()->sizeFromContents(QStyle::CT_ComboBox, &option, field, widget).width());
}

void showCombo(const ui::ComboBox& combo, QComboBox* widget) {
    showCommon(combo, widget);
    const QSignalBlocker block(widget);
    const QSignalBlocker blockEdit(widget->lineEdit());
    showComboItems(combo, widget);
    if (widget->currentText() != qs(combo.text())) widget->setEditText(qs(combo.text()));
}

void showDropDown(const ui::ComboBox& combo, QComboBox* widget) {
    showCommon(combo, widget);
    const QSignalBlocker block(widget);
    const QStringList items = showComboItems(combo, widget);
    const int current = static_cast<int>(items.indexOf(qs(combo.text())));
    if (widget->currentIndex() != current) widget->setCurrentIndex(current);
}

void showOption(const ui::OptionGroup& group, int index, QRadioButton* widget) {
    showCommon(group, widget);
    if (!group.optionEnabled(index)) widget->setEnabled(false);
    widget->setText(qs(group.captions().at(static_cast<size_t>(index))));
    const bool on = group.selected() == index;
    if (widget->isChecked() == on) return;
    const QSignalBlocker block(widget);
    // An exclusive button is not unchecked by itself, only by its neighbour.
    widget->setAutoExclusive(false);
    widget->setChecked(on);
    widget->setAutoExclusive(true);
}

// The list widget's view of a ListBox: which items it shows as selected,
// its design height, and the cell grid that makes the model's columns.
class ListView final : public QObject {
  public:
    ListView(const ui::ListBox& list, QListWidget* widget)
        : QObject(widget),
          list_(list),
          widget_(widget),
          designMinHeight_(widget->minimumHeight()),
          designMaxHeight_(widget->maximumHeight()),
          shown_(list.items().size(), false),
          shownEnabled_(list.items().size(), true) {
        widget->setViewMode(QListView::ListMode);
        widget->setFlow(QListView::LeftToRight);
        widget->setWrapping(true);
        widget->setResizeMode(QListView::Adjust);
        widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        prepareModelSelection(widget);
        widget->installEventFilter(this);
        // A ListBox keeps the items it was made with: they are put in once,
        // selected and enabled as new items are, and every change of an
        // item's state is shown by the item alone.
        showItems(widget, list.items());
    }

    void show() {
        showCommon(list_, widget_);
        showSelection();
        showItemsEnabled();
        showHeight();
        showColumns();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) showColumns();
        return false;
    }

  private:
    void showSelection() {
        for (int i = 0; i < list_.count(); ++i) {
            const bool on = list_.selected(i);
            if (shown_[static_cast<size_t>(i)] == on) continue;
            showSelected(widget_, i, on);
            shown_[static_cast<size_t>(i)] = on;
        }
    }

    // A disabled item is drawn greyed.
    void showItemsEnabled() {
        for (int i = 0; i < list_.count(); ++i) {
            const bool on = list_.itemEnabled(i);
            if (shownEnabled_[static_cast<size_t>(i)] == on) continue;
            QListWidgetItem* item = widget_->item(i);
            item->setFlags(item->flags().setFlag(Qt::ItemIsEnabled, on));
            shownEnabled_[static_cast<size_t>(i)] = on;
        }
    }

    void showHeight() {
        if (list_.heightTwips() <= 0) {
            widget_->setMinimumHeight(designMinHeight_);
            widget_->setMaximumHeight(designMaxHeight_);
            return;
        }
        const double lines = list_.heightTwips() / kTwipsPerListLine;
        const int pixels = static_cast<int>(std::lround(lines * lineHeight()));
        widget_->setFixedHeight(std::max(1, pixels) + 2 * widget_->frameWidth());
    }

    int lineHeight() const { return widget_->fontMetrics().height() + 4; }

    // The cells share the width left beside a vertical scroll bar, whether
    // or not the bar is shown, so that the bar coming and going never moves
    // them. The widget is kept wide enough for each cell's text.
    void showColumns() {
        const int columns = std::max(1, list_.columns());
        const int edges =
            2 * widget_->frameWidth() + widget_->verticalScrollBar()->sizeHint().width();
        const int least = columns * widestItem() + edges + 1;
        if (widget_->minimumWidth() != least) widget_->setMinimumWidth(least);
        // The view wraps a row before a cell that would reach its last pixel.
        const QSize cell(std::max(1, (widget_->width() - edges - 1) / columns), lineHeight());
        if (widget_->gridSize() != cell) widget_->setGridSize(cell);
    }

    // An item's text with the margins the view keeps on either side of it.
    int widestItem() {
        const int margin =
            widget_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget_) + 1;
        return widestText() + 2 * margin;
    }

    // Measured once for the items and the font shown, as every change of an
    // item's state shows the list again.
    int widestText() {
        const QFont font = widget_->font();
        if (widestText_ && measuredFont_ == font) return *widestText_;
        const QFontMetricsF metrics(font, widget_);
        double widest = 0;
        for (const auto& item : list_.items()) widest = std::max(widest, textWidth(metrics, item));
        measuredFont_ = font;
        widestText_ = static_cast<int>(std::ceil(widest));
        return *widestText_;
    }

    // An ASCII item (the outputs' numbers) as its characters' advances
    // together, which spares laying out each of hundreds of items at start.
    // The sum leaves out kerning, which brings a pair closer if anything.
    // Any other item is laid out.
    static double textWidth(const QFontMetricsF& metrics, const std::string& item) {
        if (!std::ranges::all_of(item, [](char c) { return c > 0; }))
            return metrics.horizontalAdvance(qs(item));
        double width = 0;
        for (const char c : item) width += metrics.horizontalAdvance(QLatin1Char(c));
        return width;
    }

    const ui::ListBox& list_;
    QListWidget* widget_;
    int designMinHeight_;
    int designMaxHeight_;
    std::vector<bool> shown_;
    std::vector<bool> shownEnabled_;
    QFont measuredFont_;
    std::optional<int> widestText_;
};

// Ctrl+Z and the redo keys undo and redo the field's own typing while it
// has any; otherwise they reach the window's undo of the table.
class FieldUndoKeys final : public QObject {
  public:
    explicit FieldUndoKeys(QLineEdit* field) : QObject(field), field_(field) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo)) return !field_->isUndoAvailable();
        if (key->matches(QKeySequence::Redo)) return !field_->isRedoAvailable();
        return false;
    }

  private:
    QLineEdit* field_;
};

void showFiles(const ui::FileList& files, QListWidget* widget) {
    showCommon(files, widget);
    showItems(widget, files.files());
    for (int i = 0; i < widget->count(); ++i) {
        const bool on = i == files.selectedIndex();
        if (widget->item(i)->isSelected() != on) showSelected(widget, i, on);
    }
}

// The bar paints itself, and with it whatever else is marked, as soon as its
// fill has moved by a chunk, which the plain style makes a pixel; the painter
// calls this only when it shows the rest. A long transfer's blocks mostly
// leave the bar alone.
void showProgress(const ui::ProgressBar& progress, QProgressBar* widget) {
    showCommon(progress, widget);
    const int maximum = std::max(1, progress.maximum());
    if (widget->maximum() != maximum) widget->setRange(0, maximum);
    widget->setValue(progress.value());
}

}  // namespace

void bindLabel(ui::Label& label, QLabel* widget, ProgressPainter* painter) {
    widget->setTextFormat(Qt::PlainText);
    follow(
        label, widget,
        [&label](QLabel* w) {
            showCommon(label, w);
            w->setText(qs(label.caption()));  // the same text again paints nothing
        },
        painter);
}

void bindTextBox(ui::TextBox& box, QLineEdit* widget) {
    follow(box, widget, [&box](QLineEdit* w) { showText(box, w); });
    // A refused text is put back by the model's own notice.
    QObject::connect(widget, &QLineEdit::textEdited, widget,
                     [&box](const QString& text) { box.type(text.toStdString()); });
    QObject::connect(widget, &QLineEdit::editingFinished, widget, [&box] { box.finishEditing(); });
    widget->installEventFilter(new FieldUndoKeys(widget));
}

void bindButton(ui::Button& button, QAbstractButton* widget) {
    follow(button, widget, [&button](QAbstractButton* w) {
        showCommon(button, w);
        w->setText(qs(button.caption()));
    });
    QObject::connect(widget, &QAbstractButton::clicked, widget, [&button] { button.click(); });
}

void bindCheckBox(ui::CheckBox& box, QCheckBox* widget) {
    follow(box, widget, [&box](QCheckBox* w) { showChecked(box, w); });
    QObject::connect(widget, &QAbstractButton::clicked, widget, [&box, widget] {
        box.click();
        showChecked(box, widget);
    });
}

void bindComboBox(ui::ComboBox& combo, QComboBox* widget) {
    widget->setEditable(true);
    keepRoomFor(widget, qs(combo.text()));
    widget->setInsertPolicy(QComboBox::NoInsert);
    follow(combo, widget, [&combo](QComboBox* w) { showCombo(combo, w); });
    QObject::connect(widget, &QComboBox::activated, widget, [&combo, widget](int index) {
        combo.pick(index);
        showCombo(combo, widget);
    });
    QObject::connect(widget->lineEdit(), &QLineEdit::textEdited, widget,
                     [&combo, widget](const QString& text) {
                         combo.setText(text.toStdString());
                         showCombo(combo, widget);
                     });
}

void bindDropDownList(ui::ComboBox& combo, QComboBox* widget) {
    widget->setEditable(false);
    follow(combo, widget, [&combo](QComboBox* w) { showDropDown(combo, w); });
    QObject::connect(widget, &QComboBox::activated, widget, [&combo, widget](int index) {
        combo.pick(index);
        showDropDown(combo, widget);
    });
}

void bindOptionGroup(ui::OptionGroup& group, const std::vector<QRadioButton*>& buttons) {
    std::vector<QPointer<QRadioButton>> guards(buttons.begin(), buttons.end());
    const auto showAll = [&group, guards] {
        for (size_t i = 0; i < guards.size(); ++i)
            if (guards[i]) showOption(group, static_cast<int>(i), guards[i].data());
    };
    for (size_t i = 0; i < buttons.size(); ++i) {
        const int index = static_cast<int>(i);
        buttons[i]->setObjectName(qs(group.optionName(index)));
        buttons[i]->setAutoExclusive(true);
        // The model's selection is shown back: a click it refused, or one
        // whose handler chose another option, leaves the model's choice.
        QObject::connect(buttons[i], &QAbstractButton::clicked, buttons[i],
                         [&group, index, showAll] {
                             group.select(index);
                             showAll();
                         });
    }
    group.observe(showAll);
    showAll();
}

void bindListBox(ui::ListBox& list, QListWidget* widget) {
    auto* view = new ListView(list, widget);
    follow(list, widget, [view](QListWidget*) { view->show(); });
    QObject::connect(widget, &QAbstractItemView::clicked, widget,
                     [&list, view](const QModelIndex& index) {
                         list.click(index.row());
                         view->show();
                     });
}

void bindFileList(ui::FileList& files, QListWidget* widget) {
    prepareModelSelection(widget);
    follow(files, widget, [&files](QListWidget* w) { showFiles(files, w); });
    QObject::connect(widget, &QAbstractItemView::clicked, widget,
                     [&files, widget](const QModelIndex& index) {
                         files.select(index.row());
                         showFiles(files, widget);
                     });
}

void bindFrame(ui::Frame& frame, QGroupBox* widget) {
    follow(frame, widget, [&frame](QGroupBox* w) {
        showCommon(frame, w);
        w->setTitle(qs(frame.caption()));
    });
}

void bindProgressBar(ui::ProgressBar& progress, QProgressBar* widget, ProgressPainter& painter) {
    widget->setTextVisible(false);
    auto* plain = new PlainBarStyle;
    plain->setParent(widget);
    widget->setStyle(plain);
    follow(
        progress, widget, [&progress](QProgressBar* w) { showProgress(progress, w); }, &painter);
}

void bindStatusBar(ui::Label& label, QStatusBar* bar) {
    auto* widget = new QLabel(bar);
    widget->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(widget, 1);
    bindLabel(label, widget);
    QPointer<QLabel> guard(widget);
    label.observe([guard] {
        if (guard) guard->setToolTip(guard->text());
    });
}

void bindSurface(ui::Surface& surface, SurfaceView* widget) {
    follow(surface, widget, [&surface](SurfaceView* w) {
        showCommon(surface, w);
        QStringList lines;
        for (const auto& line : surface.lines()) lines << qs(line);
        w->setLines(lines);
    });
}

}  // namespace view
