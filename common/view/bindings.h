#pragma once

#include <vector>

#include "ui/controls.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QRadioButton;
class QStatusBar;
class QWidget;

namespace view {
class ProgressPainter;
class SurfaceView;
}  // namespace view

// Each function binds one window-model control to one widget, both ways: the
// widget takes the control's name as its objectName, shows the control's
// state, follows every later change of it and hands the user's input to the
// control. Updates from the model never echo back into it. The widgets must
// already have a parent, and the controls must outlive the binding's use.
namespace view {

// With a painter, the label shows its caption as the painter shows it,
// not at every change: for the labels that a transfer changes at every try.
void bindLabel(ui::Label& label, QLabel* widget, ProgressPainter* painter = nullptr);

// The user's typing goes to the box as typed; Enter or leaving the field ends
// the editing. Ctrl+Z and the redo keys reach the window's shortcuts while
// the field has no typing of its own to undo or redo.
void bindTextBox(ui::TextBox& box, QLineEdit* widget);
void bindButton(ui::Button& button, QAbstractButton* widget);
void bindCheckBox(ui::CheckBox& box, QCheckBox* widget);
void bindComboBox(ui::ComboBox& combo, QComboBox* widget);
// A drop-down list: the widget takes no typing, shows the entry that holds
// the combo's text (none when no entry does) and hands each pick to it.
void bindDropDownList(ui::ComboBox& combo, QComboBox* widget);
// Button i shows option i of the group, named after it; clicking it selects
// the option. The group's enabled and visible state apply to every button,
// and each option's own enabled state to its button.
void bindOptionGroup(ui::OptionGroup& group, const std::vector<QRadioButton*>& buttons);

// Item n of the widget is selected exactly when the list's item n is on, and
// greyed while the list's item n is disabled; a click on an item flips it in
// the list. The list's columns divide the widget's width; its height in
// twips, when set, fixes the widget's height at sixteen lines of its font
// for 2500 twips.
void bindListBox(ui::ListBox& list, QListWidget* widget);

void bindFileList(ui::FileList& files, QListWidget* widget);
void bindFrame(ui::Frame& frame, QGroupBox* widget);
// The bar shows the progress as the painter shows it.
void bindProgressBar(ui::ProgressBar& progress, QProgressBar* widget, ProgressPainter& painter);
// The label's caption on the bar, at every change; a long one is cut at the
// window's edge rather than widening the window, and shown whole as the
// bar's tip.
void bindStatusBar(ui::Label& label, QStatusBar* bar);
// The surface's lines, at every change.
void bindSurface(ui::Surface& surface, SurfaceView* widget);

}  // namespace view
