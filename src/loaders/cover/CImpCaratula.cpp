// The header load of the cover page and its field loaders (fields 5 to 34).
#include "loaders/cover/CImpCaratula.hpp"

#include <optional>

#include "common/DatedLookups.hpp"
#include "common/ItemQuestions.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/FieldRow.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "loaders/fields/ReferenceLookups.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {
namespace {

using detail::FieldRow;
using enum detail::Read;

constexpr const char* kCuit = "00-00000000-0";
constexpr const char* kMonto = "#,##0.00";

// Conversions of the header's one-field loaders.
std::optional<std::string> Agente(CDataBase& db, const std::string& iddt) {
  Recordset rs;
  std::optional<std::string> agente;
  if (db.GetReference(FilaDeTransporte(iddt), rs)) {
    agente = detail::Texto(rs, "ltprtransp");
  }
  rs.Close();
  return agente;
}

std::optional<std::string> SiNoEnBlanco(CDataBase&, const std::string& texto) {
  if (Trim(texto).empty()) return std::nullopt;
  return texto;
}

std::optional<std::string> PaisDestino(CDataBase& db, const std::string& pais) {
  std::string descripcion;
  if (pais.empty() || !BuscarVigente(db, kTablaPais, pais, descripcion)) descripcion = "******";
  return "Pais dest.: " + descripcion;
}

std::optional<std::string> Embalaje(CDataBase& db, const std::string& iddt) {
  std::string valor;
  Recordset rs;
  if (db.GetRs("SELECT cbulnatemb FROM BUL WHERE iddt = '" + DoubleQuotes(iddt) + "'", rs)) {
    if (rs.RecordCount() >= 2) {
      valor = "VARIOS";
    } else {
      BuscarVigente(db, kTablaEmbalaje, detail::Texto(rs, "cbulnatemb"), valor);
    }
  }
  rs.Close();
  return valor;
}

std::optional<std::string> PlazoSinCero(CDataBase&, const std::string& plazo) {
  return plazo == "0" ? "" : plazo;
}

std::optional<std::string> Aduana(CDataBase& db, const std::string& aduana) {
  std::string valor;
  if (!aduana.empty()) BuscarVigente(db, kTablaAduana, aduana, valor);
  return valor;
}

// A currency prints only when it is valid on the operation date.
std::optional<std::string> Divisa(CDataBase& db, const std::string& divisa) {
  std::string valor;
  if (!BuscarVigente(db, kTablaDivisa, divisa, valor)) return std::nullopt;
  return valor;
}

// The header's one-field loaders (see FieldRow).
constexpr FieldRow kCabecera[] = {
    {6, "CargarCuitImpExp", "CUITImpExp", "nddtimmioe", kAsRead, kCuit},
    {7, "CargarDespachante", "DespachanteDeAduana", nullptr, kText},
    {8, "CargarCuitDespachante", "CUITDespachante", "cddtagr", kAsRead, kCuit},
    {9, "CargarAgenteDeTransporteAduanero", "AgenteDeTransporteAduanero", "iddt", kAsRead, Agente},
    {10, "CargarCUITAgente", "CUITAgenteDeTransporteAduanero", "cddttransp", kText, kCuit},
    {11, "CargarVendedor", "Vendedor", "lddtnomfod", kText},
    {12, "CargarVia", "Via", nullptr, kText, SiNoEnBlanco},
    {13, "CargarDocTransporte", "DocumentoDeTransporte", "itit", kText},
    {15, "CargarNombreTransporte", "NombreDelTransporte", "nddtimmtrn", kText},
    {16, "CargarBandera", "Bandera", "cddtpaytrn", kText, detail::DescripcionPais},
    {17, "CargarPuertoEmbarque", "PuertoDeEmbarque", "cddtpaidst", kText, PaisDestino},
    {18, "CargarFechaArribo", "FechaDeArribo", "dddtarvtrn", kText, "dd / mm / yyyy"},
    {19, "CargarMarcas", "MarcasYNumeros", "cddtmrqnum", kText},
    {20, "CargarEmbalaje", "Embalaje", "iddt", kAsRead, Embalaje},
    {21, "CargarTotalBultos", "TotalBultos", "qddtbultos", kText, "#,##0"},
    {22, "CargarPesoBruto", "PesoBruto", "qddtpdsbrt", kText, "#,##0.000"},
    // Printed as read (dd/mm/yyyy), unlike the arrival date.
    {24, "CargarVtoEmbarque", "VtoEmbarque", "dddtvenemb", kText},
    {25, "CargarPlazo", "Plazo", "qddtregsus", kText, PlazoSinCero},
    {27, "CargarAduana", "AduanaDestinoSalida", "cddtburdst", kText, Aduana},
    {28, "CargarCondicionVenta", "CondVenta", "cddtincote", kText},
    {29, "CargarFOBTotal", "FOBTotal", "mddtfob", kText, kMonto},
    {30, "CargarDivisaFOB", "Divisa", "cddtdevfob", kText, Divisa},
    {31, "CargarFleteTotal", "FleteTotal", "mddtfle", kText, kMonto},
    {32, "CargarDivisaFlete", "DivisaFlete", "cddtdevfle", kText, Divisa},
    {33, "CargarSeguroTotal", "SeguroTotal", "mddtass", kText, kMonto},
    // The insurance currency carries the label of the insurance amount.
    {34, "CargarDivisaSeguro", "SeguroTotal", "cddtdevass", kText, Divisa},
};

}  // namespace

