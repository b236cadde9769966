// Sessions as objects: each holds its own range, driver, settings and pages;
// CPrint is the one default session; the database functions for hosts.
#include "tipolaria/session.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "api/ComponentState.hpp"
#include "support/ErrorNumber.hpp"
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
