// The cancelled declarations section: the earlier declarations (DCN) and
// seller documents (AFI) each item cancels, and the declaration's idal.
#include "common/TipoDest.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/complementary/CImpComp.hpp"
#include "loaders/complementary/ContinuationText.hpp"
#include "runtime/Format.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

using detail::AlignRight;
using detail::Dashes;

constexpr int kPrimeraLinea = 5;
constexpr const char* kAsteriscos = "***************";

// A tariff position, or 15 asterisks when there is none; the value ends four
// places before the end of its column.
std::string Posicion(const std::string& posicion) {
  const std::string recortada = Trim(posicion);
  return AlignRight((recortada.empty() ? kAsteriscos : recortada) + Space(4), 19);
}

// Declaration, position, item, sub-item and quantity: the columns an ordinary
// row and an organism row share.
std::string ColumnasDcn(const Recordset& dcn) {
  return AlignRight(ValorTexto(dcn["idcnapu"]), 18) + Space(5) +
         Posicion(ValorTexto(dcn["idcnespnce"])) + Space(3) +
         AlignRight(Format(dcn["ndcnartapu"], "0000"), 4) + Space(9) +
         AlignRight(Format(dcn["ndcnsbtapu"], "0000"), 4) + Space(2) +
         AlignRight(Format(dcn["qdcnapu"], "#,##0.00"), 15) + Space(2);
}

std::string FilaDcn(const Recordset& dcn) {
  return ColumnasDcn(dcn) + AlignRight(ValorTexto(dcn["CDCNEXPAPU"]), 14) + Space(2) +
         AlignRight(ValorTexto(dcn["ndcnorden"]), 2) + Space(6) +
         AlignRight(ValorTexto(dcn["cdcnresol"]), 10);
}

// File number, order and resolution stay blank; the organism's name, cut to
// 20 characters, closes the row.
std::string FilaOrganismo(const Recordset& dcn, const std::string& organismo) {
  return ColumnasDcn(dcn) + Space(63) + Trim(Left(organismo, 20));
}

std::string FilaCertificado(const Recordset& dcn) {
  return Space(10) + "CTC: " + ValorTexto(dcn["IDCNCTC"]) + Space(10) +
         "Version: " + ValorTexto(dcn["NDCNVER"]);
}

std::string FilaAfi(const std::string& nart, const Recordset& afi) {
  return AlignRight(nart, 8) + Space(3) + Posicion(ValorTexto(afi["CAFIPARA"])) + Space(3) +
         AlignRight(ValorTexto(afi["IAFIDOC"]), 19) + Space(9) +
         AlignRight(ValorTexto(afi["CAFICVEN"]), 16) + Space(3) +
         AlignRight(ValorTexto(afi["QAFICANC"]), 16) + Space(3);
}

}  // namespace

void CImpComp::CargarIdal(const std::string& /*iddt*/, const std::string& idal) {
  if (idal.empty()) return;
  int linea = kPrimeraLinea;
  TituloCancelaciones(linea, "0000");
  Agregar(kCancelaciones, "EncabezadoCancelaciones", idal, linea);
}

void CImpComp::TituloCancelaciones(int linea, const std::string& nart) {
  if (linea == kPrimeraLinea) {
    Agregar(kCancelaciones, "TituloCancelaciones", Dashes(170), linea);
    Agregar(kCancelaciones, "TituloCancelaciones",
            Space(2) + "Destinaciones que se Cancelan, ítem: " + nart, linea);
    Agregar(kCancelaciones, "TituloCancelaciones", Dashes(170), linea);
  }
  Agregar(kCancelaciones, "TituloCancelaciones",
          Space(2) + "Declaración a canc." + Space(3) + "Posición arancel." + Space(3) + "Nº ítem" +
              Space(3) + "Nº subítem" + Space(3) + "Cantidad" + Space(5) + "Expediente" +
              Space(11) + "Orden" + Space(2) + "Certificado" + Space(4) + "Organismo interv.",
          linea);
}

void CImpComp::TituloAfi(int linea) {
  // The heading of the section is needed only when no DCN row opened it.
  if (linea == kPrimeraLinea) {
    Agregar(kCancelaciones, "TituloAFI", Space(50) + "Destinaciones que se Cancelan", linea);
  }
  Agregar(kCancelaciones, "TituloAFI", Dashes(150), linea);
  Agregar(kCancelaciones, "TituloAFI",
          Space(2) + "Nº ítem" + Space(3) + "Posición arancel." + Space(3) + "Documento a canc." +
              Space(3) + "CUIT Vendedor" + Space(3) + "Cantidad" + Space(5),
          linea);
}

bool CImpComp::CargarCancelaciones(const std::string& iddt, const std::string& nart) {
  return Trap("CImpComp.CargarCancelaciones", [&] {
    int linea = kPrimeraLinea;
    const auto agregar = [&](const char* palabra, std::string valor) {
      Agregar(kCancelaciones, nart + palabra + std::to_string(linea), std::move(valor), linea);
      ++linea;
    };

    Recordset dcn;
    if (Db().GetItemRs({"SELECT * FROM DCN WHERE idcn = '" + DoubleQuotes(iddt) + "'",
                        {{"ndcnart", nart}},
                        "NDCNART, IDCNAPU, NDCNSBTAPU, NDCNARTAPU"},
                       dcn)) {
      for (bool primera = true; !dcn.AtEnd(); dcn.MoveNext(), primera = false) {
        // Characters 6 to 9 of the cancelled declaration's number are its
        // destination type; a type attached to an organism prints the
        // organism instead of the file, order and resolution.
        const std::string tipo = Mid(ValorTexto(dcn["IDCNAPU"]), 6, 4);
        std::string organismo;
        const bool con_organismo = DameOrganismo(Db(), tipo, Db().OperDate(), organismo);
        if (primera) TituloCancelaciones(linea, nart);
        if (con_organismo) {
          agregar("Sitos", FilaOrganismo(dcn, organismo));
          continue;
        }
        agregar("Cancelaciones", FilaDcn(dcn));
        if (!ValorTexto(dcn["IDCNCTC"]).empty()) agregar("CTC", FilaCertificado(dcn));
      }
    }
    dcn.Close();

    Recordset afi;
    if (Db().GetItemRs({"SELECT * FROM AFI WHERE IDDT = '" + DoubleQuotes(iddt) + "'",
                        {{"nart", nart}},
                        "NART, CAFIPARA, IAFIDOC, CAFICVEN"},
                       afi)) {
      TituloAfi(linea);
      for (; !afi.AtEnd(); afi.MoveNext()) agregar("Cancelaciones", FilaAfi(nart, afi));
    }
    afi.Close();
    return true;
  });
}

}  // namespace tipolaria
