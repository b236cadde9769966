// Text is UTF-8 throughout the library. The runtime's string operations count
// characters (code points), as the original runtime did, never bytes. A byte
// that does not start a valid UTF-8 sequence is read as the Latin-1 character
// of the same value, so text from a legacy database is never lost.
#ifndef TIPOLARIA_RUNTIME_UTF8_HPP_
#define TIPOLARIA_RUNTIME_UTF8_HPP_

#include <cstddef>
#include <string>
#include <string_view>

namespace tipolaria {

// Decodes the code point that starts at byte offset `pos` and advances `pos`
// past it. `pos` must be less than text.size().
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
void AppendUtf8(std::string& out, char32_t c);

// Number of characters of a UTF-8 text.
std::size_t CharCount(std::string_view text);

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_UTF8_HPP_
