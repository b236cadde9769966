// The ODBC backend through the real driver manager and the SQLite ODBC
// driver: values as the embedded backend reads them, parameter arrays,
// transactions and errors. The PTR lookups go through ODBC in the second
// run of the lookups' tests.
#include "data/OdbcBackend.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "data/CDataBase.hpp"
#include "data/DatabaseErrors.hpp"
#include "data/SqliteBackend.hpp"
#include "runtime/Convert.hpp"
#include "support/ErrorNumber.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

std::unique_ptr<CDataBase> OpenOdbc(const TestDatabase& tdb) {
  auto db = std::make_unique<CDataBase>();
  db->SetOperDate("05/12/2026");
  db->OpenDB(tdb.odbc_connection());
  return db;
}

// The SQLite driver writes floating point (a SUM over amounts) with 15
// significant digits, the embedded backend reads the shortest round trip.
bool SameValue(const Value& a, const Value& b) {
  if (a.kind() == Value::Kind::kDecimal && b.kind() == Value::Kind::kDecimal) {
    char x[32], y[32];
    std::snprintf(x, sizeof x, "%.15g", a.AsDecimal().ToDouble());
    std::snprintf(y, sizeof y, "%.15g", b.AsDecimal().ToDouble());
    return std::string(x) == y;
  }
  return a == b;
}

TEST(OdbcBackendTest, ReadsEveryValueAsTheEmbeddedBackendDoes) {
  TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_demo.sql");
  // Odd values: quotes, a long text read in pieces, NULLs, a date with a
  // time, a date that is not one, an amount with a fraction and a whole one.
  const std::string long_text(10000, 'x');
  tdb.Run("INSERT INTO IMP VALUES (7, 1, 'c5', 'O''Brien \"y\" Ñandú'), (7, 1, 'c6', '" +
          long_text +
          "'), (7, 1, NULL, NULL);"
          "INSERT INTO LIT (iliq, clittax, mlit) VALUES ('Q', '1', 1234.56), ('Q', '2', 7), "
          "('Q', '3', NULL), ('Q', '4', 0.1);"
          "INSERT INTO PAY (CPAY, DPAYEFF, DPAYFIN) VALUES ('Q1', '2001-01-01', "
          "'9999-12-31 10:30:00'), ('Q2', 'pronto', NULL);");
  SqliteBackend embedded(tdb.path());
  OdbcBackend odbc(tdb.odbc_connection() + ";NoCreat=1", "SQLite3");
  EXPECT_TRUE(odbc.TargetsSqlite());
  for (const char* sql :
       {"SELECT * FROM IMP ORDER BY rowid", "SELECT * FROM LIT ORDER BY rowid",
        "SELECT * FROM PAY ORDER BY rowid", "SELECT * FROM DDT", "SELECT * FROM ART",
        "SELECT iliq, SUM(mlit) AS total, COUNT(*) FROM LIT GROUP BY iliq ORDER BY iliq",
        "SELECT * FROM PAY WHERE DPAYEFF <= CONVERT(datetime, '05/12/2026', 103)"}) {
    Recordset expected = embedded.Query(sql);
    Recordset got = odbc.Query(sql);
    ASSERT_EQ(got.FieldCount(), expected.FieldCount()) << sql;
    ASSERT_EQ(got.RecordCount(), expected.RecordCount()) << sql;
    for (; !expected.AtEnd(); expected.MoveNext(), got.MoveNext()) {
      for (std::size_t i = 0; i < expected.FieldCount(); ++i) {
        EXPECT_EQ(got.FieldName(i), expected.FieldName(i)) << sql;
        EXPECT_TRUE(SameValue(got.Field(i), expected.Field(i)))
            << sql << " / " << expected.FieldName(i) << ": " << ValueToText(got.Field(i)) << " for "
            << ValueToText(expected.Field(i));
      }
    }
  }
}

