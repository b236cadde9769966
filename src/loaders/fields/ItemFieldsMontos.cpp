// Amounts and values of an item (fields 53 to 70 and 145): unit
// values, FOB, prices, the documents to present, the VAT and tax bases and
// the reimbursements.
#include "common/Catalogo.hpp"
#include "common/DatedLookups.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/FieldRow.hpp"
#include "loaders/fields/ItemFields.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "loaders/fields/ReferenceLookups.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

using detail::FieldRow;
using enum detail::Read;

constexpr const char* kMonto = "#,##0.00";

// A column that counts as 0 when Null, as text ("12,5").
std::string Cero(const Recordset& rs, const char* column) {
  return NumberToText(ValorDecimal(rs.Field(column)));
}

bool EsCero(const std::string& numero) { return ValueToDecimal(Value(numero)).IsZero(); }

// The settlement numbers whose item base is the VAT base, in the order they
// are tried; the last one with a base is the one printed.
constexpr int kNumerosBaseIVA[] = {9, 11, 12, 14, 10, 24, 26, 27, 28, 49, 92, 93, 35, 94};

// The item's base of settlement number `numero`.
ItemQuery BaseDelNumero(const std::string& iddt, const std::string& nart, int numero) {
  return {"SELECT mlqabas FROM LQA, PTR WHERE clqatax = CPTRNAT AND iliq = '" + DoubleQuotes(iddt) +
              "' AND CTPT = 'CODTAX'",
          {{"nart", nart}, {"APTR", std::to_string(numero)}}};
}

std::optional<std::string> Autoliquidacion(CDataBase&, const std::string& cartlman) {
  return cartlman == "M" || cartlman == "S" ? "<<AUTOLIQUIDACIÓN>>" : "";
}

std::optional<std::string> MontoSinCero(CDataBase&, const std::string& monto) {
  return EsCero(monto) ? "" : Format(monto, kMonto);
}

// The one-field loaders of the amounts and values (see FieldRow).
constexpr FieldRow kMontos[] = {
    {54, "CargarUnidadMontos", "UnidadMontos", "cartuntdcl", kText, detail::UnidadOCodigo},
    {55, "CargarCantidadUnidades", "CantidadUnidades", "qartuntdcl", kText, kMonto},
    {56, "CargarFOBTotalDivisa", "FOBTotalDivisa", "martfob", kZero, kMonto},
    {57, "CargarFOBTotalDolares", "FOBTotalDolares", "martfobdol", kZero, kMonto},
    {62, "CargarAjusteDivisa", "AjusteDivisa", "MARTAJUINC", kText, kMonto},
    {63, "CargarValorAduanaDivisa", "ValorAduanaDivisa", "martbasdiv", kText, kMonto},
    {65, "CargarInsumosImport", "InsumosImport", "martinstmp", kZero, kMonto},
    {67, "CargarAjusteDeducir", "AjusteDeducir", "martajuded", kText, kMonto},
    {68, "CargarValorAduanaDolar", "ValorAduanaDolar", "martbasimp", kText, kMonto},
    // Field 70 shares the label of field 65.
    {70, "CargarInsumos", "InsumosImport", "martinscon", kZero, MontoSinCero},
    {145, "CargarAutoliquidacion", "Autoliquidacion", "cartlman", kText, Autoliquidacion},
};

}  // namespace

void ItemFields::CargarMontos(const std::string& iddt, const std::string& impexp,
                              const Recordset& item) {
  detail::TrapCaratula("CargarMontos", [&] {
    const auto texto = [&](const char* column) { return detail::Texto(item, column); };
    const auto cero = [&](const char* column) { return Cero(item, column); };
    const auto cargar = [&](std::initializer_list<int> campos) {
      detail::LoadFields(db_, page_, kMontos, campos, item);
    };
    const std::string nart = texto("nart");
    CargarUnitarioDivisa(texto("cartsbitem"), cero("martunitar"));
    cargar({54, 55, 56, 57});
    CargarPrecioUnit(cero("qartde"), cero("martpreofi"), cero("martvalde"));
    CargarUnidadMonto(cero("qartde"), texto("cartuntofi"), texto("cartunde"));
    CargarCoeficiente(cero("qartde"), cero("martcoefic"), impexp);
    CargarDocumentosAPresentar(iddt, policy_.documentos_item_0001 ? "0001" : nart);
    cargar({145, 62, 63});
    CargarBaseIVA(iddt, nart);
    CargarBaseImpuestos(iddt, nart);
    cargar({65});
    CargarReintegros(iddt, nart);
    cargar({67, 68});
    if (policy_.insumos_sin_valor || !item.Field("martinscon").IsNull()) cargar({70});
  });
}

void ItemFields::CargarValorAduanaDivisa(const std::string& martbasdiv) {
  detail::LoadField(db_, page_, detail::RowOf(kMontos, 63), martbasdiv);
}

void ItemFields::CargarValorAduanaDolar(const std::string& martbasimp) {
  detail::LoadField(db_, page_, detail::RowOf(kMontos, 68), martbasimp);
}

void ItemFields::CargarUnitarioDivisa(const std::string& cartsbitem, const std::string& unitario) {
  detail::TrapCaratula("CargarUnitarioDivisa", [&] {
    Agregar("UnitarioDivisa", cartsbitem == "S" ? "SUBITEM" : Format(unitario, "#,##0.0000"), 53);
  });
}

