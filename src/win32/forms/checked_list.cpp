#include "win32/forms/checked_list.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "boundary_guard.h"
#include "owners.h"

namespace vk::win32 {

namespace {

constexpr UINT_PTR kToggleSubclass = 2;
constexpr int kBoxSize = 13;
constexpr int kGap = 3;

std::string ItemText(HWND list, UINT index) {
  const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

void Toggle(HWND list, const CheckToggled& toggled, int index) {
  if (index < 0 || index >= static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) || !toggled) return;
  toggled(index);
}

// The item under the point when the point is on its check box, or -1.
int BoxHit(HWND list, LPARAM point) {
  const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, point);
  if (HIWORD(hit) != 0) return -1;
  RECT item{};
  SendMessageA(list, LB_GETITEMRECT, LOWORD(hit), reinterpret_cast<LPARAM>(&item));
  const int x = static_cast<short>(LOWORD(point));
  return x >= item.left && x < item.left + kBoxSize + 2 * kGap ? static_cast<int>(LOWORD(hit)) : -1;
}

LRESULT HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam, const CheckToggled& toggled) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int index = BoxHit(list, lParam);
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      if (index >= 0) Toggle(list, toggled, index);
      return result;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        Toggle(list, toggled, static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0)));
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK ToggleProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ToggleProc, kToggleSubclass);
  return Guarded<LRESULT>("ToggleProc", 0, [&] {
    return HandleListMessage(list, message, wParam, lParam, *reinterpret_cast<const CheckToggled*>(data));
  });
}

}  // namespace

int CheckedItemHeight(HWND list, HFONT font) {
  WindowDc dc(list, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  return std::max(static_cast<int>(metrics.tmHeight) + 2, kBoxSize + 3);
}

void DrawCheckedItem(const DRAWITEMSTRUCT& item, bool checked) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = !IsWindowEnabled(item.hwndItem);
  RECT row = item.rcItem;
  FillRect(dc, &row, GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int top = row.top + (row.bottom - row.top - kBoxSize) / 2;
  RECT box{row.left + kGap, top, row.left + kGap + kBoxSize, top + kBoxSize};
  DrawFrameControl(dc, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0));
  RECT text = row;
  text.left = box.right + kGap;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::string label = ItemText(item.hwndItem, item.itemID);
  DrawTextA(dc, label.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

void AttachCheckToggle(HWND list, CheckToggled& toggled) {
  SetWindowSubclass(list, ToggleProc, kToggleSubclass, reinterpret_cast<DWORD_PTR>(&toggled));
}

}  // namespace vk::win32
