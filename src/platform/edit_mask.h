#pragma once
// The typing rules of a masked edit box. In the mask "#" stands for a digit;
// every other character is a literal the box shows and the caret steps over.
// A digit position not typed yet shows the placeholder: "##:##" with "_"
// starts as "__:__", and the user overwrites, never inserts.
#include <string>

namespace vk::platform {

struct MaskedText {
  std::string text;
  int caret = 0;  // position before which the caret stands
};

// The box with nothing typed: "__:__".
std::string EmptyMaskText(const std::string& mask, char placeholder);

// The text shaped to the mask: literals in their places, a digit or the
// placeholder at each digit position (anything else there becomes the
// placeholder), cut or filled to the mask's length.
std::string FitToMask(const std::string& mask, char placeholder, const std::string& text);

// Digit positions from start up to end become placeholders (a selection
// being typed over or deleted); the caret goes to start.
void ClearMaskRange(const std::string& mask, char placeholder, MaskedText& box, int start, int end);

// A digit overwrites the next digit position at or after the caret, and the
// caret moves past it and past any literal that follows. A literal typed just
// before that literal moves over it. False (nothing changes) for anything
// else, or when no digit position is left.
bool TypeIntoMask(const std::string& mask, char placeholder, MaskedText& box, char typed);

// Backspace: the digit position before the caret (stepping over literals)
// becomes the placeholder, and the caret moves there.
void BackspaceInMask(const std::string& mask, char placeholder, MaskedText& box);

// Delete: the digit position at or after the caret becomes the placeholder;
// the caret stays.
void DeleteInMask(const std::string& mask, char placeholder, MaskedText& box);

}  // namespace vk::platform
