// Display patterns, as the loaders format amounts, weights, identifiers and
// dates for print.
#ifndef TIPOLARIA_RUNTIME_FORMAT_HPP_
#define TIPOLARIA_RUNTIME_FORMAT_HPP_

#include <string>
#include <string_view>

#include "runtime/Value.hpp"

namespace tipolaria {

// Formats a value with one of the display patterns the system uses:
// "#,##0.00", "#,##0.000", "#,##0.0000", "#,##0.00000", "#,##0.000000",
// "#,##0", "0.0000", "0.00", "0000", "00-00000000-0", "dd / mm / yyyy".
// In the pattern "," groups thousands and "." is the decimal point; the output
// uses the regional separators ("." thousands, "," decimals): 1234.5 with
// "#,##0.00" gives "1.234,50". Rounding is half away from zero on the exact
// value. A numeric pattern given text that is not a number returns the text
// unchanged; empty text gives empty text; text that is a number under the
// regional settings ("1234,5") formats as that number. "00-00000000-0" fills
// its digit places from the right and keeps leading zeros. Null gives empty
// text. A negative value that rounds to zero keeps its sign ("-0,00"), as the
// original runtime prints it.
//
// Other patterns made of the same pieces ("0", "#", grouping ",", ".", the
// literals " -+()$"; or the date letters d, dd, m, mm, yy, yyyy, h, hh, n, nn,
// s, ss with " /-:.,") format the same way. "dd / mm / yyyy" takes dates, text
// that reads as a date ('05/12/2026', ISO), which otherwise stays unchanged,
// and numbers as date numbers (DateTime::ToSerial); a numeric pattern takes a
// date as its date number. An empty pattern gives ValueToText. Any other
// pattern raises "Invalid procedure call or argument" (5) naming it, never a
// guessed result.
std::string Format(const Value& value, std::string_view pattern);

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_FORMAT_HPP_
