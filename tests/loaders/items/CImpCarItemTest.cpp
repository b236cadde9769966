// The item pages: the items after the first, each on a page of its own with
// the cover's item fields, footer and settlement columns.
#include "loaders/items/CImpCarItem.hpp"

#include <gtest/gtest.h>

#include "CoverPage.hpp"
#include "common/UtilFnc.hpp"
#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"

namespace tipolaria {
namespace {

using std::nullopt;
using testing::C;
using testing::CargarDatos;
using testing::ExpectCampos;
using testing::Fila;
using testing::Impresion;
using testing::LeerPagina;
using testing::Pagina;
using testing::TestDatabase;

constexpr const char* kIddt = "2600012345";

// Loads item `nart` of the demo declaration onto page `pagina` as the driver
// does (item, footer, save, emptying) with `db`.
void CargarItem(CDataBase& db, CImpCarItem& loader, const std::string& nart, int pagina,
                bool liquidacion_impresa = true) {
  Recordset header;
  ASSERT_TRUE(db.GetRs("SELECT * FROM DDT WHERE iddt = '" + std::string(kIddt) + "'", header));
  Recordset item;
  ASSERT_TRUE(db.GetRs("SELECT * FROM art WHERE iddt = '" + std::string(kIddt) + "' AND nart = '" +
                           nart + "' ORDER BY nart",
                       item));
  const Impresion impresion;
  loader.CargarDatosItem(kIddt, "I", item, liquidacion_impresa, pagina);
  loader.CargarPie(header, impresion.oper, impresion.canal, impresion.morado, impresion.rotulo,
                   impresion.ramo, impresion.fecofi);
  EXPECT_TRUE(loader.GuardarDatos(static_cast<std::int16_t>(pagina)));
  loader.LimpiarColCampos();
}

class CImpCarItemTest : public ::testing::Test {
 protected:
  void SetUp() override { CargarDatos(tdb_, {"decl_demo.sql"}); }
  Pagina Item(const std::string& nart, int pagina, bool liquidacion_impresa = true) {
    auto db = tdb_.Open();
    CImpCarItem loader;
    loader.BaseDeDatos(*db);
    CargarItem(*db, loader, nart, pagina, liquidacion_impresa);
    return LeerPagina(tdb_, pagina);
  }
  TestDatabase tdb_;
};

TEST_F(CImpCarItemTest, ItemPageCarriesTheItemsOwnFieldsAndNoDeclarationFields) {
  const Pagina pagina = Item("0002", 2);
  ExpectCampos(
      pagina, C(38, "0002"), C(40, "8518.22.00.000M"), C(42, "1 / P1"), C(44, "1.180,8000"),
      C(45, "REP. POP. CHINA"), C(47, "UNIDAD"), C(48, "120,00"), C(49, "MARCA = JBL"),
      C(50, "MODELO = BAR 300\r\n"), C(53, "SUBITEM"), C(56, "10.200,00"), C(57, "10.200,00"),
      C(58, "85,00"), C(63, "10.643,31"), C(64, "14.687,77"), C(68, "10.643,31"),
      // The documents of this item, then the declaration's own.
      C(61, "SEGE = SE-2026-004513   Docs. Carátula: INVI = INV-2026-3321   "),
      // The item's settlement rows in order, each with its own concept.
      Fila(71, {"35,00", "P", "3.725,16", "( 010 ) DERECHO DE IMPORTACION", nullopt, nullopt}),
      Fila(113, {"1,00", "G", "146,88", "( 051 ) INGRESOS BRUTOS CORDOBA", nullopt, nullopt}),
      C(119, nullopt), C(125, nullopt), C(131, "11.535,22"), C(132, "146,88"), C(133, "0,00"),
      C(144, "OFICIALIZADO    05/12/2026 10:42:17"));
  // Nothing of the declaration's header, totals or overflow marks, and no
  // field 52: the item has neither regimes nor options of its own.
  for (const int campo : {5, 7, 29, 35, 36, 37, 52, 70, 137, 138, 139, 146}) {
    EXPECT_FALSE(pagina.contains(campo)) << "field " << campo;
  }
}

TEST_F(CImpCarItemTest, OptionsLeaveTheDeclarationLevelToTheCover) {
  // Item 0001 on an item page: its regime and option, without the general
  // options and their heading line.
  ExpectCampos(Item("0001", 5),
               C(52,
                 "b) RES. 171/2016 - SEGURIDAD ELECTRICA\r\n"
                 "a) DECL-JURADA = S\r\n"),
               C(61, "SEGE = SE-2026-004512   Docs. Carátula: INVI = INV-2026-3321   "));
}

TEST_F(CImpCarItemTest, InputsToConsumeAreAddedOnlyForAValue) {
  const struct {
    const char* martinscon;
    std::optional<std::string> campo70;  // nullopt: not in the page's fields
  } casos[] = {{"NULL", nullopt}, {"0", ""}, {"1234.5", "1.234,50"}};
  for (const auto& caso : casos) {
    tdb_.Run(std::string("UPDATE ART SET martinscon = ") + caso.martinscon +
             " WHERE nart = '0003';");
    auto db = tdb_.Open();
    CImpCarItem loader;
    loader.BaseDeDatos(*db);
    Recordset item;
    ASSERT_TRUE(db->GetRs("SELECT * FROM art WHERE nart = '0003'", item));
    loader.CargarDatosItem(kIddt, "I", item, true, 3);
    std::optional<std::string> campo70;
    for (const CImp& campo : loader.Campos()) {
      if (campo.Posicion == "70") campo70 = campo.Valor;
    }
    EXPECT_EQ(campo70, caso.campo70) << caso.martinscon;
  }
}

TEST_F(CImpCarItemTest, SettlementFillsTheGridInOrderWhateverTheFlag) {
  // Drawback alone goes to the type and amount columns of the first two rows.
  tdb_.Run(R"(
    DELETE FROM LQA WHERE nart = '0003';
    INSERT INTO DBK VALUES ('2600012345', '0003', '630', 100), ('2600012345', '0003', '632', 20),
                           ('2600012345', '0003', '630', 5), ('2600012345', '0003', '640', 9);
  )");
  const Pagina con_bandera = Item("0003", 3, true);
  ExpectCampos(con_bandera, C(71, nullopt), C(72, "C"), C(73, "105,00"), C(74, nullopt), C(75, "C"),
               C(76, "20,00"), C(77, nullopt), C(131, "0,00"), C(132, "0,00"), C(133, "134,00"));
  EXPECT_EQ(Item("0003", 3, false), con_bandera);

  // Ten rows fill the grid: the tenth row's values give way to the overflow
  // marks, and neither a further row nor drawback reaches the boxes of the
  // item totals below.
  tdb_.Run(R"(
    DELETE FROM DBK WHERE cdbktax <> '630';
    INSERT INTO LQA (iliq, nart, clqatax, clqatyp, qlqacoefic, mlqa)
    SELECT '2600012345', '0003', printf('%03d', 100 + value), 'P', 1, 1
      FROM (SELECT 1 AS value UNION SELECT 2 UNION SELECT 3 UNION SELECT 4 UNION SELECT 5
            UNION SELECT 6 UNION SELECT 7 UNION SELECT 8 UNION SELECT 9 UNION SELECT 10
            UNION SELECT 11);
  )");
  ExpectCampos(Item("0003", 3), Fila(119, {"1,00", "P", "1,00", "( 109 ) ", nullopt, nullopt}),
               C(125, "..."), C(126, "..."), C(127, "..."), C(128, "( 110 ) "), C(129, nullopt),
               C(130, nullopt), C(131, "11,00"), C(132, "0,00"), C(133, "105,00"));

  // Without any settlement row only the item totals are printed there.
  tdb_.Run("DELETE FROM LQA WHERE nart = '0003';");
  tdb_.Run("DELETE FROM DBK;");
  const Pagina vacia = Item("0003", 4);
  for (int campo = 71; campo <= 130; ++campo) EXPECT_FALSE(vacia.contains(campo)) << campo;
  ExpectCampos(vacia, C(131, "0,00"), C(132, "0,00"), C(133, "0,00"));
}

TEST_F(CImpCarItemTest, SavingAPageAgainKeepsOneRowPerFieldAndEmptyingForgetsTheItem) {
  auto db = tdb_.Open();
  CImpCarItem loader;
  loader.BaseDeDatos(*db);
  CargarItem(*db, loader, "0002", 2);
  EXPECT_EQ(loader.Campos().Count(), 0);
  CargarItem(*db, loader, "0002", 2);  // LeerPagina fails on a field saved twice
  const Pagina pagina = LeerPagina(tdb_, 2);
  EXPECT_EQ(pagina.at(38), "0002");
  // The next item's page starts empty: item 0003 has no field 50 of its own.
  CargarItem(*db, loader, "0003", 3);
  EXPECT_FALSE(LeerPagina(tdb_, 3).contains(50));
  EXPECT_EQ(LeerPagina(tdb_, 3).at(38), "0003");
}

TEST_F(CImpCarItemTest, ErrorsNameTheCoverProceduresAndAFailedSaveLeavesNoRow) {
  const struct {
    const char* falla;
    const char* fuente;
  } casos[] = {
      {"FROM DVD WHERE idvd",
       "FaultyBackend - CDataBase.GetRs - CImpCaratula.CargarDocumentosAPresentar - "
       "CImpCaratula.CargarMontos - CImpCaratula.CargarDatosItem"},
      {"FROM DBK WHERE idbk",
       "FaultyBackend - CDataBase.GetRs - CImpCaratula.TotalesLiqItem - "
       "CImpCaratula.CargarLiqItem - CImpCaratula.CargarDatosItem"},
      {"FROM LIQ", nullptr},  // the item footer reads no declaration total
      {"'c131'", "FaultyBackend - CDataBase.ExecuteSQL - CImpCaratula.GuardarDatos"},
  };
  for (const auto& caso : casos) {
    tdb_.Run("DELETE FROM IMP;");
    auto db = testing::OpenFaulty(tdb_.connection(), {caso.falla});
    CImpCarItem loader;
    loader.BaseDeDatos(*db);
    try {
      CargarItem(*db, loader, "0002", 2);
      EXPECT_EQ(caso.fuente, nullptr) << caso.falla;
    } catch (const ComError& e) {
      ASSERT_NE(caso.fuente, nullptr) << e.source();
      EXPECT_EQ(e.source(), caso.fuente);
    }
    if (caso.fuente != nullptr) {
      EXPECT_TRUE(LeerPagina(tdb_, 2).empty()) << caso.falla;
    }
  }

  CImpCarItem sin_base;
  EXPECT_EQ(RaisedError([&] { sin_base.GuardarDatos(2); }).source(),
            "Tipolaria - CImpCaratula.GuardarDatos");
}

}  // namespace
}  // namespace tipolaria
