#pragma once
// "Files.dat" as bytes: one 102-byte record per entry, no header, no count.
// A record is the 100 path bytes (ANSI, blank-padded) and the Checked word,
// little-endian.
#include <cstddef>
#include <string>
#include <string_view>

#include "forceclose/app_entry.h"

namespace vk::forceclose {

inline constexpr std::size_t kRecordSize = kFilePathLength + 2;

std::string EncodeAppList(const AppEntryList& entries);

// Appends the entries the bytes hold. A record whose path starts below a blank
// is no entry and is skipped wherever it stands. A trailing record cut short is
// dropped: its Checked word is missing, and a path padded with zero bytes is no
// path anyone chose. Reading stops once the list holds the most entries its
// 16-bit count allows; the file itself is left as it is.
void AppendRecords(std::string_view bytes, AppEntryList& entries);

}  // namespace vk::forceclose
