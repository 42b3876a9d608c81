#include "win32/start_checks.h"

namespace vk::win32 {

int CheckCanStart(const com::ComApartment& apartment, const Win32FormToolkit& forms,
                  platform::MessageBoxes& messages) {
  const char* problem = !apartment.Entered() ? "Vesperkit cannot start: COM could not be initialised."
                        : !forms.Ready()     ? "Vesperkit cannot start: its windows could not be created."
                                             : nullptr;
  if (problem == nullptr) return 0;
  messages.Show(problem, "Vesperkit", platform::kMbOk | platform::kMbIconStop);
  return 1;
}

}  // namespace vk::win32
