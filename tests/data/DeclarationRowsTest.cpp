// The rows of one item answered from the declaration's rows read once: the
// rows, order and columns the item's own question gets, items and codes
// matched as the server compares text, one request per question and batch.
#include <gtest/gtest.h>

#include "data/CDataBase.hpp"
#include "data/DeclarationRows.hpp"
#include "runtime/Convert.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;

// The columns, then each row, as "a|b|c".
std::vector<std::string> Dump(Recordset& rs) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < rs.FieldCount(); ++i) lines[0] += rs.FieldName(i) + "|";
  for (std::size_t r = 0; r < rs.RecordCount(); ++r) {
    std::string line;
    for (const Value& value : rs.RowAt(r))
      line += (value.IsNull() ? "NULL" : ValueToText(value)) + "|";
    lines.push_back(line);
  }
  return lines;
}

ItemQuery Impuestos(const std::string& nart) {
  return {"SELECT qlqacoefic, clqatyp, mlqa, clqatax FROM LQA WHERE iliq = 'D1'", {{"nart", nart}}};
}
ItemQuery PorMonto(const std::string& nart) {
  return {"SELECT mlqa FROM LQA WHERE iliq = 'D1'", {{"nart", nart}}, "mlqa DESC"};
}
ItemQuery Base(const std::string& nart, const std::string& aptr) {
  return {
      "SELECT mlqabas FROM LQA, PTR WHERE clqatax = CPTRNAT AND iliq = 'D1' AND CTPT = 'CODTAX'",
      {{"nart", nart}, {"APTR", aptr}}};
}
ItemQuery Pagado(const std::string& nart, const std::string& tipo) {
  return {
      "SELECT SUM(mlqa) FROM LQA WHERE iliq = 'D1'", {{"nart", nart}, {"clqatyp", tipo}}, "", true};
}

// Summed by tax within the item: a row for each tax the item has.
ItemQuery PorImpuesto(const std::string& nart) {
  return {
      "SELECT clqatax, SUM(mlqa) AS SUMA FROM LQA WHERE iliq = 'D1' AND (clqatax = '010' OR "
      "clqatax = '021')",
      {{"nart", nart}},
      "",
      false,
      "clqatax"};
}
// The item's taxes in either declaration, each once.
ItemQuery EnAmbas(const std::string& nart) {
  return {"SELECT clqatax FROM LQA WHERE iliq = 'D1'", {{"nart", nart}}, "", false, "",
          "SELECT clqatax FROM LQA WHERE iliq = 'D2'"};
}

class DeclarationRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Items interleaved, a row of another declaration and one without item.
    tdb_.Run(
        "INSERT INTO LQA VALUES ('D1', '0002', '010', 'P', 1, 100, 10),"
        " ('D1', '0001', '021', 'G', 2, 200, 20), ('D1', '0003', '010', 'P', 4, NULL, 40),"
        " ('D1', '0001', '010', 'p', 5, 500, 50), ('D2', '0001', '010', 'P', 9, 900, 90),"
        " ('D1', NULL, '010', 'P', 7, 700, 70), ('D1', '0001', '030', 'P', 6, 600, 60);"
        "INSERT INTO PTR VALUES ('CODTAX', '010', 'IVA', 9), ('CODTAX', '021', 'DI', 13),"
        " ('CODTAX', '030', 'TE', 9), ('OTRO', '010', 'X', 9);");
    db_ = tdb_.Open();
  }

  // Each question's rows from GetItemRs and from the question itself.
  void ExpectSameAsTheQuestion(const std::vector<ItemQuery>& questions) {
    for (const ItemQuery& question : questions) {
      Recordset from_memory;
      Recordset asked;
      const bool found = db_->GetItemRs(question, from_memory);
      EXPECT_EQ(found, db_->GetRs(question.Text(), asked)) << question.Text();
      EXPECT_EQ(Dump(from_memory), Dump(asked)) << question.Text();
    }
  }

  TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
};

