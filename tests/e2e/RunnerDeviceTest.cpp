// qpxrun under Wine on a device that fills up and on targets too large to
// hold: a save the device cannot take is reported and the file keeps its
// length; a save the device can take is silent and whole; a target over
// 2 GiB is patched whole, one of 4 GiB or more is refused unread.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "CaseFolder.h"
#include "Runner.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

std::string Section(const std::string& statements) {
  return "#path \"t.bin\"\r\n" + statements + "\r\n#end\r\n";
}

// A tmpfs of a few pages mounted in the case folder: a device that fills up.
class SmallDevice {
 public:
  SmallDevice(std::string path, size_t bytes) : path_(std::move(path)) {
    fs::create_directories(path_);
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) error_ = std::strerror(errno);
  }
  ~SmallDevice() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  SmallDevice(const SmallDevice&) = delete;
  SmallDevice& operator=(const SmallDevice&) = delete;

  bool Mounted() const { return mounted_; }
  std::string WhyNot() const {
    return "cannot mount a small tmpfs here (" + error_ + "); the native tests fill a device";
  }

  // Takes every free byte that is left, with a file of its own.
  void Fill() const {
    std::ofstream filler(path_ + "/filler", std::ios::binary);
    const std::string block(4096, '\x5A');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
           filler.flush()) {
    }
  }

 private:
  std::string path_;
  bool mounted_ = false;
  std::string error_;
};

constexpr size_t kDeviceSize = 64 * 1024;

// The target is a sparse file four times the size of the device: writing it
// needs pages the device does not have. The save fails part way; the file
// keeps its length, new bytes up to where the device stopped, old after.
TEST(RunnerDevice, DeviceFillingUpMidSaveIsReportedAndNothingIsCut) {
  CaseFolder folder;
  SmallDevice device(folder.File("device"), kDeviceSize);
  if (!device.Mounted()) GTEST_SKIP() << device.WhyNot();
  folder.Write("device/a.qpx", Section("0000 to FFFFFFFF = EE ;"));
  folder.Write("device/t.bin", "");
  const size_t size = 4 * kDeviceSize;
  ASSERT_EQ(truncate(folder.File("device/t.bin").c_str(), static_cast<off_t>(size)), 0);

  ExpectMessage(RunRunnerExpectingMessage(folder.Win("device"), folder.Win("device/a.qpx")),
                ReasonMessage(4));

  const std::string after = folder.Read("device/t.bin");
  ASSERT_EQ(after.size(), size) << "the target was cut or grown";
  const size_t written = std::min(after.find_first_not_of('\xEE'), size);
  EXPECT_LT(written, size) << "the whole file was written, yet the save was reported failed";
  EXPECT_EQ(after.find_first_not_of('\0', written), std::string::npos)
      << "bytes after the point where the device stopped are neither old nor new";
}

// A file whose pages the device already holds is overwritten in place, so
// a full device takes the whole save.
TEST(RunnerDevice, FullDeviceTakesASaveInPlace) {
  CaseFolder folder;
  SmallDevice device(folder.File("device"), kDeviceSize);
  if (!device.Mounted()) GTEST_SKIP() << device.WhyNot();
  folder.Write("device/a.qpx", Section("0000 to FFFFFFFF = EE ;"));
  folder.Write("device/t.bin", std::string(kDeviceSize / 4, '\x33'));
  device.Fill();
  ASSERT_TRUE(folder.Exists("device/filler"));

  ExpectSilentRun(RunRunner(folder.Win("device"), folder.Win("device/a.qpx")));

  EXPECT_TRUE(folder.Read("device/t.bin") == std::string(kDeviceSize / 4, '\xEE'))
      << "the target is not patched whole";
}

constexpr uint64_t kGiB = uint64_t{1} << 30;

// A sparse file: refused by its length before a byte is read.
TEST(RunnerDevice, TargetOfFourGiBOrMoreIsRefused) {
  CaseFolder folder;
  folder.Write("t.bin", "");
  ASSERT_EQ(truncate(folder.File("t.bin").c_str(), static_cast<off_t>(4 * kGiB + 16)), 0);
  folder.Write("a.qpx", Section("0000 = 11 ;"));

  ExpectMessage(RunRunnerExpectingMessage(folder.Win(), folder.Win("a.qpx")), ReasonMessage(2));

  EXPECT_EQ(fs::file_size(folder.File("t.bin")), 4 * kGiB + 16);
  fs::remove(folder.File("t.bin"));
}

std::string BytesAt(const std::string& path, uint64_t offset, size_t count) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return bytes;
}

// Reads and writes more than 2 GiB (some 40 seconds under Wine), so it runs
// only when asked for with QPX_LARGE_FILE_TESTS=1.
TEST(RunnerDevice, TargetOverTwoGiBIsPatchedWhole) {
  const char* wanted = std::getenv("QPX_LARGE_FILE_TESTS");
  if (wanted == nullptr || std::string(wanted) != "1") {
    GTEST_SKIP() << "moves 2 GiB twice; set QPX_LARGE_FILE_TESTS=1 to run it";
  }
  CaseFolder folder;
  const uint64_t size = 2 * kGiB + 16;
  std::error_code ignored;
  if (fs::space(folder.Path(), ignored).available < size + kGiB) {
    GTEST_SKIP() << "less than 3 GiB free beside the case folder";
  }
  folder.Write("t.bin", "");
  const std::string target = folder.File("t.bin");
  ASSERT_EQ(truncate(target.c_str(), static_cast<off_t>(size)), 0);  // sparse
  folder.Write("a.qpx", Section("80000000 = 11 ; 8000000F =bit 1XXXXXXX ; 0000 = 22 ;"));

  // The driver's wait for the end must outlast the load and the save.
  ExpectSilentRun(RunRunner(folder.Win(), folder.Win("a.qpx"), {"timeout", "110000"}));

  ASSERT_EQ(fs::file_size(target), size);
  EXPECT_EQ(BytesAt(target, 0, 4), std::string("\x22\0\0\0", 4));
  EXPECT_EQ(BytesAt(target, 2 * kGiB, 16), "\x11" + std::string(14, '\0') + "\x80");
  fs::remove(target);
}

}  // namespace
}  // namespace e2e
