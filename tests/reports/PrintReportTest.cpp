#include "reports/ReportRunner.hpp"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/CTipolaria.hpp"
#include "imp/ImpTable.hpp"
#include "reports/CaratulaLaser.hpp"
#include "reports/LaserLayouts.hpp"
#include "reports/LayoutTableHelpers.hpp"
#include "reports/PdfWriter.hpp"
#include "reports/PendingFiles.hpp"
#include "reports/ReportErrors.hpp"
#include "reports/SubItemLaser.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"
#include "support/TestImage.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using testing::PdfWord;
using testing::TestDatabase;

// Extracted positions drift by up to about 0.15 pt along a run of text, and a
// glyph wider than its built-in cell overhangs it by a fraction of a point.
constexpr double kTolerance = 1.0;

// Whether the box from (x1, y1) to (x2, y2), in points, lies in the box of
// control `c`.
bool InBox(const LayoutControl& c, double x1, double y1, double x2, double y2) {
  return x1 >= c.left / 20.0 - kTolerance && x2 <= c.right() / 20.0 + kTolerance &&
         y1 >= c.top / 20.0 - kTolerance && y2 <= c.bottom() / 20.0 + kTolerance;
}

// The words of `page` that read `text` and lie in the box of control `name`.
int WordsInBox(const std::vector<PdfWord>& words, int page, const std::string& text,
               const Layout& layout, const std::string& name) {
  const LayoutControl& c = layout.control(layout.Find(name));
  int found = 0;
  for (const PdfWord& w : words) {
    found += w.page == page && w.text == text && InBox(c, w.x_min, w.y_min, w.x_max, w.y_max);
  }
  return found;
}

// The word of `page` that reads `text` and lies in the box of control
// `name`, or null.
const PdfWord* WordInBox(const std::vector<PdfWord>& words, int page, const std::string& text,
                         const Layout& layout, const std::string& name) {
  for (const PdfWord& w : words) {
    if (WordsInBox({w}, page, text, layout, name) == 1) return &w;
  }
  return nullptr;
}

// Whether a caption reads in its box: the words whose centres lie in the box,
// in reading order (bottom to top for a turned caption), start with the
// caption (a reader splits words at some punctuation, so blanks do not
// count), and those words keep within the box's sides. Fields drawn inside
// a caption's cell come after it.
bool CaptionInBox(const std::vector<PdfWord>& words, int page, const LayoutControl& c) {
  const bool turned = c.style == LabelStyle::kRotated;
  struct Placed {
    double line;   // across the reading direction
    double along;  // in the reading direction
    const PdfWord* word;
  };
  std::vector<Placed> inside;
  for (const PdfWord& w : words) {
    const double x = (w.x_min + w.x_max) / 2;
    const double y = (w.y_min + w.y_max) / 2;
    if (w.page == page && x >= c.left / 20.0 && x <= c.right() / 20.0 && y >= c.top / 20.0 &&
        y <= c.bottom() / 20.0) {
      inside.push_back(turned ? Placed{w.x_min, -w.y_max, &w} : Placed{w.y_min, w.x_min, &w});
    }
  }
  std::sort(inside.begin(), inside.end(), [](const Placed& a, const Placed& b) {
    return std::abs(a.line - b.line) > 1.0 ? a.line < b.line : a.along < b.along;
  });
  std::string caption = c.text;
  std::erase(caption, ' ');
  std::string read;
  for (const Placed& p : inside) {
    if (read.size() >= caption.size()) break;
    read += p.word->text;
    const PdfWord& w = *p.word;
    // Across the reading direction the word may reach past the box.
    if (turned ? !InBox(c, c.left / 20.0, w.y_min, c.left / 20.0, w.y_max)
               : !InBox(c, w.x_min, c.top / 20.0, w.x_max, c.top / 20.0)) {
      return false;
    }
  }
  return read == caption;
}

// Each layout with its report and its page type.
struct Form {
  ReportKind kind;
  const Layout& layout;
  int tipo;
};
std::vector<Form> Forms() {
  return {{ReportKind::kCaratula, CaratulaLaserLayout(), 0},
          {ReportKind::kSubItems, SubItemLaserLayout(), 1}};
}

class PrintReportTest : public ::testing::Test {
 protected:
  void Insert(int page, int tipo, const std::string& field, const std::string& value) {
    sql_ += "INSERT INTO IMP VALUES (" + std::to_string(page) + ", " + std::to_string(tipo) +
            ", '" + field + "', '" + value + "');\n";
  }
  // Header fields as the driver writes them on every page.
  void InsertPages(int first, int last, int tipo, int total) {
    for (int page = first; page <= last; ++page) {
      Insert(page, tipo, "c4", std::to_string(page) + " de " + std::to_string(total));
    }
  }

