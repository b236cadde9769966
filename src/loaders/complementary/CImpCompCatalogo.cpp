// The per-item sections of catalogued product information (ICT), quotas (DCP
// through the item's quota numbers) and technical certificates (CID), and
// their title lines.
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/complementary/CImpComp.hpp"
#include "loaders/complementary/ContinuationText.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

using detail::Dashes;

// The widest line these sections print whole.
constexpr std::int64_t kAncho = 80;

}  // namespace

std::string CImpComp::TituloCodProd(const std::string& nart, const std::string& isbt) const {
  return Trap("CImpComp.TituloCodProd", [&] {
    return "Información Catalogada     Nro. Item: " + nart + "     Nro. Subitem: " + isbt;
  });
}

std::string CImpComp::TituloCupos(const std::string& nart, const std::string& acuerdo) const {
  return Trap("CImpComp.TituloCupos", [&] {
    std::string titulo = "Información de Cupos    Nro. Item: " + nart;
    if (!acuerdo.empty()) titulo += " Acuerdo:" + acuerdo;
    return titulo;
  });
}

std::string CImpComp::TituloCTC(const std::string& nart) const {
  return Trap("CImpComp.TituloCTC", [&] { return "Información de CTC    Nro. Item: " + nart; });
}

bool CImpComp::CargarCodProd(const std::string& iddt, const std::string& nart) {
  return Trap("CImpComp.CargarCodProd", [&] {
    detail::SectionLines agregar(secciones_[kInfoCatalogada], "CodProd");

    Recordset ict;
    if (Db().GetItemRs({"SELECT * FROM ICT WHERE iddt = '" + DoubleQuotes(iddt) + "'",
                        {{"nart", nart}},
                        "nart, isbt, cctg"},
                       ict)) {
      std::string anterior;
      for (; !ict.AtEnd(); ict.MoveNext()) {
        // Rows of one sub-item share its title. A Null sub-item never
        // differs from the previous one, as a comparison with Null is never
        // true.
        const Value& isbt = ict["isbt"];
        if (!isbt.IsNull() && ValorTexto(isbt) != anterior) {
          agregar(Dashes(58));
          anterior = ValorTexto(isbt);
          agregar("CodProdTitulo", TituloCodProd(nart, anterior));
        }
        agregar("Código:  " + ValorTexto(ict["CCTG"]));
        // A long value runs on to a second line of whatever length.
        const std::string valor = "Valor:  " + ValorTexto(ict["CICT"]);
        if (Len(valor) <= kAncho) {
          agregar(valor);
        } else {
          agregar(Left(valor, kAncho));
          agregar(Mid(valor, kAncho + 1));
        }
      }
    }
    ict.Close();
    return true;
  });
}

bool CImpComp::CargarCupos(const std::string& iddt, const std::string& nart,
                           const std::string& acuerdo) {
  return Trap("CImpComp.CargarCupos", [&] {
    detail::SectionLines agregar(secciones_[kCupos], "Cupo");

    const std::string clave = " WHERE (ART.IDDT = '" + DoubleQuotes(iddt) + "')";
    Recordset dcp;
    // The item's first and second quota, each with its agreement.
    if (Db().GetItemRs(
            {"SELECT DCP.CCUPDESC, ART.CARTCUPO FROM ART INNER JOIN DCP ON ART.IDDT = DCP.IDDT AND "
             "ART.NARTCUPO = DCP.CCUP" +
                 clave,
             {{"ART.NART", nart}},
             "",
             false,
             "",
             "SELECT DCP.CCUPDESC, ART.CARTOCUPO FROM ART INNER JOIN DCP ON "
             "ART.IDDT = DCP.IDDT AND ART.NARTOCUPO = DCP.CCUP" +
                 clave},
            dcp)) {
      // Here the title comes before the separator line.
      agregar("CuposTitulo", TituloCupos(nart, acuerdo));
      agregar(Dashes(58));
      for (; !dcp.AtEnd(); dcp.MoveNext()) {
        agregar(Left("Cupo:  " + ValorTexto(dcp.Field(std::size_t{0})), kAncho));
        agregar(Left("Acuerdo:  " + ValorTexto(dcp.Field(std::size_t{1})), kAncho));
      }
    }
    dcp.Close();
    return true;
  });
}

bool CImpComp::CargarCTC(const std::string& iddt, const std::string& nart) {
  return Trap("CImpComp.CargarCtc", [&] {
    detail::SectionLines agregar(secciones_[kCtc], "CTC");

    Recordset cid;
    if (Db().GetItemRs(
            {"SELECT IETI, NETIVER FROM CID WHERE cid.iddt = '" + DoubleQuotes(iddt) + "'",
             {{"cid.nart", nart}},
             "IETI"},
            cid)) {
      agregar(Dashes(58));
      agregar("CTCTitulo", TituloCTC(nart));
      for (; !cid.AtEnd(); cid.MoveNext()) {
        agregar("CTC:  " + ValorTexto(cid["ieti"]));
        agregar(Left("Version:  " + ValorTexto(cid["netiver"]), kAncho));
      }
    }
    cid.Close();
    return true;
  });
}

}  // namespace tipolaria
