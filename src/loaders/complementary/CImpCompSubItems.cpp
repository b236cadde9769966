// The sub-items section: one block per sub-item of an item flagged as having
// sub-items, with its amounts, brand, product code and value suffixes.
#include <vector>

#include "common/ItemQuestions.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/complementary/CImpComp.hpp"
#include "loaders/complementary/ContinuationText.hpp"
#include "runtime/Format.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

// The description of one value suffix code of an item. Codes starting with
// "Z" or "A" are looked up by their first two characters, the others
// exactly.
std::string DescripcionSufijo(CDataBase& db, const std::string& iddt, const std::string& nart,
                              const std::string& codigo) {
  Recordset rs;
  return db.GetItemRs(SufijoDeValor(iddt, nart, codigo), rs) ? ValorTexto(rs["lsvlsvl"])
                                                             : "Sin descripción";
}

// One line per code of a suffix list "AB01-0000-". The piece after the last
// "-" is never printed: the lists are stored with a closing dash, and a list
// without one loses its last code, as it always has.
std::vector<std::string> LineasSufijos(CDataBase& db, const std::string& iddt,
                                       const std::string& nart, const std::string& sufijos) {
  std::vector<std::string> codigos;
  for (std::size_t inicio = 0;;) {
    const std::size_t guion = sufijos.find('-', inicio);
    if (guion == std::string::npos) break;
    codigos.push_back(sufijos.substr(inicio, guion - inicio));
    inicio = guion + 1;
  }
  std::vector<std::string> lineas;
  for (const std::string& codigo : codigos) {
    std::string linea = codigo + " = " +
                        (Right(codigo, 2) == "00" ? std::string("Ninguno")
                                                  : DescripcionSufijo(db, iddt, nart, codigo));
    std::erase(linea, '\n');
    lineas.push_back(std::move(linea));
  }
  return lineas;
}

}  // namespace

bool CImpComp::CargarSubItems(const std::string& iddt, const std::string& nart) {
  return Trap("CImpComp.CargarSubItems", [&] {
    detail::SectionLines agregar(secciones_[kSubitems], "Subitem" + nart);

    Recordset art;
    if (!ReadItemRow(iddt, nart, {{"cartsbitem", "S"}}, art)) return true;
    const std::string nartext = ValorTexto(art["nartext"]);
    const std::string iespnce = ValorTexto(art["iespnce"]);
    const std::string art_nart = ValorTexto(art["nart"]);
    art.Close();

    Recordset sbt;
    if (Db().GetItemRs(SubItems(iddt, nart), sbt)) {
      for (; !sbt.AtEnd(); sbt.MoveNext()) {
        agregar(detail::Dashes(98) + kCrLf);
        agregar("Nro. ítem:  " + nartext + Space(5) + "Posición SIM:  " + iespnce + Space(5) +
                "Subitem Nro.:  " + Format(sbt["isbt"], "0000"));
        std::string montos = "Monto FOB: " + Format(sbt["msbtfob"], "#,##0.00") + Space(5) +
                             "Cantidad:  " + Format(sbt["qsbtuntdcl"], "#,##0.00") + Space(5) +
                             "Precio unitario:  " + Format(sbt["msbtunitar"], "#,##0.0000");
        if (ValorDecimal(sbt["qsbtde"]) > Decimal(0)) {
          montos += Space(5) + "Cant. unid. especif" + Format(sbt["qsbtde"], "#,##0.00");
        }
        agregar(std::move(montos));
        const std::string marca = ValorTexto(sbt["lsbtmarca"]);
        if (!marca.empty()) agregar("Marca modelo y versión:  " + marca);
        const std::string codean = ValorTexto(sbt["csbtcodean"]);
        if (!codean.empty()) agregar("Código de Producto:  " + codean);
        const std::string sufijos = ValorTexto(sbt["csbtsvl"]);
        if (sufijos.empty()) {
          // The brand follows the text directly, as it always has.
          agregar("No hay sufijos de valor" + marca);
          continue;
        }
        agregar("Sufijos de valor:");
        for (std::string& linea : LineasSufijos(Db(), iddt, art_nart, sufijos)) {
          agregar(std::move(linea));
        }
      }
    }
    sbt.Close();
    return true;
  });
}

}  // namespace tipolaria
