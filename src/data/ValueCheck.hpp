// Values that a column of numbers or dates holds but that are neither: the
// embedded database lets a column declared DECIMAL or DATETIME hold any text
// ("mil" for an amount, "31/01/2024" for a date), which a generation then
// prints as it stands, or counts as zero, with a success result. Operators
// find them before printing with `tipolaria db check`. A server's columns
// hold only values of their own type: there is nothing to find there.
#ifndef TIPOLARIA_DATA_VALUECHECK_HPP_
#define TIPOLARIA_DATA_VALUECHECK_HPP_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "data/CDataBase.hpp"
#include "runtime/Value.hpp"

namespace tipolaria {

struct MistypedValue {
  std::string table;
  std::string column;
  bool date_column = false;  // the column holds dates; otherwise numbers
  Value value;               // as the generation reads it
  std::int64_t row = 0;      // the row's number in its table
  // The row's key: the columns of the table's first index and their values.
  std::vector<std::pair<std::string, Value>> key;
};

// Every value of a numeric or date column of the schema's tables that the
// generation does not read as a number or a date, table by table in the
// schema's order and row by row. None where the database keeps its columns'
// types itself.
std::vector<MistypedValue> MistypedValues(CDataBase& db);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_VALUECHECK_HPP_
