// The generation of one declaration: the order in which the loaders fill IMP.
#include "common/UtilFnc.hpp"
#include "core/CTipolaria.hpp"
#include "data/SqlText.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "runtime/Convert.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {

bool CTipolaria::CargarCampos(CDataBase& db, const std::string& iddtext, const std::string& idorig,
                              const std::string& fec_ofi, const std::string& nombre_despachante) {
  return Trap("CTipolaria.CargarCampos", [&] {
    ClearImp(db);
    Recordset header;
    if (!db.GetRs("SELECT * FROM DDT WHERE iddtext = '" + DoubleQuotes(iddtext) + "'", header)) {
      return false;
    }
    ImpExp = ValorTexto(header.Field("cddtimpexp"));
    Idal = ValorTexto(header.Field("idal"));
    // The declaration's key has no meaningful empty value: a Null iddt fails
    // the generation (invalid use of Null) before anything is loaded.
    const std::string iddt = ValueToText(header.Field("iddt"));

    CImpCaratula caratula;
    caratula.BaseDeDatos(db);
    caratula.CargarCabecera(header, Oper, nombre_despachante);
    caratula.CargarDatosItem(iddt, ImpExp, Oper, ValorTexto(header.Field("cddtstudev")),
                             LiquidacionImpresa);
    TotalHojas = CheckedInt32(std::int64_t{TotalHojas} + 1);  // the cover is page 1

    ArmarItemsYContinuacion(db, header, iddt, fec_ofi);

    // The cover is saved only now, after the item and continuation pages,
    // with its footer.
    caratula.CargarPie(header, Oper, Canal, Morado, Rotulo, Ramo, fec_ofi);
    caratula.GuardarDatos();

    NumerarPaginas(db, TotalHojas, CaratulaHojas);
    // A Null sub-regime fails here, after the pages were written, as the
    // header fields are the last thing a generation writes.
    CargarEncabezados(db, idorig.empty() ? iddtext : idorig, ValueToText(header.Field("ista")),
                      fec_ofi, ValorTexto(header.Field("cddtbur")), TotalHojas, CaratulaHojas);
    return true;
  });
}

}  // namespace tipolaria
