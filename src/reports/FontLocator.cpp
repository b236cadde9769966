#include "reports/FontLocator.hpp"

#include <strings.h>

#include <cstdlib>
#include <filesystem>

#include "reports/CairoPtr.hpp"
#include "reports/ReportErrors.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

bool HasFamily(FcPattern* pattern, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) return true;
  }
  return false;
}

// The file names of the two families' regular faces as their packages
// install them, in the order they are preferred.
constexpr struct {
  const char* family;
  const char* file;
} kFontFileNames[] = {
    {"Trebuchet MS", "trebuc.ttf"},
    {"Trebuchet MS", "Trebuchet_MS.ttf"},
    {"Trebuchet MS", "Trebuchet MS.ttf"},
    {"Liberation Sans", "LiberationSans-Regular.ttf"},
};

// The drawing font found in `folder` by its file name, without fontconfig
// (whose start-up reads its whole configuration).
std::optional<FontFile> FindInFolder(const std::string& folder) {
  for (const auto& name : kFontFileNames) {
    const std::filesystem::path path = std::filesystem::path(folder) / name.file;
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
      return FontFile{name.family, path.string(), 0};
    }
  }
  return std::nullopt;
}

std::optional<FontFile> LocateDrawingFont(std::string& folder) {
  const char* env = std::getenv(kFontFolderVariable);
  folder = env != nullptr ? env : "";
  if (!folder.empty()) return FindInFolder(folder);
  std::optional<FontFile> f = FindFontFile("Trebuchet MS");
  return f ? f : FindFontFile("Liberation Sans");
}

}  // namespace

std::optional<FontFile> FindFontFile(const std::string& family) {
  if (FcInit() == FcFalse) return std::nullopt;
  detail::PatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  detail::PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || result != FcResultMatch || !HasFamily(match.get(), family)) return std::nullopt;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FontFile found;
  found.family = family;
  found.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
  return found;
}

const FontFile& DrawingFontFile() {
  static std::string folder;
  static const std::optional<FontFile> font = LocateDrawingFont(folder);
  if (!font && !folder.empty()) {
    throw ComError(kErrReportResource, kReportSource,
                   "No font to draw the page text in the folder " + folder + " (" +
                       kFontFolderVariable +
                       "): it holds neither trebuc.ttf nor LiberationSans-Regular.ttf");
  }
  if (!font) {
    throw ComError(kErrReportResource, kReportSource,
                   "No font to draw the page text: neither Trebuchet MS nor Liberation Sans "
                   "(package fonts-liberation2) is installed");
  }
  return *font;
}

}  // namespace tipolaria
