// AjustarTexto (UtilFnc): fitting a text into a box of a width in twips and
// a number of lines, measured in the page-range form's font.
#include <algorithm>

#include "common/UtilFnc.hpp"
#include "runtime/Strings.hpp"
#include "runtime/TextMetrics.hpp"

namespace tipolaria {
namespace {

bool Fits(const std::string& piece, std::int32_t width) { return MeasureTwips(piece) <= width; }

// The longest prefix of `text` that fits, but never less than one character,
// so that a word wider than its box still makes progress.
std::int64_t FittingPrefix(const std::string& text, std::int32_t width) {
  const std::int64_t length = Len(text);
  std::int64_t n = 1;
  while (n < length && Fits(Left(text, n + 1), width)) ++n;
  return n;
}

// The longest prefix that fits together with "...", for a cut last line.
std::string CutWithEllipsis(const std::string& text, std::int32_t width) {
  std::int64_t n = Len(text);
  while (n > 0 && !Fits(Left(text, n) + "...", width)) --n;
  return Left(text, n) + "...";
}

std::string FitOneLine(const std::string& t, std::int32_t width) {
  const std::int64_t length = Len(t);
  for (std::int64_t n = 1; n <= length; ++n) {
    // Three characters make room for "..."; the cut counts characters, so a
    // CR LF pair among them counts as two.
    if (!Fits(Left(t, n), width)) return Left(t, std::max<std::int64_t>(n - 3, 0)) + "...";
  }
  return t;
}

std::string FitLines(const std::string& t, std::int32_t width, std::int32_t lines) {
  std::string rest = t;  // R
  std::string result;
  std::string line;  // L: kept across a line break, as the breaking rule reads it
  std::int64_t p = 1;
  std::int64_t s = 1;
  std::int32_t k = 1;
  // A word wider than the box at the start of a line is cut: the part that
  // fits fills the line and the rest goes on to the next one; on the last
  // permitted line it is cut with "...". Returns false when fitting ends.
  const auto cut_word = [&]() -> bool {
    if (k >= lines) {
      result += CutWithEllipsis(rest, width) + kCrLf;
      return false;
    }
    const std::int64_t m = FittingPrefix(rest, width);
    result += Left(rest, m) + kCrLf;
    rest = Trim(Mid(rest, m + 1));
    line.clear();
    ++k;
    p = s = 1;
    return !rest.empty();
  };
  while (k <= lines) {
    const std::int64_t q = InStr(p + 1, rest, " ");
    if (q > 0) {
      line = Trim(Left(rest, q));
      if (Fits(line, width)) {
        s = q;
        p = q;
        continue;
      }
      if (s == 1) {  // the first word alone does not fit
        if (!cut_word()) break;
        continue;
      }
      line = Trim(Left(rest, s));
      rest = Trim(Mid(rest, s));
      ++k;
      if (k <= lines) {
        result += line + kCrLf;
        p = s = 1;
        continue;
      }
      result += Left(line, s - 3) + "..." + kCrLf;
      break;
    }
    const std::string tail = Trim(Mid(rest, s));  // E
    const std::string candidate = line.empty() ? tail : line + " " + tail;
    if (Fits(candidate, width)) {
      result += candidate + kCrLf;
      break;
    }
    if (line.empty()) {  // a single word wider than the box
      if (!cut_word()) break;
      continue;
    }
    if (k < lines) {
      // The rest goes on the next line unmeasured, even if wider than the box.
      result += line + kCrLf + tail + kCrLf;
    } else {
      result += line + "..." + kCrLf;
    }
    break;
  }
  return result;
}

}  // namespace

std::string AjustarTexto(const std::string& text, std::int32_t width, std::int32_t lines) {
  if (lines < 1) return "";
  const std::string t = Trim(text);
  return lines == 1 ? FitOneLine(t, width) : FitLines(t, width, lines);
}

}  // namespace tipolaria
