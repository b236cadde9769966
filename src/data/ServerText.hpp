// Text compared as the customs server compares it. SQL Server's usual
// collations (case-insensitive, accent-sensitive) take no account of case,
// and '=' pads the shorter text with blanks, so trailing blanks do not count
// either: '0001' equals '0001 ', 'ab' equals 'AB'. Whatever groups the
// server's rows in memory compares through here.
#ifndef TIPOLARIA_DATA_SERVERTEXT_HPP_
#define TIPOLARIA_DATA_SERVERTEXT_HPP_

#include <string>
#include <string_view>

#include "runtime/Value.hpp"

namespace tipolaria::detail {

// The form of `text` that is equal for texts the server finds equal: trailing
// blanks dropped, letters (ASCII and the accented letters of Latin-1) in one
// case.
std::string ServerKey(std::string_view text);

// Whether a column's value equals the literal `text` in a WHERE of the
// server: Null equals nothing; a number is compared with the number the text
// converts to (APTR = '9'); anything else as text.
bool ServerEquals(const Value& column, std::string_view text);

}  // namespace tipolaria::detail

#endif  // TIPOLARIA_DATA_SERVERTEXT_HPP_
