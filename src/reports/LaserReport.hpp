// The running state of one of the two page layouts and the work they share:
// the engine side (a Detail formatting per page until one fills nothing,
// each filled page handed on as the texts of its controls) and the filling
// of a page from the IMP rows of the range. CaratulaLaser and SubItemLaser
// supply the events that differ. A report is made for one run; it holds its
// rows (the range's IMP rows of its type, ordered by page), taken from the
// rows the range carries (PrintRange::imp_rows) or else read once from the
// caller's database, and walks them page by page.
#ifndef TIPOLARIA_REPORTS_LASERREPORT_HPP_
#define TIPOLARIA_REPORTS_LASERREPORT_HPP_

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "data/CDataBase.hpp"
#include "data/Recordset.hpp"
#include "reports/Layout.hpp"
#include "reports/PrintRange.hpp"

namespace tipolaria {

// Receives each filled page: its number and the text of every control of the
// layout, in layout order (a field's Text, a label's caption).
using PageSink = std::function<void(std::int16_t page, const std::vector<std::string>& texts)>;

class LaserReport {
 public:
  virtual ~LaserReport() = default;
  LaserReport(const LaserReport&) = delete;
  LaserReport& operator=(const LaserReport&) = delete;

  // Runs the report to its end and returns the number of pages filled.
  int Run(const PageSink& on_page);
  // While a page is handed on: whether the report fills a further page
  // after it (so a writer knows, at the first page, whether the document
  // will have several).
  bool AnotherPageFollows() const;

  const Layout& layout() const { return layout_; }

 protected:
  LaserReport(const Layout& layout, CDataBase& db, PrintRange range);

  // ActiveReport_Initialize: select the rows and record the layout texts.
  virtual void Initialize() = 0;
  // Detail_Format: true when it filled a page.
  virtual bool DetailFormat() = 0;

  // Selects the rows of type `tipo` for pages first..last and page 0, and
  // makes `first` the page the next formatting fills.
  void OpenRows(int tipo, std::int16_t first, std::int16_t last);
  void RecordLayoutTexts();
  // Fills the current page from its rows and the page-0 rows; false when the
  // current page has no row of its own (the report ends there). With
  // `with_barcode`, the reference in c3 also becomes the bar-code caption.
  bool FillPage(bool with_barcode);

  const PrintRange& range() const { return range_; }

 private:
  // One IMP row of the range, as the filling reads it.
  struct Row {
    std::int16_t page = 0;
    std::string field;  // NRO_CAMPO
    std::string value;  // VALOR
  };
  void TakeRows(const Recordset& rows, int tipo, std::int16_t first, std::int16_t last);
  void SetFieldFromRow(const Row& row, bool with_barcode);

  const Layout& layout_;
  CDataBase& db_;
  PrintRange range_;
  // The rows of page 0, which every page shows under its own, and those of
  // the pages from the first on, ordered by page, each page's rows in the
  // order they were written.
  std::vector<Row> page_zero_rows_;
  std::vector<Row> page_rows_;
  std::size_t next_row_ = 0;  // the first row of page_rows_ not yet filled
  std::int16_t current_page_ = 0;
  std::int16_t filled_page_ = 0;
  bool past_last_page_ = false;
  // Control index and layout text of every field, in layout order.
  std::vector<std::pair<int, std::string>> layout_texts_;
  // Current text of every control.
  std::vector<std::string> texts_;
  int copy_number_corner_;
  int copy_number_centre_;
  int barcode_;
};

}  // namespace tipolaria

#endif  // TIPOLARIA_REPORTS_LASERREPORT_HPP_
