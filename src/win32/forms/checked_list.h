#pragma once
// A list box with a check box in front of every item: drawn by the form, and
// toggled by a click on the box or by the space bar.
#include <windows.h>

#include <functional>

namespace vk::win32 {

// Height of one item with the font, room for the box included.
int CheckedItemHeight(HWND list, HFONT font);

void DrawCheckedItem(const DRAWITEMSTRUCT& item, bool checked);

// Called with the index of the item whose box the user toggled.
using CheckToggled = std::function<void(int index)>;

// toggled must outlive the list box.
void AttachCheckToggle(HWND list, CheckToggled& toggled);

}  // namespace vk::win32
