// Values that a column of numbers or dates holds but that are neither: the
// embedded database lets a column declared DECIMAL or DATETIME hold any text
// ("mil" for an amount, "31/01/2024" for a date), which a generation then
// prints as it stands, or counts as zero, with a success result. Operators
// find them before printing with `tipolaria db check`. A server's columns
// hold only values of their own type: there is nothing to find there.
#ifndef TIPOLARIA_DATA_VALUECHECK_HPP_
#define TIPOLARIA_DATA_VALUECHECK_HPP_

#include <vector>

#include "data/CDataBase.hpp"
#include "tipolaria/database.hpp"

namespace tipolaria {

// Every value of a numeric or date column of the schema's tables that the
// generation does not read as a number or a date, table by table in the
// schema's order and row by row. None where the database keeps its columns'
// types itself.
std::vector<MistypedValue> MistypedValues(CDataBase& db);

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_VALUECHECK_HPP_
