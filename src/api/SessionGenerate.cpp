// GenerateIMP: one declaration's pages into IMP, reported as JSON.
#include <exception>
#include <memory>

#include "api/JsonResult.hpp"
#include "api/PrintLock.hpp"
#include "api/SessionState.hpp"
#include "data/BatchScope.hpp"
#include "imp/ImpTable.hpp"
#include "runtime/Trap.hpp"
#include "tipolaria/session.hpp"

namespace tipolaria {
namespace {

// Runs one step that follows the generation. After the generation failed, a
// fault of the step's own is dropped: the host hears of the generation's
// error, the first one.
template <class Step>
void AfterGeneration(const std::exception_ptr& failure, Step step) {
  try {
    step();
  } catch (...) {
    if (!failure) throw;
  }
}

}  // namespace

std::string Session::GenerateIMP(const std::string& pNombreDespachante, const std::string& pIddtext,
                                 const std::string& pIdOrig, const std::string& pFecOfi,
                                 std::int16_t pOper, const std::string& pCanal,
                                 const std::string& pRamo, const std::string& pMorado,
                                 const std::string& pOrg, const std::string& pEta) {
  return detail::JsonOperation(*state_, "GenerateIMP", [&] {
    // Runs before the generation, so the range is clamped against the pages
    // of the driver's previous generation (none for a new driver).
    InitializePagesData();
    detail::SessionState& state = *state_;
    CTipolaria& driver = *state.gDriver;
    driver.Oper = pOper;
    driver.Canal = pCanal;
    driver.Ramo = pRamo;
    driver.Morado = pMorado;
    driver.DefineRotulo(pOper, pOrg, pEta);
    driver.LiquidacionImpresa = true;
    // Every generation counts its pages from the start, CleanIMP or not:
    // counting on from the previous generation would number this one's
    // pages after that one's, and print that many blank pages first. The
    // driver's other settings stay; the range above was clamped against the
    // previous count, as always.
    driver.TotalHojas = 0;
    CDataBase& db = *state.gDataBase;
    // From here on the session prints what this generation writes and
    // nothing else: nothing at all when it cannot get the print lock.
    state.snapshot = std::make_shared<const Recordset>(NoImpRows());
    bool found = false;
    {
      detail::PrintLock lock(db, state.settings.lock_timeout, state.settings.lock_wait_notice);
      // The whole generation reaches the disk at once; its page saves are
      // savepoints within it.
      BatchScope batch(db);
      // The identifiers go on as received: the declaration is looked up by
      // pIddtext alone.
      std::exception_ptr failure;
      try {
        found = driver.CargarCampos(db, pIddtext, pIdOrig, pFecOfi, pNombreDespachante);
      } catch (...) {
        failure = std::current_exception();
      }
      // Whether or not it failed, the rows the generation wrote stay, as they
      // stay in IMP: the batch ends and the session keeps them.
      AfterGeneration(failure, [&] { batch.End(); });
      AfterGeneration(
          failure, [&] { state.snapshot = std::make_shared<const Recordset>(ReadImpTable(db)); });
      if (failure) std::rethrow_exception(failure);
    }
    if (!found) {
      // Reporting success here would leave the host printing an empty IMP.
      throw ComError(kErrDeclarationNotFound, "GenerateIMP",
                     "No se encontró la declaración '" + pIddtext + "'");
    }
    return detail::JsonOk();
  });
}

}  // namespace tipolaria
