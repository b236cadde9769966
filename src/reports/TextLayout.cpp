#include "reports/TextLayout.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "runtime/TextMetrics.hpp"
#include "runtime/Utf8.hpp"

namespace tipolaria {
namespace {

// Rounding slack: a line exactly as wide as its box fits.
constexpr double kEpsilon = 1e-6;
constexpr double kTwipsPerPoint = 20;

struct Span {
  std::size_t begin;
  std::size_t end;
};

// Splits a paragraph into lines no wider than `width`. Blanks never make a
// line overflow (they hang at its end) and the blanks where a line wraps are
// not carried to the next line; the leading blanks of the paragraph stay,
// since captions indent with them.
std::vector<Span> WrapParagraph(const std::u32string& chars, Span paragraph,
                                const std::vector<double>& advances, double width) {
  std::vector<Span> lines;
  std::size_t pos = paragraph.begin;
  do {
    double x = 0;
    std::size_t break_at = 0;  // first blank of the last blank run after a non-blank
    bool can_break = false;
    bool seen_text = false;
    std::size_t i = pos;
    for (; i < paragraph.end; ++i) {
      const char32_t c = chars[i];
      if (c == U' ') {
        if (seen_text && (i == pos || chars[i - 1] != U' ')) {
          break_at = i;
          can_break = true;
        }
      } else {
        if (x + advances[i] > width + kEpsilon && i > pos) break;
        seen_text = true;
      }
      x += advances[i];
    }
    if (i == paragraph.end) {
      lines.push_back({pos, paragraph.end});
      break;
    }
    if (can_break) {
      lines.push_back({pos, break_at});
      pos = break_at;
      while (pos < paragraph.end && chars[pos] == U' ') ++pos;
    } else {
      // A word wider than the box: break it between characters rather than
      // lose its end.
      lines.push_back({pos, i});
      pos = i;
    }
  } while (pos < paragraph.end);
  return lines;
}

// How a field's paragraph is placed on one line of `box`: 1 as it stands,
// below 1 narrowed to the box, or 0 when the measuring form's font does not
// fit it in the box and it wraps. The loaders fit a value to a box with
// that font, 6.75 pt, but the field prints at its own size (7 pt on the
// cover): a line the fitting made fit would otherwise wrap, and push the
// lines after it below the box.
double OneLineScale(const std::u32string& chars, Span paragraph,
                    const std::vector<double>& advances, const TextBox& box) {
  std::size_t end = paragraph.end;
  while (end > paragraph.begin && chars[end - 1] == U' ') --end;
  std::string utf8;
  double width = 0;
  for (std::size_t i = paragraph.begin; i < end; ++i) {
    AppendUtf8(utf8, chars[i]);
    width += advances[i];
  }
  if (MeasureTwips(utf8) > std::lround(box.width * kTwipsPerPoint)) return 0;
  if (width <= box.width + kEpsilon) return 1;
  return std::floor(box.width / width * kNarrowingSteps) / kNarrowingSteps;
}

}  // namespace

double AdvancePoints(char32_t c, double font_size) {
  return AdvanceHundredths(c) * font_size / 100.0;
}

std::vector<PlacedLine> LayOutText(std::string_view text, const TextBox& box) {
  std::vector<PlacedLine> placed;
  if (text.empty()) return placed;
  const std::u32string chars = DecodeUtf8(text);
  std::vector<double> advances(chars.size());
  for (std::size_t i = 0; i < chars.size(); ++i) {
    advances[i] = AdvancePoints(chars[i], box.font_size);
  }

  // Paragraphs end at CR LF; a lone CR or LF ends one too.
  std::vector<Span> paragraphs;
  std::size_t start = 0;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] == U'\r' || chars[i] == U'\n') {
      paragraphs.push_back({start, i});
      if (chars[i] == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') ++i;
      start = i + 1;
    }
  }
  paragraphs.push_back({start, chars.size()});

  const double line_height = kLineHeight * box.font_size;
  // The first baseline: one ascent down, or in a box lower than a line as
  // low as the descenders allow, but never so high that capitals stick out
  // above the box.
  const double first_baseline =
      std::max(kCapHeight * box.font_size,
               std::min(kFontAscent * box.font_size, box.height - kFontDescent * box.font_size));
  int line_index = 0;
  for (const Span& paragraph : paragraphs) {
    std::vector<Span> lines{{paragraph.begin, paragraph.end}};
    double scale = 1;
    if (paragraph.end > paragraph.begin) {
      const double one_line =
          box.holds_fitted_lines ? OneLineScale(chars, paragraph, advances, box) : 0;
      if (one_line > 0) {
        scale = one_line;
      } else {
        lines = WrapParagraph(chars, paragraph, advances, box.width);
      }
    }
    for (const Span& span : lines) {
      const double baseline = first_baseline + line_index * line_height;
      // A line whose baseline is below the box is not shown at all; the
      // lines after it cannot be either.
      if (baseline > box.height + kEpsilon) return placed;
      ++line_index;

      PlacedLine line;
      line.baseline = baseline;
      line.scale = scale;
      double x = 0;
      for (std::size_t i = span.begin; i < span.end; ++i) {
        const char32_t c = chars[i];
        if (c < 32) continue;  // no glyph and no width
        const double advance = advances[i] * scale;
        if (x + advance > box.width + kEpsilon) break;
        line.chars.push_back(c);
        line.x.push_back(x);
        const std::size_t before = line.utf8.size();
        AppendUtf8(line.utf8, c);
        line.byte_counts.push_back(static_cast<int>(line.utf8.size() - before));
        x += advance;
        if (c != U' ') line.width = x;
      }
      if (box.align == TextAlign::kCenter) {
        const double offset = std::max(0.0, (box.width - line.width) / 2);
        for (double& glyph_x : line.x) glyph_x += offset;
      }
      if (!line.chars.empty()) placed.push_back(std::move(line));
    }
  }
  return placed;
}

}  // namespace tipolaria
