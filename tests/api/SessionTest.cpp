// Sessions as objects: each holds its own range, driver, settings and pages;
// CPrint is the one default session; the database functions for hosts.
#include "tipolaria/session.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>

#include "api/ComponentState.hpp"
#include "support/ErrorNumber.hpp"
#include "support/PdfReadback.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/cprint.hpp"
#include "tipolaria/database.hpp"

namespace tipolaria {
namespace {

namespace fs = std::filesystem;

TEST(SessionTest, EachSessionHasItsOwnStateAndCPrintSharesTheDefaultOne) {
  testing::TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_sin_liquidacion.sql");
  Session a(tdb.connection());
  Session b;
  EXPECT_EQ(RaisedError([&] { b.GetCopias(); }).source(), "GetCopias");
  EXPECT_NE(b.GenerateIMP("", "26033EC01000102P", "", "", 1, "", "", "", "", "")
                .find("Primero debe inicializar la dll"),
            std::string::npos);
  ASSERT_TRUE(b.Init(tdb.connection()));
  a.SetHojaDesde(2);
  a.SetCopias(3);
  a.SetReferenciaCliente("A");
  EXPECT_EQ(b.GetHojaDesde(), "0");
  EXPECT_EQ(b.GetCopias(), "0");
  EXPECT_EQ(b.GetReferenciaCliente(), "");

  // The default session is every CPrint's, and no other session's.
  CPrint().Finalize();
  CPrint().SetHojaHasta(7);
  EXPECT_EQ(detail::DefaultSession().GetHojaHasta(), "7");
  EXPECT_EQ(a.GetHojaHasta(), "0");
  CPrint().SetHojaHasta(0);

  // A generation in one session is that session's pages and snapshot only.
  a.SetOperDate("05/12/2026");
  ASSERT_EQ(a.GenerateIMP("", "26033EC01000102P", "", "", 1, "", "", "", "", ""), kJsonOk);
  EXPECT_EQ(a.GetPages().CaratulaHojas, 1);
  EXPECT_EQ(a.GetPages().TotalHojas, 1);
  EXPECT_EQ(b.GetPages().TotalHojas, 0);
  EXPECT_EQ(Session().GetPages().TotalHojas, 0);  // no driver yet

  // Another session takes what IMP holds as its own, or reads its rows.
  EXPECT_EQ(b.AdoptImpTable(), tdb.ImpRows().size());
  EXPECT_EQ(b.GetPages().TotalHojas, 1);
  const std::vector<Session::ImpRow> rows = b.ReadImpRows();
  ASSERT_EQ(rows.size(), tdb.ImpRows().size());
  EXPECT_TRUE(rows[0].NRO_HOJA.is_number);
  EXPECT_EQ(rows[0].TIPO.text, "0");
  EXPECT_EQ(rows[0].NRO_CAMPO.text.substr(0, 1), "c");
  EXPECT_FALSE(rows[0].VALOR.is_null);
  EXPECT_EQ(RaisedError([] { Session().ReadImpRows(); }).description(),
            "Primero debe inicializar la dll");
}

TEST(SessionTest, BothDocumentsAtOnceGiveWhatTwoPrintsInTurnGive) {
  testing::TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_demo.sql");
  Session session(tdb.connection());
  session.SetOperDate("05/12/2026");
  session.SetHojaHasta(32767);
  ASSERT_EQ(session.GenerateIMP("", "26001IC04000123A", "", "", 1, "", "", "", "", ""), kJsonOk);
  const std::string folder = tdb.folder();
  const std::string missing = folder + "/no-such-folder";

  // Each document, and the last failure after both, as in turn: whichever
  // fails, fails alone, with the same text and error.
  struct Case {
    std::string cover;
    std::string continuation;
  } cases[] = {
      {folder + "/c1.pdf", folder + "/s1.pdf"},
      {missing + "/c2.pdf", folder + "/s2.pdf"},
      {folder + "/c3.pdf", missing + "/s3.pdf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cover + " " + c.continuation);
    const std::string cover = session.PrintPDFCaratula(c.cover);
    const std::optional<ComError> cover_failure = session.GetLastFailure();
    const std::string continuation = session.PrintPDFSubItems(c.continuation);
    const std::optional<ComError> last = session.GetLastFailure();
    std::map<std::string, std::string> in_turn;
    for (const std::string& path : {c.cover, c.continuation}) {
      if (fs::exists(path)) in_turn[path] = testing::DocumentBytes(path);
      fs::remove(path);
    }

    const Session::Documents printed = session.PrintPDFs(c.cover, c.continuation);
    EXPECT_EQ(printed.caratula, cover);
    EXPECT_EQ(printed.sub_items, continuation);
    EXPECT_EQ(printed.caratula_failure.has_value(), cover_failure.has_value());
    if (printed.caratula_failure && cover_failure) {
      EXPECT_EQ(printed.caratula_failure->source(), cover_failure->source());
      EXPECT_EQ(printed.caratula_failure->number(), cover_failure->number());
    }
    EXPECT_EQ(printed.sub_items_failure.has_value(), last.has_value());
    EXPECT_EQ(session.GetLastFailure().has_value(), last.has_value());
    for (const std::string& path : {c.cover, c.continuation}) {
      EXPECT_EQ(fs::exists(path), in_turn.count(path) == 1) << path;
      if (in_turn.count(path) == 1) {
        EXPECT_TRUE(testing::DocumentBytes(path) == in_turn[path]) << path;
      }
    }
  }
}

TEST(SessionTest, CreateDatabaseIsAllOrNothingAndCheckDatabaseNamesWhatIsMissing) {
  const std::string folder = testing::MakeTempFolder();
  const std::string path = folder + "/new.db";
  EXPECT_NE(ErrorNumber([&] { CreateDatabase(path, "INSERT INTO NOPE VALUES (1);"); }), 0);
  EXPECT_FALSE(fs::exists(path));
  CreateDatabase(path, testing::ReadTestScript("decl_catalogo.sql"));
  const DatabaseCheck check = CheckDatabase("sqlite:" + path);
  EXPECT_TRUE(check.missing_tables.empty());
  EXPECT_GT(check.schema_tables, 10u);
  EXPECT_NE(ErrorNumber([&] { CreateDatabase(path); }), 0);  // never overwritten
  EXPECT_EQ(CheckDatabase("sqlite:" + path).missing_tables, std::vector<std::string>{});
  // An amount in words: found by the full check only.
  const std::string mistyped = folder + "/mistyped.db";
  CreateDatabase(mistyped, "INSERT INTO LQA (iliq, nart, mlqa) VALUES ('L1', '0001', 'mil');");
  EXPECT_EQ(CheckDatabase("sqlite:" + mistyped).mistyped_values.size(), 1u);
  EXPECT_TRUE(CheckDatabase("sqlite:" + mistyped, CheckDepth::kTables).mistyped_values.empty());

  EXPECT_TRUE(RaisedError([&] { CheckDatabase("sqlite:" + folder + "/none.db"); })
                  .source()
                  .ends_with(" - CDataBase.Connect - Init"));
  EXPECT_EQ(MaskConnectionString("Driver=x;PWD=secret;Password=other"),
            "Driver=x;PWD=****;Password=****");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tipolaria
