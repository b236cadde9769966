// The item's identification, origin, units, additional information (fields
// 38 to 50), value suffixes (51) and options (52). Amounts are in
// ItemFieldsMontos.cpp, the settlement in ItemFieldsLiquidacion.cpp.
#include "loaders/fields/ItemFields.hpp"
#include "common/ItemQuestions.hpp"
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/fields/FieldRow.hpp"
#include "loaders/fields/LoaderSupport.hpp"
#include "loaders/fields/LoaderText.hpp"
#include "loaders/fields/ReferenceLookups.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {
namespace {

using detail::FieldRow;
using enum detail::Read;

// The description of a state code (EST), empty without a row.
std::optional<std::string> Estado(CDataBase& db, const std::string& cartuso) {
  std::string valor;
  Recordset rs;
  // Every item asks for its state: the answer of one is kept for the rest.
  if (db.GetReference("SELECT ldescri FROM EST WHERE cestcod = '" + DoubleQuotes(cartuso) + "'",
                      rs)) {
    valor = detail::Texto(rs, "ldescri");
  }
  rs.Close();
  return valor;
}

// The one-field loaders of the item's identification, state, origin and
// units (see FieldRow).
constexpr FieldRow kCabItem[] = {
    {38, "CargarNroItem", "NroItem", "nartext", kText},
    {39, "CargarTipoItem", "TipoItem", "carttyp", kText},
    {40, "CargarPosicionSIM", "PosicionSIM", "iespnce", kText},
    {41, "CargarPosicionNALADISA", "PosicionNALADISA", "iespnalgat", kText},
    {43, "CargarEstado", "Estado", "cartuso", kText, Estado},
    {44, "CargarTotalKg", "TotalKg", "qartkgrnet", kText, "#,##0.0000"},
    {45, "CargarPaisOrigen", "PaisOrigen", "cartpayori", kText, detail::PaisOProvincia},
    {46, "CargarPaisDestino", "PaisDestino", "cartpayprc", kText, detail::DescripcionPais},
    {47, "CargarUnidad", "Unidad", "cartuntest", kText, detail::UnidadOCodigo},
    {48, "CargarCantUnidad", "CantUnidades", "qartuntest", kText, "#,##0.00"},
};

}  // namespace

void ItemFields::CargarCabItem(const std::string& iddt, const Recordset& item) {
  detail::TrapCaratula("CargarCabItem", [&] {
    detail::LoadFields(db_, page_, kCabItem, {38, 39, 40, 41}, item);
    CargarLista(detail::Texto(item, "cartpro"), detail::Texto(item, "lIsta"));
    detail::LoadFields(db_, page_, kCabItem, {43, 44, 45, 46, 47, 48}, item);
    CargarInfoAdicional(iddt, detail::Texto(item, "nart"));
  });
}

void ItemFields::CargarLista(const std::string& cartpro, const std::string& lista) {
  detail::TrapCaratula("CargarLista", [&] {
    Agregar("Lista", Trim(cartpro).empty() ? lista : lista + " / " + cartpro, 42);
  });
}

void ItemFields::CargarInfoAdicional(const std::string& iddt, const std::string& nart) {
  detail::TrapCaratula("CargarInfoAdicional", [&] {
    Recordset rs;
    db_.GetItemRs({"SELECT ccpl, mcpl FROM CPL WHERE icpl = '" + DoubleQuotes(iddt) +
                       "' AND icpldif = 'D' AND substring(ccpl,1,4) <> 'VNME'",
                   {{"nart", nart}}},
                  rs);
    std::string todo;
    std::string primera;
    for (bool first = true; !rs.AtEnd(); rs.MoveNext(), first = false) {
      const std::string entrada =
          detail::Texto(rs, "ccpl") + " = " + detail::Texto(rs, "mcpl") + Space(5);
      if (first) primera = entrada;
      todo += entrada;
    }
    rs.Close();

    std::string resto;
    if (db_.GetItemRs(FilaDelItem(iddt, nart), rs)) {
      const std::string codigo = detail::Texto(rs, "cartcodean");
      if (!codigo.empty()) todo += "Cód. Prod. = " + codigo;
      if (Len(Trim(todo)) <= 14) {
        primera = todo;
      } else if (!primera.empty()) {
        // From the last character of the first entry on (a blank of its
        // padding): the rest is trimmed before it is printed.
        resto = Mid(todo, Len(primera));
      } else {
        resto = todo;
      }
    }
    rs.Close();

    // Field 49 holds a short first entry only; a longer one goes, with the
    // rest, into the two lines of field 50.
    std::string texto50;
    if (Len(Trim(primera)) <= 14) {
      Agregar("InfoAdicional1", Trim(primera), 49);
      texto50 = Trim(resto);
    } else {
      texto50 = Trim(primera) + Space(5) + Trim(resto);
    }
    if (!texto50.empty()) Agregar("InfoAdicional2", AjustarTexto(texto50, 10765, 2), 50);
  });
}

