// Which font shows the pane's fixed-pitch text: the stock fixed font where
// it serves, else an installed face. The decision, apart from the system's
// calls that list the faces and make and measure a font.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One face as the system's font enumeration reports it, once per
// character set it offers.
struct FontFace {
  std::string name;  // UTF-8
  bool japanese;     // offered for the Shift-JIS character set
  bool fixedPitch;
  bool scalable;  // an outline font; a raster one has a few sizes only
};

// What a font asked for by face name turned out to be once selected into
// a device context: the system may substitute another face.
struct SelectedFace {
  std::string name;  // UTF-8
  bool fixedPitch;
  bool japaneseGlyphs;  // it draws 表, ア and the ideographic space
};

// Makes a font of the face (for the Shift-JIS character set where
// `japanese`) and answers what the system selected, or nothing when no
// font could be made.
using SelectFace =
    std::function<std::optional<SelectedFace>(const std::string& name, bool japanese)>;

// The face the pane takes: MS Gothic where the system has it, else
// another fixed-pitch Japanese face, else a fixed-pitch face without
// Japanese, each tried in turn until one is selected as asked (that face,
// fixed pitch and, for a Japanese face, with Japanese glyphs). Vertical
// faces ("@...") and raster faces are passed over. Nothing when no face
// passes: the stock fixed font then serves. The face is given as it was
// tried: `japanese` tells whether for the Shift-JIS character set.
std::optional<FontFace> ChooseFixedFace(const std::vector<FontFace>& faces,
                                        const SelectFace& select);

// The face the pane takes where the stock fixed font (as the system
// selects it, stock) does not serve: the stock font serves where it is
// fixed pitch with Japanese glyphs, as on Japanese Windows; elsewhere
// (another code page, or a system that maps it to a face of variable
// pitch) a face is chosen as ChooseFixedFace does. Nothing: the stock font.
std::optional<FontFace> ChoosePaneFace(const std::optional<SelectedFace>& stock,
                                       const std::vector<FontFace>& faces,
                                       const SelectFace& select);

}  // namespace platform
