// The assembly of a whole declaration by the driver: the cover, one item page
// for every further item and the continuation pages, numbered and headed.
#include <gtest/gtest.h>

#include "core/CTipolaria.hpp"
#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"
#include "tipolaria/error.hpp"

namespace tipolaria {
namespace {

constexpr const char* kDemo = "26001IC04000123A";

class CTipolariaArmadoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.RunScript("decl_catalogo.sql");
    tdb_.RunScript("decl_demo.sql");
    driver_.Oper = 1;
    driver_.LiquidacionImpresa = true;
    driver_.Rotulo = "OFICIALIZADO";
  }
  bool Generar(const char* iddtext = kDemo) {
    auto db = tdb_.Open();
    return driver_.CargarCampos(*db, iddtext, "", "05/12/2026 10:42:17", "O'BRIEN");
  }
  // The first and last page of each continuation section, 0 and 0 for an
  // empty one, in the order they are written: cancellations, sub-items, third
  // parties, gross-income tax, catalogue, quotas, certificates, descriptions.
  // A section starts on the first page holding its mark and ends before the
  // next one starts; the complementary information closes the list.
  std::vector<std::int16_t> Rangos() const {
    const char* marcas[] = {"%Destinaciones que se Cancelan%",
                            "Monto FOB:%",
                            "Declaramos bajo juramento%",
                            "DECLARACION PARA LA PERCEPCION DE INGRESOS BRUTOS",
                            "Información Catalogada%",
                            "Información de Cupos%",
                            "Información de CTC%",
                            "Descripción:%",
                            "%Información Adicional%"};
    std::vector<int> inicios;
    for (const char* marca : marcas) {
      const std::string inicio =
          tdb_.Column("SELECT ifnull(min(NRO_HOJA), 0) FROM IMP WHERE TIPO = 1 AND VALOR LIKE '" +
                      std::string(marca) + "'")[0];
      inicios.push_back(std::stoi(inicio));
    }
    std::vector<std::int16_t> rangos;
    for (std::size_t s = 0; s + 1 < inicios.size(); ++s) {
      int fin = inicios[s] == 0 ? 0 : driver_.TotalHojas;
      for (std::size_t t = s + 1; inicios[s] != 0 && t < inicios.size(); ++t) {
        if (inicios[t] != 0) {
          fin = inicios[t] - 1;
          break;
        }
      }
      rangos.push_back(static_cast<std::int16_t>(inicios[s]));
      rangos.push_back(static_cast<std::int16_t>(fin));
    }
    return rangos;
  }
  int Count(const std::string& where) const {
    return std::stoi(tdb_.Column("SELECT count(*) FROM IMP WHERE " + where).at(0));
  }
  std::vector<std::string> Rows(const std::string& where) const {
    return tdb_.ImpRows(where, "NRO_HOJA, rowid");
  }
  ComError ErrorDeGenerar() {
    return RaisedError([&] { Generar(); });
  }

  testing::TestDatabase tdb_;
  CTipolaria driver_;
};

TEST_F(CTipolariaArmadoTest, EveryItemAfterTheFirstGetsItsOwnNumberedPage) {
  ASSERT_TRUE(Generar());
  EXPECT_EQ(driver_.CaratulaHojas, 3);
  EXPECT_EQ(Rows("NRO_CAMPO IN ('c4', 'c38') AND TIPO = 0"),
            (std::vector<std::string>{
                "1 0 c38=0001", "1 0 c4=1 de " + std::to_string(driver_.TotalHojas), "2 0 c38=0002",
                "2 0 c4=2 de " + std::to_string(driver_.TotalHojas), "3 0 c38=0003",
                "3 0 c4=3 de " + std::to_string(driver_.TotalHojas)}));
  // Each item page has the header, its own footer and no declaration totals.
  for (const char* hoja : {"2", "3"}) {
    const std::string pagina = std::string("NRO_HOJA = ") + hoja + " AND ";
    EXPECT_EQ(Rows(pagina + "NRO_CAMPO IN ('c1', 'c3', 'c149')").size(), 3u) << hoja;
    EXPECT_EQ(Rows(pagina + "NRO_CAMPO = 'c144'").size(), 1u) << hoja;
    EXPECT_TRUE(Rows(pagina + "NRO_CAMPO IN ('c5', 'c137', 'c138', 'c139')").empty()) << hoja;
  }
}

