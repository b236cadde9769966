// The runtime's conversions of a Value, under the regional settings of
// Argentina (decimal separator ",", thousands separator "."), with the
// original runtime's errors: Null where a value is needed is "Invalid use of
// Null" (94), text that is not a number is "Type mismatch" (13), a number too
// large for its target is "Overflow" (6). All raise ComError with source
// "Tipolaria".
#ifndef TIPOLARIA_RUNTIME_CONVERT_HPP_
#define TIPOLARIA_RUNTIME_CONVERT_HPP_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Decimal.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

// Number to text: shortest form, no trailing zeros, "," as decimal separator,
// no thousands separator (12.5 gives "12,5", 5 gives "5", -0.25 gives "-0,25").
std::string NumberToText(const Decimal& value);
// Date to text: dd/mm/yyyy, with " hh:mm:ss" only when the time is not midnight.
std::string DateToText(const DateTime& value);

// The text of a value as concatenation gives it: numbers and dates as above,
// Booleans as "True"/"False", text unchanged. Null raises Invalid use of Null.
// A Double shows 15 significant digits (see DoubleToDecimal); past 1E+15 or
// below 1E-14 in magnitude it is written with an exponent ("1,5E+20").
std::string ValueToText(const Value& value);

// A value as the public interface shows it (FieldValue, tipolaria/database.hpp):
// whether it is Null or a number, the number, and its text as above.
struct FieldValue;
FieldValue ValueToFieldValue(const Value& value);

// Reads text as a number under the regional settings: "," is the decimal
// separator and "." groups thousands ("1.234,5" is 1234.5); blanks around,
// a leading sign and an exponent are allowed. Nothing when it is not a number;
// a number too large for a Decimal raises Overflow. As in the original
// runtime, the grouping dots are skipped wherever they stand in the whole
// part, so the invariant text "12.5" reads as 125.
std::optional<Decimal> ParseRegionalNumber(std::string_view text);

// A Double as the runtime turns it into a number for text, display patterns
// and CDec: rounded to 15 significant digits, as the original runtime's
// conversions of a Double are (0.1 + 0.2 gives 0.3, 2.345 stays 2.345).
// Non-finite values and values past the Decimal range raise Overflow.
Decimal DoubleToDecimal(double value);

// CDec: numbers exactly (a Double through DoubleToDecimal), text through
// ParseRegionalNumber, Booleans as -1/0, dates as their date number
// (DateTime::ToSerial).
Decimal ValueToDecimal(const Value& value);
// CDbl, with the same rules.
double ValueToDouble(const Value& value);
// CInt / CLng: numbers rounded half to even (the runtime's rule for integer
// conversion), then range-checked.
std::int16_t ValueToInt16(const Value& value);
std::int32_t ValueToInt32(const Value& value);
// CBool: numbers are true when not zero; "True"/"False" text (any case), or
// text that reads as a number.
bool ValueToBoolean(const Value& value);

// Range checks of 16- and 32-bit integer arithmetic: Overflow instead of
// wrapping.
std::int16_t CheckedInt16(std::int64_t value);
std::int32_t CheckedInt32(std::int64_t value);

// A page number of the form, which numbers its pages in 16 bits: past 32767
// an Overflow (6) whose description says that the declaration has more
// pages than the form can number, never a wrapped number.
std::int16_t CheckedPageNumber(std::int64_t page);

}  // namespace tipolaria

#endif  // TIPOLARIA_RUNTIME_CONVERT_HPP_
