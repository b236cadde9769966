// Building SQL text. Every value placed inside a single-quoted SQL literal
// goes through DoubleQuotes, so a quote in the data (a broker named O'Brien)
// never breaks a statement.
#ifndef TIPOLARIA_DATA_SQLTEXT_HPP_
#define TIPOLARIA_DATA_SQLTEXT_HPP_

#include <string>
#include <string_view>

namespace tipolaria {

// Each single quote doubled: O'HARA gives O''HARA. NUL characters are
// dropped: none can stand inside a statement's text.
std::string DoubleQuotes(std::string_view text);

// Raises an error of `source` when the statement holds a NUL, which would end
// its text early and run what stands before it.
void RejectNul(const std::string& source, const std::string& sql);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_SQLTEXT_HPP_