  // Fills every field of `form`'s layout on its first page (page 1 is the
  // cover, page 2 a continuation page) with `value`, or with its own name.
  void FillEveryField(const Form& form, const std::string& value) {
    tdb_.Run("DELETE FROM IMP;");
    for (const LayoutControl& c : form.layout.controls()) {
      if (c.type == ControlType::kField) {
        Insert(form.tipo + 1, form.tipo, c.name, value.empty() ? c.name : value);
      }
    }
  }

  int Print(ReportKind kind, PrintRange range, const std::string& path) {
    if (!sql_.empty()) tdb_.Run(sql_);
    sql_.clear();
    auto db = tdb_.Open();
    return PrintReport(*db, kind, range, path);
  }

  // Prints, with `db` or a connection of its own, and expects an error of
  // `number` whose description and source hold the given texts, and no file
  // left behind.
  void PrintFails(ReportKind kind, PrintRange range, const std::string& path, long number,
                  const std::string& description, const std::string& source,
                  CDataBase* db = nullptr) {
    const ComError e = RaisedError(
        [&] { db == nullptr ? Print(kind, range, path) : PrintReport(*db, kind, range, path); });
    EXPECT_EQ(e.number(), number);
    EXPECT_NE(e.description().find(description), std::string::npos) << e.description();
    if (!source.empty()) {
      EXPECT_EQ(e.source(), source);
    }
    EXPECT_FALSE(std::filesystem::exists(path)) << path;
    EXPECT_EQ(TemporaryFiles(), 0);
  }

  // Files a print leaves while it writes (hidden, beside the target).
  int TemporaryFiles() const {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out_)) {
      files += entry.path().filename().string().front() == '.';
    }
    return files;
  }

  static PrintRange Range(std::int16_t desde, std::int16_t hasta, std::int16_t caratula_hojas,
                          std::int16_t copias = 1) {
    return {desde, hasta, caratula_hojas, copias, "", "", nullptr};
  }

  TestDatabase tdb_;
  std::string out_ = testing::MakeTempFolder();
  std::string pdf_ = out_ + "/form.pdf";
  std::string sql_;

  ~PrintReportTest() override { std::filesystem::remove_all(out_); }
};

// Every field shows its value inside its box and every caption lies where
// the layout table puts it, on both layouts; the copy number shows in both
// of its places. A field's text starts at the top-left corner of its box as
// the table gives it, at the same offset as every other field of its size,
// whatever frame line runs close to it; the lines that rule the item's
// totals begin where the table begins them, by the band of the settlement.
TEST_F(PrintReportTest, EveryControlLandsInItsBox) {
  // Extracted positions of a line's first glyph are exact to a few
  // thousandths of a point.
  constexpr double kSameOffset = 0.1;
  for (const Form& form : Forms()) {
    SCOPED_TRACE(form.layout.name());
    FillEveryField(form, "");
    ASSERT_EQ(Print(form.kind, Range(1, 2, 1, 7), pdf_), 1);
    const std::vector<PdfWord> words = testing::ReadWords(pdf_);
    // By font size: the offset from its corner of the first field of that size.
    std::map<double, std::pair<double, double>> offsets;
    for (const LayoutControl& c : form.layout.controls()) {
      if (c.type == ControlType::kField) {
        EXPECT_EQ(WordsInBox(words, 1, c.name, form.layout, c.name), 1) << c.name;
        const PdfWord* word = WordInBox(words, 1, c.name, form.layout, c.name);
        if (word == nullptr) continue;
        const std::pair<double, double> offset{word->x_min - c.left / 20.0,
                                               word->y_min - c.top / 20.0};
        const auto& [x, y] = offsets.emplace(c.font_size, offset).first->second;
        EXPECT_NEAR(offset.first, x, kSameOffset) << c.name;
        EXPECT_NEAR(offset.second, y, kSameOffset) << c.name;
      } else if (c.type == ControlType::kLabel &&
                 (c.style == LabelStyle::kCaption || c.style == LabelStyle::kRotated)) {
        EXPECT_TRUE(CaptionInBox(words, 1, c)) << c.name << " '" << c.text << "'";
      } else if (c.style == LabelStyle::kCopyNumber) {
        int centred = 0;
        for (const PdfWord& w : words) {
          const double x = (w.x_min + w.x_max) / 2;
          const double y = (w.y_min + w.y_max) / 2;
          centred += w.text == "7" && InBox(c, x, y, x, y);
        }
        EXPECT_EQ(centred, 1) << c.name;
      }
    }
    for (const auto& [size, offset] : offsets) {
      EXPECT_LT(std::abs(offset.first), 0.5) << size;
      EXPECT_LT(std::abs(offset.second), 0.5) << size;
    }
    if (form.tipo != 0) continue;
    for (const char* name : {"Line10", "Line11", "Line12"}) {
      const LayoutControl& line = form.layout.control(form.layout.Find(name));
      // A thin strip along the line from 8 pt left of its first end, across
      // the line at the band's side.
      const auto ink =
          testing::FindInk(pdf_, 1, line.left / 20.0 - 8, line.top / 20.0 - 0.1, 10, 0.2, 576);
      ASSERT_TRUE(ink.has_value()) << name;
      EXPECT_NEAR(ink->x_min, line.left / 20.0, 0.2) << name;
    }
  }
}

