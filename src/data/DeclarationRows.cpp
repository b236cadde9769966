#include "data/DeclarationRows.hpp"

#include <cctype>
#include <string_view>
#include <unordered_set>

#include "data/ServerText.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

constexpr std::string_view kSelect = "SELECT ";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

bool Grouped(const ItemQuery& query) { return query.sums || !query.group_by.empty(); }

// A grouped question is grouped by the item's columns as the server compares
// them, on every backend: blanks trimmed, one case.
std::string ItemColumn(const ItemQuery& query, const ItemCondition& condition) {
  return Grouped(query) ? "UPPER(RTRIM(" + condition.column + "))" : condition.column;
}

// With `named`, each under a name of its own: SQL Server finds "ORDER BY
// nart" ambiguous when nart is selected twice (by name and by "*").
std::string ItemColumns(const ItemQuery& query, bool named) {
  std::string list;
  for (std::size_t i = 0; i < query.item.size(); ++i) {
    if (i > 0) list += ", ";
    list += ItemColumn(query, query.item[i]);
    if (named) list += " AS item_key" + std::to_string(i + 1);
  }
  return list;
}

// "SELECT <the item's columns>, <the columns of `select`> ...".
std::string WithItemColumns(const ItemQuery& query, const std::string& select, bool named) {
  if (!StartsWithNoCase(select, kSelect)) {
    throw ComError(kErrInternal, kRuntimeSource, "Not a question of an item: " + select);
  }
  return "SELECT " + ItemColumns(query, named) + ", " + select.substr(kSelect.size());
}

// A row as the server tells rows apart in a UNION: Null equals Null, text
// as the server compares it.
std::string RowKey(const Recordset::Row& row) {
  std::string key;
  for (const Value& value : row) {
    key += value.IsNull() ? std::string(1, '\0') : "=" + detail::ServerKey(ValueToText(value));
    key += '\x1f';
  }
  return key;
}

}  // namespace

std::string DeclarationRows::Text(const ItemQuery& query) {
  if (query.item.empty()) {
    throw ComError(kErrInternal, kRuntimeSource, "Not a question of an item: " + query.select);
  }
  std::string sql = WithItemColumns(query, query.select, true);
  if (!query.union_select.empty()) {
    sql += " Union " + WithItemColumns(query, query.union_select, false);
  }
  if (Grouped(query)) {
    sql += " GROUP BY " + ItemColumns(query, false);
    if (!query.group_by.empty()) sql += ", " + query.group_by;
  }
  // Ordered as the question orders, not by item: the item's rows are picked
  // out in the server's order, so ties of an item numbered '0001' and
  // '0001 ' fall as the question would have them.
  if (!query.order_by.empty()) sql += " ORDER BY " + query.order_by;
  return sql;
}

DeclarationRows::DeclarationRows(const ItemQuery& query, const Recordset& all)
    : item_columns_(query.item.size()), sums_(query.sums), distinct_(!query.union_select.empty()) {
  for (std::size_t i = item_columns_; i < all.FieldCount(); ++i) {
    columns_.push_back(all.FieldName(i));
  }
  for (std::size_t r = 0; r < all.RecordCount(); ++r) {
    const Recordset::Row& row = all.RowAt(r);
    // An item's number that is Null equals no item.
    if (row.front().IsNull()) continue;
    by_item_[detail::ServerKey(ValueToText(row.front()))].push_back(rows_.size());
    items_.emplace_back(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(item_columns_));
    rows_.emplace_back(row.begin() + static_cast<std::ptrdiff_t>(item_columns_), row.end());
  }
}

Recordset DeclarationRows::Of(const ItemQuery& query) const {
  std::vector<Recordset::Row> rows;
  const auto found = by_item_.find(detail::ServerKey(query.item.front().value));
  if (found != by_item_.end()) {
    for (const std::size_t index : found->second) {
      const Recordset::Row& item = items_[index];
      bool match = true;
      for (std::size_t k = 1; k < item_columns_ && match; ++k) {
        match = detail::ServerEquals(item[k], query.item[k].value);
      }
      if (match) rows.push_back(rows_[index]);
    }
  }
  // The items the server finds equal ('0001', '0001 ') were one item to its
  // UNION: a row the item's own question would have had once stays once.
  if (distinct_) {
    std::unordered_set<std::string> seen;
    std::erase_if(rows,
                  [&](const Recordset::Row& row) { return !seen.insert(RowKey(row)).second; });
  }
  // A sum without rows is still one row: of Nulls.
  if (sums_ && rows.empty()) rows.emplace_back(columns_.size());
  return Recordset(columns_, std::move(rows));
}

}  // namespace tipolaria
