#pragma once
// Port: the forms toolkit. A dialog is data (FormDef, a table of controls) plus
// a handler object; the toolkit renders the table, mirrors the FormModel onto
// the controls and passes the user's actions to the form's input rules
// (platform/form_input.h), which raise the handlers' events. Tests use a fake
// toolkit on the same model and the same rules, with no window at all.
#include <memory>
#include <string>

#include "platform/form_def.h"
#include "platform/form_model.h"
#include "platform/types.h"

namespace vk::platform {

enum class FormEvent {
  Load,            // after the windows exist, before anything is shown
  QueryUnload,     // the window frame asks to close; args.cancel keeps the form
  Unload,          // the form is being unloaded
  Click,
  DblClick,
  Change,
  Validate,        // args.cancel keeps the focus in the control
  ItemCheck,       // args.index
  Timer,
  MouseMove,       // the tray icon's callback: args.x carries the tray message in
                   // the form's scale; a real move of the mouse raises nothing
  TaskbarCreated,  // the shell's taskbar was (re)created
  EndSession,      // Windows is ending the session
};

struct EventArgs {
  int index = -1;
  int button = 0;
  int shift = 0;
  double x = 0;
  double y = 0;
  bool cancel = false;
};

class FormHandlers {
 public:
  virtual ~FormHandlers() = default;
  // control is the control's name, or "Form" for the form's own events.
  virtual void OnEvent(const std::string& control, FormEvent event, EventArgs& args) = 0;
};

enum class ShowMode { Modeless, Modal };

// Scale modes of a form: coordinates of mouse events arrive in twips or pixels.
inline constexpr int kScaleTwips = 1;
inline constexpr int kScalePixels = 3;

// One loaded form.
class FormHost {
 public:
  virtual ~FormHost() = default;
  virtual WindowHandle Handle() = 0;
  // Modal: returns once the form has been hidden or unloaded.
  virtual void Show(ShowMode mode, WindowHandle owner) = 0;
  virtual void Hide() = 0;
  // Raises Form_Unload, then destroys the windows. The host stays valid.
  virtual void Unload() = 0;
  virtual bool Visible() = 0;
  virtual void BringToFront() = 0;
  // Shows the menu at the mouse position; returns after the menu was dismissed
  // and the chosen item's Click handler has finished.
  virtual void PopupMenu(const std::string& menu, const std::string& defaultItem) = 0;
  virtual int ScaleMode() = 0;
  virtual double TwipsPerPixelX() = 0;
  // Width of the text in whole pixels, as drawn with the form's own font.
  virtual int TextWidth(const std::string& text) = 0;
};

class FormToolkit {
 public:
  virtual ~FormToolkit() = default;
  // Creates the form's windows hidden, stores the new host in `host` (so the
  // load handler can already use it), then raises Form_Load. A form whose
  // windows cannot be made stays unloaded: no Form_Load, and the user cannot
  // act on it.
  virtual void Load(const FormDef& def, FormModel& model, FormHandlers& handlers,
                    std::unique_ptr<FormHost>& host) = 0;
  // Ends the process at once with the exit code.
  virtual void EndProgram(int exitCode) = 0;
  // Handle of an icon resource of the program (0 when missing).
  virtual IconHandle LoadIconResource(int resourceId) = 0;
  // The modal form shown last and still open, or none.
  virtual FormHost* TopModal() = 0;
};

}  // namespace vk::platform
