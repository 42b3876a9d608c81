#include "win32/masked_edit.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/edit_mask.h"

namespace vk::win32 {

namespace {

constexpr UINT_PTR kMaskSubclass = 1;

std::string TextOf(HWND edit) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The box as it stands, with the selection cleared when there is one (the
// keys that follow type over it).
platform::MaskedText Current(HWND edit, const MaskedEditRules& rules, bool clearSelection) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  platform::MaskedText box{TextOf(edit), static_cast<int>(start)};
  if (clearSelection && end > start) {
    platform::ClearMaskRange(rules.mask, rules.placeholder, box, static_cast<int>(start), static_cast<int>(end));
  }
  return box;
}

void Report(HWND edit, const MaskedEditRules& rules, const platform::MaskedText& box) {
  if (rules.sink != nullptr) rules.sink->MaskedTextTyped(edit, box.text, box.caret);
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
    Report(edit, rules, box);
    return true;
  }
  if (key < 32) return false;  // Tab, Enter, Esc, control keys: the dialog's
  platform::MaskedText box = Current(edit, rules, true);
  if (platform::TypeIntoMask(rules.mask, rules.placeholder, box, static_cast<char>(key))) {
    Report(edit, rules, box);
  } else {
    MessageBeep(MB_OK);
  }
  return true;
}

LRESULT CALLBACK MaskProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto& rules = *reinterpret_cast<MaskedEditRules*>(data);
  switch (message) {
    case WM_CHAR:
      if (HandleChar(edit, rules, wParam)) return 0;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_DELETE) {
        platform::MaskedText box = Current(edit, rules, false);
        platform::DeleteInMask(rules.mask, rules.placeholder, box);
        Report(edit, rules, box);
        return 0;
      }
      break;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
      return 0;  // only typed keys change the box
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, MaskProc, kMaskSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void AttachMask(HWND edit, MaskedEditRules& rules) {
  SetWindowSubclass(edit, MaskProc, kMaskSubclass, reinterpret_cast<DWORD_PTR>(&rules));
}

}  // namespace vk::win32
