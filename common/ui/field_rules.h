#pragma once

#include "ui/controls.h"

namespace ui {

// Shows the field's value back clamped into [low, high] and rounded half to even.
void clampField(TextBox& field, int low, int high);

// Sets the items from, from + step, ... up to and including to (step 1 or -1
// towards to) on or off.
void selectRange(ListBox& list, int from, int to, bool on);

// The list keeps its selection only while the name box holds the selected
// file's name up to its first ".": typing another name leaves the list, so
// that the box names the file a load reads.
void keepSelectionOfName(FileList& files, const std::string& name);

}  // namespace ui
