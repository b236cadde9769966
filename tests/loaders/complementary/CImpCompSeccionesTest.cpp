// The lines of each continuation section, compared whole, so that a slip in a
// width, a padding, a separator or a title shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "loaders/complementary/CImpComp.hpp"
#include "runtime/Trap.hpp"
#include "support/ErrorNumber.hpp"
#include "support/FaultyBackend.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria {
namespace {

using testing::TestDatabase;
using Lineas = std::vector<std::string>;

std::string Guiones(std::size_t n) { return std::string(n, '-'); }
std::string Repetir(std::size_t n, char c) { return std::string(n, c); }

Lineas Valores(const CImpComp& comp, CImpComp::Seccion seccion) {
  Lineas valores;
  for (const CImp& linea : comp.Lineas(seccion)) valores.push_back(linea.Valor);
  return valores;
}

class CImpCompSeccionesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tdb_.RunScript("decl_continuacion.sql");
    db_ = tdb_.Open();
    comp_.BaseDeDatos(*db_);
  }
  TestDatabase tdb_;
  std::unique_ptr<CDataBase> db_;
  CImpComp comp_;
};

TEST_F(CImpCompSeccionesTest, CancelledDeclarationsWithOrganismsAndSellerDocuments) {
  comp_.CargarIdal("C1", "");  // nothing
  comp_.CargarIdal("C1", "26001MANI012345X");
  comp_.CargarCancelaciones("C1", "0001");
  comp_.CargarCancelaciones("C1", "0002");  // seller documents only
  comp_.CargarCancelaciones("C1", "0007");  // nothing
  const std::string encabezado =
      "  Declaración a canc.   Posición arancel.   Nº ítem   Nº subítem   Cantidad     Expediente"
      "           Orden  Certificado    Organismo interv.";
  const std::string encabezado_afi =
      "  Nº ítem   Posición arancel.   Documento a canc.   CUIT Vendedor   Cantidad     ";
  const std::string vacio_hasta_organismo(63, ' ');
  EXPECT_EQ(
      Valores(comp_, CImpComp::kCancelaciones),
      (Lineas{
          Guiones(170), "  Destinaciones que se Cancelan, ítem: 0000", Guiones(170), encabezado,
          "26001MANI012345X",
          // item 0001
          Guiones(170), "  Destinaciones que se Cancelan, ítem: 0001", Guiones(170), encabezado,
          "  25001IC04000001K     8528.72.00.100A       0001         0000         1.234,50      "
          "   EXP-123   3          RES-45",
          "          CTC: CTC-9          Version: 2",
          // an empty position and a file number wider than its column
          "  25001IC04000002L     ***************       0012         0003             0,50  "
          "EXP-2025-0001234  12                ",
          // the organism's name cut to 20 characters, then trimmed; a Null name
          "  25001ZZ01000003M     8528.72.00.100A       0002         0001     1.000.000,00  " +
              vacio_hasta_organismo + "INSTITUTO NACIONAL",
          "  25001ZZ02000004N     8528.72.00.100A       0003         0000             7,00  " +
              vacio_hasta_organismo,
          // an entity other than 1 of TABON is no organism
          "  25001ZZ03000005P     8528.72.00.100A       0004         0000             7,00      "
          "     EXP-5   5              R5",
          Guiones(150), encabezado_afi,
          "    0001   8528.72.00.100A          25001EC01000077X              30712345679       "
          "           3   ",
          // item 0002
          Repetir(50, ' ') + "Destinaciones que se Cancelan", Guiones(150), encabezado_afi,
          "    0002   ***************          25001EC01000078Y              30712345679       "
          "        12,5   "}));
}

