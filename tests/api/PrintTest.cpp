// The print operations through the public class: what a host gets back and
// what it finds on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include "api/ComponentState.hpp"
#include "support/JsonResults.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/cprint.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;
using testing::kOk;

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CPrint().Finalize();
    print_.SetHojaDesde(0);
    print_.SetHojaHasta(0);
    print_.SetLogo("");
  }
  void TearDown() override {
    CPrint().Finalize();
    detail::State().settings.picture_folder.clear();
    detail::State().settings.lock_wait_notice = nullptr;
    print_.SetLockTimeout(60);
  }

  // The demo declaration, generated: the cover is page 1.
  void GenerateDemo() {
    tdb_.RunScript("decl_catalogo.sql");
    tdb_.RunScript("decl_demo.sql");
    ASSERT_TRUE(print_.Init(tdb_.connection()));
    print_.SetOperDate("05/12/2026");
    ASSERT_EQ(print_.GenerateIMP("O'BRIEN, JUAN PATRICIO", "26001IC04000123A", "",
                                 "05/12/2026 10:42:17", 1, "2", "", "", "", ""),
              kOk);
  }

  // `pages` cover-layout pages of type 0 with a marker in field c5, and the
  // driver's count as a generation of `total` pages would leave it.
  void PagesInImp(int pages, std::int16_t caratula_hojas, std::int32_t total) {
    ASSERT_TRUE(print_.Init(tdb_.connection()));
    for (int page = 1; page <= pages; ++page) {
      tdb_.Run("INSERT INTO IMP VALUES (" + std::to_string(page) + ", 0, 'c5', 'PAGINA-" +
               std::to_string(page) + "')");
    }
    detail::State().gDriver->TotalHojas = total;
    print_.SetCaratulaHojas(caratula_hojas);
  }

  std::vector<std::string> Markers(const std::string& pdf) {
    std::vector<std::string> markers;
    for (const auto& word : testing::ReadWords(pdf)) {
      if (word.text.rfind("PAGINA-", 0) == 0) markers.push_back(word.text);
    }
    return markers;
  }

  std::string Out(const std::string& name) { return tdb_.folder() + "/" + name; }

  testing::TestDatabase tdb_;
  CPrint print_;
};

TEST_F(PrintTest, PrintsTheGeneratedCoverAsAReaderSeesIt) {
  GenerateDemo();
  print_.SetHojaHasta(32767);  // every page of the declaration
  detail::State().settings.picture_folder = Out("png");
  fs::create_directories(Out("png"));
  EXPECT_EQ(print_.PrintPDFCaratula(Out("cover.pdf")), kOk);
  // The cover and the pages of the second and third items.
  EXPECT_EQ(testing::PageCount(Out("cover.pdf")), 3);
  const std::string text = testing::CommandOutput("pdftotext '" + Out("cover.pdf") + "' -");
  EXPECT_NE(text.find("O'BRIEN, JUAN PATRICIO"), std::string::npos);
  for (const char* hoja : {"1 de 11", "2 de 11", "3 de 11"}) {
    EXPECT_NE(text.find(hoja), std::string::npos) << hoja;
  }
  // The scanner reads the reference (it may also read patterns in the
  // page's text, which carry no data of ours).
  const std::string codes = testing::ScanBarcodes(Out("cover.pdf"), 1);
  EXPECT_EQ(codes.substr(0, codes.find('\n')), "26001IC04000123A") << codes;
  EXPECT_TRUE(fs::exists(Out("png/cover-001.png")));
}

