// The library's texts for hosts (tipolaria/text.hpp).
#include "tipolaria/text.hpp"

#include <cstdio>

#include "runtime/Utf8.hpp"

namespace tipolaria {
namespace {

// A control character: C0, DEL or C1. Shown on a terminal, it would act on
// it (ESC starts a sequence, and so does CSI, U+009B).
bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7f && c <= 0x9f); }

// Each of `bytes` as \xHH.
void AppendEscaped(std::string& out, std::string_view bytes) {
  for (const char byte : bytes) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(byte));
    out += escaped;
  }
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = NextCodePoint(text, pos);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        // C1 controls and DEL too: a text shown on a terminal must not act
        // on it (U+009B starts a control sequence as ESC [ does).
        if (IsControl(c)) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          AppendUtf8(out, c);
        }
    }
  }
  return out + '"';
}

std::string OneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = NextCodePoint(text, pos);
    if (c == '\n' || c == '\r' || c == '\t') {
      line += ' ';
    } else if (IsControl(c)) {
      std::string bytes;
      AppendUtf8(bytes, c);
      AppendEscaped(line, bytes);
    } else {
      AppendUtf8(line, c);
    }
  }
  return line;
}

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const bool control = IsControl(NextCodePoint(text, pos));
    const std::string_view bytes = text.substr(start, pos - start);
    if (control) {
      AppendEscaped(out, bytes);
    } else {
      out.append(bytes);
    }
  }
  return out;
}

}  // namespace tipolaria
