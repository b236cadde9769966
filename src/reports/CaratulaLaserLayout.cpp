// The cover and item page layout CaratulaLaser, transcribed from its layout
// table. Order is the layout's own: the large copy numeral first so that
// everything else draws over it, the bar-code label last. The totals at the
// bottom right (PAGADO, GARANTIZADO, A COBRAR) sit in cells that the lines
// Line6 to Line17 rule, so their captions have no frame of their own.
#include <string>
#include <vector>

#include "reports/LaserLayouts.hpp"
#include "reports/LayoutTableHelpers.hpp"

namespace tipolaria {
namespace {

using detail::Barcode;
using detail::Cell;
using detail::CopyNumber;
using detail::Field;
using detail::Heading;
using detail::Line;
using detail::RuledCell;
using detail::Vertical;

// The settlement grid: fields c71 to c130, ten rows of six columns. Field
// c(71 + 6r + k) is row r, column k; the columns sit under "Porc.", the
// item's "P / G / C" and "Importe", "Conceptos", and the total's
// "P / G / C" and "Importe".
void AddSettlementGrid(std::vector<LayoutControl>& controls) {
  struct Column {
    std::int32_t left;
    std::int32_t width;
  };
  constexpr Column kColumns[6] = {{835, 480},   {1450, 680}, {2300, 1700},
                                  {4140, 3250}, {7755, 680}, {9915, 1700}};
  for (int r = 0; r < 10; ++r) {
    for (int k = 0; k < 6; ++k) {
      controls.push_back(Field("c" + std::to_string(71 + 6 * r + k), kColumns[k].left,
                               11850 + 225 * r, kColumns[k].width, 210, 7, ""));
    }
  }
}

Layout BuildCaratulaLaser() {
  std::vector<LayoutControl> controls = {
      CopyNumber("lblNumCentral", 4935, 3510, 3105, 5820, 300, "5", false),
      Cell("Label1", 530, 400, 1430, 620, 28, ""),
      Cell("Label2", 1990, 400, 9160, 210, 8.5, " SUBREGIMEN:"),
      Cell("Label3", 1980, 620, 3200, 400, 7, "Aduana"),
      CopyNumber("lblNumAngulo", 11140, 400, 710, 620, 26.5, "1", true),
      Cell("Label5", 530, 1020, 3700, 400, 7, "  Importador / Exportador"),
      Cell("Label6", 5180, 620, 1420, 400, 7, "  Oficialización"),
      Heading("Label7", 6600, 620, 3180, 400, 7, "Año / Ad. / Tipo / NºReg. / DC"),
      Cell("Label8", 9780, 620, 1350, 400, 7, "  Fojas"),
      Cell("Label9", 4245, 1020, 1930, 400, 7, "  CUIT Nº"),
      Cell("Label10", 6160, 1020, 3600, 400, 7, "  Despachante de Aduana"),
      Cell("Label11", 9780, 1020, 2070, 400, 7, "  CUIT Nº"),
      Cell("Label12", 530, 1430, 3700, 450, 7, "  Agente de Transporte Aduanero"),
      Cell("Label13", 4230, 1430, 1930, 450, 7, "  CUIT Nº"),
      Cell("Label14", 6160, 1430, 5690, 450, 7, "  Vendedor"),
      Cell("Label15", 530, 1875, 2090, 405, 7, "  Vía"),
      Cell("Label16", 2625, 1875, 3345, 405, 7, "  Documento de Transporte"),
      Cell("Label17", 5985, 1875, 3000, 405, 7, "  Identificador Manifiesto"),
      Cell("Label18", 9035, 1880, 2820, 400, 7, "  Nombre del Transporte"),
      Cell("Label19", 530, 2280, 1690, 450, 7, "  Bandera"),
      Cell("Label20", 2220, 2280, 2570, 450, 7, "  Puerto de Embarque"),
      Cell("Label21", 4790, 2280, 1700, 450, 7, "  Fecha Arribo"),
      Cell("Label22", 6495, 2280, 5355, 450, 7, "  Marcas y Números"),
      Cell("Label23", 530, 2730, 1230, 430, 7, "  Embalaje"),
      Cell("Label24", 1785, 2730, 970, 430, 7, " Total Bultos"),
      Cell("Label25", 2775, 2730, 1750, 430, 7, "  Peso Bruto"),
      Cell("Label26", 4545, 2730, 2920, 430, 7, "  Depósito"),
      Cell("Label27", 7485, 2730, 1480, 430, 7, "  Vto. Embarque"),
      Cell("Label28", 8985, 2730, 910, 430, 7, "  Plazo"),
      Cell("Label29", 9915, 2730, 1940, 435, 7, "  Motivo /  Nº Autorización"),
      Cell("Label30", 530, 3165, 2960, 430, 7, "  Aduana Destino / Salida"),
      Cell("Label31", 3510, 3165, 1420, 430, 7, "  Cond. Venta"),
      Cell("Label32", 4950, 3165, 2440, 430, 7, "  FOB Total"),
      Cell("Label33", 7410, 3165, 1180, 430, 7, "  Divisa"),
      Cell("Label34", 8610, 3165, 2350, 430, 7, "  Flete Total"),
      Cell("Label35", 10980, 3165, 870, 435, 7, "  Divisa"),
      Cell("Label36", 530, 3600, 2220, 450, 7, "  Seguro Total"),
      Cell("Label37", 2775, 3600, 1190, 450, 7, "  Divisa"),
      Cell("Label38", 3960, 3600, 7890, 450, 7, "  GARANTIAS Nº:"),
      Cell("Label39", 530, 4050, 11315, 450, 7, "  Información Complementaria"),
      Vertical("Label40", 530, 4500, 210, 4760, 8.5, "INFORMACION DEL ITEM", true),
      Cell("Label45", 760, 4500, 6400, 380, 7, "  Nº Item"),
      Cell("Label46", 1430, 4500, 630, 380, 7, "  Tipo"),
      Cell("Label47", 2065, 4500, 2590, 380, 7, "  Posición SIM / Código AFIP"),
      Cell("Label48", 4670, 4500, 2500, 380, 7, "  NALADISA /  GATT"),
      Cell("Label49", 7140, 4500, 1130, 380, 7, "  Lista"),
      Cell("Label50", 8280, 4500, 3570, 375, 7, "  Estado"),
      Cell("Label51", 760, 4880, 1660, 400, 7, "  Total Kg. Neto"),
      Cell("Label52", 2430, 4880, 2160, 400, 7, "  Origen Pais /  Provincia"),
      Cell("Label53", 4590, 4880, 2040, 400, 7, "  Pais de Procedencia / Destino"),
      Cell("Label54", 6645, 4880, 1410, 400, 7, "  Unidad / Estado"),
      Cell("Label55", 8070, 4880, 2130, 400, 7, "  Cantidad Unidades Estadísticas"),
      Cell("Label56", 10215, 4880, 1635, 405, 7, "  Información Adicional"),
      Heading("Label58", 9180, 5775, 2665, 210, 7, "a) Opciones /  b) Ventajas"),
      Heading("Label98", 760, 5780, 8400, 280, 8.5, "DECLARACION DE LA MERCADERIA"),
      Vertical("Label41", 530, 9255, 210, 2160, 8.5, "VALOR MERCADERIA", true),
      Cell("Label59", 760, 9255, 1850, 435, 7, "  Unitario en Divisa"),
      Cell("Label60", 2625, 9255, 1545, 435, 7, "  Unidad"),
      Cell("Label61", 4185, 9255, 2040, 440, 7, "  Cantidad Unidades"),
      Vertical("Label68", 6240, 9255, 210, 2160, 8.5, "VALOR EN ADUANA", true),
      Cell("Label69", 6465, 9255, 2695, 440, 7, "  Ajuste a Incluir en Divisa"),
      Cell("Label70", 9185, 9255, 2670, 440, 7, "  Ajuste a Deducir en Divisa"),
      Cell("Label62", 760, 9690, 2400, 400, 7, "  FOB Total en Divisa"),
      Cell("Label63", 3180, 9690, 3050, 400, 7, "  FOB Total en Dólar"),
      Cell("Label71", 6465, 9690, 2695, 400, 7, "  Valor en Aduana en Divisa"),
      Cell("Label72", 9185, 9690, 2670, 400, 7, "  Valor en Aduana en Dólar"),
      Cell("Label64", 760, 10095, 2120, 450, 7, "  Precio Of Unit/Der Especifico"),
      Cell("Label65", 2895, 10095, 1380, 450, 7, "  Unidad"),
      Cell("Label66", 4290, 10095, 1935, 450, 7, "  Coef. / Cant. Unidades"),
      Cell("Label73", 6465, 10095, 2695, 440, 7, "  Base IVA / Ganancias en Dólar"),
      Cell("Label74", 9185, 10095, 2670, 440, 7, "  Base Impuestos Internos en Dólar"),
      Cell("Label75", 6465, 10530, 2695, 440, 7, "  Insumos Import. Temporar. en Dólar"),
      Cell("Label76", 9185, 10530, 2670, 440, 7, "  Insumos Import. a consumo en Dólar"),
      Cell("Label67", 760, 10545, 5470, 870, 7, "  Documentos a Presentar"),
      Cell("Label77", 6465, 10965, 2695, 450, 7, "  Valor para Reintegros en Dólar"),
      Cell("Label78", 9185, 10965, 2670, 450, 7, ""),
      Vertical("Label42", 530, 11415, 210, 3350, 8.5, "LIQUIDACION", true),
      Heading("Label79", 760, 11415, 3300, 170, 7, "DEL ITEM"),
      Heading("Label81", 4080, 11415, 3360, 390, 7, "Conceptos"),
      Heading("Label80", 7455, 11415, 4400, 165, 7, "TOTAL"),
      Heading("Label82", 760, 11580, 620, 230, 7, "Porc."),
      Heading("Label83", 1390, 11580, 790, 230, 7, "P / G / C"),
      Heading("Label84", 2200, 11580, 1860, 225, 7, "Importe"),
      Heading("Label85", 7450, 11580, 1545, 225, 7, "P / G / C"),
      Heading("Label86", 9010, 11580, 2800, 225, 7, "Importe"),
      Vertical("Label96", 350, 14050, 180, 1400, 8.5, "OM - 1993 SIM", false),
      Cell("Label87", 760, 14085, 1420, 225, 8.5, " PAGADO"),
      Cell("Label88", 760, 14310, 1420, 225, 8.5, " GARANTIZADO"),
      Cell("Label89", 760, 14535, 1420, 225, 8.5, " A COBRAR"),
      Cell("Label43", 530, 14755, 2700, 510, 7, "  CANAL ASIGNADO"),
      RuledCell("Label91", 7460, 14755, 1250, 225, 8.5, "PAGADO"),
      RuledCell("Label92", 7460, 14970, 1500, 225, 8.5, "GARANTIZADO"),
      RuledCell("Label93", 7460, 15180, 1250, 225, 8.5, "A COBRAR"),
      Cell("Label44", 530, 15270, 2700, 170, 8.5, " U.T.V.V."),
      Heading("Label99", 3210, 15285, 4140, 165, 7, "Firma y Sello Despachante de Aduana"),
      LayoutControl::Image("Image1", 540, 430, 1400, 560),
      Line("Line2", 9175, 6060, 9175, 9255),
      Line("Line3", 1380, 14085, 1380, 11805),
      Line("Line4", 2185, 11805, 2185, 14760),
      Line("Line5", 11860, 1020, 11860, 15400),
      Line("Line6", 530, 14760, 11850, 14760),
      Line("Line7", 7440, 11805, 7440, 14760),
      Line("Line8", 9000, 11580, 9000, 15400),
      Line("Line9", 4065, 11805, 4065, 14760),
      Line("Line10", 745, 14085, 4065, 14085),
      Line("Line11", 745, 14310, 4065, 14310),
      Line("Line12", 745, 14535, 4065, 14535),
      Line("Line14", 7440, 14975, 11850, 14975),
      Line("Line15", 7440, 15180, 11850, 15180),
      Line("Line16", 7440, 15400, 11850, 15400),
      Line("Line17", 7440, 14760, 7440, 15400),
      Field("c1", 2085, 780, 3030, 210, 7, Asterisks(24)),
      Field("c2", 5380, 780, 1140, 210, 7, Asterisks(8)),
      Field("c3", 6800, 780, 2920, 210, 7, Asterisks(23)),
      Field("c4", 9980, 780, 1100, 210, 7, Asterisks(8)),
      Field("c5", 635, 1180, 3570, 210, 7, Asterisks(28)),
      Field("c6", 4445, 1185, 1680, 210, 7, Asterisks(12)),
      Field("c7", 6360, 1185, 3370, 210, 7, Asterisks(27)),
      Field("c8", 9975, 1185, 1815, 210, 7, Asterisks(13)),
      Field("c9", 635, 1600, 3570, 210, 7, Asterisks(28)),
      Field("c10", 4430, 1600, 1680, 210, 7, Asterisks(12)),
      Field("c11", 6360, 1605, 5450, 210, 7, Asterisks(44)),
      Field("c12", 495, 2040, 2085, 210, 7, Asterisks(11)),
      Field("c13", 2745, 2040, 3180, 210, 7, Asterisks(25)),
      Field("c14", 6030, 2040, 2955, 210, 7, Asterisks(25)),
      Field("c15", 9105, 2040, 2700, 210, 7, Asterisks(20)),
      Field("c16", 495, 2460, 1680, 210, 7, Asterisks(11)),
      Field("c17", 2415, 2460, 2330, 210, 7, Asterisks(18)),
      Field("c18", 4990, 2460, 1450, 210, 7, Asterisks(10)),
      Field("c19", 6695, 2460, 5100, 210, 7, Asterisks(41)),
      Field("c20", 495, 2910, 1230, 210, 7, Asterisks(8)),
      Field("c21", 1985, 2910, 740, 210, 7, Asterisks(5)),
      Field("c22", 2975, 2910, 1520, 210, 7, Asterisks(11)),
      Field("c23", 4745, 2910, 2700, 210, 7, Asterisks(20)),
      Field("c24", 7685, 2910, 1240, 210, 7, Asterisks(9)),
      Field("c25", 9185, 2910, 690, 210, 7, Asterisks(4)),
      Field("c26", 9930, 2910, 1875, 210, 7, Asterisks(13)),
      Field("c27", 635, 3345, 2820, 210, 7, Asterisks(22)),
      Field("c28", 3710, 3345, 1180, 210, 7, Asterisks(8)),
      Field("c29", 5150, 3345, 2200, 210, 7, Asterisks(17)),
      Field("c30", 7610, 3345, 950, 210, 7, Asterisks(6)),
      Field("c31", 8810, 3345, 2120, 210, 7, Asterisks(16)),
      Field("c32", 11180, 3345, 630, 210, 7, Asterisks(4)),
      Field("c33", 630, 3795, 2070, 210, 7, Asterisks(15)),
      Field("c34", 2975, 3795, 950, 210, 7, Asterisks(6)),
      Field("c35", 5195, 3615, 6590, 400, 7, Asterisks(62)),
      Field("c36", 2550, 4065, 9240, 210, 7, Asterisks(16)),
      Field("c37", 630, 4260, 11160, 210, 7, ""),
      Field("c38", 830, 4650, 560, 210, 7, Asterisks(3)),
      Field("c39", 1605, 4650, 390, 210, 7, Asterisks(2)),
      Field("c40", 2250, 4650, 2310, 210, 7, Asterisks(17)),
      Field("c41", 4820, 4650, 2270, 210, 7, Asterisks(17)),
      Field("c42", 7340, 4650, 890, 210, 7, Asterisks(5)),
      Field("c43", 8475, 4650, 3330, 210, 7, Asterisks(26)),
      Field("c44", 855, 5040, 1500, 210, 7, Asterisks(10)),
      Field("c45", 2625, 5040, 1890, 210, 7, Asterisks(13)),
      Field("c46", 4785, 5040, 1770, 210, 7, Asterisks(13)),
      Field("c47", 6840, 5040, 1170, 210, 7, Asterisks(8)),
      Field("c48", 8265, 5040, 1875, 210, 7, Asterisks(14)),
      Field("c49", 10395, 5115, 1430, 210, 7, Asterisks(10)),
      Field("c50", 855, 5310, 10965, 430, 7, ""),
      Field("c51", 855, 6120, 8265, 3080, 7, ""),
      Field("c52", 9270, 6045, 2535, 3150, 7, ""),
      Field("c53", 855, 9450, 1695, 210, 7, Asterisks(14)),
      Field("c54", 2700, 9450, 1410, 210, 7, Asterisks(7)),
      Field("c55", 4380, 9450, 1755, 210, 7, Asterisks(13)),
      Field("c56", 855, 9855, 2235, 210, 7, Asterisks(17)),
      Field("c57", 3375, 9855, 2775, 210, 7, Asterisks(21)),
      Field("c58", 855, 10290, 1965, 210, 7, Asterisks(14)),
      Field("c59", 2925, 10290, 1305, 210, 7, Asterisks(6)),
      Field("c60", 4380, 10290, 1755, 210, 7, Asterisks(13)),
      Field("c61", 855, 10695, 5295, 720, 7, Asterisks(18)),
      Field("c62", 6660, 9450, 2415, 210, 7, Asterisks(18)),
      Field("c63", 6660, 9855, 2415, 210, 7, Asterisks(18)),
      Field("c64", 6660, 10290, 2415, 210, 7, Asterisks(18)),
      Field("c65", 6660, 10725, 2415, 210, 7, Asterisks(18)),
      Field("c66", 6660, 11160, 2415, 210, 7, Asterisks(18)),
      Field("c67", 9360, 9450, 2415, 210, 7, Asterisks(18)),
      Field("c68", 9360, 9855, 2415, 210, 7, Asterisks(18)),
      Field("c69", 9360, 10290, 2415, 210, 7, Asterisks(18)),
      Field("c70", 9360, 10725, 2415, 210, 7, Asterisks(18)),
  };
  AddSettlementGrid(controls);
  const std::vector<LayoutControl> rest = {
      Field("c131", 2300, 14100, 1700, 210, 7, Asterisks(6)),
      Field("c132", 2300, 14325, 1700, 210, 7, Asterisks(6)),
      Field("c133", 2300, 14550, 1700, 210, 7, Asterisks(6)),
      Field("c134", 4140, 14100, 3250, 210, 7, ""),
      Field("c135", 7755, 14100, 680, 210, 7, ""),
      Field("c136", 9915, 14100, 1700, 210, 7, ""),
      Field("c137", 9915, 14775, 1700, 210, 7, Asterisks(6)),
      Field("c138", 9915, 14970, 1700, 210, 7, Asterisks(6)),
      Field("c139", 9915, 15195, 1700, 210, 7, Asterisks(6)),
      Field("c140", 4140, 14325, 3250, 210, 7, ""),
      Field("c141", 7755, 14325, 680, 210, 7, ""),
      Field("c142", 9915, 14325, 1700, 210, 7, ""),
      Field("c143", 700, 15000, 2400, 210, 7, Asterisks(22)),
      Field("c144", 3270, 14940, 4110, 360, 7, ""),
      Field("c145", 9360, 11160, 2415, 210, 7, Asterisks(18)),
      Field("c146", 4140, 14550, 3250, 210, 7, ""),
      Field("c147", 7755, 14550, 680, 210, 7, ""),
      Field("c148", 9915, 14550, 1700, 210, 7, ""),
      Field("c149", 3705, 405, 7080, 210, 8.5, ""),
      Field("cQOR1", 615, 180, 11145, 210, 8.5, ""),
      Barcode("cQOR0", 240, 11025, 330, 2895, 12.5, ""),
  };
  controls.insert(controls.end(), rest.begin(), rest.end());
  // The loaders fit the values of these pages to their boxes with the
  // measuring form's font, 6.75 pt (the guarantees of c35, the
  // complementary information of c36 and c37, the documents of c61 ...);
  // the fields print them at 7 pt. The continuation's lines are made by
  // counting characters instead, and wrap as any text.
  for (LayoutControl& c : controls) c.fitted = c.type == ControlType::kField;
  return Layout("CaratulaLaser", std::move(controls));
}

}  // namespace

const Layout& CaratulaLaserLayout() {
  static const Layout layout = BuildCaratulaLaser();
  return layout;
}

}  // namespace tipolaria
