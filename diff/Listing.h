// The texts of the difference pane: the listing of a comparison and the
// notice shown instead when the two files differ in size.
#pragma once

#include <string>
#include <string_view>

#include "diff/Comparison.h"

// Each of its two lines begins with an ideographic space.
inline constexpr std::string_view kSizeMismatchText =
    "　1つ目のファイルと2つ目のファイルのサイズが違います。\r\n"
    "　スクリプトファイルは書き出せません。";

inline constexpr std::string_view kNoDifferencesLine = "差異はありません。\r\n";

// "Address = first : second", then one line "address = first : second"
// per difference, or kNoDifferencesLine; lines end in CR LF.
std::string BuildListing(const std::string& firstPath, const std::string& secondPath,
                         const DiffList& differences);
