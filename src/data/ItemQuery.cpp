#include "data/ItemQuery.hpp"

#include "data/SqlText.hpp"

namespace tipolaria {

std::string ItemQuery::Text() const {
  std::string conditions;
  for (const ItemCondition& condition : item) {
    conditions += " AND " + condition.column + " = '" + DoubleQuotes(condition.value) + "'";
  }
  std::string sql = select + conditions;
  if (!union_select.empty()) sql += " Union " + union_select + conditions;
  if (!group_by.empty()) sql += " GROUP BY " + group_by;
  if (!order_by.empty()) sql += " ORDER BY " + order_by;
  return sql;
}

}  // namespace tipolaria