// On a page whose every field is filled to the brim, no word (value or
// caption) crosses a line of the frame as drawn, but where the layout puts
// the box of a field across the line itself (c12, c16 and c20 begin left of
// the form's left line), and no two words overlap: the frames of
// neighbouring cells lie a few twips apart.
TEST_F(PrintReportTest, FullyFilledPageKeepsTextOffTheFrameAndApart) {
  // Wide capitals, an accent and blanks, often enough to fill the largest box.
  std::string fill;
  for (int i = 0; i < 60; ++i) fill += "MARITIMO PANAMÁ VARIOS WWW ";
  auto overlap = [](double a1, double a2, double b1, double b2) {
    return std::min(a2, b2) - std::max(a1, b1);
  };
  // Whether `at` lies inside [from, to], clear of both ends.
  auto within = [](double at, double from, double to) {
    return at > from + kTolerance / 2 && at < to - kTolerance / 2;
  };
  auto at = [](const PdfWord& w) {
    return "'" + w.text + "' at (" + std::to_string(w.x_min) + ", " + std::to_string(w.y_min) + ")";
  };
  // Whether the layout puts a field box holding `w` across `line`.
  auto laid_across = [&](const Layout& layout, const PdfWord& w, const FrameLine& line) {
    return std::any_of(
        layout.controls().begin(), layout.controls().end(), [&](const LayoutControl& c) {
          return c.type == ControlType::kField && InBox(c, w.x_min, w.y_min, w.x_max, w.y_max) &&
                 (line.vertical() ? within(line.x1, c.left / 20.0, c.right() / 20.0)
                                  : within(line.y1, c.top / 20.0, c.bottom() / 20.0));
        });
  };
  for (const Form& form : Forms()) {
    SCOPED_TRACE(form.layout.name());
    FillEveryField(form, fill);
    ASSERT_EQ(Print(form.kind, Range(1, 2, 1), pdf_), 1);
    std::vector<PdfWord> words;
    for (const PdfWord& w : testing::ReadWords(pdf_)) {
      // The copy numerals lie behind the form on purpose.
      if (w.y_max - w.y_min < 20 && w.x_max - w.x_min < 200) words.push_back(w);
    }
    ASSERT_GT(words.size(), 500u);
    for (const PdfWord& w : words) {
      // A reader's box of a word reaches above the capitals by the room the
      // font keeps for accents, about a fifth of its height; the tightest
      // captions of the form (" U.T.V.V.") leave no more room than that.
      const double ink_top = w.y_min + 0.2 * (w.y_max - w.y_min);
      for (const FrameLine& line : form.layout.geometry().frame()) {
        if (laid_across(form.layout, w, line)) continue;
        EXPECT_FALSE(line.vertical() ? within(line.x1, w.x_min, w.x_max) &&
                                           overlap(ink_top, w.y_max, line.y1, line.y2) > kTolerance
                                     : within(line.y1, ink_top, w.y_max) &&
                                           overlap(w.x_min, w.x_max, line.x1, line.x2) > kTolerance)
            << at(w) << " crosses the line from (" << line.x1 << ", " << line.y1 << ") to ("
            << line.x2 << ", " << line.y2 << ")";
      }
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
      for (std::size_t j = i + 1; j < words.size(); ++j) {
        const PdfWord& a = words[i];
        const PdfWord& b = words[j];
        EXPECT_FALSE(overlap(a.x_min, a.x_max, b.x_min, b.x_max) > kTolerance &&
                     overlap(a.y_min, a.y_max, b.y_min, b.y_max) > kTolerance)
            << at(a) << " and " << at(b) << " overlap";
      }
    }
  }
}