TEST_F(CTipolariaArmadoTest, ContinuationSectionsFollowTheItemPagesEachOnItsOwnPages) {
  ASSERT_TRUE(Generar());
  EXPECT_EQ(driver_.CaratulaHojas, 3);
  EXPECT_EQ(driver_.TotalHojas, 11);
  // Cancellations, sub-items, third parties, gross-income tax, catalogue,
  // quota, certificate; no descriptions (left empty, between full ones); the
  // complementary information on the last page.
  EXPECT_EQ(Rangos(),
            (std::vector<std::int16_t>{4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 0, 0}));
  EXPECT_EQ(Rows("NRO_HOJA IN (4, 11) AND NRO_CAMPO IN ('c4', 'c5', 'c150')"),
            (std::vector<std::string>{
                "4 1 c5=" + std::string(170, '-'), "4 1 c150=OFICIALIZADO    05/12/2026 10:42:17",
                "4 1 c4=4 de 11", "11 1 c5=" + std::string(169, '-') + "\r\n",
                "11 1 c150=OFICIALIZADO    05/12/2026 10:42:17", "11 1 c4=11 de 11"}));
  // The quota's title names the item's agreement list.
  EXPECT_EQ(Rows("NRO_HOJA = 9 AND NRO_CAMPO = 'c5'"),
            (std::vector<std::string>{"9 1 c5=Información de Cupos    Nro. Item: 0003 Acuerdo:1"}));
  // Every continuation page has its header and footer; no type-0 field.
  EXPECT_EQ(Count("TIPO = 1 AND NRO_CAMPO IN ('c1', 'c2', 'c3', 'c149', 'c150')"), 8 * 5);
  EXPECT_EQ(Count("TIPO = 1 AND NRO_HOJA <= 3"), 0);
  EXPECT_EQ(Count("TIPO = 0 AND NRO_HOJA > 3"), 0);

  // A provisional print's footer is the label alone.
  driver_ = CTipolaria();
  driver_.Rotulo = "TIPOLARIA PROVISORIA";
  ASSERT_TRUE(Generar());
  EXPECT_EQ(tdb_.Column("SELECT DISTINCT VALOR FROM IMP WHERE NRO_CAMPO = 'c150'"),
            (std::vector<std::string>{"TIPOLARIA PROVISORIA"}));
}

TEST_F(CTipolariaArmadoTest, ManyItemsLoseNoLineAcrossPages) {
  tdb_.Run("CREATE TABLE cantidad_items AS SELECT 40 AS n;");
  tdb_.RunScript("decl_items.sql");
  ASSERT_TRUE(Generar("26001IC04000777C"));
  EXPECT_EQ(driver_.CaratulaHojas, 40);
  EXPECT_EQ(Count("TIPO = 0 AND NRO_CAMPO = 'c38'"), 40);
  // The sub-items run over several pages, every page full but the last, and
  // the next section starts on the page after.
  const std::vector<std::int16_t> rangos = Rangos();
  const int subitems_desde = rangos[2], subitems_hasta = rangos[3], terceros_desde = rangos[4];
  ASSERT_GT(subitems_hasta, subitems_desde + 2);
  EXPECT_EQ(subitems_desde, 41);
  for (int hoja = subitems_desde; hoja < subitems_hasta; ++hoja) {
    EXPECT_EQ(Count("TIPO = 1 AND NRO_HOJA = " + std::to_string(hoja) + " AND NRO_CAMPO NOT IN " +
                    "('c1', 'c2', 'c3', 'c4', 'cQOR1', 'c149', 'c150')"),
              61)
        << hoja;
  }
  EXPECT_EQ(terceros_desde, subitems_hasta + 1);
  // Each of the 120 sub-items (the item's own 0000 and two more) is there
  // once, in item order.
  const auto cabeceras = tdb_.Column(
      "SELECT VALOR FROM IMP WHERE TIPO = 1 AND VALOR LIKE 'Nro. ítem:%' "
      "ORDER BY NRO_HOJA, CAST(substr(NRO_CAMPO, 2) AS INTEGER)");
  ASSERT_EQ(cabeceras.size(), 120u);
  EXPECT_EQ(cabeceras.front().substr(0, 17), "Nro. ítem:  0001");
  EXPECT_EQ(cabeceras.back().substr(0, 17), "Nro. ítem:  0040");
  EXPECT_EQ(Count("NRO_CAMPO = 'c4'"), driver_.TotalHojas);
  // 20 sub-item lines, 8 catalogue lines and 4 certificate lines an item:
  // 14, 6 and 3 pages.
  EXPECT_EQ(Rangos(),
            (std::vector<std::int16_t>{0, 0, 41, 54, 55, 55, 56, 56, 57, 62, 0, 0, 63, 65, 0, 0}));
}

