#include "data/PtrProcedures.hpp"

#include <strings.h>

#include "data/DatabaseErrors.hpp"

namespace tipolaria {
namespace {

struct Procedure {
  const char* name;
  const char* sql;
};
// Only the first row counts for the callers; rowid keeps the order of entry.
constexpr Procedure kProcedures[] = {
    {"sp_NatLNat", "SELECT LPTRNAT FROM PTR WHERE CTPT = ? AND CPTRNAT = ? ORDER BY rowid"},
    {"sp_NatPtr", "SELECT APTR FROM PTR WHERE CTPT = ? AND CPTRNAT = ? ORDER BY rowid"},
    {"sp_PtrNat", "SELECT LPTRNAT, CPTRNAT FROM PTR WHERE CTPT = ? AND APTR = ? ORDER BY rowid"},
    {"sp_PtrCNat", "SELECT CPTRNAT FROM PTR WHERE CTPT = ? AND APTR = ? ORDER BY rowid"},
};

// Parameter directions of the original data-access layer: input, input-output.
constexpr std::int32_t kDirInput = 1;
constexpr std::int32_t kDirInputOutput = 3;

}  // namespace

PtrQuery PtrProcedureQuery(const std::string& source, const std::string& name,
                           const std::vector<ProcedureParam>& params) {
  for (const Procedure& p : kProcedures) {
    if (strcasecmp(name.c_str(), p.name) != 0) continue;
    PtrQuery query{p.sql, {}};
    for (const ProcedureParam& param : params) {
      if (param.direction == kDirInput || param.direction == kDirInputOutput) {
        query.inputs.push_back(param.value);
      }
    }
    if (query.inputs.size() != 2) {
      RaiseDatabaseError(source, "Procedure " + name + " expects 2 parameters, got " +
                                     std::to_string(query.inputs.size()));
    }
    return query;
  }
  RaiseDatabaseError(source, "Could not find stored procedure '" + name + "'.");
}

}  // namespace tipolaria