void ItemFields::CargarSufijos(const std::string& iddt, const Recordset& item) {
  detail::TrapCaratula("CargarSufijos", [&] {
    const std::string id = DoubleQuotes(iddt);
    const std::string nart = detail::Texto(item, "nart");
    Recordset rs;
    std::string texto;
    db_.GetItemRs(
        {"SELECT ldscdesc FROM DSC WHERE iddt = '" + id + "'", {{"nart", nart}}, "cdsclin"}, rs);
    for (; !rs.AtEnd(); rs.MoveNext()) {
      texto += detail::Texto(rs, "ldscdesc") + kCrLf;
      while (texto.find("  ") != std::string::npos) texto = detail::Reemplazar(texto, "  ", " ");
    }
    rs.Close();
    // The description takes one line of up to five fitted lines; the suffixes
    // start after two empty lines.
    texto = detail::Reemplazar(AjustarTexto(texto, 8000, 5), kCrLf, " ") + kCrLf + kCrLf + kCrLf;

    if (db_.GetItemRs({"SELECT csbtsvl FROM SBT WHERE iddt = '" + id + "' AND isbt = '0000'",
                       {{"nart", nart}}},
                      rs)) {
      const std::string lista = detail::Texto(rs, "csbtsvl");
      for (std::size_t start = 0; start <= lista.size() && detail::ContarSaltos(texto) < 16;) {
        std::size_t end = lista.find('-', start);
        if (end == std::string::npos) end = lista.size();
        const std::string codigo = Trim(std::string_view(lista).substr(start, end - start));
        start = end + 1;
        if (codigo.empty()) continue;
        if (Right(codigo, 2) == "00") {
          texto += codigo + " = Ninguno" + kCrLf;
          continue;
        }
        Recordset svl;
        if (db_.GetItemRs(SufijoDeValor(iddt, nart, codigo), svl)) {
          texto += codigo + " = " + detail::Texto(svl, "lsvlsvl") + kCrLf;
        } else {
          texto += codigo + " = Sin descripción" + kCrLf;
        }
        svl.Close();
      }
    }
    rs.Close();

    // A list that filled the box keeps its first 13 lines and says so.
    if (detail::ContarSaltos(texto) > 15) {
      std::string corto;
      std::size_t at = 0;
      for (int linea = 0; linea < 13; ++linea) {
        const std::size_t end = texto.find(kCrLf, at);
        corto.append(texto, at, end - at).append(kCrLf);
        at = end + 2;
      }
      texto = corto + "...";
    }
    Agregar("Sufijos", texto, 51);
  });
}

void ItemFields::CargarInfoCpl(const std::string& iddt, const Recordset& item) {
  detail::TrapCaratula("CargarInfoCpl", [&] {
    const std::string id = DoubleQuotes(iddt);
    const std::string nart = detail::Texto(item, "nart");
    // The declaration's own options print on the cover only; an item page
    // starts with its regimes, and without any stores no field 52.
    std::string texto =
        policy_.opciones_generales ? std::string("c) Opciones a nivel general") + kCrLf : "";
    // The box holds 17 lines. A section stops adding rows once the text has
    // 17 line breaks; when rows are left unprinted, "..." says so and the
    // following sections are skipped. A section that simply runs out of rows
    // adds no mark.
    bool lleno = false;
    const auto seccion = [&](const ItemQuery& query, const char* primera, auto linea) {
      if (lleno) return;
      Recordset rs;
      db_.GetItemRs(query, rs);
      for (bool first = true; !rs.AtEnd(); rs.MoveNext(), first = false) {
        if (detail::ContarSaltos(texto) >= 17) {
          lleno = true;
          texto += "...";
          break;
        }
        texto += (first ? primera : "   ") + linea(rs) + kCrLf;
      }
      rs.Close();
    };
    const auto opcion = [](const Recordset& rs) {
      return detail::Texto(rs, "ccpl") + " = " + detail::Texto(rs, "mcpl");
    };
    // The declaration's options are those of item '0000'.
    const std::string opciones =
        "SELECT ccpl, mcpl FROM CPL WHERE icpl = '" + id + "' AND icpldif = 'S'";
    if (policy_.opciones_generales) seccion({opciones, {{"nart", "0000"}}}, "c) ", opcion);
    seccion({"SELECT csrg FROM SRG WHERE isrg = '" + id + "'", {{"nart", nart}}}, "b) ",
            [](const Recordset& rs) { return detail::Texto(rs, "csrg"); });
    seccion({opciones, {{"nart", nart}}}, "a) ", opcion);
    Agregar("InfoCpl", texto, 52);
  });
}

}  // namespace tipolaria
