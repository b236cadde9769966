// ItemQuery: a query that a loader runs for one item of the declaration (and
// for one concept or code of that item), given in parts so that CDataBase can
// answer it: the query without the item's own conditions, those conditions
// (the item's number first), the order of the item's rows and whether it sums.
//
// Its text is that of the question as the loaders have always asked it:
//   <select> AND <column> = '<value>' ...
//     [Union <union_select> AND <column> = '<value>' ...]
//     [GROUP BY <group_by>] [ORDER BY <order_by>]
#ifndef TIPOLARIA_DATA_ITEMQUERY_HPP_
#define TIPOLARIA_DATA_ITEMQUERY_HPP_

#include <string>
#include <vector>

namespace tipolaria {

// One condition of the item: a column (or an expression of one) equal to a
// text, compared as the server compares.
struct ItemCondition {
  std::string column;
  std::string value;
};

struct ItemQuery {
  // "SELECT <columns> FROM <tables> WHERE <conditions of the declaration>",
  // without ORDER BY or GROUP BY.
  std::string select;
  // The item's number column and its value first ({"nart", "0001"}), then any
  // concept or code asked with it ({"APTR", "9"}).
  std::vector<ItemCondition> item;
  // The ORDER BY of the question, without the words; empty for none.
  std::string order_by = {};
  // The columns are aggregates (SUM): one row whatever the item's rows, its
  // values Null for an item without rows.
  bool sums = false;
  // The question's own GROUP BY, without the words: a row for each group
  // the item has (none for an item without rows).
  std::string group_by = {};
  // A second SELECT whose rows the question adds with UNION (distinct rows),
  // asked with the same conditions of the item. Not with sums or group_by.
  std::string union_select = {};

  // The question for this item alone.
  std::string Text() const;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_DATA_ITEMQUERY_HPP_
