// The runtime's string functions. Positions and lengths count characters of
// the UTF-8 text, not bytes, and start at 1 as in the original runtime. A
// negative length or a start below 1 is "Invalid procedure call or argument"
// (5). "Blank" is the space character only: Trim leaves tabs and CR LF.
#ifndef TIPOLARIA_RUNTIME_STRINGS_HPP_
#define TIPOLARIA_RUNTIME_STRINGS_HPP_

#include <cstdint>
#include <string>
#include <string_view>

namespace tipolaria {

// The line break of the system's texts, carriage return and line feed.
inline constexpr const char* kCrLf = "\r\n";

std::string Left(std::string_view text, std::int64_t length);
std::string Right(std::string_view text, std::int64_t length);
// From `start` to the end.
std::string Mid(std::string_view text, std::int64_t start);
std::string Mid(std::string_view text, std::int64_t start, std::int64_t length);
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
std::string Space(std::int64_t count);
std::int64_t Len(std::string_view text);
// 1-based position of `what` in `text` from character `start`, 0 when absent,
// comparing characters exactly. As in the original runtime: 0 for empty text
// or a start past its end, `start` for an empty `what`.
std::int64_t InStr(std::int64_t start, std::string_view text, std::string_view what);
// Upper case of ASCII and Latin-1 letters (á gives Á, ñ gives Ñ, ÿ gives Ÿ)
// and of š, œ, ž; other characters unchanged. The result is valid UTF-8: a
// stray byte read as Latin-1 comes back encoded.
std::string UCase(std::string_view text);

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_STRINGS_HPP_
