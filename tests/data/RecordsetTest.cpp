#include "data/Recordset.hpp"

#include <gtest/gtest.h>

#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

Recordset Pages() {
  return Recordset({"NRO_HOJA", "TIPO", "NRO_CAMPO", "VALOR"}, {{0, 0, "c37", "todas"},
                                                                {1, 0, "c5", "uno"},
                                                                {2, 0, "c5", "dos"},
                                                                {3, 0, "c5", "O'Hara"},
                                                                {Value(), 0, "c6", "sin hoja"}});
}

TEST(RecordsetTest, FilterPicksOnePagesRows) {
  Recordset rs = Pages();
  const auto values = [&] {
    std::vector<std::string> out;
    for (rs.MoveFirst(); !rs.AtEnd(); rs.MoveNext()) out.push_back(rs["valor"].AsText());
    return out;
  };
  rs.SetFilter("nro_hoja = 2 OR nro_hoja = 0");
  EXPECT_EQ(values(), (std::vector<std::string>{"todas", "dos"}));
  rs.SetFilter("NRO_HOJA >= 1 AND nro_hoja <= 2 OR valor = 'o''hara'");
  EXPECT_EQ(values(), (std::vector<std::string>{"uno", "dos", "O'Hara"}));
  rs.SetFilter("nro_hoja = 9");
  EXPECT_TRUE(rs.AtEnd());
  EXPECT_EQ(rs.RecordCount(), 0u);
  rs.SetFilter("");
  EXPECT_EQ(rs.RecordCount(), 5u);
}

// A number never equals text that is not a number, nor a Null anything.
TEST(RecordsetTest, FilterComparesTextNumbersAndNulls) {
  struct Case {
    const char* filter;
    std::size_t count;
  } cases[] = {
      {"valor = 5", 0},    {"valor <> 5", 5},    {"nro_hoja <> 1", 3},
      {"nro_hoja < 2", 2}, {"nro_hoja >= 2", 2}, {"valor > 'O''HARA'", 3},
  };
  for (const Case& c : cases) {
    Recordset rs = Pages();
    rs.SetFilter(c.filter);
    EXPECT_EQ(rs.RecordCount(), c.count) << c.filter;
  }
}

TEST(RecordsetTest, ErrorsOfTheDataAccessLayer) {
  Recordset rs = Pages();
  EXPECT_EQ(ErrorNumber([&] { rs.Field("nope"); }), 3265);
  EXPECT_EQ(ErrorNumber([&] { rs.SetFilter("nro_hoja = "); }), 3001);
  EXPECT_EQ(ErrorNumber([&] { rs.SetFilter("nope = 1"); }), 3001);
  EXPECT_EQ(ErrorNumber([&] { rs.SetFilter("nro_hoja = 1 XOR tipo = 0"); }), 3001);
  rs.SetFilter("nro_hoja = 9");
  EXPECT_EQ(ErrorNumber([&] { rs.Field("valor"); }), 3021);
  EXPECT_EQ(ErrorNumber([&] { rs.MoveNext(); }), 3021);
  rs.Close();
  EXPECT_EQ(ErrorNumber([&] { rs.AtEnd(); }), 3704);
}

}  // namespace
}  // namespace tipolaria
