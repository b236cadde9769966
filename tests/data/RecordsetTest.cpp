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

TEST(RecordsetTest, ErrorsOfTheDataAccessLayer) {
  Recordset rs = Pages();
  EXPECT_EQ(ErrorNumber([&] { rs.Field("nope"); }), 3265);
  while (!rs.AtEnd()) rs.MoveNext();
  EXPECT_EQ(ErrorNumber([&] { rs.Field("valor"); }), 3021);
  EXPECT_EQ(ErrorNumber([&] { rs.MoveNext(); }), 3021);
  rs.Close();
  EXPECT_EQ(ErrorNumber([&] { rs.AtEnd(); }), 3704);
}

}  // namespace
}  // namespace tipolaria
