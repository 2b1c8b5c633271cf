#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "compare/Listing.h"
#include "compare/ScriptFile.h"
#include "compare/ScriptText.h"
#include "tests/support/TestFiles.h"

namespace {

DiffList ListOf(size_t count) {
  DiffList list;
  for (size_t at = 0; at < count; ++at) {
    auto address = static_cast<uint32_t>(at * 3 + (at % 7) * 0x10000);
    list.push_back({address, static_cast<unsigned char>(at), static_cast<unsigned char>(~at)});
  }
  return list;
}

struct Pieces {
  std::vector<std::string> texts;
  std::string Joined() const {
    std::string all;
    for (const auto& text : texts) all += text;
    return all;
  }
};

TextSink Collect(Pieces& pieces) {
  return [&pieces](std::string_view piece) {
    pieces.texts.emplace_back(piece);
    return true;
  };
}

// Around the 65,536 lines of one piece.
class StreamedText : public testing::TestWithParam<size_t> {};

// Each piece ends at a line end, so it converts on its own.
TEST_P(StreamedText, ListingPiecesEndAtLineEnds) {
  DiffList list = ListOf(GetParam());
  Pieces pieces;
  ASSERT_TRUE(StreamListing("C:\\a b.bin", "C:\\\x95\x5C.bin", list, Collect(pieces)));
  for (const std::string& piece : pieces.texts) EXPECT_TRUE(piece.ends_with("\r\n"));
  size_t full = (GetParam() + 65535) / 65536;  // the header rides in the first piece
  EXPECT_EQ(pieces.texts.size(), full == 0 ? 1 : full);
}

TEST_P(StreamedText, ScriptFileHoldsTheStreamedTextAndAZeroByte) {
  DiffList list = ListOf(GetParam());
  TempFolder folder;
  std::string path = folder.Write("streamed.qpx", std::string(3'000'000, 'x'));
  Pieces pieces;
  ASSERT_TRUE(StreamScript("C:\\a.bin", list, Direction::kReverse, Collect(pieces)));
  ASSERT_EQ(StreamScriptFile(path, "C:\\a.bin", list, Direction::kReverse),
            ScriptWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(path), pieces.Joined() + std::string(1, '\0'));
}

INSTANTIATE_TEST_SUITE_P(Lengths, StreamedText,
                         testing::Values(0, 1, 65535, 65536, 65537, 140000));

TEST(StreamedTextStop, SinkThatRefusesStopsTheText) {
  DiffList list = ListOf(200000);
  int calls = 0;
  auto refuse = [&calls](std::string_view) { return ++calls < 2; };
  EXPECT_FALSE(StreamListing("a", "b", list, refuse));
  EXPECT_EQ(calls, 2);
  calls = 0;
  EXPECT_FALSE(StreamScript("a", list, Direction::kForward, refuse));
  EXPECT_EQ(calls, 2);
}

TEST(StreamedScriptFile, ReportsAFileThatCannotBeCreated) {
  TempFolder folder;
  EXPECT_EQ(StreamScriptFile(folder.File("missing/x.qpx"), "a", ListOf(3), Direction::kForward),
            ScriptWriteResult::kCannotCreate);
}

}  // namespace
