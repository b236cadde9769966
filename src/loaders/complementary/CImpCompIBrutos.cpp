// The gross-income tax section: the declarant's standing before the tax and
// the distribution among the jurisdictions valid on the operation date, with
// the amount settled for each.
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/complementary/CImpComp.hpp"
#include "loaders/complementary/ContinuationText.hpp"
#include "runtime/Format.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

constexpr const char* kTitulo = "DECLARACION PARA LA PERCEPCION DE INGRESOS BRUTOS";
constexpr const char* kFin =
    "--------------------------------------FIN TIPOLARIA INGRESOS BRUTOS"
    "-----------------------------------------";

}  // namespace

void CImpComp::CargarIBrutos(const std::string& iddt) {
  Trap("CImpComp.CargarIBrutos", [&] {
    detail::SectionLines agregar(secciones_[kIBrutos], "IBrutos");

    const std::string fecha = Db().DBDate("");  // empty: the operation date
    Recordset dib;
    if (Db().GetRs(
            "SELECT QDIBCOEFIC,CDIBVEN,LJRDDESC,CCIBEXENTO,CCIBINSCON,CCIBNUMINS,isnull((select "
            "MLIT from LIT where JRD.cjrdtax=LIT.clittax and LIT.iliq=dib.iddt),'0.00') as MLIT "
            ",cjrdtax,dib.Iddt,cjrd From dib, JRD, CIB Where dib.iddt= '" +
                DoubleQuotes(iddt) +
                "' and dib.iddt=cib.iddt and JRD.cjrd = DIB.CDIBJURIS and DJRDEFF <= " + fecha +
                " AND DJRDFIN > " + fecha + " ",
            dib)) {
      agregar(kTitulo);
      agregar("Condicion frente a los Ingresos Brutos (S/N/E):  " + ValorTexto(dib["ccibexento"]));
      agregar("Inscripto en Convenio Multilateral (S/N):  " + ValorTexto(dib["ccibinscon"]));
      agregar("Jurisdicción Sede:  " + Left(ValorTexto(dib["ccibnumins"]), 3));
      agregar("COEFICIENTES DE DISTRIBUCION");
      agregar("Concepto" + Space(8) + "Factor de Distribucion" + Space(8) + "Importe" + Space(18) +
              "Jurisdicción");
      agregar(detail::Dashes(120));
      for (; !dib.AtEnd(); dib.MoveNext()) {
        // A Null CDIBVEN is neither "S" nor empty: it gets the short row.
        const Value& ven = dib["CDIBVEN"];
        if (!ven.IsNull() && (ValorTexto(ven) == "S" || ValorTexto(ven).empty())) {
          agregar(Left(ValorTexto(dib["cjrdtax"]), 3) + Space(19) +
                  Left(Format(dib["qdibcoefic"], "0.0000"), 6) + Space(31) +
                  Left(Format(dib["mlit"], "#,##0.00"), 20) + Space(21) +
                  Left(ValorTexto(dib["cjrd"]), 3) + " - " +
                  Right(ValorTexto(dib["ljrddesc"]), 25));
        } else {
          agregar(Left(Format(dib["qdibcoefic"], "0.00"), 4) + Space(18) +
                  ValorTexto(dib["ljrddesc"]));
        }
      }
      agregar(kFin);
      return;
    }
    dib.Close();

    // No distribution valid today: the standing alone.
    Recordset cib;
    if (Db().GetRs("SELECT  CCIBEXENTO,ccibnumins,ccibinscon FROM CIB WHERE CIB.iddt = '" +
                       DoubleQuotes(iddt) + "' ",
                   cib)) {
      const std::string exento = ValorTexto(cib["ccibexento"]);
      agregar(kTitulo);
      agregar("Condicion frente a los Ingresos Brutos (S/N/E): " + exento);
      if (exento == "E") {
        agregar("Inscripto en Convenio Multilateral (S/N):  " + ValorTexto(cib["ccibinscon"]));
        agregar("Jurisdicción Sede:  " + ValorTexto(cib["ccibnumins"]));
      }
      agregar(kFin);
    }
    cib.Close();
  });
}

}  // namespace tipolaria
