#include "win32/forms/masked_edit.h"

#include <windows.h>
#include <commctrl.h>

#include "boundary_guard.h"
#include "platform/edit_mask.h"
#include "win32/forms/control_part.h"

namespace vk::win32 {

namespace {

constexpr UINT_PTR kMaskSubclass = 1;

// The box as it stands, with the selection cleared when there is one (the
// keys that follow type over it).
platform::MaskedText Current(HWND edit, const MaskedEditRules& rules, bool clearSelection) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  platform::MaskedText box{WindowText(edit), static_cast<int>(start)};
  if (clearSelection && end > start) {
    platform::ClearMaskRange(rules.mask, rules.placeholder, box, static_cast<int>(start), static_cast<int>(end));
  }
  return box;
}

void Report(const MaskedEditRules& rules, const platform::MaskedText& box) {
  if (rules.typed) rules.typed(box.text, box.caret);
}

// Returns true when the key was handled here.
bool HandleChar(HWND edit, const MaskedEditRules& rules, WPARAM key) {
  if (key == VK_BACK) {
    platform::MaskedText box = Current(edit, rules, false);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end > start) {
      platform::ClearMaskRange(rules.mask, rules.placeholder, box, static_cast<int>(start), static_cast<int>(end));
    } else {
      platform::BackspaceInMask(rules.mask, rules.placeholder, box);
    }
    Report(rules, box);
    return true;
  }
  if (key < 32) return false;  // Tab, Enter, Esc, control keys: the dialog's
  platform::MaskedText box = Current(edit, rules, true);
  if (platform::TypeIntoMask(rules.mask, rules.placeholder, box, static_cast<char>(key))) {
    Report(rules, box);
  } else {
    MessageBeep(MB_OK);
  }
  return true;
}

LRESULT HandleMaskMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, const MaskedEditRules& rules) {
  switch (message) {
    case WM_CHAR:
      if (HandleChar(edit, rules, wParam)) return 0;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_DELETE) {
        platform::MaskedText box = Current(edit, rules, false);
        platform::DeleteInMask(rules.mask, rules.placeholder, box);
        Report(rules, box);
        return 0;
      }
      break;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
      return 0;  // only typed keys change the box
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK MaskProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, MaskProc, kMaskSubclass);
  return Guarded<LRESULT>("MaskProc", 0, [&] {
    return HandleMaskMessage(edit, message, wParam, lParam, *reinterpret_cast<const MaskedEditRules*>(data));
  });
}

}  // namespace

void AttachMask(HWND edit, MaskedEditRules& rules) {
  SetWindowSubclass(edit, MaskProc, kMaskSubclass, reinterpret_cast<DWORD_PTR>(&rules));
}

}  // namespace vk::win32