TEST_F(PrintReportTest, CoverPagesRunFromHojaDesdeToFirstPageWithoutRows) {
  InsertPages(1, 3, 0, 5);
  InsertPages(4, 5, 1, 5);
  Insert(1, 0, "c20", "MARITIMA");
  Insert(1, 0, "C10", "20-12345678-9");  // any case names the control
  Insert(0, 0, "c37", "TODAS");          // page 0: on every page
  ASSERT_EQ(Print(ReportKind::kCaratula, Range(1, 2, 3), pdf_), 2);
  const std::vector<PdfWord> words = testing::ReadWords(pdf_);
  const Layout& cover = CaratulaLaserLayout();
  EXPECT_EQ(testing::PageCount(pdf_), 2);
  for (int page : {1, 2}) {
    EXPECT_EQ(WordsInBox(words, page, std::to_string(page), cover, "c4"), 1);
    EXPECT_EQ(WordsInBox(words, page, "TODAS", cover, "c37"), 1);
  }
  EXPECT_EQ(WordsInBox(words, 1, "MARITIMA", cover, "c20"), 1);
  EXPECT_EQ(WordsInBox(words, 1, "20-12345678-9", cover, "c10"), 1);
  // Page 2 has no c20: the box shows the layout's asterisks again.
  EXPECT_EQ(WordsInBox(words, 2, "********", cover, "c20"), 1);
  EXPECT_EQ(WordsInBox(words, 2, "************", cover, "c10"), 1);

  EXPECT_EQ(Print(ReportKind::kCaratula, Range(1, 9, 3), pdf_), 3);
  EXPECT_EQ(Print(ReportKind::kCaratula, Range(2, 9, 3), pdf_), 2);
  // A range that starts after the cover and item pages has no page for
  // this layout, even where IMP holds type-0 rows in it.
  tdb_.Run("INSERT INTO IMP VALUES (4, 0, 'c4', '4 de 5');");
  PrintFails(ReportKind::kCaratula, Range(4, 9, 3), out_ + "/none.pdf", kErrReportNoPage, "No page",
             "");
}

TEST_F(PrintReportTest, ContinuationPagesStartAfterTheCoverPages) {
  InsertPages(1, 3, 0, 9);  // 9 pages in all: no page number reads like the total
  InsertPages(4, 6, 1, 9);
  Insert(4, 1, "c150", "ROTULO");
  Insert(0, 1, "c5", "SIEMPRE");
  const Layout& layout = SubItemLaserLayout();

  ASSERT_EQ(Print(ReportKind::kSubItems, Range(1, 9, 3, 2), pdf_), 3);
  std::vector<PdfWord> words = testing::ReadWords(pdf_);
  for (int page : {1, 2, 3}) {
    EXPECT_EQ(WordsInBox(words, page, std::to_string(page + 3), layout, "c4"), 1);
    EXPECT_EQ(WordsInBox(words, page, "SIEMPRE", layout, "c5"), 1);
  }
  EXPECT_EQ(WordsInBox(words, 1, "ROTULO", layout, "c150"), 1);
  EXPECT_EQ(WordsInBox(words, 2, "Field1", layout, "c150"), 1);  // footer row missing

  ASSERT_EQ(Print(ReportKind::kSubItems, Range(5, 9, 3), pdf_), 2);
  words = testing::ReadWords(pdf_);
  EXPECT_EQ(WordsInBox(words, 1, "5", layout, "c4"), 1);

  // A declaration without continuation pages: nothing to print, and the
  // description names the pages looked at, those after the cover pages.
  PrintFails(ReportKind::kSubItems, Range(1, 9, 6), out_ + "/none.pdf", kErrReportNoPage,
             "from page 7 to 9", "");
}

TEST_F(PrintReportTest, DocumentEmbedsItsFontsCarriesTitleAndLogoAndReadableBarcodes) {
  InsertPages(1, 2, 0, 2);
  Insert(1, 0, "c3", "16 001 IC04 000123 A");
  Insert(2, 0, "c3", "16   001   IC04   000124   B");
  PrintRange range = Range(1, 2, 2);
  range.logo_png = out_ + "/logo.png";
  testing::WritePng(range.logo_png, 140, 56, 0, 0, 0.5);
  ASSERT_EQ(Print(ReportKind::kCaratula, range, pdf_), 2);
  EXPECT_EQ(testing::ScanBarcodes(pdf_, 1), "16001IC04000123A");
  EXPECT_EQ(testing::ScanBarcodes(pdf_, 2), "16001IC04000124B");
  EXPECT_EQ(testing::InfoField(pdf_, "Title"), "OM - 1993 SIM 16 001 IC04 000123 A");
  const std::string fonts = testing::FontList(pdf_);
  EXPECT_NE(fonts.find(" yes yes yes "), std::string::npos) << fonts;
  EXPECT_EQ(fonts.find(" no "), std::string::npos) << fonts;
  EXPECT_NE(testing::CommandOutput("pdfimages -list '" + pdf_ + "'").find("image"),
            std::string::npos);

  range.logo_png = out_ + "/missing.png";
  std::filesystem::remove(pdf_);
  PrintFails(ReportKind::kCaratula, range, pdf_, kErrReportResource, "missing.png", "");
}