// Without a declared quantity (qartde 0) the item is valued at the official
// price and unit; otherwise at the declared ones.
void ItemFields::CargarPrecioUnit(const std::string& qartde, const std::string& precio_oficial,
                                  const std::string& valor_declarado) {
  detail::TrapCaratula("CargarPrecioUnit", [&] {
    Agregar("PrecioUnit", Format(EsCero(qartde) ? precio_oficial : valor_declarado, kMonto), 58);
  });
}

void ItemFields::CargarUnidadMonto(const std::string& qartde, const std::string& unidad_oficial,
                                   const std::string& unidad_declarada) {
  detail::TrapCaratula("CargarUnidadMonto", [&] {
    const std::string& codigo = EsCero(qartde) ? unidad_oficial : unidad_declarada;
    std::string valor;
    if (!codigo.empty() && BuscarVigente(db_, kTablaUnidad, codigo, valor))
      Agregar("UnidadMonto", valor, 59);
  });
}

void ItemFields::CargarCoeficiente(const std::string& qartde, const std::string& coeficiente,
                                   const std::string& impexp) {
  detail::TrapCaratula("CargarCoeficiente", [&] {
    std::string valor;
    if (!EsCero(qartde)) {
      valor = Format(qartde, kMonto);
    } else {
      // Only the operation numbered 1 of "IMPEXP" prints the coefficient.
      std::string indicador;
      db_.PtrNat("IMPEXP", 1, indicador);
      if (impexp == indicador) valor = Format(coeficiente, "#,##0.00000");
    }
    Agregar("Coeficiente", valor, 60);
  });
}

void ItemFields::CargarDocumentosAPresentar(const std::string& iddt, const std::string& nart) {
  detail::TrapCaratula("CargarDocumentosAPresentar", [&] {
    CDataBase& db = db_;
    const std::string id = DoubleQuotes(iddt);
    std::string texto;
    const auto agregar_fila = [&](const Recordset& rs) {
      texto += detail::Texto(rs, "cdvddoc") + " = " + detail::Texto(rs, "ldvdrefdoc") + Space(3);
    };
    Recordset rs;
    db.GetItemRs(
        {"SELECT cdvddoc, ldvdrefdoc FROM DVD WHERE idvd = '" + id + "'", {{"nart", nart}}}, rs);
    for (; Len(texto) <= 180 && !rs.AtEnd(); rs.MoveNext()) agregar_fila(rs);
    rs.Close();

    // The declaration's own documents, except the kinds the cover prints
    // elsewhere (invoices, certificates and the like of field 37).
    std::string excluidos;
    for (const std::string& codigo : {DameCodigoDoc1(db), DameCodigoDoc2(db), DameCodigoDoc4(db),
                                      DameCodigoDoc5(db), DameCodigoDoc6(db)}) {
      excluidos += " AND cdvddoc <> '" + DoubleQuotes(codigo) + "'";
    }
    // The same for every item: asked once.
    db.GetReference("SELECT cdvddoc, ldvdrefdoc FROM DVD WHERE idvd = '" + id +
                        "' AND nart = '0000'" + excluidos,
                    rs);
    for (bool first = true; Len(texto) <= 180 && !rs.AtEnd(); rs.MoveNext(), first = false) {
      if (first) texto += "Docs. Carátula: ";
      agregar_fila(rs);
    }
    rs.Close();
    if (Len(texto) > 180) texto = AjustarTexto(texto, 5295, 3);
    Agregar("DocumentosAPresentar", texto, 61);
  });
}

void ItemFields::CargarBaseIVA(const std::string& iddt, const std::string& nart) {
  detail::TrapCaratula("CargarBaseIVA", [&] {
    // Every number with a base adds field 64 again; the save keeps the last.
    for (const int numero : kNumerosBaseIVA) {
      Recordset rs;
      if (db_.GetItemRs(BaseDelNumero(iddt, nart, numero), rs)) {
        const std::string base = detail::Texto(rs, "mlqabas");
        if (!Trim(base).empty()) Agregar("BaseIVA", Format(base, kMonto), 64);
      }
      rs.Close();
    }
  });
}

// The second form of the VAT base loader: the base of the import duties.
void ItemFields::CargarBaseImpuestos(const std::string& iddt, const std::string& nart) {
  detail::TrapCaratula("CargarBaseIVA", [&] {
    std::string valor;
    Recordset rs;
    if (db_.GetItemRs(BaseDelNumero(iddt, nart, 13), rs)) {
      const std::string base = detail::Texto(rs, "mlqabas");
      if (!Trim(base).empty() && base != "0") valor = Format(base, kMonto);
    }
    rs.Close();
    Agregar("BaseImpuestos", valor, 69);
  });
}

void ItemFields::CargarReintegros(const std::string& iddt, const std::string& nart) {
  detail::TrapCaratula("CargarReintegros", [&] {
    const auto reintegro = [&](const char* numero) -> ItemQuery {
      return {"SELECT mbnfbas FROM BNF, PTR WHERE cbnftax = CPTRNAT AND ibnf = '" +
                  DoubleQuotes(iddt) + "' AND CTPT = 'CODTAX'",
              {{"nart", nart}, {"APTR", numero}}};
    };
    std::string valor;
    Recordset rs;
    bool found = db_.GetItemRs(reintegro("39"), rs);
    if (!found) {
      rs.Close();
      found = db_.GetItemRs(reintegro("142"), rs);
    }
    if (found) valor = Format(ValorDecimal(rs.Field("mbnfbas")), kMonto);
    rs.Close();
    Agregar("ValorReintegros", valor, 66);
  });
}

}  // namespace tipolaria
