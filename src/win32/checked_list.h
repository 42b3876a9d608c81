#pragma once
// A list box with a check box in front of every item: drawn by the form, and
// toggled by a click on the box or by the space bar.
#include <windows.h>

#include "win32/control_sink.h"

namespace vk::win32 {

// Height of one item with the font, room for the box included.
int CheckedItemHeight(HWND list, HFONT font);

void DrawCheckedItem(const DRAWITEMSTRUCT& item, bool checked);

// sink must outlive the list box.
void AttachCheckToggle(HWND list, ControlSink& sink);

}  // namespace vk::win32
