#include "platform/edit_mask.h"

#include <algorithm>
#include <cctype>

namespace vk::platform {

namespace {

bool IsDigitPosition(const std::string& mask, int position) {
  return position >= 0 && position < static_cast<int>(mask.size()) && mask[static_cast<size_t>(position)] == '#';
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Brings text and caret in line with the mask before any edit.
void Normalise(const std::string& mask, char placeholder, MaskedText& box) {
  box.text = FitToMask(mask, placeholder, box.text);
  box.caret = std::clamp(box.caret, 0, static_cast<int>(mask.size()));
}

int SkipLiterals(const std::string& mask, int position) {
  while (position < static_cast<int>(mask.size()) && !IsDigitPosition(mask, position)) ++position;
  return position;
}

}  // namespace

std::string EmptyMaskText(const std::string& mask, char placeholder) { return FitToMask(mask, placeholder, ""); }

std::string FitToMask(const std::string& mask, char placeholder, const std::string& text) {
  std::string fitted = mask;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] != '#') continue;
    fitted[i] = i < text.size() && IsDigit(text[i]) ? text[i] : placeholder;
  }
  return fitted;
}

void ClearMaskRange(const std::string& mask, char placeholder, MaskedText& box, int start, int end) {
  Normalise(mask, placeholder, box);
  const int size = static_cast<int>(mask.size());
  const int from = std::clamp(std::min(start, end), 0, size);
  const int to = std::clamp(std::max(start, end), 0, size);
  for (int i = from; i < to; ++i)
    if (IsDigitPosition(mask, i)) box.text[static_cast<size_t>(i)] = placeholder;
  box.caret = from;
}

bool TypeIntoMask(const std::string& mask, char placeholder, MaskedText& box, char typed) {
  Normalise(mask, placeholder, box);
  const int size = static_cast<int>(mask.size());
  if (!IsDigit(typed)) {
    if (box.caret >= size || IsDigitPosition(mask, box.caret) || mask[static_cast<size_t>(box.caret)] != typed)
      return false;
    box.caret = SkipLiterals(mask, box.caret);
    return true;
  }
  const int position = SkipLiterals(mask, box.caret);
  if (position >= size) return false;
  box.text[static_cast<size_t>(position)] = typed;
  box.caret = SkipLiterals(mask, position + 1);
  return true;
}

void BackspaceInMask(const std::string& mask, char placeholder, MaskedText& box) {
  Normalise(mask, placeholder, box);
  int position = box.caret - 1;
  while (position >= 0 && !IsDigitPosition(mask, position)) --position;
  if (position < 0) return;
  box.text[static_cast<size_t>(position)] = placeholder;
  box.caret = position;
}

void DeleteInMask(const std::string& mask, char placeholder, MaskedText& box) {
  Normalise(mask, placeholder, box);
  const int position = SkipLiterals(mask, box.caret);
  if (position < static_cast<int>(mask.size())) box.text[static_cast<size_t>(position)] = placeholder;
}

}  // namespace vk::platform
