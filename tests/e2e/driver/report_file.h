#pragma once
// The driver's answers reach the test script through files on drive Z:, since
// a program started inside a Wine desktop has no standard output of its own.
#include <string>

namespace vk::e2e {

// Writes the whole text under a temporary name and renames it into place, so
// a script polling for the file never reads half of it.
bool WriteWholeFile(const std::string& path, const std::string& text);

// Tabs and line breaks would break the report's lines; they become blanks.
std::string OneLine(std::string text);

}  // namespace vk::e2e
