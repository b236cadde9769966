#include "api/JsonResult.hpp"

#include <cstdio>

namespace tipolaria::detail {
namespace {

std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
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
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out.push_back(c);
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

}  // namespace tipolaria::detail
