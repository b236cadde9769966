// The filter of a Recordset: comparisons "column op value" joined by AND and
// OR (AND binding tighter), as the report layouts use it to pick one page's
// rows out of a range: "nro_hoja = 3 OR nro_hoja = 0".
#ifndef TIPOLARIA_DATA_RECORDSETFILTER_HPP_
#define TIPOLARIA_DATA_RECORDSETFILTER_HPP_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Value.hpp"

namespace tipolaria {

class RecordsetFilter {
 public:
  // Parses `filter` against the recordset's columns. Empty text matches
  // every row. A malformed filter or an unknown column is error 3001.
  static RecordsetFilter Parse(std::string_view filter, const std::vector<std::string>& columns);

  bool Matches(const std::vector<Value>& row) const;

 private:
  enum class Op { kEq, kNe, kLt, kGt, kLe, kGe };
  struct Comparison {
    std::size_t column;
    Op op;
    Value literal;  // a Decimal for numbers, text otherwise
    // The literal as a whole number, when it is one: page numbers compare
    // without decimal arithmetic.
    std::optional<std::int64_t> whole;
  };
  // Disjunction of conjunctions.
  std::vector<std::vector<Comparison>> terms_;

  static bool Holds(const Comparison& c, const Value& field);
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_RECORDSETFILTER_HPP_
