#pragma once
// What the drive, folder and file lists show, read from the file system.
#include <string>
#include <vector>

namespace vk::win32 {

// The drives, as "c:", in drive order.
std::vector<std::string> LogicalDrives();

// The folder's subfolders, hidden and system ones left out, by name.
// Empty when the folder cannot be read.
std::vector<std::string> Subfolders(const std::string& folder);

// The normal files of the folder that match the pattern ("*.exe"), by name.
std::vector<std::string> FilesMatching(const std::string& folder, const std::string& pattern);

}  // namespace vk::win32
