#include "runtime/TextMetrics.hpp"

#include <array>

#include "runtime/Utf8.hpp"

namespace tipolaria {
namespace {

// Code points 32 to 126, measured at a 100 px em.
constexpr std::array<int, 95> kAsciiWidths = {
    30, 37, 32, 52, 52, 60, 71, 16, 37, 37, 37, 52, 37, 37, 37, 52, 52, 52, 52, 52, 52, 52, 52, 52,
    52, 52, 37, 37, 52, 52, 52, 37, 77, 59, 57, 60, 61, 54, 52, 68, 65, 28, 48, 58, 51, 71, 64, 67,
    56, 68, 58, 48, 58, 65, 59, 85, 56, 57, 55, 37, 36, 37, 52, 52, 52, 53, 56, 50, 56, 55, 37, 50,
    55, 29, 37, 50, 29, 83, 55, 54, 56, 56, 39, 40, 40, 55, 49, 74, 50, 49, 47, 37, 52, 37, 52,
};

constexpr int kPixelsPerEm = 9;  // 6.75 pt at 96 dpi
constexpr int kTwipsPerPixel = 15;

}  // namespace

char32_t BaseLetter(char32_t c) {
  if (c < 0xC0 || c > 0xFF) return c;
  // Latin-1 from U+00C0: the base letter of each, or 0 where there is none
  // (Æ, ×, Ø, Þ, ß and their lower-case forms).
  static constexpr char kBase[] =
      "AAAAAA\0CEEEEIIII\0NOOOOO\0\0UUUUY\0\0"
      "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y";
  const char base = kBase[c - 0xC0];
  return base == 0 ? c : static_cast<char32_t>(base);
}

int AdvanceHundredths(char32_t c) {
  if (c < 32) return 0;
  c = BaseLetter(c);
  if (c >= 32 && c <= 126) return kAsciiWidths[c - 32];
  return kAsciiWidths['x' - 32];
}

std::int32_t MeasureTwips(std::string_view text) {
  std::int32_t twips = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const int hundredths = AdvanceHundredths(NextCodePoint(text, pos));
    // round_half_up(w * 9 / 100) in whole pixels
    const int pixels = (hundredths * kPixelsPerEm * 2 + 100) / 200;
    twips += pixels * kTwipsPerPixel;
  }
  return twips;
}

}  // namespace tipolaria