TEST_F(CImpCompSeccionesTest, SubItemsWithTheirValueSuffixes) {
  comp_.CargarSubItems("C1", "0001");
  comp_.CargarSubItems("C1", "0002");  // not flagged: its SBT rows do not print
  const std::string separador = Guiones(98) + "\r\n";
  const std::string item =
      "Nro. ítem:  0001     Posición SIM:  8528.72.00.100A     Subitem Nro.:  ";
  EXPECT_EQ(Valores(comp_, CImpComp::kSubitems),
            (Lineas{separador, item + "0001",
                    "Monto FOB: 1.500,00     Cantidad:  10,00     Precio unitario:  150,1235",
                    "Marca modelo y versión:  SAMSUNG QN55", "Código de Producto:  7791234567890",
                    "Sufijos de valor:", "AB01 = MARCASAMSUNG", "0000 = Ninguno",
                    // only XY01, by its exact code
                    separador, item + "0002",
                    "Monto FOB: 1.234.567,89     Cantidad:  2,50     Precio unitario:  0,1000     "
                    "Cant. unid. especif2,50",
                    "Sufijos de valor:", "XY01 = Sin descripción",
                    // no suffixes: the brand follows the text
                    separador, item + "0003",
                    "Monto FOB: 10,00     Cantidad:  1,00     Precio unitario:  10,0000",
                    "Marca modelo y versión:  LG", "No hay sufijos de valorLG"}));
}

TEST_F(CImpCompSeccionesTest, ThirdPartiesComplementaryInformationAndDescriptions) {
  EXPECT_FALSE(comp_.CargarTerceros("I2"));
  EXPECT_TRUE(comp_.CargarTerceros("C1"));
  EXPECT_EQ(Valores(comp_, CImpComp::kTerceros),
            (Lineas{Guiones(180),
                    "Declaramos bajo juramento que no existen inhibiciones de ningún tipo para "
                    "cursar la documentación de la presente operación. Asumiendo la res-",
                    "ponsabilidad solidaria por cualquier situación relativa a la concesión de "
                    "beneficios promocionales, como también al aspecto tributario y/o in-",
                    "fraccional de esta operación.", Guiones(180), "Documento:  CUIT  30709988771",
                    "Nombre:  O'BRIEN LOGÍSTICA S.R.L.", "Domicilio:  AV. PEDRO DE MENDOZA 2163",
                    Guiones(58), "*********** FIN TIPOLARIA TERCEROS **************"}));

  comp_.CargarCPL("C1");  // stops at item 0005, which the declaration lacks
  EXPECT_EQ(Valores(comp_, CImpComp::kCpl),
            (Lineas{Guiones(169) + "\r\n", "  Información Adicional\r\n", Guiones(169) + "\r\n",
                    " Nro.Item        Código" + Repetir(65, ' ') + "Valor",
                    "    0000         IMPORTADOR HABITUAL" + Repetir(50, ' ') + "SI",
                    "    0001         GARANTIA" + Repetir(50, ' ') + "12 MESES"}));

  comp_.CargarDescripciones("C1", "0001");
  comp_.CargarDescripciones("C1", "0002");
  const std::string separador = Guiones(98) + "\r\n";
  EXPECT_EQ(Valores(comp_, CImpComp::kKdsc),
            (Lineas{separador, "Nro. ítem:  0001     Subitem Nro.:  0001",
                    "Descripción:  ", Repetir(120, 'A'), Repetir(120, 'B'), Repetir(10, 'B'),
                    separador, "Nro. ítem:  0001     Subitem Nro.:  0002", "Rotulo:  ETIQUETA",
                    "Valor:  CLASE A", separador, "Nro. ítem:  0002     Subitem Nro.:  0000",
                    "Rotulo:  ROTULO", "Valor:  R1"}));
}

TEST_F(CImpCompSeccionesTest, GrossIncomeTaxWithJurisdictionsValidOnTheOperationDate) {
  const std::string titulo = "DECLARACION PARA LA PERCEPCION DE INGRESOS BRUTOS";
  const std::string fin = Guiones(38) + "FIN TIPOLARIA INGRESOS BRUTOS" + Guiones(41);
  struct Caso {
    const char* iddt;
    Lineas lineas;
  } casos[] = {
      {"C1",
       {titulo, "Condicion frente a los Ingresos Brutos (S/N/E):  N",
        "Inscripto en Convenio Multilateral (S/N):  S", "Jurisdicción Sede:  901",
        "COEFICIENTES DE DISTRIBUCION",
        "Concepto        Factor de Distribucion        Importe                  Jurisdicción",
        Guiones(120),
        // Sorted. 911 ends on the operation date; 912 starts on it. A Null
        // CDIBVEN gets the short row.
        "0,12                  CORDOBA", "0,20                  DESDE HOY",
        "049                   0,1235                               1.234,50                     "
        "901 - DE BUENOS AIRES CONURBANO",
        "050                   0,5000                               0,00                     902 - "
        "CIUDAD AUTONOMA",
        fin}},
      {"I2",
       {titulo, "Condicion frente a los Ingresos Brutos (S/N/E): E",
        "Inscripto en Convenio Multilateral (S/N):  S", "Jurisdicción Sede:  901-712345-6", fin}},
      {"I3", {titulo, "Condicion frente a los Ingresos Brutos (S/N/E): N", fin}},
      {"NINGUNA", {}},
  };
  for (const Caso& caso : casos) {
    CImpComp comp;
    comp.BaseDeDatos(*db_);
    comp.CargarIBrutos(caso.iddt);
    Lineas lineas = Valores(comp, CImpComp::kIBrutos);
    // The distribution rows come in the order the database returns them.
    if (lineas.size() > 8) std::sort(lineas.begin() + 7, lineas.end() - 1);
    EXPECT_EQ(lineas, caso.lineas) << caso.iddt;
  }
}