CDataBase& CImpCaratula::Db() const { return detail::RequireDatabase(db_); }

void CImpCaratula::Agregar(std::string nombre, std::string valor, int campo) {
  page_.Agregar(std::move(nombre), std::move(valor), campo);
}

void CImpCaratula::CargarCabecera(const Recordset& header, std::int16_t /*oper*/,
                                  const std::string& nombre_despachante) {
  detail::TrapCaratula("CargarCabecera", [&] {
    const std::string modo = detail::Texto(header, "cddtmdetrn");
    const std::string iva = detail::Texto(header, "cddtiva");
    Recordset rs;
    const bool found = Db().GetRs(
        "SELECT LPTRNAT, 'A' FROM PTR WHERE CTPT = 'MODTRN'"
        " AND CPTRNAT = '" +
            DoubleQuotes(modo) + "'" +
            " Union SELECT LPTRNAT, 'B' From PTR"
            " WHERE CTPT = 'CONTRI' AND CPTRNAT = '" +
            DoubleQuotes(iva) + "'",
        rs);
    // Without a transport mode or a tax condition the declaration is not
    // printable as such: no header field at all, and no error.
    if (!found) {
      rs.Close();
      return;
    }
    std::string via;
    std::string condicion;
    for (; !rs.AtEnd(); rs.MoveNext()) {
      std::string& target = ValorTexto(rs.Field(std::size_t{1})) == "A" ? via : condicion;
      target = ValorTexto(rs.Field(std::size_t{0}));
    }
    rs.Close();

    // Columns given to a loader as they are read: a Null there cannot become
    // text and ends the load with invalid use of Null. The others go through
    // the Null-to-empty conversion.
    const auto leido = [&](const char* column) { return ValueToText(header.Field(column)); };
    const auto texto = [&](const char* column) { return detail::Texto(header, column); };
    const auto cargar = [&](std::initializer_list<int> campos) {
      detail::LoadFields(Db(), page_, kCabecera, campos, header);
    };
    const auto cargar_texto = [&](int campo, const std::string& valor) {
      detail::LoadField(Db(), page_, detail::RowOf(kCabecera, campo), valor);
    };
    CargarImpExp(leido("lddtnomioe"), condicion);
    cargar({6});
    cargar_texto(7, nombre_despachante);
    cargar({8, 9, 10, 11});
    cargar_texto(12, via);
    cargar({13});
    CargarIdManifiesto(leido("iddt"), texto("idso"));
    cargar({15, 16, 17, 18, 19, 20, 21, 22});
    CargarDeposito(leido("cddtbur"), texto("cddtdep"));
    cargar({24, 25});
    CargarMotivo(texto("nddtnumcvt"), texto("cddtmot"));
    cargar({27, 28, 29, 30, 31, 32, 33, 34});
    CargarGarantias(leido("iddt"));
    CargarInfoComplementaria(leido("iddt"));
  });
}

void CImpCaratula::CargarImpExp(const std::string& nombre, const std::string& condicion_iva) {
  detail::TrapCaratula("CargarImpExp", [&] {
    Agregar("ImportadorExportador", nombre + "    (IVA INS: " + condicion_iva + ")", 5);
  });
}

void CImpCaratula::CargarIdManifiesto(const std::string& iddt, const std::string& idso) {
  detail::TrapCaratula("CargarIdManifiesto", [&] {
    std::string valor = idso;
    Recordset rs;
    if (Db().GetReference(FilaDeTransporte(iddt), rs)) {
      const std::string titulo = detail::Texto(rs, "ctprtld");
      if (!Trim(titulo).empty()) valor = idso + "[" + titulo + "]";
    }
    rs.Close();
    Agregar("IdentificadorManifiesto", valor, 14);
  });
}

void CImpCaratula::CargarDeposito(const std::string& aduana, const std::string& deposito) {
  detail::TrapCaratula("CargarDeposito", [&] {
    std::string valor;
    Recordset rs;
    if (Db().ValidaRefCompuestos("MAG", "CMAGCODBUR", aduana, "CMAG", deposito, Db().OperDate(),
                                 "DMAGEFF", "DMAGFIN", rs)) {
      valor = detail::Texto(rs, "lmag");
    }
    rs.Close();
    Agregar("Deposito", valor, 23);
  });
}

void CImpCaratula::CargarMotivo(const std::string& numero, const std::string& motivo) {
  detail::TrapCaratula("CargarMotivo", [&] {
    Agregar("MotivoNAutorizacion", numero.empty() ? motivo : motivo + " | " + numero, 26);
  });
}

}  // namespace tipolaria