TEST_F(PrintReportTest, FailuresNameTheirCauseAndLeaveNoFile) {
  InsertPages(1, 1, 0, 2);
  InsertPages(2, 2, 1, 2);
  Insert(1, 0, "c999", "x");
  Insert(2, 1, "c131", "only the cover has c131");
  // Neither the layouts nor the export trap errors: each error leaves with
  // the source it was raised with.
  PrintFails(ReportKind::kCaratula, Range(1, 2, 1), pdf_, kErrReportUnknownField, "'c999'",
             kReportSource);
  PrintFails(ReportKind::kSubItems, Range(1, 2, 1), pdf_, kErrReportUnknownField, "'c131'",
             kReportSource);

  tdb_.Run("DELETE FROM IMP WHERE nro_campo IN ('c999', 'c131');");
  const std::string unwritable = out_ + "/no-such-folder/form.pdf";
  PrintFails(ReportKind::kCaratula, Range(1, 2, 1), unwritable, kErrReportPath, unwritable,
             kReportSource);
  auto db = testing::OpenFaulty(tdb_.connection(), {"FROM IMP", 1});
  PrintFails(ReportKind::kCaratula, Range(1, 2, 1), pdf_, -2147467259, "injected failure",
             "FaultyBackend - CDataBase.GetRs", db.get());
}

// IMP's writers never store a Null value; a page that has one shows nothing
// in that box rather than failing.
TEST_F(PrintReportTest, NullValueShowsNothing) {
  InsertPages(1, 1, 0, 1);
  tdb_.Run("INSERT INTO IMP VALUES (1, 0, 'c21', NULL);");
  ASSERT_EQ(Print(ReportKind::kCaratula, Range(1, 1, 1), pdf_), 1);
  for (const PdfWord& w : testing::ReadWords(pdf_)) {
    EXPECT_EQ(WordsInBox({w}, 1, w.text, CaratulaLaserLayout(), "c21"), 0) << w.text;
  }
}

// A one-page document of a layout of one control showing `text`.
void PrintControl(const std::string& pdf, const LayoutControl& control, const std::string& text) {
  const Layout layout("Prueba", {control});
  PdfWriter writer(pdf, "");
  writer.AddPage(layout, {text});
  writer.Commit();
}

// The copy numeral keeps the label's size at any number of digits or a
// sign; what passes the box is clipped, and a digit wholly outside it is not
// drawn at all.
TEST_F(PrintReportTest, CopyNumeralKeepsItsSizeAndIsClippedByItsBox) {
  const LayoutControl centre =
      detail::CopyNumber("lblNumCentral", 4935, 3510, 3105, 5820, 300, "5", false);
  const LayoutControl corner =
      detail::CopyNumber("lblNumAngulo", 11140, 400, 710, 620, 26.5, "1", false);
  struct Case {
    const LayoutControl& box;
    std::string number;
    std::string shown;
    bool wider_than_box;
  } cases[] = {
      {centre, "7", "7", false},   {centre, "12", "12", true},  {centre, "-3", "-3", true},
      {centre, "100", "0", false}, {corner, "12", "12", false}, {corner, "100", "100", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box.name + " " + c.number);
    PrintControl(pdf_, c.box, c.number);
    std::string shown;
    for (const PdfWord& w : testing::ReadWords(pdf_)) shown += w.text;
    EXPECT_EQ(shown, c.shown);
    const double left = c.box.left / 20.0;
    const double top = c.box.top / 20.0;
    const double right = c.box.right() / 20.0;
    const double bottom = c.box.bottom() / 20.0;
    // Around the box, so that ink past its edges would show.
    const auto ink =
        testing::FindInk(pdf_, 1, left - 20, top - 20, right - left + 40, bottom - top + 40, 144);
    ASSERT_TRUE(ink.has_value());
    EXPECT_GE(ink->x_min, left - 0.5);
    EXPECT_LE(ink->x_max, right + 0.5);
    EXPECT_GE(ink->y_min, top - 0.5);
    EXPECT_LE(ink->y_max, bottom + 0.5);
    // Digits stand about 0.7 em high at the label's size.
    EXPECT_GT(ink->y_max - ink->y_min, 0.65 * c.box.font_size);
    if (c.wider_than_box) {
      EXPECT_LT(ink->x_min, left + 1);
      EXPECT_GT(ink->x_max, right - 1);
    }
  }
}

