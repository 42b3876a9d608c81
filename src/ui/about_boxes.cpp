#include <algorithm>

#include "ui/frm_about.h"

namespace vk::ui {

AboutBoxes::AboutBoxes() = default;

AboutBoxes::~AboutBoxes() = default;

// A box cannot be released inside its own unload handler, so the closed ones
// go when the next one opens.
void AboutBoxes::Open(const AboutContext& context) {
  std::erase_if(boxes_, [](const std::unique_ptr<FrmAbout>& box) { return box->Unloaded(); });
  boxes_.push_back(std::make_unique<FrmAbout>(context));
  FrmAbout& box = *boxes_.back();
  box.Load();
  box.Host().Show(platform::ShowMode::Modeless, 0);
}

int AboutBoxes::OpenCount() const {
  return static_cast<int>(std::count_if(boxes_.begin(), boxes_.end(),
                                        [](const std::unique_ptr<FrmAbout>& box) { return !box->Unloaded(); }));
}

}  // namespace vk::ui