TEST_F(CImpCompSeccionesTest, CataloguedInformationQuotasAndCertificates) {
  comp_.CargarCodProd("C1", "0001");
  EXPECT_EQ(
      Valores(comp_, CImpComp::kInfoCatalogada),
      (Lineas{Guiones(58), "Información Catalogada     Nro. Item: 0001     Nro. Subitem: 0001",
              "Código:  A1", "Valor:  " + Repetir(72, 'V'), "Código:  A2",
              "Valor:  " + Repetir(72, 'X'), "Z", Guiones(58),
              "Información Catalogada     Nro. Item: 0001     Nro. Subitem: 0002", "Código:  B1",
              "Valor:  ROJO"}));

  std::string sin_acuerdo;
  std::string acuerdo = "ACE 18";
  comp_.CargarCupos("C1", "0001", sin_acuerdo);
  comp_.CargarCupos("C1", "0001", acuerdo);
  comp_.CargarCupos("C1", "0002", acuerdo);  // no quota: nothing
  const Lineas cupos = {Guiones(58), "Cupo:  CUPO ARANCELARIO MERCOSUR", "Acuerdo:  ACE 18 ART. 3",
                        "Cupo:  " + Repetir(70, 'D') + "ABC", "Acuerdo:  "};
  Lineas esperadas = {"Información de Cupos    Nro. Item: 0001"};
  esperadas.insert(esperadas.end(), cupos.begin(), cupos.end());
  esperadas.push_back("Información de Cupos    Nro. Item: 0001 Acuerdo:ACE 18");
  esperadas.insert(esperadas.end(), cupos.begin(), cupos.end());
  EXPECT_EQ(Valores(comp_, CImpComp::kCupos), esperadas);

  comp_.CargarCTC("C1", "0001");
  EXPECT_EQ(Valores(comp_, CImpComp::kCtc),
            (Lineas{Guiones(58), "Información de CTC    Nro. Item: 0001", "CTC:  SE-2026-0",
                    "Version:  ", "CTC:  SE-2026-1", "Version:  1"}));
}

TEST_F(CImpCompSeccionesTest, LoaderErrorsCarryTheirPath) {
  struct Caso {
    const char* falla;
    std::function<void(CImpComp&)> carga;
    const char* camino;
  } casos[] = {
      {"from ORG", [](CImpComp& c) { c.CargarCancelaciones("C1", "0001"); },
       "CImpComp.CargarCancelaciones"},
      {"FROM SVL", [](CImpComp& c) { c.CargarSubItems("C1", "0001"); }, "CImpComp.CargarSubItems"},
      {"FROM KDSC", [](CImpComp& c) { c.CargarDescripciones("C1", "0001"); },
       "BatchFnc.RecuperoDescYRotulo - CImpComp.CargarDescripciones"},
      {"From dib", [](CImpComp& c) { c.CargarIBrutos("C1"); }, "CImpComp.CargarIBrutos"},
      {"FROM CID", [](CImpComp& c) { c.CargarCTC("C1", "0001"); }, "CImpComp.CargarCtc"},
  };
  for (const Caso& caso : casos) {
    auto db = testing::OpenFaulty(tdb_.connection(), testing::Fault{caso.falla, 1});
    CImpComp comp;
    comp.BaseDeDatos(*db);
    EXPECT_EQ(RaisedError([&] { caso.carga(comp); }).source(),
              std::string("FaultyBackend - CDataBase.GetRs - ") + caso.camino);
  }
}

}  // namespace
}  // namespace tipolaria
