#include "platform/FixedFontChoice.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

namespace platform {

namespace {

constexpr char kPreferredFace[] = "MS Gothic";

// The order of preference: 0 is best; kNotACandidate is never tried.
constexpr int kNotACandidate = 3;

int RankOf(const FontFace& face) {
  if (!face.fixedPitch || !face.scalable || face.name.empty() || face.name[0] == '@') {
    return kNotACandidate;
  }
  if (!face.japanese) return 2;
  return face.name == kPreferredFace ? 0 : 1;
}

// Face names are compared as the system compares them, ignoring case.
bool SameFace(const std::string& left, const std::string& right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

bool SelectedAsAsked(const std::optional<SelectedFace>& selected, const std::string& name,
                     bool japanese) {
  return selected && SameFace(selected->name, name) && selected->fixedPitch &&
         (!japanese || selected->japaneseGlyphs);
}

}  // namespace

std::optional<FontFace> ChooseFixedFace(const std::vector<FontFace>& faces,
                                        const SelectFace& select) {
  // Each face by its best rank (a Japanese face is also listed for other
  // character sets), then by name, so that the choice does not depend on
  // the order the system lists its faces in.
  std::vector<std::pair<int, std::string>> candidates;
  for (const FontFace& face : faces) {
    int rank = RankOf(face);
    if (rank != kNotACandidate) candidates.emplace_back(rank, face.name);
  }
  std::sort(candidates.begin(), candidates.end());
  std::set<std::string> tried;
  for (const auto& [rank, name] : candidates) {
    if (!tried.insert(name).second) continue;
    bool japanese = rank < 2;
    if (SelectedAsAsked(select(name, japanese), name, japanese)) {
      return FontFace{name, japanese, true, true};
    }
  }
  return std::nullopt;
}

std::optional<FontFace> ChoosePaneFace(const std::optional<SelectedFace>& stock,
                                       const std::vector<FontFace>& faces,
                                       const SelectFace& select) {
  if (stock && stock->fixedPitch && stock->japaneseGlyphs) return std::nullopt;
  return ChooseFixedFace(faces, select);
}

}  // namespace platform
