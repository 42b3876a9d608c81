#include "forceclose/kill_proc.h"

#include <cstdint>
#include <string>

#include "forceclose/force_list.h"
#include "platform/text.h"
#include "ui/window_helpers.h"

namespace vk::forceclose {
namespace {

using platform::TrimBlanks;

// The component reads this as "ask the program to close, then end it for
// certain"; it is the only value the program ever passes.
constexpr std::int32_t kEndFlags = 4;

// A component that went missing (or was never there) is asked for again
// before every call; when it cannot be made the call is simply skipped.
ProcessControl* Component(const KillProcContext& context) {
  if (!context.gProcessControl) {
    HResult error = kS_OK;
    context.gProcessControl = context.factory.CreateProcessControl(error);
  }
  return context.gProcessControl.get();
}

void EndProgram(const KillProcContext& context, const std::string& path) {
  if (ProcessControl* component = Component(context)) {
    std::int32_t flags = kEndFlags;
    component->SetFlags(flags);
  }
  std::string trimmed = TrimBlanks(path);
  if (ProcessControl* component = Component(context)) component->SetProcessPath(trimmed);
  if (ProcessControl* component = Component(context)) {
    std::int32_t result = 0;
    component->EndProcess(result);
  }
}

}  // namespace

void KillListedApps(const KillProcContext& context) {
  if (context.ForceAppClose == kTrue) {
    for (const AppEntry& entry : context.AppEntries) {
      if (entry.Checked == kTrue) EndProgram(context, entry.FilePath);
    }
  }
  // On the older generation other copies of this program are ended as well;
  // the component spares the calling process, which goes on to the power action.
  if (ui::OSMajorVersion(context.windows) <= 4) {
    EndProgram(context, JoinPath(context.files.ProgramFolder(), "Vesperkit.exe"));
  }
}

}  // namespace vk::forceclose
