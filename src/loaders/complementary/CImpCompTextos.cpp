// The free-text sections: third parties with the sworn statement, the
// complementary information and the goods descriptions.
#include "common/BatchFnc.hpp"
#include "common/ItemQuestions.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/complementary/CImpComp.hpp"
#include "loaders/complementary/ContinuationText.hpp"
#include "runtime/Format.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

using detail::Dashes;

constexpr std::int64_t kTrozoDescripcion = 120;

}  // namespace

bool CImpComp::CargarTerceros(const std::string& iddt) {
  return Trap("CImpComp.CargarTerceros", [&] {
    detail::SectionLines agregar(secciones_[kTerceros], "Terceros");

    Recordset trc;
    if (!Db().GetRs("SELECT * FROM TRC WHERE iddt = '" + DoubleQuotes(iddt) + "'", trc)) {
      return false;
    }
    agregar(Dashes(180));
    agregar(
        "Declaramos bajo juramento que no existen inhibiciones de ningún tipo para cursar la "
        "documentación de la presente operación. Asumiendo la res-");
    agregar(
        "ponsabilidad solidaria por cualquier situación relativa a la concesión de beneficios "
        "promocionales, como también al aspecto tributario y/o in-");
    agregar("fraccional de esta operación.");
    agregar(Dashes(180));
    for (; !trc.AtEnd(); trc.MoveNext()) {
      agregar("Documento:  " + ValorTexto(trc["ctrctipdoc"]) + Space(2) +
              ValorTexto(trc["ctrcnumdoc"]));
      agregar("Nombre:  " + ValorTexto(trc["ltrcnombre"]));
      agregar("Domicilio:  " + ValorTexto(trc["ltrcdomic"]));
      agregar(Dashes(58));
    }
    trc.Close();
    agregar("*********** FIN TIPOLARIA TERCEROS **************");
    return true;
  });
}

bool CImpComp::CargarCPL(const std::string& iddt) {
  return Trap("CImpComp.CargarCPL", [&] {
    detail::SectionLines agregar(secciones_[kCpl], "CPL");

    Recordset cpl;
    if (!Db().GetRs("SELECT * FROM CPL WHERE ICPL = '" + DoubleQuotes(iddt) + "' order by NART",
                    cpl)) {
      return true;
    }
    agregar(Dashes(169) + kCrLf);
    agregar(Space(2) + "Información Adicional" + kCrLf);
    agregar(Dashes(169) + kCrLf);
    agregar(" Nro.Item" + Space(8) + "Código" + Space(65) + "Valor");
    for (; !cpl.AtEnd(); cpl.MoveNext()) {
      const std::string nart = ValorTexto(cpl["NART"]);
      std::string nartext = "0000";  // information of the whole declaration
      if (nart != "0000") {
        Recordset art;
        // An item the declaration does not hold ends the list there: the
        // rows after it are not printed.
        if (!ReadItemRow(iddt, nart, {}, art)) {
          break;
        }
        nartext = ValorTexto(art["nartext"]);
      }
      agregar(Space(4) + nartext + Space(9) + ValorTexto(cpl["CCPL"]) + Space(50) +
              ValorTexto(cpl["MCPL"]));
    }
    cpl.Close();
    return true;
  });
}

bool CImpComp::CargarDescripciones(const std::string& iddt, const std::string& nart) {
  return Trap("CImpComp.CargarDescripciones", [&] {
    detail::SectionLines agregar(secciones_[kKdsc], "Desc" + nart);
    // The description and label of one item or sub-item, when it has either.
    const auto bloque = [&](const std::string& nartext, const std::string& isbt) {
      std::string rotulo;
      std::string valor;
      const std::string descripcion =
          RecuperoDescYRotulo(Db(), true, true, iddt, nart, isbt, rotulo, valor);
      if (descripcion.empty() && rotulo.empty()) return;
      agregar(Dashes(98) + kCrLf);
      agregar("Nro. ítem:  " + nartext + Space(5) + "Subitem Nro.:  " + isbt);
      if (!descripcion.empty()) {
        agregar("Descripción:  ");
        for (std::int64_t desde = 1; desde <= Len(descripcion); desde += kTrozoDescripcion) {
          agregar(Mid(descripcion, desde, kTrozoDescripcion));
        }
      }
      if (!rotulo.empty()) {
        agregar("Rotulo:  " + rotulo);
        agregar("Valor:  " + valor);
      }
    };

    Recordset art;
    if (!ReadItemRow(iddt, nart, {}, art)) return true;
    const std::string nartext = ValorTexto(art["nartext"]);
    const bool con_subitems = ValorTexto(art["cartsbitem"]) == "S";
    art.Close();
    if (!con_subitems) {
      bloque(nartext, "0000");
      return true;
    }
    Recordset sbt;
    if (Db().GetItemRs(SubItems(iddt, nart), sbt)) {
      for (; !sbt.AtEnd(); sbt.MoveNext()) bloque(nartext, Format(sbt["isbt"], "0000"));
    }
    sbt.Close();
    return true;
  });
}

}  // namespace tipolaria
