// Runs the cover loader on a test declaration the way the driver does
// (header, first item with its settlement, footer, save) and reads back the
// IMP rows of page 1.
#ifndef TIPOLARIA_TESTS_LOADERS_COVER_COVERPAGE_HPP_
#define TIPOLARIA_TESTS_LOADERS_COVER_COVERPAGE_HPP_

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/CDataBase.hpp"
#include "loaders/cover/CImpCaratula.hpp"
#include "support/TestDatabase.hpp"

namespace tipolaria::testing {

// The host's arguments of one print.
struct Impresion {
  std::int16_t oper = 2;  // channel read from the declaration
  std::string despachante = "O'BRIEN, JUAN PATRICIO";
  std::string canal;
  std::string morado;
  std::string ramo;
  std::string rotulo = "OFICIALIZADO";
  std::string fecofi = "05/12/2026 10:42:17";
};

// The fields of page 1 (type 0) by number.
using Pagina = std::map<int, std::string>;

// What a load leaves besides the page: the settlement flag and index.
struct Carga {
  bool liquidacion_impresa = true;
  std::vector<std::string> indice;
};

// Loads and saves the cover of `iddtext` with `db`; returns what stays in
// the loader.
Carga CargarCaratula(CDataBase& db, const std::string& iddtext, const Impresion& impresion = {});

// The IMP rows of a page of type 0 (the cover by default).
Pagina LeerPagina(const TestDatabase& tdb, int nro_hoja = 1);

// A database with the catalogue and the given declaration scripts loaded.
void CargarDatos(const TestDatabase& tdb, const std::vector<std::string>& scripts);

// Checks each listed field: a value, or nullopt for a field without a row.
using Esperado = std::vector<std::pair<int, std::optional<std::string>>>;
void ExpectCampos(const Pagina& pagina, const Esperado& esperado);
// One field, and the six fields of the settlement grid row from field r:
// the item's coefficient, type and amount, the concept, the declaration's
// type and amount.
inline Esperado C(int campo, std::optional<std::string> valor) { return {{campo, valor}}; }
Esperado Fila(int r, const std::vector<std::optional<std::string>>& valores);
// The same with the fields listed one by one and by rows, e.g.
// ExpectCampos(pagina, C(5, "..."), C(24, nullopt), Fila(71, {...})).
void ExpectCampos(const Pagina& pagina, std::same_as<Esperado> auto... partes) {
  Esperado esperado;
  (esperado.insert(esperado.end(), partes.begin(), partes.end()), ...);
  ExpectCampos(pagina, esperado);
}

}  // namespace tipolaria::testing

#endif  // TIPOLARIA_TESTS_LOADERS_COVER_COVERPAGE_HPP_