TEST_F(DeclarationRowsTest, AnItemGetsWhatItsOwnQuestionGetsInABatchOrNot) {
  std::vector<ItemQuery> questions;
  for (const char* nart : {"0001", "0002", "0003", "0004"}) {
    questions.push_back(Impuestos(nart));
    questions.push_back(PorMonto(nart));
    for (const char* aptr : {"9", "13", "5"}) questions.push_back(Base(nart, aptr));
    for (const char* tipo : {"P", "G"}) questions.push_back(Pagado(nart, tipo));
    questions.push_back(PorImpuesto(nart));
    questions.push_back(EnAmbas(nart));
  }
  ExpectSameAsTheQuestion(questions);
  db_->BeginBatch();
  ExpectSameAsTheQuestion(questions);
  db_->EndBatch();
}

TEST_F(DeclarationRowsTest, ItemsAndCodesMatchAsTheServerComparesText) {
  // The server finds '0001 ' equal to '0001' and 'p' to 'P'; SQLite does not
  // ignore the blank, so the rows are spelled out here.
  tdb_.Run("INSERT INTO LQA VALUES ('D1', '0001 ', '021', 'g', 3, 300, 30);");
  db_->BeginBatch();
  Recordset rs;
  ASSERT_TRUE(db_->GetItemRs(Impuestos("0001"), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"qlqacoefic|clqatyp|mlqa|clqatax|", "2|G|20|021|",
                                                "5|p|50|010|", "6|P|60|030|", "3|g|30|021|"}));
  ASSERT_TRUE(db_->GetItemRs(PorMonto("0001  "), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"mlqa|", "60|", "50|", "30|", "20|"}));
  ASSERT_TRUE(db_->GetItemRs(Pagado("0001", "g"), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"SUM(mlqa)|", "50|"}));
  ASSERT_TRUE(db_->GetItemRs(Pagado("0001", "P"), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"SUM(mlqa)|", "110|"}));
  // A number compared with a text converts the text: APTR = '09' is 9.
  ASSERT_TRUE(db_->GetItemRs(Base("0001", "09"), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"mlqabas|", "500|", "600|"}));
  // Both spellings of the item in one group, and once in a UNION.
  ASSERT_TRUE(db_->GetItemRs(PorImpuesto("0001"), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"clqatax|SUMA|", "010|50|", "021|50|"}));
  ASSERT_TRUE(db_->GetItemRs(EnAmbas("0001"), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"clqatax|", "010|", "021|", "030|"}));
  // An item without rows: no rows, but one row of Nulls for a sum.
  EXPECT_FALSE(db_->GetItemRs(Impuestos("0009"), rs));
  EXPECT_FALSE(db_->GetItemRs(PorImpuesto("0009"), rs));
  ASSERT_TRUE(db_->GetItemRs(Pagado("0009", "P"), rs));
  EXPECT_EQ(Dump(rs), (std::vector<std::string>{"SUM(mlqa)|", "NULL|"}));
  db_->EndBatch();
}

TEST_F(DeclarationRowsTest, AQuestionIsReadOncePerBatch) {
  const std::uint64_t before = db_->Requests();
  Recordset rs;
  db_->BeginBatch();
  for (const char* nart : {"0001", "0002", "0003"}) {
    for (const char* aptr : {"9", "13"}) db_->GetItemRs(Base(nart, aptr), rs);
  }
  EXPECT_EQ(db_->Requests() - before, 1u);
  db_->EndBatch();
  // A new batch reads what is there now.
  tdb_.Run("UPDATE LQA SET mlqabas = 1 WHERE nart = '0002';");
  db_->BeginBatch();
  ASSERT_TRUE(db_->GetItemRs(Base("0002", "9"), rs));
  EXPECT_EQ(ValueToText(rs.Field("mlqabas")), "1");
  db_->EndBatch();
}

}  // namespace
}  // namespace tipolaria
