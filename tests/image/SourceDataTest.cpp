#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>

#include "image/SourceData.h"
#include "tests/support/TestFiles.h"

namespace {

const std::string kSixteen = "0123456789ABCDEF";

struct AccessCase {
  std::string name;
  std::function<void(CSourceData&, uint32_t)> access;  // throws or fails the test
  uint32_t position;
  bool inside;
};

class ImageBounds : public testing::TestWithParam<AccessCase> {};

// Every access inside the sixteen bytes works; every other one is refused
// (false from a store, code 1 from a read) and changes nothing.
TEST_P(ImageBounds, RefusesEveryAccessOutsideTheImage) {
  TempFolder folder;
  CSourceData image;
  ASSERT_TRUE(image.Load(folder.Write("f.bin", kSixteen)));
  try {
    GetParam().access(image, GetParam().position);
    EXPECT_TRUE(GetParam().inside);
  } catch (const CSourceDataException& error) {
    EXPECT_FALSE(GetParam().inside);
    EXPECT_EQ(error.GetCode(), CSourceDataException::kOutOfRange);
  }
  EXPECT_EQ(image.IsModified(), GetParam().inside && GetParam().name.starts_with("Set"));
  if (!GetParam().inside) {
    EXPECT_EQ(std::string(reinterpret_cast<char*>(image.GetPointer(0)), 16), kSixteen);
  }
}

// A store that answers false counts like a read that throws.
void Store(int stored) {
  if (!stored) throw CSourceDataException(CSourceDataException::kOutOfRange);
}

const auto kSetByte = [](CSourceData& image, uint32_t at) { Store(image.SetByte(at, 'z')); };
const auto kGetByte = [](CSourceData& image, uint32_t at) {
  EXPECT_EQ(image.GetByte(at), kSixteen[at]);
};
const auto kGetPointer = [](CSourceData& image, uint32_t at) {
  EXPECT_EQ(*image.GetPointer(at), kSixteen[at]);
};

INSTANTIATE_TEST_SUITE_P(Accesses, ImageBounds,
                         testing::Values(AccessCase{"SetByteLast", kSetByte, 15, true},
                                         AccessCase{"SetByteEnd", kSetByte, 16, false},
                                         AccessCase{"SetByteHighest", kSetByte, 0xFFFFFFFF, false},
                                         AccessCase{"GetByteLast", kGetByte, 15, true},
                                         AccessCase{"GetByteEnd", kGetByte, 16, false},
                                         AccessCase{"GetPointerLast", kGetPointer, 15, true},
                                         AccessCase{"GetPointerEnd", kGetPointer, 16, false}),
                         [](const testing::TestParamInfo<AccessCase>& info) {
                           return info.param.name;
                         });

TEST(Image, EmptyFileLoadsAsAHeldBufferOfLengthZero) {
  TempFolder folder;
  std::string path = folder.Write("empty.bin", "");
  CSourceData image;
  ASSERT_TRUE(image.Load(path));
  EXPECT_EQ(image.GetSize(), 0u);
  EXPECT_EQ(image.IsModified(), 0);
  EXPECT_FALSE(image.SetByte(0, 1));
  EXPECT_THROW(image.GetByte(0), CSourceDataException);
  EXPECT_TRUE(image.Save(path));
  EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(Image, WithoutBufferNothingIsStoredOrSaved) {
  TempFolder folder;
  CSourceData image;
  EXPECT_FALSE(image.SetByte(0, 1));
  EXPECT_THROW(image.GetByte(0), CSourceDataException);
  EXPECT_FALSE(image.Save(folder.File("new.bin")));
  EXPECT_FALSE(FileExists(folder.File("new.bin")));
  EXPECT_EQ(image.IsModified(), 0);
}

TEST(Image, FailedLoadLeavesNoBufferButEmptyPathKeepsContents) {
  TempFolder folder;
  std::string readOnly = folder.Write("ro.bin", "abc");
  MakeReadOnly(readOnly);
  for (const std::string& path : {folder.File("missing.bin"), readOnly, folder.Path()}) {
    CSourceData image;
    ASSERT_TRUE(image.Load(folder.Write("f.bin", kSixteen)));
    EXPECT_FALSE(image.Load(path)) << path;
    EXPECT_EQ(image.GetSize(), 0u) << path;
    EXPECT_FALSE(image.Save(folder.File("out.bin"))) << path;
  }
  CSourceData image;
  ASSERT_TRUE(image.Load(folder.File("f.bin")));
  EXPECT_FALSE(image.Load(""));
  EXPECT_EQ(image.GetSize(), 16u);
  EXPECT_FALSE(image.Save(""));
}

TEST(Image, SecondLoadReplacesTheFirstCompletely) {
  TempFolder folder;
  CSourceData image;
  ASSERT_TRUE(image.Load(folder.Write("long.bin", kSixteen)));
  ASSERT_TRUE(image.SetByte(0, 'z'));
  ASSERT_TRUE(image.Load(folder.Write("short.bin", "xy")));
  EXPECT_EQ(image.GetSize(), 2u);
  EXPECT_EQ(image.IsModified(), 0);
  EXPECT_EQ(image.GetByte(0), 'x');
  EXPECT_THROW(image.GetByte(2), CSourceDataException);
}

TEST(Image, SaveWritesExactlyTheImageAndClearsTheFlag) {
  TempFolder folder;
  CSourceData image;
  ASSERT_TRUE(image.Load(folder.Write("f.bin", "abc")));
  ASSERT_TRUE(image.SetByte(1, 'b'));  // the same value still marks it
  EXPECT_EQ(image.IsModified(), 1);
  ASSERT_TRUE(image.SetByte(2, 'Z'));
  std::string created = folder.File("new.bin");
  EXPECT_TRUE(image.Save(created));
  EXPECT_EQ(image.IsModified(), 0);
  EXPECT_EQ(ReadFileBytes(created), "abZ");
  struct stat info {};
  ASSERT_EQ(stat(created.c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IWUSR, 0u);  // not read-only
  std::string longer = folder.Write("longer.bin", kSixteen);
  EXPECT_TRUE(image.Save(longer));
  EXPECT_EQ(ReadFileBytes(longer), "abZ");
  // Saved twice to the file it was loaded from: the second save finds the
  // file the first one left, not a changed one.
  const std::string loaded = folder.File("f.bin");
  ASSERT_TRUE(image.Save(loaded));
  ASSERT_TRUE(image.SetByte(0, 'Y'));
  EXPECT_TRUE(image.Save(loaded));
  EXPECT_EQ(ReadFileBytes(loaded), "YbZ");
}

TEST(Image, SaveOverReadOnlyFileFailsAndKeepsIt) {
  TempFolder folder;
  CSourceData image;
  ASSERT_TRUE(image.Load(folder.Write("f.bin", "abc")));
  ASSERT_TRUE(image.SetByte(0, 'z'));
  std::string readOnly = folder.Write("ro.bin", kSixteen);
  MakeReadOnly(readOnly);
  EXPECT_FALSE(image.Save(readOnly));
  EXPECT_EQ(image.IsModified(), 1);
  EXPECT_EQ(ReadFileBytes(readOnly), kSixteen);
}

}  // namespace
