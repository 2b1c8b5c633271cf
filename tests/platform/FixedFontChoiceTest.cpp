#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FixedFontChoice.h"

namespace {

using platform::FontFace;
using platform::SelectedFace;

// Faces as a system lists them: name, Japanese (listed for Shift-JIS),
// fixed pitch, scalable.
const FontFace kGothic{"MS Gothic", true, true, true}, kGothicWestern{"MS Gothic", 0, 1, 1},
    kVertical{"@MS Gothic", 1, 1, 1}, kIpa{"IPAGothic", 1, 1, 1}, kIpaP{"IPAPGothic", 1, 0, 1},
    kDroid{"Droid Sans Fallback", 1, 0, 1}, kZenHei{"WenQuanYi Zen Hei Mono", 1, 1, 1},
    kCourier{"Courier New", 0, 1, 1}, kDejaVu{"DejaVu Sans Mono", 0, 1, 1},
    kRaster{"Fixedsys", 0, 1, 0};
const SelectedFace kDroidSelected{"Droid Sans Fallback", false, true};

struct Case {
  const char* name;
  std::vector<FontFace> faces;
  // What the system selects where not the face asked for, fixed, with
  // Japanese glyphs where it is listed for Shift-JIS; nothing: no font.
  std::map<std::string, std::optional<SelectedFace>> selected;
  std::optional<FontFace> chosen;
};

class FixedFace : public testing::TestWithParam<Case> {};

TEST_P(FixedFace, IsTheFirstInOrderOfPreferenceSelectedAsAsked) {
  auto select = [](const std::string& name, bool japanese) -> std::optional<SelectedFace> {
    auto found = GetParam().selected.find(name);
    return found != GetParam().selected.end() ? found->second : SelectedFace{name, true, japanese};
  };
  std::optional<FontFace> chosen = platform::ChooseFixedFace(GetParam().faces, select);
  ASSERT_EQ(chosen.has_value(), GetParam().chosen.has_value());
  if (chosen) {
    EXPECT_EQ(chosen->name, GetParam().chosen->name);
    EXPECT_EQ(chosen->japanese, GetParam().chosen->japanese);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Systems, FixedFace,
    testing::Values(
        Case{"MsGothicFirst", {kDroid, kIpa, kGothicWestern, kVertical, kGothic}, {}, kGothic},
        Case{"ThenAJapaneseFixedFaceByName", {kDroid, kZenHei, kIpaP, kCourier, kIpa}, {}, kIpa},
        Case{"SubstitutedFacePassedOver",
             {kGothic, kIpa},
             {{"MS Gothic", SelectedFace{"WenQuanYi Zen Hei Mono", true, true}}},
             kIpa},
        Case{"FaceWithoutJapaneseGlyphsPassedOver",
             {kIpa, kZenHei},
             {{"IPAGothic", SelectedFace{"IPAGothic", true, false}}},
             kZenHei},
        Case{"VariablePitchSelectedPassedOver",
             {kIpa, kDejaVu},
             {{"IPAGothic", SelectedFace{"IPAGothic", false, true}}},
             kDejaVu},
        Case{"FixedWithoutJapaneseBeatsVariable",
             {kDroid, kIpaP, kRaster, kDejaVu, kCourier},
             {},
             kCourier},
        Case{"FontThatCannotBeMadePassedOver", {kCourier, kDejaVu}, {{"Courier New", {}}}, kDejaVu},
        Case{"NameComparedIgnoringCase",
             {kIpa},
             {{"IPAGothic", SelectedFace{"ipagothic", true, true}}},
             kIpa},
        Case{"OnlyVariableRasterOrVerticalLeaveTheStockFont",
             {kDroid, kIpaP, kRaster, kVertical},
             {},
             std::nullopt},
        Case{"NoneSelectedAsAskedLeavesTheStockFont",
             {kGothic, kCourier},
             {{"MS Gothic", kDroidSelected}, {"Courier New", kDroidSelected}},
             std::nullopt}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

struct StockCase {
  const char* name;
  std::optional<SelectedFace> stock;  // what the system selects for the stock fixed font
  std::optional<FontFace> chosen;     // nothing: the stock font is kept
};

class PaneFace : public testing::TestWithParam<StockCase> {};

// Every face asked for is selected as asked; only the stock font differs.
TEST_P(PaneFace, IsTheStockFontOnlyWhereItIsFixedPitchWithJapanese) {
  auto select = [](const std::string& name, bool japanese) -> std::optional<SelectedFace> {
    return SelectedFace{name, true, japanese};
  };
  std::optional<FontFace> chosen =
      platform::ChoosePaneFace(GetParam().stock, {kDroid, kCourier, kIpa}, select);
  ASSERT_EQ(chosen.has_value(), GetParam().chosen.has_value());
  if (chosen) {
    EXPECT_EQ(chosen->name, GetParam().chosen->name);
  }
}

INSTANTIATE_TEST_SUITE_P(
    StockFonts, PaneFace,
    testing::Values(
        // Japanese Windows: its own fixed font, fixed pitch with Japanese.
        StockCase{"JapaneseStockKept", SelectedFace{"Terminal", true, true}, std::nullopt},
        // Wine under code page 932 maps it to a Japanese face of variable pitch.
        StockCase{"VariablePitchStockReplaced", kDroidSelected, kIpa},
        // Western Windows: fixed pitch without Japanese.
        StockCase{"WesternStockReplaced", SelectedFace{"Fixedsys", true, false}, kIpa},
        StockCase{"UnmeasuredStockReplaced", std::nullopt, kIpa}),
    [](const testing::TestParamInfo<StockCase>& info) { return std::string(info.param.name); });

}  // namespace
