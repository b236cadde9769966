// The first item of the declaration on the cover: identification, origin,
// units, additional information (fields 38 to 50), value suffixes (51) and
// complementary options (52). Amounts are in CImpCaratulaMontos.cpp.
#include "common/UtilFnc.hpp"
#include "data/SqlText.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "loaders/cover/CoverText.hpp"
#include "runtime/Format.hpp"
#include "runtime/Strings.hpp"
#include "runtime/Trap.hpp"

namespace tipolaria {

using detail::kCrLf;

bool CImpCaratula::CargarDatosItem(const std::string& iddt, const std::string& impexp,
                                   std::int16_t oper, const std::string& cddtstudev,
                                   bool& liquidacion_impresa) {
  return Trap("CImpCaratula.CargarDatosItem", [&] {
    Recordset item;
    // The cover carries the item printed as 0001; the others get item pages.
    if (Db().GetRs("SELECT * FROM ART WHERE iddt = '" + DoubleQuotes(iddt) + "' AND NARTEXT='0001'",
                   item)) {
      CargarCabItem(iddt, item);
      CargarSufijos(iddt, item);
      CargarInfoCpl(iddt, item);
      CargarMontos(iddt, impexp, item);
      const std::string nart = detail::Texto(item, "nart");
      CargarLiquidacion(iddt, nart, oper, cddtstudev, liquidacion_impresa);
      CargarLiqItem(iddt, liquidacion_impresa, nart);
    }
    item.Close();
    return false;
  });
}

void CImpCaratula::CargarCabItem(const std::string& iddt, const Recordset& item) {
  Trap("CImpCaratula.CargarCabItem", [&] {
    const auto texto = [&](const char* column) { return detail::Texto(item, column); };
    CargarNroItem(texto("nartext"));
    CargarTipoItem(texto("carttyp"));
    CargarPosicionSIM(texto("iespnce"));
    CargarPosicionNALADISA(texto("iespnalgat"));
    CargarLista(texto("cartpro"), texto("lIsta"));
    CargarEstado(texto("cartuso"));
    CargarTotalKg(texto("qartkgrnet"));
    CargarPaisOrigen(texto("cartpayori"));
    CargarPaisDestino(texto("cartpayprc"));
    CargarUnidad(texto("cartuntest"));
    CargarCantUnidad(texto("qartuntest"));
    CargarInfoAdicional(iddt, texto("nart"));
  });
}

void CImpCaratula::CargarNroItem(const std::string& nartext) {
  Trap("CImpCaratula.CargarNroItem", [&] { Agregar("NroItem", nartext, 38); });
}

void CImpCaratula::CargarTipoItem(const std::string& carttyp) {
  Trap("CImpCaratula.CargarTipoItem", [&] { Agregar("TipoItem", carttyp, 39); });
}

void CImpCaratula::CargarPosicionSIM(const std::string& iespnce) {
  Trap("CImpCaratula.CargarPosicionSIM", [&] { Agregar("PosicionSIM", iespnce, 40); });
}

void CImpCaratula::CargarPosicionNALADISA(const std::string& iespnalgat) {
  Trap("CImpCaratula.CargarPosicionNALADISA", [&] { Agregar("PosicionNALADISA", iespnalgat, 41); });
}

void CImpCaratula::CargarLista(const std::string& cartpro, const std::string& lista) {
  Trap("CImpCaratula.CargarLista",
       [&] { Agregar("Lista", Trim(cartpro).empty() ? lista : lista + " / " + cartpro, 42); });
}

void CImpCaratula::CargarEstado(const std::string& cartuso) {
  Trap("CImpCaratula.CargarEstado", [&] {
    std::string valor;
    Recordset rs;
    if (Db().GetRs("SELECT ldescri FROM EST WHERE cestcod = '" + DoubleQuotes(cartuso) + "'", rs)) {
      valor = detail::Texto(rs, "ldescri");
    }
    rs.Close();
    Agregar("Estado", valor, 43);
  });
}

void CImpCaratula::CargarTotalKg(const std::string& kilos) {
  Trap("CImpCaratula.CargarTotalKg", [&] { Agregar("TotalKg", Format(kilos, "#,##0.0000"), 44); });
}

void CImpCaratula::CargarPaisOrigen(const std::string& pais) {
  Trap("CImpCaratula.CargarPaisOrigen", [&] { Agregar("PaisOrigen", PaisOProvincia(pais), 45); });
}

void CImpCaratula::CargarPaisDestino(const std::string& pais) {
  Trap("CImpCaratula.CargarPaisDestino", [&] {
    std::string valor;
    BuscarPais(pais, valor);
    Agregar("PaisDestino", valor, 46);
  });
}

void CImpCaratula::CargarUnidad(const std::string& unidad) {
  Trap("CImpCaratula.CargarUnidad", [&] {
    std::string valor = unidad;  // an unknown unit prints its code
    BuscarUnidad(unidad, valor);
    Agregar("Unidad", valor, 47);
  });
}

void CImpCaratula::CargarCantUnidad(const std::string& cantidad) {
  Trap("CImpCaratula.CargarCantUnidad",
       [&] { Agregar("CantUnidades", Format(cantidad, "#,##0.00"), 48); });
}

void CImpCaratula::CargarInfoAdicional(const std::string& iddt, const std::string& nart) {
  Trap("CImpCaratula.CargarInfoAdicional", [&] {
    const std::string id = DoubleQuotes(iddt);
    const std::string art = DoubleQuotes(nart);
    Recordset rs;
    Db().GetRs("SELECT ccpl, mcpl FROM CPL WHERE icpl = '" + id + "' AND nart = '" + art +
                   "' AND icpldif = 'D' AND substring(ccpl,1,4) <> 'VNME'",
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
    if (Db().GetRs("SELECT cartcodean FROM ART WHERE iddt = '" + id + "' AND nart = '" + art + "'",
                   rs)) {
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

void CImpCaratula::CargarSufijos(const std::string& iddt, const Recordset& item) {
  Trap("CImpCaratula.CargarSufijos", [&] {
    const std::string id = DoubleQuotes(iddt);
    const std::string art = DoubleQuotes(detail::Texto(item, "nart"));
    Recordset rs;
    std::string texto;
    Db().GetRs("SELECT ldscdesc FROM DSC WHERE iddt = '" + id + "' AND nart = '" + art +
                   "' ORDER BY cdsclin",
               rs);
    for (; !rs.AtEnd(); rs.MoveNext()) {
      texto += detail::Texto(rs, "ldscdesc") + kCrLf;
      while (texto.find("  ") != std::string::npos) texto = detail::Reemplazar(texto, "  ", " ");
    }
    rs.Close();
    // The description takes one line of up to five fitted lines; the suffixes
    // start after two empty lines.
    texto = detail::Reemplazar(AjustarTexto(texto, 8000, 5), kCrLf, " ") + kCrLf + kCrLf + kCrLf;

    if (Db().GetRs("SELECT csbtsvl FROM SBT WHERE iddt = '" + id + "' AND nart = '" + art +
                       "' AND isbt = '0000'",
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
        // Suffixes starting with A or Z are described by their two-letter
        // family; the others by the exact code.
        const std::string condicion =
            (codigo[0] == 'A' || codigo[0] == 'Z')
                ? "' AND substring(csvlsvl,1,2) = '" + DoubleQuotes(Left(codigo, 2)) + "'"
                : "' AND csvlsvl = '" + DoubleQuotes(codigo) + "'";
        Recordset svl;
        if (Db().GetRs(
                "SELECT lsvlsvl FROM SVL WHERE iddt = '" + id + "' AND nart = '" + art + condicion,
                svl)) {
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

void CImpCaratula::CargarInfoCpl(const std::string& iddt, const Recordset& item) {
  Trap("CImpCaratula.CargarInfoCpl", [&] {
    const std::string id = DoubleQuotes(iddt);
    const std::string art = DoubleQuotes(detail::Texto(item, "nart"));
    std::string texto = std::string("c) Opciones a nivel general") + kCrLf;
    // The box holds 17 lines. A section stops adding rows once the text has
    // 17 line breaks; when rows are left unprinted, "..." says so and the
    // following sections are skipped. A section that simply runs out of rows
    // adds no mark.
    bool lleno = false;
    const auto seccion = [&](const std::string& sql, const char* primera, auto linea) {
      if (lleno) return;
      Recordset rs;
      Db().GetRs(sql, rs);
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
    seccion(
        "SELECT ccpl, mcpl FROM CPL WHERE icpl = '" + id + "' AND nart = '0000' AND icpldif = 'S'",
        "c) ", opcion);
    seccion("SELECT csrg FROM SRG WHERE isrg = '" + id + "' AND nart = '" + art + "'", "b) ",
            [](const Recordset& rs) { return detail::Texto(rs, "csrg"); });
    seccion("SELECT ccpl, mcpl FROM CPL WHERE icpl = '" + id + "' AND nart = '" + art +
                "' AND icpldif = 'S'",
            "a) ", opcion);
    Agregar("InfoCpl", texto, 52);
  });
}

}  // namespace tipolaria
