// The ODBC backend against a real SQL Server, when TIPOLARIA_TEST_MSSQL holds
// a connection string to a test database prepared with db/sqlserver (tables
// and procedures). Without it these tests report as skipped.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "data/Backend.hpp"
#include "data/CDataBase.hpp"
#include "data/DatabaseErrors.hpp"
#include "support/ErrorNumber.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

class SqlServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* connection = std::getenv("TIPOLARIA_TEST_MSSQL");
    if (connection == nullptr || *connection == '\0') {
      GTEST_SKIP() << "TIPOLARIA_TEST_MSSQL names no SQL Server";
    }
    db_.SetOperDate("05/12/2026");
    ASSERT_TRUE(db_.OpenDB(connection));
  }

  ComError ErrorOf(const std::string& sql) {
    Recordset rs;
    return RaisedError([&] { db_.GetRs(sql, rs); });
  }

  CDataBase db_;
};

TEST_F(SqlServerTest, ValuesComeBackExact) {
  Recordset rs;
  ASSERT_TRUE(
      db_.GetRs("SELECT CAST('12345678901234567890.123456' AS decimal(38,6)) AS mucho, "
                "CAST(-1234.5 AS decimal(18,2)) AS negativo, CAST(NULL AS int) AS nada, "
                "CAST(7 AS int) AS entero, CONVERT(datetime, '31/01/2024', 103) AS dia, "
                "CONVERT(datetime, '2024-01-31T10:30:00') AS hora, N'O''Brien Ñandú' AS texto",
                rs));
  EXPECT_EQ(rs["mucho"], Value(*Decimal::Parse("12345678901234567890.123456")));
  EXPECT_EQ(rs["negativo"], Value(*Decimal::Parse("-1234.5")));
  EXPECT_TRUE(rs["nada"].IsNull());
  EXPECT_EQ(rs["entero"], Value(std::int64_t{7}));
  EXPECT_EQ(rs["dia"], Value(DateTime{2024, 1, 31}));
  EXPECT_EQ(rs["hora"], Value(DateTime{2024, 1, 31, 10, 30, 0}));
  EXPECT_EQ(rs["texto"], Value("O'Brien Ñandú"));
  // An N'...' literal reads back well under any client charset; VARCHAR data
  // only in UTF-8 (the connection's charset is checked when it opens).
  ASSERT_TRUE(db_.GetRs("SELECT CAST('ÑÁÉ ñandú' AS varchar(20)) AS v, CHAR(209) AS n", rs));
  EXPECT_EQ(rs["v"], Value("ÑÁÉ ñandú"));
  EXPECT_EQ(rs["n"], Value("Ñ"));
}

TEST_F(SqlServerTest, ServerErrorsCarryTheirStateAndNumber) {
  const ComError missing = ErrorOf("SELECT * FROM NoSuchTable");
  EXPECT_EQ(missing.number(), kErrProvider);
  EXPECT_NE(missing.description().find("42S02"), std::string::npos) << missing.description();
  EXPECT_TRUE(missing.source().ends_with(" - CDataBase.GetRs")) << missing.source();
  const ComError date = ErrorOf("SELECT CONVERT(datetime, '31/02/2026', 103)");
  EXPECT_EQ(date.number(), kErrConversion) << date.description();
}

TEST_F(SqlServerTest, ProceduresAndTransactionsOverPtr) {
  db_.BeginTrans();
  db_.ExecuteSQL(
      "INSERT INTO PTR (CTPT, CPTRNAT, LPTRNAT, APTR) VALUES ('TIPOLTEST', 'O''B', 'COMILLA', 3)");
  std::string code;
  EXPECT_EQ(db_.NatLNat("TIPOLTEST", "O'B"), "COMILLA");
  EXPECT_EQ(db_.NatPtr("TIPOLTEST", "o'b"), 3);
  EXPECT_EQ(db_.PtrNat("TIPOLTEST", 3, code), "COMILLA");
  EXPECT_EQ(code, "O'B");
  EXPECT_EQ(db_.PtrCNat("TIPOLTEST", 4), "");
  db_.RollBackTrans();
  EXPECT_EQ(db_.NatPtr("TIPOLTEST", "O'B"), -1);
}

TEST_F(SqlServerTest, ArraysGoWholeAndAFailingRowUndoesTheTransaction) {
  const std::string page = "NRO_HOJA = 32000";
  db_.ExecuteSQL("DELETE FROM IMP WHERE " + page);
  const std::uint64_t before = db_.RoundTrips();
  db_.BeginTrans();
  db_.ExecuteArray("INSERT INTO IMP (NRO_HOJA, TIPO, NRO_CAMPO, VALOR) VALUES (?, 0, ?, ?)",
                   {{Value("32000"), Value("c5"), Value("it's")},
                    {Value("32000"), Value("c6"), Value(std::string(5000, 'x'))}});
  db_.CommitTrans();
  EXPECT_EQ(db_.RoundTrips() - before, 4u);
  Recordset rs;
  ASSERT_TRUE(db_.GetRs("SELECT VALOR FROM IMP WHERE " + page + " ORDER BY NRO_CAMPO", rs));
  EXPECT_EQ(rs["VALOR"], Value("it's"));
  rs.MoveNext();
  EXPECT_EQ(rs["VALOR"], Value(std::string(5000, 'x')));  // VALOR is varchar(max)

  db_.BeginTrans();
  // The failing row's own message, not "failed without a diagnostic".
  const ComError failed = RaisedError([&] {
    db_.ExecuteArray("INSERT INTO IMP (NRO_HOJA, TIPO, NRO_CAMPO) VALUES (?, 0, ?)",
                     {{Value("32000"), Value("c7")}, {Value("no"), Value("c8")}});
  });
  EXPECT_EQ(failed.description().find("without a diagnostic"), std::string::npos)
      << failed.description();
  EXPECT_NE(failed.description().find("(row 2 of 2)"), std::string::npos) << failed.description();
  db_.RollBackTrans();
  db_.GetRs("SELECT COUNT(*) FROM IMP WHERE " + page, rs);
  EXPECT_EQ(rs.Field(std::size_t{0}), Value(std::int64_t{2}));
  db_.ExecuteSQL("DELETE FROM IMP WHERE " + page);
}

// The print lock is the server's application lock of a session: a second
// session waits its bounded time and is refused until the first releases.
TEST_F(SqlServerTest, PrintLockIsHeldBySessionUntilReleased) {
  const std::string connection = std::getenv("TIPOLARIA_TEST_MSSQL");
  auto first = OpenBackend(connection);
  auto second = OpenBackend(connection);
  Backend& a = *first;
  Backend& b = *second;
  ASSERT_TRUE(a.AcquirePrintLock(std::chrono::milliseconds(0)));
  EXPECT_FALSE(b.AcquirePrintLock(std::chrono::milliseconds(0)));
  EXPECT_FALSE(b.AcquirePrintLock(std::chrono::milliseconds(200)));
  a.ReleasePrintLock();
  a.ReleasePrintLock();  // not held: nothing happens
  EXPECT_TRUE(b.AcquirePrintLock(std::chrono::milliseconds(0)));
  first.reset();
  b.ReleasePrintLock();
}

}  // namespace
}  // namespace tipolaria