TEST_F(PrintTest, PrintsTheContinuationPagesWithTheirLinesAndFooters) {
  GenerateDemo();
  print_.SetHojaHasta(32767);
  EXPECT_EQ(print_.PrintPDFSubItems(Out("continuation.pdf")), kOk);
  ASSERT_EQ(testing::PageCount(Out("continuation.pdf")), 8);
  // What a reader finds on each page: its number, its section and the
  // footer (the label and the official date).
  const struct {
    int page;
    const char* text;
  } expected[] = {{1, "4 de 11"},
                  {1, "Destinaciones que se Cancelan, ítem: 0000"},
                  {1, "26001MANI012345X"},
                  {1, "SENASA"},
                  {2, "Subitem Nro.:  0002"},
                  {3, "*********** FIN TIPOLARIA TERCEROS **************"},
                  {4, "DECLARACION PARA LA PERCEPCION DE INGRESOS BRUTOS"},
                  {5, "Código:  TAMANO-PANTALLA"},
                  {6, "Cupo:  CUPO ANUAL DE SOPORTES METALICOS PARA TELEVISORES"},
                  {7, "CTC:  SE-2026-004512"},
                  {8, "Información Adicional"},
                  {8, "11 de 11"}};
  // The extracted text keeps the characters in order, not the blanks and
  // line breaks between them (a footer wraps in its box).
  const auto letters = [](const std::string& text) {
    std::string out;
    for (const char c : text) {
      if (c != ' ' && c != '\n') out += c;
    }
    return out;
  };
  for (const auto& e : expected) {
    const std::string text = letters(
        testing::CommandOutput("pdftotext -f " + std::to_string(e.page) + " -l " +
                               std::to_string(e.page) + " '" + Out("continuation.pdf") + "' -"));
    EXPECT_NE(text.find(letters(e.text)), std::string::npos) << "page " << e.page << ": " << e.text;
    EXPECT_NE(text.find("OFICIALIZADO05/12/202610:42:17"), std::string::npos) << e.page;
  }
}

// A second reader draws the printed pages as poppler does. The readers
// smooth edges differently, so the pages are compared as coarse ink: the
// share of dark pixels in blocks of a quarter inch (25 pixels at 100 dpi).
TEST_F(PrintTest, MupdfDrawsThePagesAsPopplerDoes) {
  GenerateDemo();
  print_.SetHojaHasta(32767);
  ASSERT_EQ(print_.PrintPDFCaratula(Out("cover.pdf")), kOk);
  ASSERT_EQ(print_.PrintPDFSubItems(Out("continuation.pdf")), kOk);
  constexpr int kBlock = 25;
  const auto dark = [](const testing::GreyPicture& picture, int top, int left) {
    int pixels = 0;
    for (int r = top; r < top + kBlock; ++r) {
      for (int c = left; c < left + kBlock; ++c) {
        pixels += picture.pixels[static_cast<std::size_t>(r) * picture.width + c] < 160;
      }
    }
    return pixels / double(kBlock * kBlock);
  };
  for (const char* name : {"cover.pdf", "continuation.pdf"}) {
    SCOPED_TRACE(name);
    const auto poppler = testing::DrawPage(Out(name), 1, 100, testing::PdfReader::kPoppler);
    const auto mupdf = testing::DrawPage(Out(name), 1, 100, testing::PdfReader::kMupdf);
    ASSERT_EQ(poppler.width, mupdf.width);
    ASSERT_EQ(poppler.height, mupdf.height);
    double poppler_ink = 0;
    double mupdf_ink = 0;
    double worst = 0;
    for (int top = 0; top + kBlock <= poppler.height; top += kBlock) {
      for (int left = 0; left + kBlock <= poppler.width; left += kBlock) {
        poppler_ink += dark(poppler, top, left);
        mupdf_ink += dark(mupdf, top, left);
        worst = std::max(worst, std::abs(dark(poppler, top, left) - dark(mupdf, top, left)));
      }
    }
    // The blocks agree within a tenth (edges a pixel apart); a word, line
    // or box that one reader misses would differ by more.
    EXPECT_LT(worst, 0.1);
    EXPECT_GT(poppler_ink, 0.01 * poppler.width * poppler.height / (kBlock * kBlock));
    EXPECT_NEAR(mupdf_ink / poppler_ink, 1.0, 0.2);
  }
}

