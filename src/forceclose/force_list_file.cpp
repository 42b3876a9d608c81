#include "forceclose/force_list_file.h"

#include <algorithm>
#include <cstdint>

namespace vk::forceclose {
namespace {

void AppendRecord(const AppEntry& entry, std::string& bytes) {
  bytes += PaddedFilePath(entry.FilePath);
  const auto word = static_cast<std::uint16_t>(entry.Checked);
  bytes += static_cast<char>(word & 0xFF);
  bytes += static_cast<char>(word >> 8);
}

// Only a path that starts with a blank or above counts as an entry; the
// all-zero filler of a short read and damaged records start lower.
bool StartsLikeAPath(std::string_view record) { return static_cast<unsigned char>(record[0]) >= 0x20; }

AppEntry ReadRecord(std::string_view record) {
  AppEntry entry;
  entry.FilePath.assign(record.substr(0, kFilePathLength));
  const auto low = static_cast<unsigned char>(record[kFilePathLength]);
  const auto high = static_cast<unsigned char>(record[kFilePathLength + 1]);
  entry.Checked = static_cast<VbBool>(static_cast<std::uint16_t>(low | (high << 8)));
  return entry;
}

}  // namespace

std::string EncodeAppList(const AppEntryList& entries) {
  std::string bytes;
  bytes.reserve(entries.size() * kRecordSize);
  for (const AppEntry& entry : entries) AppendRecord(entry, bytes);
  return bytes;
}

void AppendRecords(std::string_view bytes, AppEntryList& entries) {
  if (entries.size() >= kMaxAppEntries) return;
  const std::size_t room = kMaxAppEntries - entries.size();
  entries.reserve(entries.size() + std::min(bytes.size() / kRecordSize, room));
  for (std::size_t offset = 0; offset + kRecordSize <= bytes.size(); offset += kRecordSize) {
    const std::string_view record = bytes.substr(offset, kRecordSize);
    if (!StartsLikeAPath(record)) continue;
    entries.push_back(ReadRecord(record));
    if (entries.size() >= kMaxAppEntries) return;
  }
}

}  // namespace vk::forceclose