// A line whose descenders reach below its box loses them there.
TEST_F(PrintReportTest, DescendersBelowTheBoxAreClipped) {
  // A box lower than capitals and descenders at 10 pt.
  const LayoutControl field = detail::Field("c1", 2000, 2000, 4000, 160, 10, "");
  PrintControl(pdf_, field, "gjpqy gjpqy");
  EXPECT_TRUE(testing::FindInk(pdf_, 1, 100, 100, 200, 8, 288).has_value());
  const auto below = testing::FindInk(pdf_, 1, 100, 108.25, 200, 4, 288);
  EXPECT_FALSE(below.has_value()) << "ink down to " << below->y_max;
}

// The loaders fit a text to its box with the measuring form's font, at a
// smaller size than the field prints at. A declaration with long guarantees
// and payments: the guarantees fill the first line of field 35 as fitted,
// wider on paper than the box, and the payments keep the second line.
TEST_F(PrintReportTest, ALineFittedToItsBoxPrintsOnOneLine) {
  tdb_.RunScript("decl_catalogo.sql");
  tdb_.RunScript("decl_desborde.sql");
  auto db = tdb_.Open();
  CTipolaria driver;
  ASSERT_TRUE(driver.CargarCampos(*db, "26073IC04000456B", "", "05/12/2026", ""));
  ASSERT_EQ(PrintReport(*db, ReportKind::kCaratula, Range(1, 1, driver.CaratulaHojas), pdf_), 1);
  const Layout& cover = CaratulaLaserLayout();
  LayoutControl c35 = cover.control(cover.Find("c35"));
  c35.text = tdb_.Column("SELECT valor FROM IMP WHERE nro_hoja = 1 AND nro_campo = 'c35'").at(0);
  ASSERT_NE(c35.text.find("...\r\nPagos: "), std::string::npos) << c35.text;
  std::erase(c35.text, '\r');
  std::erase(c35.text, '\n');
  const std::vector<PdfWord> words = testing::ReadWords(pdf_);
  EXPECT_TRUE(CaptionInBox(words, 1, c35)) << c35.text;
  const PdfWord* pagos = WordInBox(words, 1, "Pagos:", cover, "c35");
  ASSERT_NE(pagos, nullptr);
  EXPECT_LE(pagos->y_max, c35.bottom() / 20.0);

  // The glyphs narrow with their places: "-- --" measures 225 twips and
  // prints 249 wide at 7 pt, narrowed to 28/32 in a box of 225.
  std::vector<double> widths[2];
  for (const bool narrowed : {false, true}) {
    LayoutControl field = detail::Field("c35", 2000, 2000, narrowed ? 225 : 1000, 210, 7, "");
    field.fitted = true;
    PrintControl(pdf_, field, "-- --");
    for (const PdfWord& w : testing::ReadWords(pdf_)) widths[narrowed].push_back(w.x_max - w.x_min);
  }
  ASSERT_EQ(widths[false].size(), 2u);
  ASSERT_EQ(widths[true].size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_NEAR(widths[true][k] / widths[false][k], 28.0 / 32, 0.02) << k;
  }
}

// The page's text comes in the layout's order, whatever joins lines into
// runs: a clipped field and a change of size come between the others.
TEST_F(PrintReportTest, TextComesInTheLayoutsOrder) {
  const Layout layout("Prueba", {detail::Field("c1", 2000, 2000, 4000, 300, 8, ""),
                                 detail::Field("c2", 2000, 3000, 4000, 160, 10, ""),
                                 detail::Field("c3", 2000, 4000, 4000, 300, 8, ""),
                                 detail::Field("c4", 2000, 5000, 4000, 300, 7, ""),
                                 detail::Field("c5", 2000, 6000, 4000, 300, 8, "")});
  PdfWriter writer(pdf_, "");
  writer.AddPage(layout, {"UNO", "DOS gjpqy", "TRES", "CUATRO", "CINCO"});
  writer.Commit();
  EXPECT_EQ(testing::CommandOutput("pdftotext -raw " + pdf_ + " -"),
            "UNO\nDOS gjpqy\nTRES\nCUATRO\nCINCO\n\f");
}