// A generation counts its pages from the start, also when the
// host generates again without CleanIMP; the driver's other settings stay.
TEST_F(PrintTest, EveryGenerationCountsItsPagesFromTheStart) {
  GenerateDemo();
  print_.SetHojaHasta(32767);
  ASSERT_EQ(print_.PrintPDFCaratula(Out("first-cover.pdf")), kOk);
  ASSERT_EQ(print_.PrintPDFSubItems(Out("first-continuation.pdf")), kOk);
  print_.SetCopias(2);
  print_.SetReferenciaCliente("PO-4471");
  for (int again = 0; again < 3; ++again) {
    ASSERT_EQ(print_.GenerateIMP("O'BRIEN, JUAN PATRICIO", "26001IC04000123A", "",
                                 "05/12/2026 10:42:17", 1, "2", "", "", "", ""),
              kOk);
  }
  EXPECT_EQ(print_.GetCaratulaHojas(), "3");
  EXPECT_EQ(detail::State().gDriver->TotalHojas, 11);
  EXPECT_EQ(tdb_.Column("SELECT max(NRO_HOJA) FROM IMP"), std::vector<std::string>{"11"});
  EXPECT_EQ(print_.GetCopias(), "2");
  EXPECT_EQ(tdb_.Column("SELECT DISTINCT VALOR FROM IMP WHERE NRO_CAMPO = 'cQOR1'"),
            std::vector<std::string>{"PO-4471"});
  ASSERT_EQ(print_.PrintPDFCaratula(Out("cover.pdf")), kOk);
  ASSERT_EQ(print_.PrintPDFSubItems(Out("continuation.pdf")), kOk);
  EXPECT_EQ(testing::PageCount(Out("cover.pdf")), 3);
  EXPECT_EQ(testing::PageCount(Out("continuation.pdf")), 8);
  const std::string text = testing::CommandOutput("pdftotext '" + Out("continuation.pdf") + "' -");
  EXPECT_NE(text.find("11 de 11"), std::string::npos);
  EXPECT_NE(text.find("PO-4471"), std::string::npos);
}

// The range, clamped against the last generation, and the cover count reach
// the print.
TEST_F(PrintTest, PrintsTheRangeOfTheLastGeneration) {
  PagesInImp(3, 3, 8);
  print_.SetHojaDesde(10);  // past the 8 pages: from page 1
  print_.SetHojaHasta(2);
  EXPECT_EQ(print_.PrintPDFCaratula(Out("two.pdf")), kOk);
  EXPECT_EQ(Markers(Out("two.pdf")), (std::vector<std::string>{"PAGINA-1", "PAGINA-2"}));
  print_.SetHojaDesde(2);
  print_.SetHojaHasta(9);
  EXPECT_EQ(print_.PrintPDFCaratula(Out("rest.pdf")), kOk);
  EXPECT_EQ(Markers(Out("rest.pdf")), (std::vector<std::string>{"PAGINA-2", "PAGINA-3"}));
}

TEST_F(PrintTest, FailuresAreJsonAndLeaveNoFile) {
  const std::string not_initialised =
      R"({"Result": "ERR", "errorMessage": "Primero debe inicializar la dll", )"
      R"("source":"InitializePagesData - InitializePagesData - PrintPDFCaratula"})";
  EXPECT_EQ(print_.PrintPDFCaratula(Out("a.pdf")), not_initialised);

  PagesInImp(1, 1, 1);
  // No continuation page: a clear failure, not an empty document.
  const std::string none = print_.PrintPDFSubItems(Out("b.pdf"));
  EXPECT_NE(none.find("No page to print"), std::string::npos) << none;
  EXPECT_TRUE(none.ends_with(R"( - PrintPDFSubItems"})")) << none;

  // The host's logo reaches the print.
  print_.SetLogo(Out("missing-logo.png"));
  EXPECT_NE(print_.PrintPDFCaratula(Out("d.pdf")).find("missing-logo.png"), std::string::npos);

  for (const char* name : {"a.pdf", "b.pdf", "d.pdf"}) EXPECT_FALSE(fs::exists(Out(name)));
}

// The layouts and the export have no error traps: the source a host parses
// lists only the procedures that trapped the error, then the operation.
TEST_F(PrintTest, ErrorSourcesNameOnlyTheTrappingProcedures) {
  struct Case {
    const char* sql;
    std::string source;
  } cases[] = {
      {"INSERT INTO IMP VALUES (1, 0, 'c999', 'x')", "Tipolaria - PrintPDFCaratula"},
      {"ALTER TABLE IMP RENAME TO IMP_APARTE",
       testing::TestDatabase::ErrorSource() + " - CDataBase.GetRs - PrintPDFCaratula"},
  };
  for (const Case& c : cases) {
    testing::TestDatabase tdb;
    ASSERT_TRUE(print_.Init(tdb.connection()));
    tdb.Run("INSERT INTO IMP VALUES (1, 0, 'c5', 'PAGINA-1');");
    detail::State().gDriver->TotalHojas = 1;
    print_.SetCaratulaHojas(1);
    tdb.Run(c.sql);
    const std::string json = print_.PrintPDFCaratula(tdb.folder() + "/a.pdf");
    EXPECT_TRUE(json.ends_with(std::string(R"(", "source":")") + c.source + R"("})")) << json;
  }
  const std::string unwritable = Out("no-such-folder/a.pdf");
  PagesInImp(1, 1, 1);
  const std::string json = print_.PrintPDFCaratula(unwritable);
  EXPECT_TRUE(json.ends_with(R"(", "source":"Tipolaria - PrintPDFCaratula"})")) << json;
}

