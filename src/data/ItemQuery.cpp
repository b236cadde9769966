#include "data/ItemQuery.hpp"

#include "data/SqlText.hpp"

namespace tipolaria {

std::string ItemQuery::Text() const {
  std::string sql = select;
  for (const ItemCondition& condition : item) {
    sql += " AND " + condition.column + " = '" + DoubleQuotes(condition.value) + "'";
  }
  if (!order_by.empty()) sql += " ORDER BY " + order_by;
  return sql;
}

}  // namespace tipolaria
