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

TEST_P(StreamedText, ListingPiecesJoinToTheWholeListing) {
  DiffList list = ListOf(GetParam());
  Pieces pieces;
  ASSERT_TRUE(StreamListing("C:\\a b.bin", "C:\\\x95\x5C.bin", list, Collect(pieces)));
  EXPECT_EQ(pieces.Joined(), BuildListing("C:\\a b.bin", "C:\\\x95\x5C.bin", list));
  size_t full = (GetParam() + 65535) / 65536;  // the header rides in the first piece
  EXPECT_EQ(pieces.texts.size(), full == 0 ? 1 : full);
}

TEST_P(StreamedText, ScriptPiecesJoinToTheWholeScript) {
  DiffList list = ListOf(GetParam());
  for (Direction direction : {Direction::kForward, Direction::kReverse}) {
    Pieces pieces;
    ASSERT_TRUE(StreamScript("C:\\a b.bin", list, direction, Collect(pieces)));
    EXPECT_EQ(pieces.Joined(), BuildScript("C:\\a b.bin", list, direction));
  }
}

TEST_P(StreamedText, StreamedScriptFileHasTheBytesOfTheWholeOne) {
  DiffList list = ListOf(GetParam());
  TempFolder folder;
  std::string whole = folder.File("whole.qpx");
  std::string streamed = folder.Write("streamed.qpx", std::string(3'000'000, 'x'));
  ASSERT_EQ(WriteScriptFile(whole, BuildScript("C:\\a.bin", list, Direction::kReverse)),
            ScriptWriteResult::kWritten);
  ASSERT_EQ(StreamScriptFile(streamed, "C:\\a.bin", list, Direction::kReverse),
            ScriptWriteResult::kWritten);
  EXPECT_EQ(ReadFileBytes(streamed), ReadFileBytes(whole));
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
