#include "data/ValueCheck.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Convert.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

// A finding as "TABLE.column row N key=value,...: value (date|number)".
std::vector<std::string> Findings(CDataBase& db) {
  std::vector<std::string> lines;
  for (const MistypedValue& m : MistypedValues(db)) {
    std::string key;
    for (const auto& [column, value] : m.key) key += " " + column + "=" + value.text;
    lines.push_back(m.table + "." + m.column + " row " + std::to_string(m.row) + key + ": " +
                    m.value.text + (m.date_column ? " (date)" : " (number)"));
  }
  return lines;
}

// What the embedded database lets a column of numbers or dates hold, and
// which of it a generation could not read as a number or a date: each
// such value is found with its table, column and row, and nothing else is.
TEST(ValueCheckTest, FindsEveryValueThatIsNotANumberOrADateWhereOneIsExpected) {
  TestDatabase tdb;
  tdb.RunScript("decl_catalogo.sql");
  tdb.RunScript("decl_demo.sql");
  auto db = tdb.Open();
  EXPECT_TRUE(Findings(*db).empty()) << "the demo declaration holds no such value";

  tdb.Run(
      "DELETE FROM LQA; DELETE FROM DDT;"
      // Amounts: numbers, numbers written as text the engine converts, Null;
      // then a word and a decimal comma.
      "INSERT INTO LQA (iliq, nart, mlqa, mlqabas) VALUES"
      " ('L1', '0001', 12.5, '1234.50'), ('L1', '0002', NULL, 7),"
      " ('L1', '0003', 'mil', 1), ('L1', '0004', 3, '1,5');"
      // Dates: days with and without a time; then, each alone in its row, a
      // day written day first, digits without dashes, a count that is a
      // word, a day the calendar lacks, an hour past 23, a year before 100.
      "INSERT INTO DDT (iddtext, dddtarvtrn, dddtvenemb, qddtbultos) VALUES"
      " ('D1', '2026-12-05', '2026-12-05 10:42:17', 3),"
      " ('D2', '05/12/2026', NULL, NULL), ('D3', NULL, 20261205, NULL),"
      " ('D4', NULL, NULL, 'diez'), ('D5', '2026-02-29', '2024-02-29', NULL),"
      " ('D6', NULL, '2026-12-05 24:00:00', NULL), ('D7', '0099-12-05', NULL, NULL);");
  // Through either backend, the same values.
  EXPECT_EQ(Findings(*db), (std::vector<std::string>{
                               "DDT.dddtarvtrn row 2 iddtext=D2: 05/12/2026 (date)",
                               "DDT.dddtvenemb row 3 iddtext=D3: 20261205 (date)",
                               "DDT.qddtbultos row 4 iddtext=D4: diez (number)",
                               "DDT.dddtarvtrn row 5 iddtext=D5: 2026-02-29 (date)",
                               "DDT.dddtvenemb row 6 iddtext=D6: 2026-12-05 24:00:00 (date)",
                               "DDT.dddtarvtrn row 7 iddtext=D7: 0099-12-05 (date)",
                               "LQA.mlqa row 3 iliq=L1 nart=0003: mil (number)",
                               "LQA.mlqabas row 4 iliq=L1 nart=0004: 1,5 (number)",
                           }));
}

}  // namespace
}  // namespace tipolaria
