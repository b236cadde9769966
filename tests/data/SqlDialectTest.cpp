#include "data/SqlDialect.hpp"

#include <gtest/gtest.h>

#include "support/ErrorNumber.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

TEST(SqlDialectTest, RewritesTheTSqlPiecesInUse) {
  struct Case {
    const char* tsql;
    const char* sqlite;
  } cases[] = {
      {"SELECT * FROM PAY WHERE DPAYEFF <= CONVERT(datetime, '05/12/2026', 103)",
       "SELECT * FROM PAY WHERE DPAYEFF <= '2026-12-05 00:00:00'"},
      {"select 1 where x > convert( DATETIME ,'29/02/2024',103 )",
       "select 1 where x > '2024-02-29 00:00:00'"},
      {"TRUNCATE TABLE IMP", "DELETE FROM IMP"},
      {"  truncate table imp", "DELETE FROM imp"},
      {"SELECT isnull(a, 0), ISNULL (b,'') FROM t", "SELECT ifnull(a, 0), ifnull (b,'') FROM t"},
      // Text inside literals is data and stays as it is.
      {"INSERT INTO IMP VALUES ('isnull(x)', 'TRUNCATE TABLE IMP')",
       "INSERT INTO IMP VALUES ('isnull(x)', 'TRUNCATE TABLE IMP')"},
      {"SELECT 'it''s CONVERT(datetime, ''01/01/2020'', 103)'",
       "SELECT 'it''s CONVERT(datetime, ''01/01/2020'', 103)'"},
      // Names that merely contain the words are not rewritten.
      {"SELECT myisnull(a), convertido FROM t", "SELECT myisnull(a), convertido FROM t"},
      // Nor is the word without a call: a column or SQLite's own operator.
      {"SELECT isnull FROM t WHERE a ISNULL OR b isnull",
       "SELECT isnull FROM t WHERE a ISNULL OR b isnull"},
      // Other styles are not the day/month/year conversion.
      {"SELECT CONVERT(varchar, d, 103)", "SELECT CONVERT(varchar, d, 103)"},
  };
  for (const Case& c : cases) EXPECT_EQ(TranslateToSqlite(c.tsql), c.sqlite) << c.tsql;
}

TEST(SqlDialectTest, ImpossibleDateIsAConversionError) {
  for (const char* bad : {"31/02/2026", "2026-12-05", "5/12/2026x", ""}) {
    const std::string sql = std::string("SELECT CONVERT(datetime, '") + bad + "', 103)";
    const std::string says = RaisedError([&] { TranslateToSqlite(sql); }).description();
    EXPECT_NE(says.find("datetime"), std::string::npos) << bad;
    EXPECT_NE(says.find(bad), std::string::npos) << says;
  }
}

TEST(SqlDialectTest, ShapesLiftEveryStandaloneLiteralOfADataStatement) {
  const auto shape = ShapeOf("SELECT a FROM t WHERE b = 'O''BRIEN' AND c IN ('', 'x;y') AND n = 5");
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->text, "SELECT a FROM t WHERE b = ? AND c IN (?, ?) AND n = 5");
  EXPECT_EQ(shape->literals, (std::vector<std::string>{"O'BRIEN", "", "x;y"}));
  EXPECT_EQ(ShapeOf("  delete FROM IMP WHERE nro_hoja = 3")->text,
            "  delete FROM IMP WHERE nro_hoja = 3");
  // Statements a parameter cannot stand in, or that this scan cannot read
  // with certainty, run from their text.
  for (const char* as_written :
       {"CREATE TABLE t (a TEXT DEFAULT 'x')", "BEGIN", "PRAGMA user_version = 'a'", "SELECT x'41'",
        "SELECT N'abc'", "SELECT a FROM t WHERE b = ?", "SELECT :a", "SELECT \"a'b\" FROM t",
        "SELECT [a'b] FROM t", "SELECT 1 -- it's", "SELECT 'open"}) {
    EXPECT_FALSE(ShapeOf(as_written)) << as_written;
  }
}

}  // namespace
}  // namespace tipolaria
