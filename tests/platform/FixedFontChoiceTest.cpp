#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FixedFontChoice.h"

namespace {

using platform::FontFace;
using platform::SelectedFace;

// Faces as a system lists them (a Japanese face once for Shift-JIS and
// once for its other character sets).
const FontFace kMsGothic{"MS Gothic", true, true, true};
const FontFace kMsGothicWestern{"MS Gothic", false, true, true};
const FontFace kVerticalMsGothic{"@MS Gothic", true, true, true};
const FontFace kIpaGothic{"IPAGothic", true, true, true};
const FontFace kIpaPGothic{"IPAPGothic", true, false, true};
const FontFace kDroidFallback{"Droid Sans Fallback", true, false, true};
const FontFace kZenHeiMono{"WenQuanYi Zen Hei Mono", true, true, true};
const FontFace kCourierNew{"Courier New", false, true, true};
const FontFace kDejaVuMono{"DejaVu Sans Mono", false, true, true};
const FontFace kRasterFixed{"Fixedsys", false, true, false};

// The system's answer where it differs from selecting the face as asked
// with Japanese glyphs where the face is listed for Shift-JIS.
using Substitutions = std::map<std::string, std::optional<SelectedFace>>;

struct Case {
  const char* name;
  std::vector<FontFace> faces;
  Substitutions substitutions;
  std::optional<std::string> chosen;
  bool japanese;
};

class FixedFace : public testing::TestWithParam<Case> {};

TEST_P(FixedFace, IsTheFirstInOrderOfPreferenceThatIsSelectedAsAsked) {
  std::vector<std::string> tried;
  auto select = [&](const std::string& name, bool) -> std::optional<SelectedFace> {
    tried.push_back(name);
    auto found = GetParam().substitutions.find(name);
    if (found != GetParam().substitutions.end()) return found->second;
    bool japanese = false;
    for (const FontFace& face : GetParam().faces) japanese |= face.name == name && face.japanese;
    return SelectedFace{name, true, japanese};
  };
  std::optional<FontFace> chosen = platform::ChooseFixedFace(GetParam().faces, select);
  ASSERT_EQ(chosen.has_value(), GetParam().chosen.has_value());
  if (!chosen) return;
  EXPECT_EQ(chosen->name, *GetParam().chosen);
  EXPECT_EQ(chosen->japanese, GetParam().japanese);
  EXPECT_EQ(tried.back(), chosen->name);
  EXPECT_EQ(std::count(tried.begin(), tried.end(), chosen->name), 1);
}

const SelectedFace kFallbackSelected{"Droid Sans Fallback", false, true};

INSTANTIATE_TEST_SUITE_P(
    Systems, FixedFace,
    testing::Values(Case{"MsGothicBeforeEveryOtherFace",
                         {kDroidFallback, kIpaGothic, kMsGothicWestern, kVerticalMsGothic,
                          kMsGothic},
                         {},
                         "MS Gothic",
                         true},
                    Case{"OtherJapaneseFixedFaceByName",
                         {kDroidFallback, kZenHeiMono, kIpaPGothic, kCourierNew, kIpaGothic},
                         {},
                         "IPAGothic",
                         true},
                    Case{"SubstitutedFaceIsPassedOver",
                         {kMsGothic, kIpaGothic},
                         {{"MS Gothic", kFallbackSelected}},
                         "IPAGothic",
                         true},
                    Case{"FaceSelectedWithoutJapaneseGlyphsIsPassedOver",
                         {kIpaGothic, kZenHeiMono},
                         {{"IPAGothic", SelectedFace{"IPAGothic", true, false}}},
                         "WenQuanYi Zen Hei Mono",
                         true},
                    Case{"FaceSelectedWithVariablePitchIsPassedOver",
                         {kIpaGothic, kDejaVuMono},
                         {{"IPAGothic", SelectedFace{"IPAGothic", false, true}}},
                         "DejaVu Sans Mono",
                         false},
                    Case{"FixedWithoutJapaneseBeatsVariableJapanese",
                         {kDroidFallback, kIpaPGothic, kRasterFixed, kDejaVuMono, kCourierNew},
                         {},
                         "Courier New",
                         false},
                    Case{"FaceThatCannotBeMadeIsPassedOver",
                         {kCourierNew, kDejaVuMono},
                         {{"Courier New", std::nullopt}},
                         "DejaVu Sans Mono",
                         false},
                    Case{"NameComparedIgnoringCase",
                         {kIpaGothic},
                         {{"IPAGothic", SelectedFace{"ipagothic", true, true}}},
                         "IPAGothic",
                         true},
                    Case{"OnlyVariableRasterOrVerticalFacesLeaveTheStockFont",
                         {kDroidFallback, kIpaPGothic, kRasterFixed, kVerticalMsGothic},
                         {},
                         std::nullopt,
                         false},
                    Case{"NothingSelectedAsAskedLeavesTheStockFont",
                         {kMsGothic, kCourierNew},
                         {{"MS Gothic", kFallbackSelected}, {"Courier New", kFallbackSelected}},
                         std::nullopt,
                         false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
