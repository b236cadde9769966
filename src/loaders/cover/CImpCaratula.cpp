// The header load of the cover page and its field loaders (fields 5 to 34).
#include "loaders/cover/CImpCaratula.hpp"

#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "loaders/fields/ReferenceLookups.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {
namespace {

constexpr const char* kCuit = "00-00000000-0";
constexpr const char* kMonto = "#,##0.00";

}  // namespace

CDataBase& CImpCaratula::Db() const { return detail::RequireDatabase(db_); }

void CImpCaratula::Agregar(std::string nombre, std::string valor, int campo) {
  page_.Agregar(std::move(nombre), std::move(valor), campo);
}

bool CImpCaratula::CargarCabecera(const Recordset& header, std::int16_t /*oper*/,
                                  const std::string& nombre_despachante) {
  return detail::TrapCaratula("CargarCabecera", [&] {
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
      return false;
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
    CargarImpExp(leido("lddtnomioe"), condicion);
    CargarCuitImpExp(leido("nddtimmioe"));
    CargarDespachante(nombre_despachante);
    CargarCuitDespachante(leido("cddtagr"));
    CargarAgenteDeTransporteAduanero(leido("iddt"));
    CargarCUITAgente(texto("cddttransp"));
    CargarVendedor(texto("lddtnomfod"));
    CargarVia(via);
    CargarDocTransporte(texto("itit"));
    CargarIdManifiesto(leido("iddt"), texto("idso"));
    CargarNombreTransporte(texto("nddtimmtrn"));
    CargarBandera(texto("cddtpaytrn"));
    CargarPuertoEmbarque(texto("cddtpaidst"));
    CargarFechaArribo(texto("dddtarvtrn"));
    CargarMarcas(texto("cddtmrqnum"));
    CargarEmbalaje(leido("iddt"));
    CargarTotalBultos(texto("qddtbultos"));
    CargarPesoBruto(texto("qddtpdsbrt"));
    CargarDeposito(leido("cddtbur"), texto("cddtdep"));
    CargarVtoEmbarque(texto("dddtvenemb"));
    CargarPlazo(texto("qddtregsus"));
    CargarMotivo(texto("nddtnumcvt"), texto("cddtmot"));
    CargarAduana(texto("cddtburdst"));
    CargarCondicionVenta(texto("cddtincote"));
    CargarFOBTotal(texto("mddtfob"));
    CargarDivisaFOB(texto("cddtdevfob"));
    CargarFleteTotal(texto("mddtfle"));
    CargarDivisaFlete(texto("cddtdevfle"));
    CargarSeguroTotal(texto("mddtass"));
    CargarDivisaSeguro(texto("cddtdevass"));
    CargarGarantias(leido("iddt"));
    CargarInfoComplementaria(leido("iddt"));
    return false;
  });
}

void CImpCaratula::CargarImpExp(const std::string& nombre, const std::string& condicion_iva) {
  detail::TrapCaratula("CargarImpExp", [&] {
    Agregar("ImportadorExportador", nombre + "    (IVA INS: " + condicion_iva + ")", 5);
  });
}

void CImpCaratula::CargarCuitImpExp(const std::string& cuit) {
  detail::TrapCaratula("CargarCuitImpExp", [&] { Agregar("CUITImpExp", Format(cuit, kCuit), 6); });
}

void CImpCaratula::CargarDespachante(const std::string& nombre) {
  detail::TrapCaratula("CargarDespachante", [&] { Agregar("DespachanteDeAduana", nombre, 7); });
}

void CImpCaratula::CargarCuitDespachante(const std::string& cuit) {
  detail::TrapCaratula("CargarCuitDespachante",
                       [&] { Agregar("CUITDespachante", Format(cuit, kCuit), 8); });
}

void CImpCaratula::CargarAgenteDeTransporteAduanero(const std::string& iddt) {
  detail::TrapCaratula("CargarAgenteDeTransporteAduanero", [&] {
    Recordset rs;
    if (Db().GetRs("SELECT ltprtransp FROM TPR WHERE iddt = '" + DoubleQuotes(iddt) + "'", rs)) {
      Agregar("AgenteDeTransporteAduanero", detail::Texto(rs, "ltprtransp"), 9);
    }
    rs.Close();
  });
}

void CImpCaratula::CargarCUITAgente(const std::string& cuit) {
  detail::TrapCaratula("CargarCUITAgente",
                       [&] { Agregar("CUITAgenteDeTransporteAduanero", Format(cuit, kCuit), 10); });
}

void CImpCaratula::CargarVendedor(const std::string& vendedor) {
  detail::TrapCaratula("CargarVendedor", [&] { Agregar("Vendedor", vendedor, 11); });
}

void CImpCaratula::CargarVia(const std::string& via) {
  detail::TrapCaratula("CargarVia", [&] {
    if (!Trim(via).empty()) Agregar("Via", via, 12);
  });
}

void CImpCaratula::CargarDocTransporte(const std::string& itit) {
  detail::TrapCaratula("CargarDocTransporte", [&] { Agregar("DocumentoDeTransporte", itit, 13); });
}

void CImpCaratula::CargarIdManifiesto(const std::string& iddt, const std::string& idso) {
  detail::TrapCaratula("CargarIdManifiesto", [&] {
    std::string valor = idso;
    Recordset rs;
    if (Db().GetRs("SELECT ctprtld FROM TPR WHERE iddt = '" + DoubleQuotes(iddt) + "'", rs)) {
      const std::string titulo = detail::Texto(rs, "ctprtld");
      if (!Trim(titulo).empty()) valor = idso + "[" + titulo + "]";
    }
    rs.Close();
    Agregar("IdentificadorManifiesto", valor, 14);
  });
}