TEST(OdbcBackendTest, ArraysAndTransactionsKeepAllOrNothing) {
  TestDatabase tdb;
  tdb.Run("CREATE TABLE T (k TEXT UNIQUE, n INTEGER, d DECIMAL(18,2), f DATETIME);");
  auto db = OpenOdbc(tdb);
  db->BeginTrans();
  db->ExecuteArray("INSERT INTO T VALUES (?, ?, ?, ?)",
                   {{Value("a'b"), Value(std::int64_t{1}), Value(*Decimal::Parse("1.25")),
                     Value(DateTime{2024, 1, 31})},
                    {Value("c"), Value(), Value(), Value()}});
  db->CommitTrans();
  EXPECT_EQ(tdb.Column("SELECT k || '|' || ifnull(n, '-') || '|' || ifnull(d, '-') || '|' || "
                       "ifnull(f, '-') FROM T ORDER BY k"),
            (std::vector<std::string>{"a'b|1|1.25|2024-01-31 00:00:00", "c|-|-|-"}));

  // The third row breaks the key: the error names its row and nothing stays.
  db->BeginTrans();
  const ComError e = RaisedError([&] {
    db->ExecuteArray("INSERT INTO T (k) VALUES (?)", {{Value("x")}, {Value("y")}, {Value("x")}});
  });
  EXPECT_EQ(e.source(), "SQLite3 - CDataBase.ExecuteSQL");
  EXPECT_NE(e.description().find("UNIQUE"), std::string::npos) << e.description();
  db->RollBackTrans();
  EXPECT_EQ(tdb.Column("SELECT count(*) FROM T"), std::vector<std::string>{"2"});

  for (const auto& [run, says] : std::vector<std::pair<std::function<void()>, std::string>>{
           {[&] { db->CommitTrans(); }, "no transaction"},
           {[&] { db->RollBackTrans(); }, "no transaction"},
           {[&] {
              db->BeginTrans();
              db->BeginTrans();
            },
            "already active"}}) {
    const std::string description = RaisedError(run).description();
    EXPECT_NE(description.find(says), std::string::npos) << description;
  }
}

TEST(OdbcBackendTest, ErrorsCarryTheDiagnosticsAndTheDriver) {
  TestDatabase tdb;
  auto db = OpenOdbc(tdb);
  Recordset rs;
  const struct {
    std::function<void()> run;
    long number;
    const char* source;
    const char* says;
  } cases[] = {
      {[&] { db->GetRs("SELECT nope FROM IMP", rs); }, kErrProvider, "SQLite3 - CDataBase.GetRs",
       "no such column: nope (1) (SQLSTATE HY000, native error 1) in: SELECT nope FROM IMP"},
      {[&] { db->GetRs("SELECT CONVERT(datetime, '31/02/2026', 103)", rs); }, kErrConversion,
       "SqlDialect - CDataBase.GetRs", "'31/02/2026'"},
      {[&] { db->ExecSPRs("sp_Nothing"); }, kErrProvider, "SQLite3 - CDataBase.ExecSPRs",
       "sp_Nothing"},
  };
  for (const auto& c : cases) {
    const ComError e = RaisedError(c.run);
    EXPECT_EQ(e.number(), c.number);
    EXPECT_EQ(e.source(), c.source);
    EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
  }
}

// An SQLite file has one print lock whichever backend reaches it.
TEST(OdbcBackendTest, SqliteFilesShareThePrintLockWithTheEmbeddedBackend) {
  TestDatabase tdb;
  SqliteBackend embedded(tdb.path());
  OdbcBackend first(tdb.odbc_connection(), "SQLite3");
  OdbcBackend second(tdb.odbc_connection(), "SQLite3");
  ASSERT_TRUE(first.AcquirePrintLock(std::chrono::milliseconds(0)));
  EXPECT_FALSE(second.AcquirePrintLock(std::chrono::milliseconds(20)));
  EXPECT_FALSE(embedded.AcquirePrintLock(std::chrono::milliseconds(0)));
  first.ReleasePrintLock();
  ASSERT_TRUE(embedded.AcquirePrintLock(std::chrono::milliseconds(0)));
  EXPECT_FALSE(second.AcquirePrintLock(std::chrono::milliseconds(0)));
  embedded.ReleasePrintLock();
  EXPECT_TRUE(second.AcquirePrintLock(std::chrono::milliseconds(0)));
  second.ReleasePrintLock();
}

// Another program that holds the file's write lock (the sqlite3 shell after
// BEGIN IMMEDIATE) keeps the print lock from being taken within the wait,
// as it does for the embedded backend, instead of leaving the session to
// stall in its first write for as long as the driver lets it.
TEST(OdbcBackendTest, AnotherProgramsWriteLockIsPartOfThePrintLock) {
  TestDatabase tdb;
  SqliteBackend other_program(tdb.path());
  OdbcBackend session(tdb.odbc_connection(), "SQLite3");
  OdbcBackend next(tdb.odbc_connection(), "SQLite3");
  other_program.ExecuteScript("BEGIN IMMEDIATE");
  EXPECT_FALSE(session.AcquirePrintLock(std::chrono::milliseconds(0)));
  EXPECT_FALSE(session.AcquirePrintLock(std::chrono::milliseconds(50)));
  // A session that gave up holds nothing.
  other_program.ExecuteScript("COMMIT");
  ASSERT_TRUE(next.AcquirePrintLock(std::chrono::milliseconds(0)));
  next.ReleasePrintLock();
  EXPECT_TRUE(session.AcquirePrintLock(std::chrono::milliseconds(0)));
  session.ReleasePrintLock();
}

}  // namespace
}  // namespace tipolaria