// A print of one session renders the rows its generation read back, not the
// table: handed in, the rows give every page exactly what the layouts'
// own query of the table gives, also where page 0 and a page set the same
// field.
TEST_F(PrintReportTest, RowsHandedInFillThePagesAsTheTableDoes) {
  Insert(1, 0, "c5", "OWN-1");  // written before page 0's value, yet it wins
  Insert(0, 0, "c5", "EVERY-PAGE");
  Insert(0, 0, "c6", "ZERO");
  InsertPages(1, 3, 0, 5);
  Insert(3, 0, "c6", "OWN-3");
  InsertPages(4, 5, 1, 5);
  Insert(0, 1, "c150", "FOOTER");
  Insert(5, 1, "c150", "LAST");
  Insert(9, 0, "c5", "OUT-OF-RANGE");
  tdb_.Run(sql_);
  sql_.clear();
  auto db = tdb_.Open();
  const auto pages = [&](ReportKind kind, const PrintRange& range) {
    std::vector<std::pair<std::int16_t, std::vector<std::string>>> filled;
    std::unique_ptr<LaserReport> report;
    if (kind == ReportKind::kCaratula) {
      report = std::make_unique<CaratulaLaser>(*db, range);
    } else {
      report = std::make_unique<SubItemLaser>(*db, range);
    }
    report->Run([&](std::int16_t page, const std::vector<std::string>& texts) {
      filled.emplace_back(page, texts);
    });
    return filled;
  };
  for (const Form& form : Forms()) {
    for (const PrintRange& range : {Range(1, 3, 3), Range(2, 5, 3), Range(4, 5, 3)}) {
      PrintRange with_rows = range;
      with_rows.imp_rows = std::make_shared<const Recordset>(ReadImpTable(*db));
      const auto from_table = pages(form.kind, range);
      EXPECT_EQ(pages(form.kind, with_rows), from_table)
          << range.hoja_desde << "-" << range.hoja_hasta;
      if (form.kind == ReportKind::kCaratula && range.hoja_desde == 1) {
        ASSERT_EQ(from_table.size(), 3u);
        const int c5 = form.layout.Find("c5");
        EXPECT_EQ(from_table[0].second[c5], "OWN-1");
        EXPECT_EQ(from_table[1].second[c5], "EVERY-PAGE");
      }
    }
  }
}

// A document of several pages paints the unchanging half of its pages from
// one recording; a one-page document draws it directly. A reader sees the
// same pages either way: the same words at the same places and the same
// pixels, logo and copy numerals included.
TEST_F(PrintReportTest, PagesOfOneDocumentShowAsOnePageDocumentsDo) {
  testing::WritePng(out_ + "/logo.png", 140, 56, 0, 0, 0.5);
  for (const Form& form : Forms()) {
    tdb_.Run("DELETE FROM IMP;");
    const int first = form.tipo == 0 ? 1 : 4;
    for (int page = first; page < first + 3; ++page) {
      for (const LayoutControl& c : form.layout.controls()) {
        if (c.type == ControlType::kField) {
          // Capitals: the reference in c3 is also drawn as a bar code.
          std::string value = c.name + "-" + std::to_string(page);
          for (char& ch : value)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
          Insert(page, form.tipo, c.name, value);
        }
      }
    }
    PrintRange range = Range(static_cast<std::int16_t>(first), static_cast<std::int16_t>(first + 2),
                             3, /*copias=*/2);
    range.logo_png = out_ + "/logo.png";
    const std::string whole = out_ + "/whole.pdf";
    ASSERT_EQ(Print(form.kind, range, whole), 3);
    const std::vector<PdfWord> whole_words = testing::ReadWords(whole);
    for (int k = 0; k < 3; ++k) {
      PrintRange one = range;
      one.hoja_desde = one.hoja_hasta = static_cast<std::int16_t>(first + k);
      const std::string single = out_ + "/single.pdf";
      ASSERT_EQ(Print(form.kind, one, single), 1);
      std::vector<PdfWord> expected = testing::ReadWords(single);
      std::vector<PdfWord> actual;
      for (const PdfWord& w : whole_words) {
        if (w.page == k + 1) actual.push_back(w);
      }
      const auto by_place = [](const PdfWord& a, const PdfWord& b) {
        return std::tie(a.y_min, a.x_min, a.text) < std::tie(b.y_min, b.x_min, b.text);
      };
      std::sort(expected.begin(), expected.end(), by_place);
      std::sort(actual.begin(), actual.end(), by_place);
      ASSERT_EQ(actual.size(), expected.size()) << form.layout.name() << " page " << k + 1;
      for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].text, expected[i].text);
        EXPECT_NEAR(actual[i].x_min, expected[i].x_min, 1e-3) << actual[i].text;
        EXPECT_NEAR(actual[i].y_min, expected[i].y_min, 1e-3) << actual[i].text;
        EXPECT_NEAR(actual[i].x_max, expected[i].x_max, 1e-3) << actual[i].text;
        EXPECT_NEAR(actual[i].y_max, expected[i].y_max, 1e-3) << actual[i].text;
      }
      const auto pixels = [](const std::string& pdf, int page) {
        const std::string p = std::to_string(page);
        return testing::CommandOutput("pdftoppm -r 100 -f " + p + " -l " + p + " '" + pdf + "'");
      };
      EXPECT_TRUE(pixels(whole, k + 1) == pixels(single, 1))
          << form.layout.name() << " page " << k + 1 << " shows other pixels";
    }
  }
}

