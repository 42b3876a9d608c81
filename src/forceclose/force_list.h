#pragma once
// The force list and its file "Files.dat" beside the executable.
#include <string>

#include "forceclose/app_entry.h"
#include "platform/files.h"

namespace vk::forceclose {

// The folder followed by a backslash and the name; a drive root such as "C:\"
// already ends in one.
std::string JoinPath(const std::string& folder, const std::string& name);

// The program folder followed by "\Files.dat".
std::string AppListPath(platform::FileSystem& files);

// Reads "Files.dat" into the list, creating an empty file when there is none.
// Runs once at start-up while the list is still empty. A file that cannot be
// created or read leaves the list as it was.
void LoadAppList(platform::FileSystem& files, AppEntryList& entries);

// Writes the list to "Files.dat", or deletes the file when the list is empty.
// The old file is replaced in one step, so a failed or interrupted save leaves
// it as it was; failures are not reported.
void SaveAppList(platform::FileSystem& files, const AppEntryList& entries);

bool AppListHasEntries(const AppEntryList& entries);

// True for an existing normal file: folders and hidden or system files are
// not found.
bool FileExists(platform::FileSystem& files, const std::string& path);

// Everything after the last backslash, or the whole text; trailing blanks of a
// padded FilePath stay.
std::string FileNameOf(const std::string& path);

}  // namespace vk::forceclose
