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
// 1-based position of `what` in `text` from character `start`, 0 when absent.
std::int64_t InStr(std::int64_t start, std::string_view text, std::string_view what);
std::string UCase(std::string_view text);

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_STRINGS_HPP_
