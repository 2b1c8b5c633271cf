#include "tests/support/TestFiles.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempFolder::TempFolder(const std::string& base) {
  std::filesystem::path folder =
      base.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(base);
  std::string pattern = (folder / "qpx-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const { return path_ + "/" + name; }

std::string TempFolder::Write(const std::string& name, const std::string& contents) const {
  std::string path = File(name);
  WriteFileBytes(path, contents);
  return path;
}

void WriteFileBytes(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void Touch(const std::string& path, int seconds) {
  std::filesystem::last_write_time(
      path, std::filesystem::last_write_time(path) + std::chrono::seconds(seconds));
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

void MakeReadOnly(const std::string& path) { ::chmod(path.c_str(), 0444); }

PathState StateOf(const std::string& path) {
  struct stat info {};
  PathState state;
  if (::lstat(path.c_str(), &info) != 0) return state;
  state.exists = true;
  state.isFolder = S_ISDIR(info.st_mode);
  state.mode = info.st_mode;
  if (S_ISREG(info.st_mode)) state.bytes = ReadFileBytes(path);
  return state;
}
