#include "CoverPage.hpp"

#include <gtest/gtest.h>

#include "common/UtilFnc.hpp"

namespace tipolaria::testing {

Carga CargarCaratula(CDataBase& db, const std::string& iddtext, const Impresion& impresion) {
  Recordset header;
  EXPECT_TRUE(db.GetRs("SELECT * FROM DDT WHERE iddtext = '" + iddtext + "'", header));
  CImpCaratula cover;
  cover.BaseDeDatos(db);
  Carga carga;
  cover.CargarCabecera(header, impresion.oper, impresion.despachante);
  cover.CargarDatosItem(ValorTexto(header.Field("iddt")), ValorTexto(header.Field("cddtimpexp")),
                        impresion.oper, ValorTexto(header.Field("cddtstudev")),
                        carga.liquidacion_impresa);
  cover.CargarPie(header, impresion.oper, impresion.canal, impresion.morado, impresion.rotulo,
                  impresion.ramo, impresion.fecofi);
  EXPECT_TRUE(cover.GuardarDatos());
  carga.indice = cover.GetColLiq();
  header.Close();
  return carga;
}

Pagina LeerPagina(const TestDatabase& tdb, int nro_hoja) {
  const std::string where =
      " FROM IMP WHERE NRO_HOJA = " + std::to_string(nro_hoja) + " AND TIPO = 0 ORDER BY rowid";
  const std::vector<std::string> campos = tdb.Column("SELECT substr(NRO_CAMPO, 2)" + where);
  const std::vector<std::string> valores = tdb.Column("SELECT VALOR" + where);
  Pagina pagina;
  for (std::size_t i = 0; i < campos.size(); ++i) {
    EXPECT_FALSE(pagina.contains(std::stoi(campos[i]))) << "field saved twice: " << campos[i];
    pagina[std::stoi(campos[i])] = valores[i];
  }
  return pagina;
}

void CargarDatos(const TestDatabase& tdb, const std::vector<std::string>& scripts) {
  tdb.RunScript("decl_catalogo.sql");
  for (const std::string& script : scripts) tdb.RunScript(script);
}

void ExpectCampos(const Pagina& pagina, const Esperado& esperado) {
  for (const auto& [campo, valor] : esperado) {
    const auto it = pagina.find(campo);
    if (!valor) {
      EXPECT_EQ(it, pagina.end()) << "field " << campo << " holds \"" << it->second << "\"";
    } else if (it == pagina.end()) {
      ADD_FAILURE() << "field " << campo << " has no row; expected \"" << *valor << "\"";
    } else {
      EXPECT_EQ(it->second, *valor) << "field " << campo;
    }
  }
}

Esperado Fila(int r, const std::vector<std::optional<std::string>>& valores) {
  Esperado fila;
  for (const auto& valor : valores) fila.emplace_back(r++, valor);
  return fila;
}

}  // namespace tipolaria::testing
