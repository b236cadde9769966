#include "imp/CColImp.hpp"

#include <gtest/gtest.h>

#include "support/ErrorNumber.hpp"

namespace tipolaria {
namespace {

TEST(CColImpTest, KeepsOrderDuplicatesAndOneBasedPositions) {
  CColImp col;
  col.Add("Importador", "ACME S.A.", "5");
  col.Add("Importador", "ACME S.A. otra vez", "5");
  col.Add("Cuit", "30-12345678-9", "6");
  ASSERT_EQ(col.Count(), 3);
  EXPECT_EQ(col.Item(1).Valor, "ACME S.A.");
  EXPECT_EQ(col.Item(3).Posicion, "6");
  EXPECT_EQ(col.Item(3).Nombre, "Cuit");
  col.Remove(1);
  EXPECT_EQ(col.Item(1).Valor, "ACME S.A. otra vez");
  col.Clear();
  EXPECT_EQ(col.Count(), 0);
}

TEST(CColImpTest, KeysAreUniqueAndUntrimmed) {
  CColImp col;
  col.Add("a", "1", "5", " ");
  EXPECT_EQ(ErrorNumber([&] { col.Add("b", "2", "6", " "); }), 457);
  EXPECT_EQ(col.Count(), 1);  // the failed Add added nothing
  col.Add("c", "3", "7", "  ");
  col.Add("d", "4", "8");  // no key: never found by key
  EXPECT_EQ(col.Item(" ").Valor, "1");
  EXPECT_EQ(col.Item("  ").Valor, "3");
  col.Remove(" ");
  EXPECT_EQ(col.Item(1).Valor, "3");
  EXPECT_EQ(ErrorNumber([&] { col.Item(""); }), 5);
  EXPECT_EQ(ErrorNumber([&] { col.Item("x"); }), 5);
}

TEST(CColImpTest, IndexesOutsideTheListAreSubscriptErrors) {
  CColImp col;
  col.Add("a", "1", "5");
  for (std::int64_t bad : {0, 2, -1}) {
    EXPECT_EQ(ErrorNumber([&] { col.Item(bad); }), 9) << bad;
    EXPECT_EQ(ErrorNumber([&] { col.Remove(bad); }), 9) << bad;
  }
}

}  // namespace
}  // namespace tipolaria
