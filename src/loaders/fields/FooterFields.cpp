// The footer of the cover and the item pages (assigned channel, heading
// line) and, on the cover, the declaration's settlement totals.
#include "loaders/fields/FooterFields.hpp"

#include "common/ItemQuestions.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria::detail {
namespace {

constexpr const char* kMonto = "#,##0.00";

std::string Color(const std::string& canal) {
  if (canal == "R") return "ROJO";
  if (canal == "V") return "VERDE";
  if (canal == "N") return "NARANJA";
  return "";
}

std::string Canal(const std::string& color, const std::string& nota, const std::string& ramo) {
  return Color(color) + (nota.empty() ? "" : " (" + nota + ")") + " " + ramo;
}

// The first column of the first row of a sum that `read` asks for, Null
// counting as 0.
template <typename Read>
Decimal Suma(Read&& read) {
  Recordset rs;
  return read(rs) ? ValorDecimal(rs.Field(std::size_t{0})) : Decimal();
}
Decimal Suma(CDataBase& db, const std::string& sql) {
  return Suma([&](Recordset& rs) { return db.GetRs(sql, rs); });
}
Decimal Suma(CDataBase& db, const ItemQuery& query) {
  return Suma([&](Recordset& rs) { return db.GetItemRs(query, rs); });
}

// The channel is hidden for pre-registered declarations of the procedure
// numbered 2, for the operation numbered 1 of "IMPEXP", and for stations that
// store goods or whose licences make the channel meaningless.
bool CanalVisible(CDataBase& db, const Recordset& header) {
  const std::string ista = Texto(header, "Ista");
  const std::string procedimiento = Texto(header, "cddtprd");
  const std::string iddt = Texto(header, "iddt");
  const std::string etapa = Texto(header, "cddteta");
  const std::string impexp = Texto(header, "cddtimpexp");

  bool preregistro = false;
  Recordset rs;
  // Asked for the cover and every item page: read once.
  if (db.GetReference(FilaDeTransporte(iddt), rs)) {
    preregistro = db.NatPtr("TABON", Texto(rs, "ctprdapreg")) == 1;
  }
  rs.Close();

  bool estacion = false;
  if (db.ValidaRef("STA", "ISTA", ista, db.OperDate(), "DSTAEFF", "DSTAFIN", rs)) {
    estacion = db.NatPtr("ESN", Texto(rs, "cstadepalm")) == 2 ||
               ((etapa.empty() || db.NatPtr("ETADDT", etapa) == 2) &&
                db.NatPtr("TABON", Texto(rs, "cstalicaut")) == 1);
  }
  rs.Close();

  return (procedimiento != db.PtrCNat("PROCDDT", 2) || !preregistro) &&
         db.NatPtr("IMPEXP", impexp) != 1 && !estacion;
}

}  // namespace

void CargarPie(CDataBase& db, PageFields& page, const Recordset& header, std::int16_t oper,
               const std::string& canal, const std::string& morado, const std::string& rotulo,
               const std::string& ramo, const std::string& fecofi, bool totales_declaracion) {
  TrapCaratula("CargarPie", [&] {
    // Mode 0 prints no channel; mode 1 the channel the host gave; any other
    // mode the channel recorded in the declaration.
    if (oper != 0) {
      std::string valor;
      if (CanalVisible(db, header)) {
        valor = oper == 1 ? Canal(canal, morado, ramo)
                          : Canal(Texto(header, "cddtcirvis"), Texto(header, "rotddt"),
                                  Texto(header, "cddtramo"));
      }
      page.Agregar("CanalAsignado", valor, 143);
    }
    page.Agregar("CanalAsignado", oper != 0 ? rotulo + Space(4) + fecofi : rotulo, 144);

    // The declaration's totals print on the cover only.
    if (!totales_declaracion) return;

    // The settlement table LIQ, when it has rows, is preferred over the
    // detail lines of LIT for the paid and guaranteed totals. Whether it has
    // rows and its two sums come in one request.
    const std::string id = DoubleQuotes(Texto(header, "iddt"));
    Recordset liq;
    db.GetRs("SELECT COUNT(*), SUM(mliq), SUM(mliqgar) FROM LIQ WHERE iliq = '" + id + "'", liq);
    const bool hay_liq = !ValorDecimal(liq.Field(std::size_t{0})).IsZero();
    const Decimal pagado =
        hay_liq ? ValorDecimal(liq.Field(std::size_t{1}))
                : Suma(db, "SELECT SUM(mlit) FROM LIT WHERE iliq = '" + id + "' AND clittyp = 'P'");
    page.Agregar("TotalPagado", Format(pagado, kMonto), 137);
    const Decimal garantizado =
        hay_liq ? ValorDecimal(liq.Field(std::size_t{2}))
                : Suma(db, "SELECT SUM(mlit) FROM LIT WHERE iliq = '" + id + "' AND clittyp = 'G'");
    liq.Close();
    page.Agregar("TotalGarantizado", Format(garantizado, kMonto), 138);
    // The declaration's own rows are those of its item '0000', read with
    // the items' sums.
    const std::string iddt = Texto(header, "iddt");
    const Decimal a_cobrar =
        Suma(db, SumaBeneficios(iddt, "0000")) + Suma(db, SumaDrawback(iddt, "0000"));
    page.Agregar("TotalACobrar", Format(a_cobrar, kMonto), 139);
  });
}

}  // namespace tipolaria::detail