// The outputs of a print are all written before any takes its name, the
// document last: a print that fails leaves the document of an earlier print
// as it was, and its message names the file that failed.
TEST_F(PrintReportTest, AFailedPrintLeavesTheEarlierFilesAsTheyWere) {
  InsertPages(1, 2, 0, 2);
  { std::ofstream(pdf_) << "an earlier print"; }
  const std::string pictures = out_ + "/png";
  const std::string stem = std::filesystem::path(pdf_).stem().string();
  std::filesystem::create_directories(pictures + "/" + stem + "-002.png");  // in the way
  const std::string a_file = out_ + "/a-file";
  { std::ofstream(a_file) << "x"; }
  const std::string not_png = out_ + "/logo.png";
  { std::ofstream(not_png) << "GIF89a"; }
  // A picture's size is read from its header, before it is decoded: a wide
  // one is taken, one that says it is a pixel wider is refused at once.
  const std::string wide = out_ + "/wide.png";
  testing::WritePng(wide, 4096, 1, 0, 0, 0);
  const std::string too_wide = out_ + "/too-wide.png";
  const std::string huge = out_ + "/huge.png";
  for (const auto& [name, width, height] :
       {std::tuple{too_wide, 4097u, 1u}, std::tuple{huge, 20000u, 20000u}}) {
    std::ifstream in(wide, std::ios::binary);
    std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (int i = 0; i < 4; ++i) {
      png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
      png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    std::ofstream(name, std::ios::binary) << png;
  }
  const struct {
    std::string png_folder, logo;
    long number;
    std::string says;
  } cases[] = {
      {pictures, "", kErrReportPath,
       "Cannot write the page picture '" + pictures + "/" + stem + "-002.png': Is a directory"},
      {a_file, "", kErrReportPath,
       "Cannot create the folder of the page pictures '" + a_file + "': Not a directory"},
      {"", not_png, kErrReportResource, "'" + not_png + "': it is not a PNG image"},
      {"", out_, kErrReportResource, "'" + out_ + "': it is a folder"},
      {"", too_wide, kErrReportResource,
       "'" + too_wide +
           "': the picture is 4097 x 1 pixels; a logo may have at most 4096 pixels on either "
           "side (scale it down)"},
      {"", huge, kErrReportResource, "'" + huge + "': the picture is 20000 x 20000 pixels"},
  };
  for (const auto& c : cases) {
    PrintRange range = Range(1, 2, 2);
    range.png_folder = c.png_folder;
    range.logo_png = c.logo;
    const ComError e = RaisedError([&] { Print(ReportKind::kCaratula, range, pdf_); });
    EXPECT_EQ(e.number(), c.number);
    EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
    std::ifstream earlier(pdf_);
    std::string text;
    std::getline(earlier, text);
    EXPECT_EQ(text, "an earlier print") << c.says;
    EXPECT_EQ(TemporaryFiles(), 0);
  }
  std::filesystem::remove(pictures + "/" + stem + "-002.png");
  PrintRange range = Range(1, 2, 2);
  range.png_folder = pictures;
  range.logo_png = wide;
  EXPECT_EQ(Print(ReportKind::kCaratula, range, pdf_), 2);
  EXPECT_EQ(testing::PageCount(pdf_), 2);
  EXPECT_TRUE(std::filesystem::exists(pictures + "/" + stem + "-002.png"));
  EXPECT_EQ(TemporaryFiles(), 0);
}

// What an interrupted command removes: the named files still under way,
// not those already forgotten.
TEST(PendingFilesTest, RemoveAllDeletesOnlyTheFilesStillPending) {
  const std::string folder = testing::MakeTempFolder();
  const std::string pending = folder + "/.a.pdf.tmp1";
  const std::string placed = folder + "/.b.pdf.tmp2";
  for (const std::string& path : {pending, placed}) std::ofstream(path) << "x";
  int pending_slot = PendingFiles::Add(pending);
  int placed_slot = PendingFiles::Add(placed);
  ASSERT_GE(pending_slot, 0);
  PendingFiles::Remove(placed_slot);
  EXPECT_EQ(placed_slot, -1);
  PendingFiles::RemoveAll();
  EXPECT_FALSE(std::filesystem::exists(pending));
  EXPECT_TRUE(std::filesystem::exists(placed));
  PendingFiles::Remove(pending_slot);  // already emptied: nothing happens
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tipolaria
