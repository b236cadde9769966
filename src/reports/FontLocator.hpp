// Finds the font file that draws the page text through fontconfig: Trebuchet
// MS, the form's font, when a file of it is installed, otherwise Liberation
// Sans (fonts-liberation2). Glyphs are placed by the built-in metrics either
// way, so the choice changes the look of the letters, never the geometry.
// A host or a script that names the folder of the font files in
// TIPOLARIA_FONT_DIR spares the process fontconfig's start-up: the file is
// then taken from that folder by its name (trebuc.ttf, Trebuchet_MS.ttf or
// LiberationSans-Regular.ttf), and fontconfig is not asked at all.
#ifndef TIPOLARIA_REPORTS_FONTLOCATOR_HPP_
#define TIPOLARIA_REPORTS_FONTLOCATOR_HPP_

#include <optional>
#include <string>

namespace tipolaria {

inline constexpr const char* kFontFolderVariable = "TIPOLARIA_FONT_DIR";

struct FontFile {
  std::string family;
  std::string path;
  int index = 0;  // face within the file
};

// The regular face of `family` if fontconfig has a file of that very family
// (not a substitute it would offer instead).
std::optional<FontFile> FindFontFile(const std::string& family);

// The drawing font, looked up once per process and shared by every session:
// installed fonts do not change under a running print. It is found at the
// first call (a thread-safe initialisation) and never changes after. Raises when neither family is
// installed (or found in the folder TIPOLARIA_FONT_DIR names).
const FontFile& DrawingFontFile();

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_FONTLOCATOR_HPP_
