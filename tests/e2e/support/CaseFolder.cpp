#include "CaseFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Driver.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

std::string TestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return name;
}

}  // namespace

CaseFolder::CaseFolder() : path_(std::string(QPX_E2E_WORK_DIR) + RunSuffix() + "/" + TestName()) {
  fs::remove_all(path_);
  fs::create_directories(path_);
}

std::string CaseFolder::Win() const { return WindowsPath(path_); }

std::string CaseFolder::Win(const std::string& name) const { return WindowsPath(File(name)); }

void CaseFolder::Write(const std::string& name, const std::string& bytes) const {
  fs::path file = fs::path(File(name));
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string CaseFolder::Read(const std::string& name) const {
  std::ifstream in(fs::path(File(name)), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool CaseFolder::Exists(const std::string& name) const { return fs::exists(fs::path(File(name))); }

}  // namespace e2e
