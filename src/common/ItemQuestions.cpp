#include "common/ItemQuestions.hpp"

#include "data/SqlText.hpp"

namespace tipolaria {

ItemQuery FilaDelItem(const std::string& iddt, const std::string& nart) {
  return {"SELECT * FROM ART WHERE iddt = '" + DoubleQuotes(iddt) + "'", {{"nart", nart}}};
}

ItemQuery SubItems(const std::string& iddt, const std::string& nart) {
  return {"SELECT * FROM SBT WHERE iddt = '" + DoubleQuotes(iddt) + "'", {{"nart", nart}}, "isbt"};
}

ItemQuery SufijoDeValor(const std::string& iddt, const std::string& nart,
                        const std::string& codigo) {
  ItemQuery query{"SELECT lsvlsvl FROM SVL WHERE iddt = '" + DoubleQuotes(iddt) + "'",
                  {{"nart", nart}}};
  if (!codigo.empty() && (codigo[0] == 'A' || codigo[0] == 'Z')) {
    query.item.push_back({"substring(csvlsvl,1,2)", codigo.substr(0, 2)});
  } else {
    query.item.push_back({"csvlsvl", codigo});
  }
  return query;
}

ItemQuery SumaBeneficios(const std::string& iddt, const std::string& nart) {
  return {"SELECT SUM(mbnf) FROM BNF WHERE ibnf = '" + DoubleQuotes(iddt) + "'",
          {{"nart", nart}},
          "",
          true};
}

ItemQuery SumaDrawback(const std::string& iddt, const std::string& nart) {
  return {"SELECT SUM(mdbktax) FROM DBK WHERE idbk = '" + DoubleQuotes(iddt) + "'",
          {{"ndbkarte", nart}},
          "",
          true};
}

std::string FilaDeTransporte(const std::string& iddt) {
  return "SELECT * FROM TPR WHERE iddt = '" + DoubleQuotes(iddt) + "'";
}

}  // namespace tipolaria
