#include "reports/LaserReport.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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

// The page of an IMP row, when it is a whole number a page can have: rows
// whose page is anything else never fill a page.
std::optional<std::int16_t> PageOf(const Value& value) {
  if (value.kind() == Value::Kind::kInteger) {
    const std::int64_t number = value.AsInteger();
    if (number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max()) {
      return std::nullopt;
    }
    return static_cast<std::int16_t>(number);
  }
  if (!value.IsNumeric()) return std::nullopt;
  const double number = ValueToDouble(value);
  if (number != std::floor(number) || number < std::numeric_limits<std::int16_t>::min() ||
      number > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(number);
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
  page_zero_rows_.clear();
  page_rows_.clear();
  layout_texts_.clear();
  return pages;
}

void LaserReport::OpenRows(int tipo, std::int16_t first, std::int16_t last) {
  current_page_ = first;
  if (range_.imp_rows) {
    TakeRows(*range_.imp_rows, tipo, first, last);
    return;
  }
  // Page 0 and the range, each one range of the index on (TIPO, NRO_HOJA):
  // an OR of the two would leave only TIPO to the index.
  const std::string rows_of_type = "SELECT * FROM IMP WHERE tipo = " + std::to_string(tipo);
  const std::string in_range =
      " nro_hoja >= " + std::to_string(first) + " AND nro_hoja <= " + std::to_string(last);
  Recordset rows;
  if (first <= 0 && last >= 0) {
    db_.GetRs(rows_of_type + " AND" + in_range, rows);
  } else {
    db_.GetRs(rows_of_type + " AND nro_hoja = 0 UNION ALL " + rows_of_type + " AND" + in_range,
              rows);
  }
  TakeRows(rows, tipo, first, last);
}

void LaserReport::TakeRows(const Recordset& all, int tipo, std::int16_t first, std::int16_t last) {
  page_zero_rows_.clear();
  page_rows_.clear();
  next_row_ = 0;
  const std::size_t tipo_column = all.Ordinal("tipo");
  const std::size_t page_column = all.Ordinal("nro_hoja");
  const std::size_t field_column = all.Ordinal("nro_campo");
  const std::size_t value_column = all.Ordinal("valor");
  for (std::size_t i = 0; i < all.RecordCount(); ++i) {
    const Recordset::Row& source = all.RowAt(i);
    const std::optional<std::int16_t> row_tipo = PageOf(source[tipo_column]);
    const std::optional<std::int16_t> page = PageOf(source[page_column]);
    if (!row_tipo || *row_tipo != tipo || !page) continue;
    if (*page != 0 && (*page < first || *page > last)) continue;
    Row row{*page, ColumnText(source[field_column]), ColumnText(source[value_column])};
    (*page == 0 ? page_zero_rows_ : page_rows_).push_back(std::move(row));
  }
  // Stable: a field written twice on a page shows the value written last.
  std::stable_sort(page_rows_.begin(), page_rows_.end(),
                   [](const Row& a, const Row& b) { return a.page < b.page; });
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
  // The pages are filled in order, so the current page's rows start where
  // the previous page's ended. Page 0's rows are its own rows too.
  std::size_t end = next_row_;
  while (end < page_rows_.size() && page_rows_[end].page == current_page_) ++end;
  const bool has_own_rows = current_page_ == 0 ? !page_zero_rows_.empty() : end > next_row_;
  // Without rows of its own the report ends here.
  if (!has_own_rows) return false;

  // Every field starts from its layout text, so a field without a row on
  // this page shows it (mostly a row of asterisks on the cover).
  for (const auto& [index, text] : layout_texts_) texts_[index] = text;
  const std::string copies = std::to_string(range_.numero_copias);
  if (copy_number_corner_ >= 0) texts_[copy_number_corner_] = copies;
  if (copy_number_centre_ >= 0) texts_[copy_number_centre_] = copies;

  // Page 0's rows come first, as the table's order by page gives them.
  for (const Row& row : page_zero_rows_) SetFieldFromRow(row, with_barcode);
  for (std::size_t i = next_row_; i < end; ++i) SetFieldFromRow(page_rows_[i], with_barcode);
  next_row_ = end;

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

bool LaserReport::AnotherPageFollows() const {
  if (past_last_page_) return false;
  if (current_page_ == 0) return !page_zero_rows_.empty();
  return next_row_ < page_rows_.size() && page_rows_[next_row_].page == current_page_;
}

void LaserReport::SetFieldFromRow(const Row& row, bool with_barcode) {
  const int index = layout_.Find(row.field);
  if (index < 0 || layout_.control(index).type != ControlType::kField) {
    throw ComError(kErrReportUnknownField, kReportSource,
                   "The IMP row of page " + std::to_string(row.page) + " names the field '" +
                       row.field + "', which the layout " + layout_.name() + " does not have");
  }
  if (with_barcode && barcode_ >= 0 && layout_.control(index).name == "c3") {
    texts_[barcode_] = "*" + WithoutBlanks(row.value) + "*";
  }
  texts_[index] = row.value;
}

}  // namespace tipolaria