void CImpCaratula::CargarNombreTransporte(const std::string& nombre) {
  detail::TrapCaratula("CargarNombreTransporte",
                       [&] { Agregar("NombreDelTransporte", nombre, 15); });
}

void CImpCaratula::CargarBandera(const std::string& pais) {
  detail::TrapCaratula("CargarBandera", [&] {
    std::string valor;
    detail::BuscarPais(Db(), pais, valor);
    Agregar("Bandera", valor, 16);
  });
}

void CImpCaratula::CargarPuertoEmbarque(const std::string& pais) {
  detail::TrapCaratula("CargarPuertoEmbarque", [&] {
    std::string descripcion;
    if (pais.empty() || !detail::BuscarPais(Db(), pais, descripcion)) descripcion = "******";
    Agregar("PuertoDeEmbarque", "Pais dest.: " + descripcion, 17);
  });
}

void CImpCaratula::CargarFechaArribo(const std::string& fecha) {
  detail::TrapCaratula("CargarFechaArribo",
                       [&] { Agregar("FechaDeArribo", Format(fecha, "dd / mm / yyyy"), 18); });
}

void CImpCaratula::CargarMarcas(const std::string& marcas) {
  detail::TrapCaratula("CargarMarcas", [&] { Agregar("MarcasYNumeros", marcas, 19); });
}

void CImpCaratula::CargarEmbalaje(const std::string& iddt) {
  detail::TrapCaratula("CargarEmbalaje", [&] {
    std::string valor;
    Recordset rs;
    if (Db().GetRs("SELECT cbulnatemb FROM BUL WHERE iddt = '" + DoubleQuotes(iddt) + "'", rs)) {
      if (rs.RecordCount() >= 2) {
        valor = "VARIOS";
      } else {
        detail::BuscarEmbalaje(Db(), detail::Texto(rs, "cbulnatemb"), valor);
      }
    }
    rs.Close();
    Agregar("Embalaje", valor, 20);
  });
}

void CImpCaratula::CargarTotalBultos(const std::string& bultos) {
  detail::TrapCaratula("CargarTotalBultos",
                       [&] { Agregar("TotalBultos", Format(bultos, "#,##0"), 21); });
}

void CImpCaratula::CargarPesoBruto(const std::string& peso) {
  detail::TrapCaratula("CargarPesoBruto",
                       [&] { Agregar("PesoBruto", Format(peso, "#,##0.000"), 22); });
}

void CImpCaratula::CargarDeposito(const std::string& aduana, const std::string& deposito) {
  detail::TrapCaratula("CargarDeposito", [&] {
    std::string valor;
    detail::BuscarDeposito(Db(), aduana, deposito, valor);
    Agregar("Deposito", valor, 23);
  });
}

void CImpCaratula::CargarVtoEmbarque(const std::string& fecha) {
  // Printed as read (dd/mm/yyyy), unlike the arrival date.
  detail::TrapCaratula("CargarVtoEmbarque", [&] { Agregar("VtoEmbarque", fecha, 24); });
}

void CImpCaratula::CargarPlazo(const std::string& plazo) {
  detail::TrapCaratula("CargarPlazo", [&] { Agregar("Plazo", plazo == "0" ? "" : plazo, 25); });
}

void CImpCaratula::CargarMotivo(const std::string& numero, const std::string& motivo) {
  detail::TrapCaratula("CargarMotivo", [&] {
    Agregar("MotivoNAutorizacion", numero.empty() ? motivo : motivo + " | " + numero, 26);
  });
}

void CImpCaratula::CargarAduana(const std::string& aduana) {
  detail::TrapCaratula("CargarAduana", [&] {
    std::string valor;
    if (!aduana.empty()) detail::BuscarAduana(Db(), aduana, valor);
    Agregar("AduanaDestinoSalida", valor, 27);
  });
}

void CImpCaratula::CargarCondicionVenta(const std::string& incoterm) {
  detail::TrapCaratula("CargarCondicionVenta", [&] { Agregar("CondVenta", incoterm, 28); });
}

void CImpCaratula::CargarFOBTotal(const std::string& monto) {
  detail::TrapCaratula("CargarFOBTotal", [&] { Agregar("FOBTotal", Format(monto, kMonto), 29); });
}

void CImpCaratula::CargarDivisaFOB(const std::string& divisa) {
  detail::TrapCaratula("CargarDivisaFOB", [&] {
    std::string valor;
    if (detail::BuscarDivisa(Db(), divisa, valor)) Agregar("Divisa", valor, 30);
  });
}

void CImpCaratula::CargarFleteTotal(const std::string& monto) {
  detail::TrapCaratula("CargarFleteTotal",
                       [&] { Agregar("FleteTotal", Format(monto, kMonto), 31); });
}

void CImpCaratula::CargarDivisaFlete(const std::string& divisa) {
  detail::TrapCaratula("CargarDivisaFlete", [&] {
    std::string valor;
    if (detail::BuscarDivisa(Db(), divisa, valor)) Agregar("DivisaFlete", valor, 32);
  });
}

void CImpCaratula::CargarSeguroTotal(const std::string& monto) {
  detail::TrapCaratula("CargarSeguroTotal",
                       [&] { Agregar("SeguroTotal", Format(monto, kMonto), 33); });
}

void CImpCaratula::CargarDivisaSeguro(const std::string& divisa) {
  // The insurance currency carries the label of the insurance amount.
  detail::TrapCaratula("CargarDivisaSeguro", [&] {
    std::string valor;
    if (detail::BuscarDivisa(Db(), divisa, valor)) Agregar("SeguroTotal", valor, 34);
  });
}

}  // namespace tipolaria
