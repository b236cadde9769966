// UtilFnc: the small free procedures every loader uses: null-safe field
// conversions, the collection search of the settlement (UtilFnc.cpp), and the
// fitting of long texts into a box (TextFitting.cpp). None traps errors: they
// reach the caller, whose trap names it. Quotes in SQL literals are doubled
// by DoubleQuotes (data/SqlText).
#ifndef TIPOLARIA_COMMON_UTILFNC_HPP_
#define TIPOLARIA_COMMON_UTILFNC_HPP_

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Decimal.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

// Empty text for Null, otherwise the value as text.
std::string ValorTexto(const Value& field);
// 0 for Null, otherwise the value as an exact decimal (text that is not a
// number is a type mismatch).
Decimal ValorDecimal(const Value& field);

// Searches `items` from the 1-based `start` for the first item whose first
// `prefix_length` characters (at least one), read as a 16-bit integer, equal
// `key` read as a 16-bit integer; `key` becomes the whole item and `start` its
// position. No match leaves both unchanged and returns false.
bool BuscarEnColeccion(std::string& key, const std::vector<std::string>& items,
                       std::int32_t prefix_length, std::int32_t& start);

// Fits `text` into a box `width` twips wide and at most `lines` lines high,
// measured in the page-range form's font. One line: the text, or its cut with
// "..." when it does not fit. Several lines: lines broken at blanks, each
// ended by CR LF.
std::string AjustarTexto(const std::string& text, std::int32_t width, std::int32_t lines);

}  // namespace tipolaria

#endif  // TIPOLARIA_COMMON_UTILFNC_HPP_
