// The texts of the difference pane: the listing of a comparison and the
// notice shown instead when the two files differ in size.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compare/Comparison.h"
#include "text/TextBuilder.h"

// Each of its two lines begins with an ideographic space.
inline constexpr std::string_view kSizeMismatchText =
    "　1つ目のファイルと2つ目のファイルのサイズが違います。\r\n"
    "　スクリプトファイルは書き出せません。";

inline constexpr std::string_view kNoDifferencesLine = "差異はありません。\r\n";

// Lines of a listing: from first (the header is line 0), at most count.
struct ListingLines {
  size_t first = 0;
  size_t count = SIZE_MAX;
};

// "Address = first : second", then one line "address = first : second"
// per difference, or noDifferences (qpx's listing has it in the user's
// language); lines end in CR LF. The text (or the lines asked for) goes
// to the sink in pieces of about 1 MiB that end at line ends; false when
// the sink stopped it.
bool StreamListing(const std::string& firstPath, const std::string& secondPath,
                   const DiffList& differences, const TextSink& sink,
                   std::string_view noDifferences = kNoDifferencesLine, ListingLines lines = {});

// The lines of the listing of these differences, the header's included.
size_t ListingLineCount(const DiffList& differences);
