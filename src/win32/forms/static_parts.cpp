// Labels, hyperlinks, pictures and etched lines: static windows. Labels and
// links are transparent over the face of the form; a link is blue, shows the
// hand and opens its target when clicked.
#include <windows.h>
#include <shellapi.h>

#include "win32/forms/control_part.h"
#include "win32/forms/form_host.h"

namespace vk::win32 {

using platform::ControlDef;
using platform::ModelChange;

namespace {

class LabelPart : public ControlPart {
 public:
  using ControlPart::ControlPart;

  // The face beneath is painted again, so the old text does not show
  // through the new.
  void Show(ModelChange change) override {
    if (change == ModelChange::Text && Text() != State().text) {
      ShowText();
      RECT area;
      GetWindowRect(Window(), &area);
      HWND parent = GetParent(Window());
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
      InvalidateRect(parent, &area, TRUE);
    }
    ControlPart::Show(change);
  }

  void OnCommand(int code) override {
    if (code == STN_CLICKED) Input().Click(Name());
  }

  HBRUSH OnColorStatic(HDC dc) override {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
};

class HyperlinkPart : public LabelPart {
 public:
  using LabelPart::LabelPart;

  void OnCommand(int code) override {
    if (code != STN_CLICKED || !Input().CanAct(Name())) return;
    ShellExecuteA(Host().Window(), "open", Def().extra.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    Input().Click(Name());
  }

  HBRUSH OnColorStatic(HDC dc) override {
    SetTextColor(dc, IsWindowEnabled(Window()) ? RGB(0, 0, 255) : GetSysColor(COLOR_GRAYTEXT));
    return LabelPart::OnColorStatic(dc);
  }

  HCURSOR Cursor() const override { return LoadCursor(nullptr, IDC_HAND); }
};

class PicturePart : public ControlPart {
 public:
  using ControlPart::ControlPart;

  void OnCommand(int code) override {
    if (code == STN_CLICKED) Input().Click(Name());
  }

 protected:
  void Attach() override {
    if (Def().iconResource == 0) return;
    HICON icon = LoadIconA(Host().Instance(), MAKEINTRESOURCEA(Def().iconResource));
    Send(STM_SETICON, reinterpret_cast<WPARAM>(icon));
  }
};

}  // namespace

std::unique_ptr<ControlPart> MakeLabel(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<LabelPart>(host, def, PartWindow{"STATIC", SS_LEFT | SS_NOTIFY});
}

std::unique_ptr<ControlPart> MakeHyperlink(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<HyperlinkPart>(host, def,
                                         PartWindow{"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX});
}

std::unique_ptr<ControlPart> MakePictureBox(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<PicturePart>(host, def, PartWindow{"STATIC", SS_ICON | SS_NOTIFY});
}

std::unique_ptr<ControlPart> MakeLine(Win32FormHost& host, const ControlDef& def) {
  return std::make_unique<ControlPart>(host, def, PartWindow{"STATIC", SS_ETCHEDHORZ});
}

}  // namespace vk::win32
