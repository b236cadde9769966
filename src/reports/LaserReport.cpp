#include "reports/LaserReport.hpp"

#include <limits>

#include "reports/ReportErrors.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Strings.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

// A value of IMP as text. VALOR is a text column, so this is the stored text
// unchanged; a Null (which the writers of IMP never store) shows nothing.
std::string ColumnText(const Value& value) {
  if (value.kind() == Value::Kind::kText) return value.AsText();
  if (value.IsNull()) return std::string();
  return ValueToText(value);
}

bool IsNumber(const Value& value, std::int64_t number) {
  if (value.kind() == Value::Kind::kInteger) return value.AsInteger() == number;
  return value.IsNumeric() && ValueToDouble(value) == static_cast<double>(number);
}

bool InRange(const Value& value, std::int16_t first, std::int16_t last) {
  if (!value.IsNumeric()) return false;
  const double number = ValueToDouble(value);
  return number >= first && number <= last;
}

// The rows of `all` that the layout's query selects from the table, in
// their order: type `tipo`, page 0 or a page from `first` to `last`.
Recordset SelectRows(const Recordset& all, int tipo, std::int16_t first, std::int16_t last) {
  Recordset source = all;  // a cursor of our own
  std::vector<std::string> columns;
  for (std::size_t i = 0; i < source.FieldCount(); ++i) columns.push_back(source.FieldName(i));
  std::vector<Recordset::Row> rows;
  for (source.MoveFirst(); !source.AtEnd(); source.MoveNext()) {
    const Value& page = source.Field("nro_hoja");
    if (!IsNumber(source.Field("tipo"), tipo)) continue;
    if (!IsNumber(page, 0) && !InRange(page, first, last)) continue;
    Recordset::Row row;
    for (std::size_t i = 0; i < columns.size(); ++i) row.push_back(source.Field(i));
    rows.push_back(std::move(row));
  }
  return Recordset(std::move(columns), std::move(rows));
}

std::string WithoutBlanks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c != ' ') result += c;
  }
  return result;
}

}  // namespace

LaserReport::LaserReport(const Layout& layout, CDataBase& db, PrintRange range)
    : layout_(layout),
      db_(db),
      range_(std::move(range)),
      copy_number_corner_(layout.Find("lblNumAngulo")),
      copy_number_centre_(layout.Find("lblNumCentral")),
      barcode_(layout.Find("cQOR0")) {
  texts_.reserve(layout_.controls().size());
  for (const LayoutControl& control : layout_.controls()) texts_.push_back(control.text);
}

int LaserReport::Run(const PageSink& on_page) {
  // The layouts' events have no error traps: an error in one reaches the
  // print operation as it was raised, and the source the host parses names
  // only the procedures that did trap it ("SQLite - CDataBase.GetRs -
  // PrintPDFCaratula").
  Initialize();
  int pages = 0;
  while (DetailFormat()) {
    on_page(filled_page_, texts_);
    ++pages;
  }
  // ActiveReport_Terminate
  rows_.Close();
  layout_texts_.clear();
  return pages;
}

void LaserReport::OpenRows(int tipo, std::int16_t first, std::int16_t last) {
  current_page_ = first;
  if (range_.imp_rows) {
    rows_ = SelectRows(*range_.imp_rows, tipo, first, last);
    return;
  }
  db_.GetRs("SELECT * FROM IMP WHERE tipo = " + std::to_string(tipo) +
                " AND (nro_hoja = 0 OR (nro_hoja >= " + std::to_string(first) +
                " AND nro_hoja <= " + std::to_string(last) + "))",
            rows_);
}

void LaserReport::RecordLayoutTexts() {
  layout_texts_.clear();
  for (std::size_t i = 0; i < layout_.controls().size(); ++i) {
    const LayoutControl& control = layout_.control(i);
    if (control.type == ControlType::kField) {
      layout_texts_.emplace_back(static_cast<int>(i), Trim(control.text));
    }
  }
}

bool LaserReport::FillPage(bool with_barcode) {
  if (past_last_page_) return false;
  // One filter serves both questions of the page: whether it has rows of
  // its own (without them the report ends here) and which rows fill it
  // (its own and those of page 0, in the set's order). Filtering the whole
  // set once per page instead of twice halves the work on long documents.
  const std::string page = std::to_string(current_page_);
  rows_.MoveFirst();
  rows_.SetFilter("");
  rows_.SetFilter("nro_hoja = " + page + " OR nro_hoja = 0");
  if (!HasRowOfPage(current_page_)) return false;
  rows_.MoveFirst();

  // Every field starts from its layout text, so a field without a row on
  // this page shows it (mostly a row of asterisks on the cover).
  for (const auto& [index, text] : layout_texts_) texts_[index] = text;
  const std::string copies = std::to_string(range_.numero_copias);
  if (copy_number_corner_ >= 0) texts_[copy_number_corner_] = copies;
  if (copy_number_centre_ >= 0) texts_[copy_number_centre_] = copies;

  for (; !rows_.AtEnd(); rows_.MoveNext()) SetFieldFromRow(with_barcode);

  filled_page_ = current_page_;
  // Page numbers are 16-bit: after the highest one there is nothing left to
  // format, so the report ends instead of overflowing.
  if (current_page_ == std::numeric_limits<std::int16_t>::max()) {
    past_last_page_ = true;
  } else {
    ++current_page_;
  }
  return true;
}

bool LaserReport::HasRowOfPage(std::int16_t page) {
  for (; !rows_.AtEnd(); rows_.MoveNext()) {
    const Value& number = rows_.Field("nro_hoja");
    if (number.kind() == Value::Kind::kInteger && number.AsInteger() == page) return true;
    if (number.IsNumeric() && ValueToDouble(number) == page) return true;
  }
  return false;
}

void LaserReport::SetFieldFromRow(bool with_barcode) {
  const std::string field = ColumnText(rows_.Field("nro_campo"));
  const int index = layout_.Find(field);
  if (index < 0 || layout_.control(index).type != ControlType::kField) {
    throw ComError(kErrReportUnknownField, kReportSource,
                   "The IMP row of page " + ColumnText(rows_.Field("nro_hoja")) +
                       " names the field '" + field + "', which the layout " + layout_.name() +
                       " does not have");
  }
  std::string value = ColumnText(rows_.Field("valor"));
  if (with_barcode && barcode_ >= 0 && layout_.control(index).name == "c3") {
    texts_[barcode_] = "*" + WithoutBlanks(value) + "*";
  }
  texts_[index] = std::move(value);
}

}  // namespace tipolaria
