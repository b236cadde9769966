// Texts from outside (an iddtext, a request's path) written where some of
// their bytes would act: in a file name, on a log line. Each such byte
// becomes a prefix and its two hexadecimal digits, so that the text still
// reads and two different texts never come out the same.
#ifndef TIPOLARIA_CLI_ESCAPEDBYTES_HPP_
#define TIPOLARIA_CLI_ESCAPEDBYTES_HPP_

#include <string>
#include <string_view>

namespace tipolaria::cli {

// `text` with every byte for which `escaped(byte)` holds written as
// `prefix` and two upper-case hexadecimal digits ("%2F", "\x0A").
template <typename Escaped>
std::string EscapeBytes(std::string_view text, std::string_view prefix, Escaped escaped) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (escaped(byte)) {
      out += prefix;
      out += kDigits[byte >> 4];
      out += kDigits[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace tipolaria::cli

#endif  // TIPOLARIA_CLI_ESCAPEDBYTES_HPP_
