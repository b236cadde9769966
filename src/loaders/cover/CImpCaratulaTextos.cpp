// The long texts of the cover header: guarantees and payments (field 35) and
// the complementary information (fields 36 and 37).
#include "common/ItemQuestions.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"

namespace tipolaria {
namespace {

// Field 35 is a box of two lines of 6590 twips: the guarantees, and the
// payments after them. Entries stop being appended once the line being built
// passes 67 characters; rows left over are not printed.
constexpr std::int64_t kLimiteGarantias = 67;

// Where the line being built starts: after the text's last line break.
std::size_t InicioRenglon(const std::string& texto) {
  const std::size_t at = texto.rfind(kCrLf);
  return at == std::string::npos ? 0 : at + 2;
}

std::int64_t LargoRenglon(const std::string& texto) {
  return Len(Trim(std::string_view(texto).substr(InicioRenglon(texto))));
}

// A text past the limit has its last line fitted to the box's width and
// ended with a line break. A line fitted before is kept as it is: fitting
// the whole text again would cut the guarantees a second time ("ADUAN......")
// and lose the payments line below them.
std::string AjustarGarantias(const std::string& texto) {
  if (Len(Trim(texto)) <= kLimiteGarantias) return texto;
  const std::size_t inicio = InicioRenglon(texto);
  return texto.substr(0, inicio) + AjustarTexto(texto.substr(inicio), 6590, 1) + kCrLf;
}

// The document codes of invoices (1), inspection certificates (4) and third
// documents (5) valid on the operation date; empty for a kind without one.
void DameDescripcionDocs(CDataBase& db, std::string& factura, std::string& certificado,
                         std::string& tercero) {
  detail::TrapCaratula("DameDescripcionDocs", [&] {
    const std::string d = db.DBDate(db.OperDate());
    Recordset rs;
    db.GetRs(
        "SELECT CDOC, APTR FROM DOC, PTR"
        " Where CDOCINT = CPTRNAT"
        " AND DDOCINI <= " +
            d + " AND DDOCFIN > " + d + " AND CTPT = 'CODDOC'" + " AND APTR in (1, 4, 5)" +
            " ORDER BY APTR",
        rs);
    // Each code is taken from the row of its document number (1, 4, 5), the
    // first such row when several are valid. A kind without a valid document
    // leaves its code empty instead of ending the load, and never shifts the
    // codes of the other kinds: the cover then prints the documents it can.
    struct Tipo {
      const char* numero;
      std::string* codigo;
      bool leido;
    } tipos[] = {{"1", &factura, false}, {"4", &certificado, false}, {"5", &tercero, false}};
    for (; !rs.AtEnd(); rs.MoveNext()) {
      const std::string numero = detail::Texto(rs, "APTR");
      for (Tipo& tipo : tipos) {
        if (numero != tipo.numero || tipo.leido) continue;
        *tipo.codigo = detail::Texto(rs, "CDOC");
        tipo.leido = true;
      }
    }
    rs.Close();
  });
}

}  // namespace

void CImpCaratula::CargarGarantias(const std::string& iddt) {
  detail::TrapCaratula("CargarGarantias", [&] {
    const std::string id = DoubleQuotes(iddt);
    std::string texto;
    Recordset rs;
    Db().GetRs("SELECT clgpgar FROM LGP WHERE iddt = '" + id + "'", rs);
    for (; !rs.AtEnd() && LargoRenglon(texto) <= kLimiteGarantias; rs.MoveNext()) {
      texto += detail::Texto(rs, "clgpgar") + Space(3);
    }
    rs.Close();
    texto = AjustarGarantias(texto);

    if (Db().GetRs("SELECT clppexe, clppbol, clpptipcta, clppmdpago "
                   "FROM LPP WHERE iddt = '" +
                       id + "'",
                   rs)) {
      texto += "Pagos: ";
      // After guarantees that filled the first line, payments start the second.
      for (; !rs.AtEnd() && LargoRenglon(texto) <= kLimiteGarantias; rs.MoveNext()) {
        texto += detail::Texto(rs, "clppexe") + "-" + detail::Texto(rs, "clppbol") + "-" +
                 detail::Texto(rs, "clpptipcta") + "-" + detail::Texto(rs, "clppmdpago") + Space(3);
      }
    }
    rs.Close();
    Agregar("Garantias", AjustarGarantias(texto), 35);
  });
}

void CImpCaratula::CargarInfoComplementaria(const std::string& iddt) {
  detail::TrapCaratula("CargarInfoComplementaria", [&] {
    const std::string id = DoubleQuotes(iddt);
    Recordset rs;

    // Field 36: exchange rate and the declaration's complementary data.
    std::string texto = "Cotiz = xxxx" + Space(3);
    if (Db().GetReference(FilaDeTransporte(iddt), rs)) {
      const Value& cotizacion = rs.Field("mtprcotiz");
      if (!cotizacion.IsNull()) texto = "Cotiz = " + Format(cotizacion, "#,##0.000000") + Space(3);
    }
    rs.Close();
    Db().GetRs(
        "SELECT ccpl, mcpl FROM CPL WHERE icpl = '" + id + "' AND nart = '0000' AND icpldif = 'D'",
        rs);
    for (; !rs.AtEnd() && Len(texto) <= 97; rs.MoveNext()) {
      texto += detail::Texto(rs, "ccpl") + " = " + detail::Texto(rs, "mcpl") + Space(3);
    }
    rs.Close();
    if (Len(texto) > 97) texto = AjustarTexto(texto, 9000, 1);
    Agregar("InfoComplementaria", texto, 36);

    // Field 37: guide weight and the declaration's invoices, inspection
    // certificates and third documents.
    std::string peso = "Peso Guía = 0,000";
    if (Db().GetReference(FilaDeTransporte(iddt), rs)) {
      const Decimal kilos = ValorDecimal(rs.Field("nldsmsrbrt"));
      if (!kilos.IsZero()) peso = "Peso Guía = " + Format(kilos, "#,##0.000");
    }
    rs.Close();
    std::string factura;
    std::string certificado;
    std::string tercero;
    DameDescripcionDocs(Db(), factura, certificado, tercero);
    Db().GetRs(
        "SELECT cdvddoc, ldvdrefdoc FROM DVD WHERE"
        " idvd = '" +
            id + "' AND nart = '0000'" + " AND cdvddoc IN ('" + DoubleQuotes(factura) + "', '" +
            DoubleQuotes(certificado) + "', '" + DoubleQuotes(tercero) + "') ORDER BY cdvddoc",
        rs);
    std::string facturas;
    std::string certificados;
    std::string otros;
    std::string documentos;
    for (; !rs.AtEnd() && Len(documentos) <= 115; rs.MoveNext()) {
      const std::string codigo = detail::Texto(rs, "cdvddoc");
      const std::string referencia = Space(2) + detail::Texto(rs, "ldvdrefdoc");
      // A kind without a valid document has an empty code, which names no
      // kind: a document row without a code is not taken for one of them.
      if (codigo.empty()) continue;
      if (codigo == factura) {
        if (Trim(facturas).empty()) facturas = Space(4) + "Nros. Facturas: ";
        facturas += referencia;
      } else if (codigo == certificado) {
        if (Trim(certificados).empty()) certificados = Space(2) + "Certif. Inspec.: ";
        certificados += referencia;
      } else if (codigo == tercero) {
        otros += referencia;
      }
      documentos = facturas + certificados + otros;
    }
    rs.Close();
    Agregar("InfoComplementariaSig", AjustarTexto(peso + documentos, 11100, 1), 37);
  });
}

}  // namespace tipolaria
