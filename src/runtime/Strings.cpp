#include "runtime/Strings.hpp"

#include <algorithm>
#include <limits>

#include "runtime/Trap.hpp"
#include "runtime/Utf8.hpp"

namespace tipolaria {
namespace {

// Byte offset just past the first `count` characters (the text's size when it
// has fewer). Pieces are cut from the original bytes, so text that is not
// valid UTF-8 comes back exactly as it was.
std::size_t OffsetOfChar(std::string_view text, std::int64_t count) {
  std::size_t pos = 0;
  for (std::int64_t n = 0; n < count && pos < text.size(); ++n) NextCodePoint(text, pos);
  return pos;
}

void RequireNotNegative(std::int64_t n) {
  if (n < 0) RaiseRuntimeError(kErrInvalidProcedureCall);
}

void RequireStart(std::int64_t start) {
  if (start < 1) RaiseRuntimeError(kErrInvalidProcedureCall);
}

char32_t UpperCase(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  // Latin-1 letters: à..þ map to À..Þ, except the division sign.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0xFF:  // ÿ
      return 0x178;
    case 0x161:  // š, œ, ž: letters of the Western code page beyond Latin-1
    case 0x153:
      return c - 1;
    case 0x17E:
      return 0x17D;
    default:
      return c;
  }
}

}  // namespace

std::string Left(std::string_view text, std::int64_t length) {
  RequireNotNegative(length);
  return std::string(text.substr(0, OffsetOfChar(text, length)));
}

std::string Right(std::string_view text, std::int64_t length) {
  RequireNotNegative(length);
  const std::int64_t total = Len(text);
  if (length >= total) return std::string(text);
  return std::string(text.substr(OffsetOfChar(text, total - length)));
}

std::string Mid(std::string_view text, std::int64_t start) {
  RequireStart(start);
  return std::string(text.substr(OffsetOfChar(text, start - 1)));
}

std::string Mid(std::string_view text, std::int64_t start, std::int64_t length) {
  RequireStart(start);
  RequireNotNegative(length);
  const std::string_view rest = text.substr(OffsetOfChar(text, start - 1));
  return std::string(rest.substr(0, OffsetOfChar(rest, length)));
}

std::string Trim(std::string_view text) { return LTrim(RTrim(text)); }

std::string LTrim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Space(std::int64_t count) {
  RequireNotNegative(count);
  // The original runtime's strings stop at 2^31 - 1 characters.
  if (count > std::numeric_limits<std::int32_t>::max()) RaiseRuntimeError(kErrOutOfMemory);
  return std::string(static_cast<std::size_t>(count), ' ');
}

std::int64_t Len(std::string_view text) { return static_cast<std::int64_t>(CharCount(text)); }

std::int64_t InStr(std::int64_t start, std::string_view text, std::string_view what) {
  RequireStart(start);
  // Compared as characters, not bytes: a byte read as a Latin-1 character
  // must not match the tail of a UTF-8 sequence.
  const std::u32string haystack = DecodeUtf8(text);
  if (haystack.empty() || start > static_cast<std::int64_t>(haystack.size())) return 0;
  if (what.empty()) return start;
  const std::size_t found = haystack.find(DecodeUtf8(what), static_cast<std::size_t>(start - 1));
  return found == std::u32string::npos ? 0 : static_cast<std::int64_t>(found) + 1;
}

std::string UCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();)
    AppendUtf8(out, UpperCase(NextCodePoint(text, pos)));
  return out;
}

}  // namespace tipolaria