// What a session prints after its own generation is what that generation
// wrote, whatever another session leaves in IMP meanwhile; without one (a
// new driver, a new connection), a print shows the table as it stands.
TEST_F(PrintTest, PrintsItsOwnGenerationWhateverIsInImpMeanwhile) {
  const std::string intruder =
      "DELETE FROM IMP; INSERT INTO IMP VALUES (1, 0, 'c5', 'PAGINA-AJENA')";
  const std::vector<std::string> table{"PAGINA-AJENA"};
  const std::vector<std::pair<const char*, std::function<void()>>> forget = {
      {"CleanIMP", [&] { print_.CleanIMP(); }},
      {"Init", [&] { print_.Init(tdb_.connection()); }},
  };
  for (const auto& [name, drop] : forget) {
    if (!detail::IsInitialized(detail::State()))
      GenerateDemo();
    else
      ASSERT_EQ(print_.GenerateIMP("O'BRIEN", "26001IC04000123A", "", "", 1, "", "", "", "", ""),
                kOk);
    tdb_.Run(intruder);
    EXPECT_EQ(print_.PrintPDFCaratula(Out("own.pdf")), kOk);
    EXPECT_TRUE(Markers(Out("own.pdf")).empty()) << name;
    EXPECT_NE(testing::CommandOutput("pdftotext '" + Out("own.pdf") + "' -").find("O'BRIEN"),
              std::string::npos);
    drop();
    print_.SetHojaDesde(1);
    print_.SetHojaHasta(1);
    EXPECT_EQ(print_.PrintPDFCaratula(Out("table.pdf")), kOk) << name;
    EXPECT_EQ(Markers(Out("table.pdf")), table) << name;
  }
}

TEST_F(PrintTest, ATakenPrintLockIsWaitedForABoundedTimeThenNamed) {
  GenerateDemo();
  const std::unique_ptr<CDataBase> other = tdb_.Open();
  ASSERT_TRUE(other->AcquirePrintLock(std::chrono::milliseconds(0)));
  // The session's own pages need no lock to print.
  EXPECT_EQ(print_.PrintPDFCaratula(Out("own.pdf")), kOk);

  std::vector<std::string> notices;
  detail::State().settings.lock_wait_notice = [&](const std::string& m) { notices.push_back(m); };
  print_.SetLockTimeout(1);
  const std::string failed =
      print_.GenerateIMP("O'BRIEN", "26001IC04000123A", "", "", 1, "", "", "", "", "");
  const std::string named = "waiting for the database \\\"" + tdb_.connection() + "\\\"";
  EXPECT_NE(failed.find("Gave up after 1 second " + named), std::string::npos) << failed;
  EXPECT_TRUE(failed.ends_with(R"("source":"PrintLock - GenerateIMP"})")) << failed;
  // A host tells a busy database from other failures by the number.
  EXPECT_EQ(detail::DefaultSession().GetLastFailure()->number(), kErrTimeout);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_TRUE(notices[0].starts_with("Waiting up to 1 second for the database")) << notices[0];
  // The failed generation wrote nothing, so the session has nothing to
  // print: certainly not what the other session holds.
  const std::string nothing = print_.PrintPDFCaratula(Out("none.pdf"));
  EXPECT_NE(nothing.find("No page to print"), std::string::npos) << nothing;
  print_.CleanIMP();  // a print that reads the table waits as well
  print_.SetLockTimeout(0);
  EXPECT_NE(print_.PrintPDFCaratula(Out("none.pdf")).find("Gave up after 0 seconds"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(Out("none.pdf")));

  other->ReleasePrintLock();
  EXPECT_EQ(print_.GenerateIMP("O'BRIEN", "26001IC04000123A", "", "", 1, "", "", "", "", ""), kOk);
  EXPECT_THROW(print_.SetLockTimeout(-1), ComError);
}

}  // namespace
}  // namespace tipolaria
