#include "api/JsonResult.hpp"

#include <cstdio>

#include "runtime/Utf8.hpp"

namespace tipolaria::detail {
namespace {

// Valid UTF-8 whatever the input: a byte that starts no UTF-8 sequence
// (an argument typed in another encoding, a legacy database text) is read as
// the Latin-1 character of the same value, as everywhere in the library.
std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
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
        // C1 controls and DEL too: a result shown on a terminal must not
        // act on it (U+009B starts a control sequence as ESC [ does).
        if (c < 0x20 || (c >= 0x7f && c <= 0x9f)) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          AppendUtf8(out, c);
        }
    }
  }
  return out;
}

}  // namespace

std::string JsonOk() { return R"({"Result": "OK"})"; }

std::string JsonFailure(const ComError& error, const std::string& operation) {
  return R"({"Result": "ERR", "errorMessage": ")" + Escape(error.description()) +
         R"(", "source":")" + Escape(error.source()) + " - " + operation + "\"}";
}

std::string JsonString(const std::string& text) { return '"' + Escape(text) + '"'; }

}  // namespace tipolaria::detail