TEST_F(CTipolariaArmadoTest, AFailedContinuationWriteLeavesNoneOfItsRows) {
  auto db = testing::OpenFaulty(tdb_.connection(), {"VALUES (9, 1, 'c"});
  EXPECT_EQ(RaisedError([&] {
              driver_.CargarCampos(*db, kDemo, "", "05/12/2026 10:42:17", "O'BRIEN");
            }).source(),
            "FaultyBackend - CDataBase.ExecuteSQL - CImpComp.EjecutarInsertImp - "
            "CImpComp.InsrtImp - CImpCaratula.GuardarDatos - CTipolaria.CargarCampos");
  EXPECT_EQ(Count("TIPO = 1"), 0);
  EXPECT_EQ(Count("TIPO = 0 AND NRO_HOJA IN (2, 3)"), Count("TIPO = 0 AND NRO_HOJA > 0"));
}

TEST_F(CTipolariaArmadoTest, WithoutAnItem0001TheFirstItemSharesTheCoverPage) {
  tdb_.Run("UPDATE ART SET nartext = printf('%04d', nart + 4) WHERE iddt = '2600012345';");
  ASSERT_TRUE(Generar());
  EXPECT_EQ(driver_.CaratulaHojas, 3);
  // The first item was saved on page 1, under the cover's fields; the cover
  // loaded no item, so its item fields stay those of the first item.
  EXPECT_EQ(Rows("NRO_CAMPO = 'c38'"),
            (std::vector<std::string>{"1 0 c38=0005", "2 0 c38=0006", "3 0 c38=0007"}));
  EXPECT_EQ(Rows("NRO_HOJA = 1 AND NRO_CAMPO = 'c5'").size(), 1u);
}

TEST_F(CTipolariaArmadoTest, ItemsThatCannotBeNumberedEndTheGeneration) {
  // Page numbers are 16-bit: a driver already counting near the end
  // overflows on the item that would take page 32768, never wrapping.
  driver_.TotalHojas = 32765;
  ComError e = ErrorDeGenerar();
  EXPECT_EQ(e.number(), kErrOverflow);
  EXPECT_EQ(e.description(),
            "Overflow: the declaration has more pages than the form can number (at most 32767)");
  EXPECT_EQ(e.source(), "Tipolaria - CTipolaria.CargarCampos");
  EXPECT_EQ(Rows("NRO_CAMPO = 'c38'"), (std::vector<std::string>{"32767 0 c38=0002"}));

  // An item without a number cannot be followed onto the continuation pages.
  driver_ = CTipolaria();
  tdb_.Run("UPDATE ART SET nart = NULL WHERE nartext = '0003';");
  e = ErrorDeGenerar();
  EXPECT_EQ(e.number(), kErrInvalidUseOfNull);
  EXPECT_EQ(e.source(), "Tipolaria - CTipolaria.CargarCampos");
}

}  // namespace
}  // namespace tipolaria
