// Loads and saves the largest force list (32,767 entries) through the real
// file routines on disk, and prints the times beside a plain read and write of
// the same bytes. The difference is what the record handling costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "forceclose/force_list.h"
#include "forceclose/force_list_file.h"

namespace {

namespace fs = std::filesystem;
using vk::forceclose::AppEntryList;

// The file-system port on the standard library, enough for the force list.
class DiskFiles : public vk::platform::FileSystem {
 public:
  explicit DiskFiles(fs::path folder) : folder_(std::move(folder)) {}
  std::string ProgramFolder() override { return "bench"; }
  std::string ExecutableBaseName() override { return "force_list_bench"; }
  bool ReadAll(const std::string& path, std::string& bytes) override { return ReadBytes(Local(path), bytes); }
  bool CreateIfMissing(const std::string& path) override {
    if (fs::exists(Local(path))) return true;
    return std::ofstream(Local(path), std::ios::binary).good();
  }
  bool Append(const std::string& path, const std::string& bytes) override {
    std::ofstream out(Local(path), std::ios::binary | std::ios::app);
    return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).good();
  }
  bool ReplaceAtomically(const std::string& path, const std::string& bytes) override {
    const fs::path temporary = Local(path).string() + ".tmp";
    if (!WriteBytes(temporary, bytes)) return false;
    std::error_code error;
    fs::rename(temporary, Local(path), error);
    return !error;
  }
  bool ExistsAsNormalFile(const std::string& path) override { return fs::is_regular_file(Local(path)); }
  bool Delete(const std::string& path) override {
    std::error_code error;
    fs::remove(Local(path), error);
    return !error;
  }
  bool FolderOnDrive(const std::string&, std::string&) override { return false; }

  static bool ReadBytes(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    bytes.resize(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    return in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())).good();
  }
  static bool WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).good();
  }

 private:
  fs::path Local(const std::string& path) const { return folder_ / path.substr(path.rfind('\\') + 1); }
  fs::path folder_;
};

// Best of several runs, in milliseconds.
double BestTime(const std::function<void()>& run) {
  double best = 1e9;
  for (int i = 0; i < 20; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    best = std::min(best, spent.count());
  }
  return best;
}

AppEntryList LargestList() {
  AppEntryList entries;
  for (std::size_t i = 0; i < vk::forceclose::kMaxAppEntries; ++i) {
    entries.push_back(vk::forceclose::MakeAppEntry("C:\\Program Files\\Tool " + std::to_string(i) + "\\app.exe"));
  }
  return entries;
}

void Print(const char* what, double routine, const char* rawName, double raw) {
  std::printf("  %-12s %8.2f ms    %-10s %8.2f ms    x%.1f\n", what, routine, rawName, raw, routine / raw);
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "vesperkit-force-list-bench";
  fs::create_directories(folder);
  DiskFiles files(folder);
  const fs::path onDisk = folder / "Files.dat";
  const AppEntryList entries = LargestList();
  const std::string bytes = vk::forceclose::EncodeAppList(entries);

  vk::forceclose::SaveAppList(files, entries);
  const double load = BestTime([&] {
    AppEntryList loaded;
    vk::forceclose::LoadAppList(files, loaded);
    if (loaded.size() != entries.size()) std::printf("load lost entries\n");
  });
  const double rawRead = BestTime([&] {
    std::string read;
    DiskFiles::ReadBytes(onDisk, read);
  });
  const double save = BestTime([&] { vk::forceclose::SaveAppList(files, entries); });
  const double rawWrite = BestTime([&] { DiskFiles::WriteBytes(onDisk, bytes); });

  std::printf("force list of %zu entries, %zu bytes; best of 20 runs\n", entries.size(), bytes.size());
  Print("LoadAppList", load, "raw read", rawRead);
  Print("SaveAppList", save, "raw write", rawWrite);
  fs::remove_all(folder);
  return 0;
}
