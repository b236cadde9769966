#include "loaders/fields/FieldRow.hpp"

#include "common/UtilFnc.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria::detail {
namespace {

std::string ReadColumn(const Recordset& rs, const FieldRow& row) {
  const Value& value = rs.Field(row.column);
  switch (row.read) {
    case Read::kText:
      return ValorTexto(value);
    case Read::kAsRead:
      return ValueToText(value);
    case Read::kZero:
      return NumberToText(ValorDecimal(value));
  }
  return {};
}

}  // namespace

const FieldRow& RowOf(std::span<const FieldRow> table, int field) {
  for (const FieldRow& row : table) {
    if (row.field == field) return row;
  }
  throw ComError(kErrInternal, kRuntimeSource, "No loader for field " + std::to_string(field));
}

void LoadField(CDataBase& db, PageFields& page, const FieldRow& row, const std::string& value) {
  TrapCaratula(row.procedure, [&] {
    std::optional<std::string> text = value;
    if (row.pattern != nullptr) {
      text = Format(value, row.pattern);
    } else if (row.convert != nullptr) {
      text = row.convert(db, value);
    }
    if (text) page.Agregar(row.label, std::move(*text), row.field);
  });
}

void LoadFields(CDataBase& db, PageFields& page, std::span<const FieldRow> table,
                std::initializer_list<int> fields, const Recordset& rs) {
  for (const int field : fields) {
    const FieldRow& row = RowOf(table, field);
    LoadField(db, page, row, ReadColumn(rs, row));
  }
}

}  // namespace tipolaria::detail
